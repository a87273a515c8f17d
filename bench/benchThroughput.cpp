// Time and CPU per request, fn 3 reads of 1 and 10 registers, from our worker
// and from mbpoll against the same unpaced simulated module at 115200 8N1,
// both measured alike: (T(N) - T(1)) / (N - 1). The module runs in a process
// of its own, so that this process's CPU time is our worker's alone.

#include <QCoreApplication>
#include <cstdio>

#include "benchSimProcess.h"
#include "benchSpread.h"
#include "benchTable.h"
#include "benchWorker.h"
#include "mbpollRunner.h"

namespace {

constexpr qint32 baud = 115200;
constexpr quint8 moduleAddress = 1;
constexpr quint16 startReg = 1582;
constexpr quint16 timeoutMs = 500;
constexpr int runs = 5;
// About half a second per timing for each master.
constexpr int oursRequests = 200;
constexpr int mbpollPolls = 10000;
// As the module dialog polls: one hand-over per batch, the 5 ms rest between
// its requests.
constexpr int batchRequests = 100;
constexpr int perBatch = 50;
constexpr double cpuTarget = 2.0;
const quint16 counts[] = {1, 10};
const QList<int> timeWidths = {10, 21, 21, 18, 12, 14};
const QList<int> cpuWidths = {10, 21, 21, 21, 18, 18, 10};
const QList<int> wakeWidths = {10, 18, 18, 18, 14, 17, 16};

struct row_t
{
    quint16 count = 0;
    benchSpread oursMs;
    benchSpread oursCpuUs;
    benchSpread batchedCpuUs;
    benchSpread mbpollMs;
    benchSpread mbpollCpuUs;
    benchSpread oursWakes;
    benchSpread batchedWakes;
    benchSpread mbpollWakes;
};

void add(const benchTiming::perRequest_t &share, benchSpread &ms, benchSpread &cpuUs, benchSpread &wakes)
{
    ms.add(share.ms);
    cpuUs.add(share.cpuUs);
    wakes.add(share.wakes);
}

bool measureOurs(const QString &port, QList<row_t> &rows)
{
    benchWorker worker;
    if (!worker.open(port, baud, timeoutMs))
        return false;
    for (row_t &row : rows) {
        const query_info_t query = benchWorker::readQuery(moduleAddress, startReg, row.count);
        for (int i = 0; i < runs; ++i)
            add(worker.costPerRequest(query, oursRequests), row.oursMs, row.oursCpuUs, row.oursWakes);
        if (row.oursMs.count() < runs)
            std::fprintf(stderr, "ours, %d registers: a request failed\n", row.count);
        for (int i = 0; i < runs; ++i) {
            const benchTiming::perRequest_t batched = worker.costPerRequest(query, batchRequests, perBatch);
            row.batchedCpuUs.add(batched.cpuUs);
            row.batchedWakes.add(batched.wakes);
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
        std::fprintf(stderr, "mbpoll is not installed: its columns stay empty\n");
        return;
    }
    const mbpollRunner runner(program, port, baud, moduleAddress);
    std::printf("mbpoll: %s\n  with -a naming the module %d times and once, -c 1 and -c 10\n",
                qPrintable(runner.commandLine(startReg, 1, 1)), mbpollPolls);
    for (row_t &row : rows) {
        for (int i = 0; i < runs; ++i)
            add(runner.costPerPoll(startReg, row.count, mbpollPolls), row.mbpollMs, row.mbpollCpuUs, row.mbpollWakes);
    }
}

// The medians' quotient: what one wake-up costs, all else included.
QString perWake(const benchSpread &cpuUs, const benchSpread &wakes)
{
    if (cpuUs.isEmpty() || wakes.isEmpty() || wakes.median() <= 0)
        return QStringLiteral("-");
    return QString::number(cpuUs.median() / wakes.median(), 'f', 1);
}

QString perSecond(const benchSpread &ms)
{
    return ms.isEmpty() ? QStringLiteral("-") : QString::number(1000.0 / ms.median(), 'f', 0);
}

void printTable(const QList<row_t> &rows)
{
    std::printf("\nfn 3 reads, %d 8N1, unpaced simulated module in a process of its own; per request "
                "= (T(N) - T(1)) / (N - 1),\nN = %d ours, %d mbpoll; min/median/max of %d runs; "
                "ratios: ours over mbpoll's median\n",
                int(baud), oursRequests, mbpollPolls, runs);
    benchTable::printRow({"registers", "ours ms", "mbpoll ms", "ours/mbpoll", "ours req/s",
                          "mbpoll req/s"}, timeWidths);
    for (const row_t &row : rows) {
        benchTable::printRow({QString::number(row.count), row.oursMs.text(3), row.mbpollMs.text(3),
                              row.oursMs.relativeTo(row.mbpollMs).text(1), perSecond(row.oursMs),
                              perSecond(row.mbpollMs)},
                             timeWidths);
    }
    std::printf("\nCPU time per request (user + system), us: ours = this process, mbpoll = its "
                "processes;\nours batched = batches of %d requests, one hand-over each, as the module "
                "dialog polls (N = %d)\n", perBatch, batchRequests);
    benchTable::printRow({"registers", "ours cpu us", "ours batched cpu us", "mbpoll cpu us", "ours/mbpoll",
                          "batched/mbpoll", "target"},
                         cpuWidths);
    for (const row_t &row : rows) {
        benchTable::printRow({QString::number(row.count), row.oursCpuUs.text(1), row.batchedCpuUs.text(1),
                              row.mbpollCpuUs.text(1), row.oursCpuUs.relativeTo(row.mbpollCpuUs).text(2),
                              row.batchedCpuUs.relativeTo(row.mbpollCpuUs).text(2),
                              QStringLiteral("<= %1").arg(cpuTarget, 0, 'f', 0)},
                             cpuWidths);
    }
    std::printf("\nwake-ups per request (a thread put to sleep and woken, all threads), and CPU us per "
                "wake-up (medians)\n");
    benchTable::printRow({"registers", "ours", "ours batched", "mbpoll", "ours us/wake", "batched us/wake",
                          "mbpoll us/wake"},
                         wakeWidths);
    for (const row_t &row : rows) {
        benchTable::printRow({QString::number(row.count), row.oursWakes.text(2), row.batchedWakes.text(2),
                              row.mbpollWakes.text(2), perWake(row.oursCpuUs, row.oursWakes),
                              perWake(row.batchedCpuUs, row.batchedWakes), perWake(row.mbpollCpuUs, row.mbpollWakes)},
                             wakeWidths);
    }
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchTable::printLoad("before");
    benchSimProcess sim(QStringLiteral(ZT_SIM_PROGRAM));
    QString error;
    if (!sim.start({QStringLiteral("%1@%2:8N1").arg(moduleAddress).arg(baud)}, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    QList<row_t> rows;
    for (quint16 count : counts) {
        row_t row;
        row.count = count;
        rows.append(row);
    }
    if (!measureOurs(sim.portPath(), rows)) {
        std::fprintf(stderr, "could not open %s\n", qPrintable(sim.portPath()));
        return 1;
    }
    measureMbpoll(sim.portPath(), rows);
    printTable(rows);
    benchTable::printLoad("after");
    return 0;
}
