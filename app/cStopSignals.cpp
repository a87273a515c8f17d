#include "cStopSignals.h"

#include <atomic>
#include <csignal>

namespace {

constexpr int pollMs = 50;

// A handler may do little more than store into a lock-free atomic; the timer
// carries the news into the event loop.
std::atomic<int> pendingSignal{0};
static_assert(std::atomic<int>::is_always_lock_free, "a signal handler needs a lock-free atomic");

extern "C" void noteSignal(int signalNumber)
{
    pendingSignal.store(signalNumber);
    std::signal(signalNumber, SIG_DFL);
}

} // namespace

cStopSignals::cStopSignals(QObject *parent)
    : QObject(parent)
{
    pendingSignal.store(0);
    std::signal(SIGINT, noteSignal);
    std::signal(SIGTERM, noteSignal);
    connect(&m_poll, &QTimer::timeout, this, &cStopSignals::poll);
    m_poll.start(pollMs);
}

cStopSignals::~cStopSignals()
{
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
}

void cStopSignals::poll()
{
    const int signalNumber = pendingSignal.exchange(0);
    if (signalNumber != 0)
        emit received(signalNumber);
}
