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

// Lists every frame the worker sends and receives while it is open, with
// the worker's own verdict on each reply. Holds a bounded number of frames;
// the worker reports none while no monitor is open.
class cBusMonitor : public QDialog
{
    Q_OBJECT

public:
    static constexpr int maxFrames = 2000;

    cBusMonitor(cUart *worker, QWidget *parent = nullptr);
    ~cBusMonitor() override;

    QTableWidget *table() const { return m_table; }
    // Writes the rows shown: CSV for a ".csv" name, plain text otherwise.
    bool saveShown(const QString &path) const;

public slots:
    void addFrame(busFrame_t frame);
    // Shows the frames that came since the last call.
    void flush();
    void clear();

private:
    void buildLayout();
    void applyFilter();
    bool rowShown(int row) const;
    void saveAs();
    void appendRow(const busFrame_t &frame);

    cUart *m_worker;
    QTableWidget *m_table = nullptr;
    QCheckBox *m_pause = nullptr;
    QSpinBox *m_address = nullptr;
    // Frames are drawn a few times a second, not one by one, so that an open
    // monitor does not hold up the polling.
    QVector<busFrame_t> m_arrived;
    QTimer m_flushTimer;
};

#endif
