#include "cPreciseWait.h"

#include <QThread>

namespace {

// Woken this much before the moment on average; the rest is spun away.
constexpr qint64 marginNs = 10000;
// A loaded machine wakes sleepers very late: aim no earlier than this, so
// the spinning stays short whatever the load.
constexpr qint64 lateLimitNs = 500000;
// The running estimate follows a new lateness by this fraction.
constexpr qint64 learnShare = 8;

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
    m_lateNs += (qBound<qint64>(0, lateNs, lateLimitNs) - m_lateNs) / learnShare;
}
