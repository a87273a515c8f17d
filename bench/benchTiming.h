#ifndef BENCHTIMING_H
#define BENCHTIMING_H

#include <QtGlobal>
#include <functional>

// One way to time a master's requests, the same for ours and for mbpoll.
namespace benchTiming {

// The smaller of two figures, a negative one counting as none yet.
double fastest(double best, double value);

// Milliseconds per request, (T(n) - T(1)) / (n - 1) for n >= 2, each T the
// fastest of `repeats` timings: the difference drops what a run costs once
// (a process start, the first request's hand-over), and the machine's other
// load only slows a run down. timeNs(count) times `count` requests back to
// back, negative when one failed; so is the result.
double msPerRequest(const std::function<qint64(int count)> &timeNs, int requests, int repeats);

} // namespace benchTiming

#endif
