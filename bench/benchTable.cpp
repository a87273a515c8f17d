#include "benchTable.h"

#include <cstdio>

namespace benchTable {

void printRow(const QStringList &cells, const QList<int> &widths)
{
    QString line;
    for (int i = 0; i < cells.size(); ++i)
        line += cells[i].rightJustified(widths.value(i, 12));
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

QString number(double value, int decimals)
{
    return value < 0 ? QStringLiteral("-") : QString::number(value, 'f', decimals);
}

} // namespace benchTable
