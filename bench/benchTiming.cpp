#include "benchTiming.h"

#include <algorithm>

namespace benchTiming {

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

} // namespace benchTiming
