#include "cPreciseWait.h"

#include <QThread>

namespace {

// Woken this much before the moment when the sleep is as late as usual; the
// rest is spun away.
constexpr qint64 marginNs = 10000;
// The aim follows how late sleeps wake by these steps: up three times as
// fast as down, so it settles where three sleeps in four wake no later. A
// mean would follow the rare very late wake-up of a loaded machine and
// have every later wait spin that long.
constexpr qint64 stepUpNs = 3000;
constexpr qint64 stepDownNs = 1000;
constexpr qint64 lateLimitNs = 500000;

} // namespace

void cPreciseWait::until(const QElapsedTimer &clock, qint64 deadlineNs)
{
    const qint64 sleepNs = deadlineNs - clock.nsecsElapsed() - m_lateNs - marginNs;
    if (sleepNs >= 1000) {
        const qint64 asleepNs = clock.nsecsElapsed();
        const qint64 askedNs = sleepNs / 1000 * 1000;
        QThread::usleep(quint64(askedNs / 1000));
        learn(clock.nsecsElapsed() - asleepNs - askedNs);
    }
    // Yielding here could hand the processor to another program for a
    // whole time slice; these few microseconds are cheaper spun.
    while (clock.nsecsElapsed() < deadlineNs) {
    }
}

void cPreciseWait::learn(qint64 lateNs)
{
    m_lateNs = qBound<qint64>(0, m_lateNs + (lateNs > m_lateNs ? stepUpNs : -stepDownNs), lateLimitNs);
}
