// Time per request, fn 3 reads of 1 and 10 registers, from our worker and
// from mbpoll against the same unpaced simulated module at 115200 8N1, both
// timed alike: (T(N) - T(1)) / (N - 1), each T the fastest of a few.

#include <QCoreApplication>
#include <cstdio>

#include "benchTable.h"
#include "benchWorker.h"
#include "cSimBus.h"
#include "mbpollRunner.h"

namespace {

constexpr qint32 baud = 115200;
constexpr quint8 moduleAddress = 1;
constexpr quint16 startReg = 1582;
constexpr quint16 timeoutMs = 500;
constexpr int repeats = 3;
// About half a second per timing for each master.
constexpr int oursRequests = 200;
constexpr int mbpollPolls = 10000;
const quint16 counts[] = {1, 10};
const QList<int> widths = {10, 11, 11, 13, 12, 14};

struct row_t
{
    quint16 count = 0;
    double oursMs = -1.0;
    double mbpollMs = -1.0;
};

bool measureOurs(const QString &port, QList<row_t> &rows)
{
    benchWorker worker;
    if (!worker.open(port, baud, timeoutMs))
        return false;
    for (row_t &row : rows) {
        const query_info_t query = benchWorker::readQuery(moduleAddress, startReg, row.count);
        row.oursMs = worker.msPerRequest(query, oursRequests, repeats);
        if (row.oursMs < 0)
            std::fprintf(stderr, "ours, %d registers: a request failed\n", row.count);
    }
    // mbpoll cannot open the port while we hold it.
    worker.close();
    return true;
}

void measureMbpoll(const QString &port, QList<row_t> &rows)
{
    const QString program = mbpollRunner::find();
    if (program.isEmpty()) {
        std::fprintf(stderr, "mbpoll is not installed: its column stays empty\n");
        return;
    }
    const mbpollRunner runner(program, port, baud, moduleAddress);
    std::printf("mbpoll: %s\n  with -a naming the module %d times and once, -c 1 and -c 10\n",
                qPrintable(runner.commandLine(startReg, 1, 1)), mbpollPolls);
    for (row_t &row : rows)
        row.mbpollMs = runner.msPerPoll(startReg, row.count, mbpollPolls, repeats);
}

double perSecond(double ms)
{
    return ms > 0 ? 1000.0 / ms : -1.0;
}

void printTable(const QList<row_t> &rows)
{
    std::printf("\nfn 3 reads, %d 8N1, unpaced simulated module; ms per request = "
                "(T(N) - T(1)) / (N - 1),\nfastest of %d timings each, N = %d ours, %d mbpoll\n",
                int(baud), repeats, oursRequests, mbpollPolls);
    benchTable::printRow({"registers", "ours ms", "mbpoll ms", "ours/mbpoll", "ours req/s",
                          "mbpoll req/s"}, widths);
    for (const row_t &row : rows) {
        const double ratio = row.oursMs > 0 && row.mbpollMs > 0 ? row.oursMs / row.mbpollMs : -1.0;
        benchTable::printRow({QString::number(row.count), benchTable::number(row.oursMs, 3),
                              benchTable::number(row.mbpollMs, 3), benchTable::number(ratio, 1),
                              benchTable::number(perSecond(row.oursMs), 0),
                              benchTable::number(perSecond(row.mbpollMs), 0)},
                             widths);
    }
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchTable::printLoad("before");
    cSimBus bus;
    QString error;
    if (!bus.start(&error)) {
        std::fprintf(stderr, "simulated bus: %s\n", qPrintable(error));
        return 1;
    }
    bus.addModule(moduleAddress, baud, 0);
    QList<row_t> rows;
    for (quint16 count : counts)
        rows.append(row_t{count});
    if (!measureOurs(bus.portPath(), rows)) {
        std::fprintf(stderr, "could not open %s\n", qPrintable(bus.portPath()));
        return 1;
    }
    measureMbpoll(bus.portPath(), rows);
    printTable(rows);
    benchTable::printLoad("after");
    return 0;
}
