#ifndef CBUSMONITOR_H
#define CBUSMONITOR_H

#include <QDialog>
#include <QTimer>
#include <QVector>

#include "busFrame_t.h"

class cUart;
class QCheckBox;
class QSpinBox;
class QTableWidget;
class cTrafficTable;
class cLinkStatsLabel;

// Lists every frame the worker sends and receives while it is open, with
// the worker's own verdict on each reply and the line's silence before each
// frame. Holds a bounded number of frames; the worker reports none while no
// monitor is open.
class cBusMonitor : public QDialog
{
    Q_OBJECT

public:
    static constexpr int maxFrames = 2000;
    // What a frame means before its bytes, which may run past the window.
    enum column_t { Time, Direction, Silence, AfterRequest, Text, Bytes, Columns };

    cBusMonitor(cUart *worker, QWidget *parent = nullptr);
    ~cBusMonitor() override;

    QTableWidget *table() const;
    // Writes the rows shown after a few lines on where and when they were
    // seen: CSV for a ".csv" name, tab-separated text otherwise.
    bool saveShown(const QString &path) const;
    // The same in the format of the chosen file filter, adding its extension
    // to a name without one; returns the name written, or empty.
    QString saveShownAs(QString path, const QString &filter) const;

public slots:
    void addFrame(busFrame_t frame);
    void addFrames(QVector<busFrame_t> frames);
    // Shows the frames that came since the last call.
    void flush();
    void clear();

private:
    struct arrived_t
    {
        busFrame_t frame;
        qint64 silenceNs = -1;
        qint64 afterRequestNs = -1;
    };

    void buildLayout();
    void applyFilter();
    bool rowShown(int row) const;
    void saveAs();
    void fillRow(int row, const arrived_t &arrived);
    QString timeText(qint64 msecsSinceEpoch);
    void splitEcho(busFrame_t frame);
    void fitColumn(int column, const QString &text);
    QList<QStringList> preamble() const;
    bool write(const QString &path, bool csv) const;

    cUart *m_worker;
    cTrafficTable *m_table = nullptr;
    QCheckBox *m_pause = nullptr;
    QSpinBox *m_address = nullptr;
    cLinkStatsLabel *m_linkStats = nullptr;
    // Frames are drawn a few times a second, not one by one, so that an open
    // monitor does not hold up the polling.
    QVector<arrived_t> m_arrived;
    QTimer m_flushTimer;
    // The last frame on the line and the last request, for the gaps.
    qint64 m_lastEndNs = -1;
    qint64 m_requestEndNs = -1;
    // The time of day of the last second a frame came in.
    qint64 m_second = 0;
    QString m_secondText;
};

#endif
