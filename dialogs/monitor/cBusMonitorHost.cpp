#include "cBusMonitorHost.h"

#include <QEvent>
#include <QWidget>

#include "cBusMonitor.h"

cBusMonitorHost::cBusMonitorHost(QWidget *home)
    : m_home(home)
{
    // The monitor uses the worker, which goes with the home window: once it
    // is closed for good the monitor must not outlive it.
    home->installEventFilter(this);
}

cBusMonitor *cBusMonitorHost::monitor() const
{
    return m_monitor;
}

void cBusMonitorHost::close()
{
    delete m_monitor;
}

void cBusMonitorHost::show(cUart *worker)
{
    QWidget *parent = m_dialog && m_dialog->isVisible() ? m_dialog.data() : m_home;
    if (!m_monitor)
        m_monitor = new cBusMonitor(worker, parent);
    moveUnder(parent);
    m_monitor->show();
    m_monitor->raise();
    m_monitor->activateWindow();
}

void cBusMonitorHost::accompany(QWidget *dialog)
{
    if (m_dialog)
        m_dialog->removeEventFilter(this);
    m_dialog = dialog;
    dialog->installEventFilter(this);
    if (dialog->isVisible())
        moveUnder(dialog);
}

bool cBusMonitorHost::eventFilter(QObject *watched, QEvent *event)
{
    // A minimised window hides spontaneously and comes back.
    if (event->spontaneous() || (event->type() != QEvent::Show && event->type() != QEvent::Hide))
        return false;
    if (watched == m_home && event->type() == QEvent::Hide)
        close();
    else if (watched == m_dialog)
        moveUnder(event->type() == QEvent::Show ? m_dialog.data() : m_home);
    return false;
}

// A window taken to another parent is hidden: it comes back where it was.
void cBusMonitorHost::moveUnder(QWidget *parent)
{
    if (!m_monitor || m_monitor->parentWidget() == parent)
        return;
    const bool shown = m_monitor->isVisible();
    const QPoint place = m_monitor->pos();
    const QSize size = m_monitor->size();
    m_monitor->setParent(parent, m_monitor->windowFlags());
    m_monitor->resize(size);
    m_monitor->move(place);
    if (shown)
        m_monitor->show();
}
