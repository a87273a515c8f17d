#ifndef CSHAREFUNCTION_H
#define CSHAREFUNCTION_H

#include <QCoreApplication>
#include <QList>
#include <QStringList>

#include "tableInfo_t.h"

class QComboBox;
class QTableWidget;
class QWidget;

// Stateless helpers of the module dialog: table rows and cells, combo-box row
// colouring, the event-processing pause, communication-parameter conversions,
// the fixed text lists and the restore progress window.
class cShareFunction
{
    Q_DECLARE_TR_FUNCTIONS(cShareFunction)

public:
    cShareFunction() = delete;

    // Sleeps in 10 ms steps and processes pending events after each, so the
    // GUI and queued worker answers stay alive; below 10 ms it returns at once.
    static void pauseMs(int ms);
    static void paintComboRows(QComboBox *box);

    static void initTable(QTableWidget *table, const QList<tableInfo_t> &tables, bool selectFirstRow);
    static void setTableCell(QTableWidget *table, const QList<tableInfo_t> &tables, int row, int column,
                             QString text);

    static int baudToIndex(int baud);
    static int cfgPortToIndex(int parity, int twoStopBits);
    static int byteOrderToIndex(int code);
    // Leave the variables untouched when the current index names no entry.
    static void baudFromIndex(const QComboBox *box, qint32 &baud);
    static void cfgPortFromIndex(const QComboBox *box, quint8 &parity, quint8 &stopBits);

    static QStringList byteOrderList();
    static QStringList parityList();
    static QStringList ptCalibrStatusList();
    static QStringList aiCalibrStatusList();
    static QStringList aoCalibrStatusList();

    // Window-modal, so the caller's window is blocked while events still run.
    static void showRestoreProgress(QWidget *parent, int seconds);

private:
    static QStringList calibrStatusList();
};

#endif
