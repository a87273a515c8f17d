#ifndef BENCHTIMING_H
#define BENCHTIMING_H

#include <QtGlobal>
#include <functional>

// One way to time a master's requests, the same for ours and for mbpoll.
namespace benchTiming {

// A run of requests: its wall time and the CPU time it cost, negative when
// a request failed.
struct cost_t
{
    qint64 ns = -1;
    qint64 cpuNs = -1;
    qint64 wakes = -1;
};

// One request's share of a run, without what the run costs once.
struct perRequest_t
{
    double ms = -1.0;
    double cpuUs = -1.0;
    double wakes = -1.0;
};

// The smaller of two figures, a negative one counting as none yet.
double fastest(double best, double value);

// Milliseconds per request, (T(n) - T(1)) / (n - 1) for n >= 2, each T the
// fastest of `repeats` timings: the difference drops what a run costs once
// (a process start, the first request's hand-over), and the machine's other
// load only slows a run down. timeNs(count) times `count` requests back to
// back, negative when one failed; so is the result.
double msPerRequest(const std::function<qint64(int count)> &timeNs, int requests, int repeats);

// One timing of a run of n requests and one of a single request, as
// msPerRequest does it, for wall time and CPU time alike.
perRequest_t perRequest(const std::function<cost_t(int count)> &run, int requests);

// User + system CPU time of this process (all its threads), or of its
// children that have ended and been waited for.
qint64 cpuNs();
qint64 childrenCpuNs();
// The calling thread's alone.
qint64 threadCpuNs();
// How often a thread of this process, or of its children that have ended,
// went to sleep waiting and was woken: on a virtual machine each wake-up
// costs tens of microseconds, so it is most of a master's CPU time.
qint64 wakes();
qint64 childrenWakes();

} // namespace benchTiming

#endif
