#ifndef CSTOPSIGNALS_H
#define CSTOPSIGNALS_H

#include <QObject>
#include <QTimer>

// Turns Ctrl-C (SIGINT) and SIGTERM into a Qt signal in the owner's thread.
// A second one ends the program at once. On Windows only Ctrl-C arrives
// (as SIGINT); Ctrl-Break and closing the console still end it abruptly.
class cStopSignals : public QObject
{
    Q_OBJECT

public:
    explicit cStopSignals(QObject *parent = nullptr);
    ~cStopSignals() override;

signals:
    void received(int signalNumber);

private:
    void poll();

    QTimer m_poll;
};

#endif
