#ifndef BENCHSPREAD_H
#define BENCHSPREAD_H

#include <QString>
#include <QVector>
#include <functional>

// One figure measured several times: its minimum, median and maximum, so a
// reader sees how far the machine's other load moved it.
class benchSpread
{
public:
    // Runs `measure` `runs` times; a negative figure (not measured) is dropped.
    static benchSpread of(int runs, const std::function<double()> &measure);

    void add(double value);
    bool isEmpty() const { return m_values.isEmpty(); }
    int count() const { return m_values.size(); }
    // -1 while empty.
    double min() const;
    double median() const;
    double max() const;
    // "min/median/max" with the given decimals, "-" while empty.
    QString text(int decimals) const;
    // The spread of this figure divided by a positive one, as (min/b, median/b, max/b).
    benchSpread over(double divisor) const;
    // This figure in a peer's terms: each of its values over the peer's median.
    benchSpread relativeTo(const benchSpread &peer) const { return over(peer.median()); }

private:
    QVector<double> m_values; // kept sorted
};

#endif
