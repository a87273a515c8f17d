#ifndef BENCHTABLE_H
#define BENCHTABLE_H

#include <QList>
#include <QStringList>

// Right-aligned table rows on standard output.
namespace benchTable {

void printRow(const QStringList &cells, const QList<int> &widths);
QString number(double value, int decimals); // "-" for a negative value: not measured

} // namespace benchTable

#endif
