#include "benchTable.h"

#include <QFile>
#include <QThread>
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

void printLoad(const char *when)
{
    QFile file(QStringLiteral("/proc/loadavg"));
    const QByteArray averages = file.open(QIODevice::ReadOnly) ? file.readLine().split(' ').mid(0, 3).join(' ')
                                                               : QByteArray("-");
    std::printf("machine load %s: %s (1, 5, 15 min averages), %d cores\n", when, averages.constData(),
                QThread::idealThreadCount());
    std::fflush(stdout);
}

} // namespace benchTable
