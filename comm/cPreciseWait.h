#ifndef CPRECISEWAIT_H
#define CPRECISEWAIT_H

#include <QElapsedTimer>

// Waits until a moment on a clock, neither earlier nor noticeably later. A
// plain sleep wakes late by the system's timer slack (tens of microseconds),
// so it sleeps to just before the moment, aiming early by the lateness it has
// seen, and spins the last microseconds.
class cPreciseWait
{
public:
    void until(const QElapsedTimer &clock, qint64 deadlineNs);

private:
    void learn(qint64 lateNs);

    qint64 m_lateNs = 100000;
};

#endif
