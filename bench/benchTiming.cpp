#include "benchTiming.h"

#include <algorithm>
#include <sys/resource.h>

namespace benchTiming {

namespace {

rusage usageOf(int who)
{
    rusage usage{};
    getrusage(who, &usage);
    return usage;
}

qint64 usageNs(int who)
{
    const rusage usage = usageOf(who);
    const auto ns = [](const timeval &t) { return (qint64(t.tv_sec) * 1000000 + t.tv_usec) * 1000; };
    return ns(usage.ru_utime) + ns(usage.ru_stime);
}

} // namespace

double fastest(double best, double value)
{
    return best < 0 ? value : std::min(best, value);
}

double msPerRequest(const std::function<qint64(int count)> &timeNs, int requests, int repeats)
{
    if (requests < 2)
        return -1.0;
    double many = -1.0;
    double one = -1.0;
    // Alternating the two spreads a stretch of load from elsewhere over both.
    for (int i = 0; i < repeats; ++i) {
        const qint64 manyNs = timeNs(requests);
        const qint64 oneNs = timeNs(1);
        if (manyNs < 0 || oneNs < 0)
            return -1.0;
        many = fastest(many, double(manyNs));
        one = fastest(one, double(oneNs));
    }
    if (many <= one)
        return -1.0;
    return (many - one) / 1e6 / (requests - 1);
}

perRequest_t perRequest(const std::function<cost_t(int count)> &run, int requests)
{
    perRequest_t share;
    if (requests < 2)
        return share;
    const cost_t many = run(requests);
    const cost_t one = run(1);
    if (many.ns < 0 || one.ns < 0 || many.ns <= one.ns)
        return share;
    share.ms = double(many.ns - one.ns) / 1e6 / (requests - 1);
    share.cpuUs = std::max(0.0, double(many.cpuNs - one.cpuNs) / 1e3 / (requests - 1));
    share.wakes = std::max(0.0, double(many.wakes - one.wakes) / (requests - 1));
    return share;
}

qint64 cpuNs()
{
    return usageNs(RUSAGE_SELF);
}

qint64 childrenCpuNs()
{
    return usageNs(RUSAGE_CHILDREN);
}

qint64 threadCpuNs()
{
    return usageNs(RUSAGE_THREAD);
}

qint64 wakes()
{
    return usageOf(RUSAGE_SELF).ru_nvcsw;
}

qint64 childrenWakes()
{
    return usageOf(RUSAGE_CHILDREN).ru_nvcsw;
}

} // namespace benchTiming
