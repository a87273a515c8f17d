// Requests per second, fn 3 reads of 1 and 10 registers, from our worker and
// from mbpoll against the same unpaced simulated module at 115200 8N1.

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
// The fastest of a few short runs: the machine's other load only slows a run down.
constexpr int windowMs = 700;
constexpr int oursRepeats = 3;
constexpr int mbpollPolls = 10000;
constexpr int mbpollRepeats = 3;
const quint16 counts[] = {1, 10};
const QList<int> widths = {10, 14, 14, 14};

struct row_t
{
    quint16 count = 0;
    double ours = -1.0;
    double mbpoll = -1.0;
};

bool measureOurs(const QString &port, QList<row_t> &rows)
{
    benchWorker worker;
    if (!worker.open(port, baud, timeoutMs))
        return false;
    for (row_t &row : rows) {
        const query_info_t query = benchWorker::readQuery(moduleAddress, startReg, row.count);
        for (int i = 0; i < oursRepeats; ++i) {
            const benchWorker::run_t run = worker.run(query, windowMs);
            if (run.failed > 0)
                std::fprintf(stderr, "ours, %d registers: %d requests failed\n", row.count,
                             run.failed);
            row.ours = qMax(row.ours, run.perSecond());
        }
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
    std::printf("mbpoll: %s\n  with -a naming the module %d and %d times, -c 1 and -c 10\n",
                qPrintable(runner.commandLine(startReg, 1, 1)), mbpollPolls, 2 * mbpollPolls);
    for (row_t &row : rows) {
        const double ms = runner.msPerPoll(startReg, row.count, mbpollPolls, mbpollRepeats);
        row.mbpoll = ms > 0 ? 1000.0 / ms : -1.0;
    }
}

void printTable(const QList<row_t> &rows)
{
    std::printf("\nfn 3 reads, %d 8N1, unpaced simulated module\n", int(baud));
    benchTable::printRow({"registers", "ours req/s", "mbpoll req/s", "ours/mbpoll"}, widths);
    for (const row_t &row : rows) {
        const double ratio = row.ours > 0 && row.mbpoll > 0 ? row.ours / row.mbpoll : -1.0;
        benchTable::printRow({QString::number(row.count), benchTable::number(row.ours, 0),
                              benchTable::number(row.mbpoll, 0), benchTable::number(ratio, 2)},
                             widths);
    }
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
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
    return 0;
}
