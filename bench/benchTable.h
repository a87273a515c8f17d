#ifndef BENCHTABLE_H
#define BENCHTABLE_H

#include <QList>
#include <QStringList>

// Right-aligned table rows on standard output.
namespace benchTable {

void printRow(const QStringList &cells, const QList<int> &widths);
QString number(double value, int decimals); // "-" for a negative value: not measured
// The machine's load averages beside the figures: other load only slows a run down.
void printLoad(const char *when);

} // namespace benchTable

#endif
