#include "benchSpread.h"

#include <algorithm>

benchSpread benchSpread::of(int runs, const std::function<double()> &measure)
{
    benchSpread spread;
    for (int i = 0; i < runs; ++i)
        spread.add(measure());
    return spread;
}

void benchSpread::add(double value)
{
    if (value < 0)
        return;
    m_values.insert(std::upper_bound(m_values.begin(), m_values.end(), value), value);
}

double benchSpread::min() const
{
    return isEmpty() ? -1.0 : m_values.first();
}

double benchSpread::max() const
{
    return isEmpty() ? -1.0 : m_values.last();
}

double benchSpread::median() const
{
    if (isEmpty())
        return -1.0;
    const int middle = m_values.size() / 2;
    return m_values.size() % 2 ? m_values[middle] : (m_values[middle - 1] + m_values[middle]) / 2;
}

QString benchSpread::text(int decimals) const
{
    if (isEmpty())
        return QStringLiteral("-");
    return QStringLiteral("%1/%2/%3")
        .arg(min(), 0, 'f', decimals)
        .arg(median(), 0, 'f', decimals)
        .arg(max(), 0, 'f', decimals);
}

benchSpread benchSpread::over(double divisor) const
{
    benchSpread ratio;
    if (divisor <= 0)
        return ratio;
    for (double value : m_values)
        ratio.add(value / divisor);
    return ratio;
}
