#ifndef CBUSMONITORHOST_H
#define CBUSMONITORHOST_H

#include <QObject>
#include <QPointer>

class cBusMonitor;
class cUart;
class QWidget;

// The one traffic monitor of a main window. Qt blocks every window but the
// modal dialog's own children while one is up, so a dialog that wants the
// monitor usable beside it takes it as its child while it is shown.
class cBusMonitorHost : public QObject
{
    Q_OBJECT

public:
    explicit cBusMonitorHost(QWidget *home);

    // Opens the monitor, or raises the one already open.
    void show(cUart *worker);
    // The monitor goes with this dialog while it is shown.
    void accompany(QWidget *dialog);
    cBusMonitor *monitor() const;
    // Before the worker goes: a monitor still open would call into it.
    void close();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void moveUnder(QWidget *parent);

    QWidget *m_home;
    QPointer<QWidget> m_dialog;
    QPointer<cBusMonitor> m_monitor;
};

#endif
