// Time per request against modules that reply at line speed, next to the
// pure wire time of request and reply and to the bound that adds the line
// silences: the module's 3.5-character turn-around and the quiet our worker
// keeps before every request; the CPU time per request beside mbpoll's. Then
// the cost of the recovery after a failed exchange: the next request waits
// one reply time-out. The modules run in a process of their own, so that
// this process's CPU time is our worker's alone.

#include <QCoreApplication>
#include <cstdio>

#include "benchLine.h"
#include "benchSimProcess.h"
#include "benchSpread.h"
#include "benchTable.h"
#include "benchWorker.h"
#include "mbpollRunner.h"

namespace {

constexpr quint16 startReg = 1582;
constexpr quint16 timeoutMs = 500; // above the slowest reply, 10 registers at 1200
constexpr int requestBytes = 8;
constexpr int runs = 3;
// N per timing: as many as fit this budget, at least a few (1200 baud is slow).
constexpr double budgetMs = 400.0;
constexpr int minRequests = 3;
constexpr quint8 silentAddress = 9; // a module that never answers
constexpr int recoveryRuns = 3;
const quint16 recoveryTimeouts[] = {50, 100};
constexpr double cpuTarget = 2.0;
// Below this many requests per run mbpoll's start-up, which varies by a
// good part of a millisecond, drowns its CPU time per request.
constexpr int cpuRequests = 50;
const QList<int> widths = {7, 10, 5, 7, 7, 21, 18, 9, 21, 16};
const QList<int> cpuWidths = {8, 10, 18, 18, 18, 10};
const QList<int> recoveryWidths = {8, 9, 22, 10, 18, 22, 22, 20};

struct line_t
{
    qint32 baud;
    quint8 address;
    double target; // highest ours/bound
};

const line_t lines[] = {{115200, 1, 1.03}, {9600, 2, 1.01}, {1200, 3, 1.01}};
const line_t recoveryLines[] = {lines[0], lines[1]};
const quint16 counts[] = {1, 10};

struct row_t
{
    line_t line;
    quint16 count = 0;
    int requests = 0;
    double wireMs = 0.0;
    double boundMs = 0.0;
    benchSpread oursMs;
    benchSpread oursCpuUs;
    benchSpread mbpollMs;
    benchSpread mbpollCpuUs;
};

struct recoveryRow_t
{
    line_t line;
    quint16 timeoutMs = 0;
    benchSpread failedMs;
    benchSpread healthyMs; // right after a healthy request
    benchSpread afterMs;   // right after the failed one
    benchSpread heldMs;    // after - exchange
};

int replyBytes(quint16 count)
{
    return 5 + 2 * count;
}

void add(const benchTiming::perRequest_t &share, benchSpread &ms, benchSpread &cpuUs)
{
    ms.add(share.ms);
    cpuUs.add(share.cpuUs);
}

row_t makeRow(const line_t &line, quint16 count)
{
    row_t row;
    row.line = line;
    row.count = count;
    row.wireMs = benchLine::wireMs(line.baud, requestBytes + replyBytes(count));
    row.boundMs = benchLine::exchangeMs(line.baud, requestBytes, replyBytes(count))
        + benchLine::silenceMs(line.baud);
    row.requests = qMax(minRequests, int(budgetMs / row.boundMs));
    return row;
}

// One request per batch: within a batch the worker rests between requests.
bool measureOurs(const QString &port, QList<row_t> &rows)
{
    benchWorker worker;
    for (row_t &row : rows) {
        if (!worker.open(port, row.line.baud, timeoutMs))
            return false;
        const query_info_t query = benchWorker::readQuery(row.line.address, startReg, row.count);
        for (int i = 0; i < runs; ++i)
            add(worker.costPerRequest(query, row.requests), row.oursMs, row.oursCpuUs);
        if (row.oursMs.count() < runs)
            std::fprintf(stderr, "ours, %d baud, %d registers: a request failed\n",
                         int(row.line.baud), row.count);
        worker.close();
    }
    return true;
}

void measureMbpoll(const QString &port, QList<row_t> &rows)
{
    const QString program = mbpollRunner::find();
    if (program.isEmpty()) {
        std::fprintf(stderr, "mbpoll is not installed: its columns stay empty\n");
        return;
    }
    for (row_t &row : rows) {
        const mbpollRunner runner(program, port, row.line.baud, row.line.address);
        std::printf("mbpoll: %s\n  with -a naming the module %d times and once\n",
                    qPrintable(runner.commandLine(startReg, row.count, 1)), row.requests);
        for (int i = 0; i < runs; ++i)
            add(runner.costPerPoll(startReg, row.count, row.requests), row.mbpollMs, row.mbpollCpuUs);
    }
}

QString limit(double target)
{
    return QStringLiteral("<= %1").arg(target, 0, 'g', 3);
}

void printTable(const QList<row_t> &rows)
{
    std::printf("\nfn 3 reads, 8N1, simulated modules replying at line speed; per request = "
                "(T(N) - T(1)) / (N - 1),\nmin/median/max of %d runs; wire = request and reply "
                "only, bound = wire + the two line silences\n", runs);
    benchTable::printRow({"baud", "registers", "N", "wire", "bound", "ours ms", "ours/bound", "target",
                          "mbpoll ms", "mbpoll/bound"}, widths);
    for (const row_t &row : rows) {
        benchTable::printRow({QString::number(row.line.baud), QString::number(row.count),
                              QString::number(row.requests), benchTable::number(row.wireMs, 2),
                              benchTable::number(row.boundMs, 2), row.oursMs.text(3),
                              row.oursMs.over(row.boundMs).text(3), limit(row.line.target),
                              row.mbpollMs.text(3), row.mbpollMs.over(row.boundMs).text(2)},
                             widths);
    }
    std::printf("\nCPU time per request (user + system), us, where N >= %d: ours = this process, "
                "mbpoll = its processes;\nratio: ours over mbpoll's median\n", cpuRequests);
    benchTable::printRow({"baud", "registers", "ours cpu us", "mbpoll cpu us", "ours/mbpoll", "target"},
                         cpuWidths);
    for (const row_t &row : rows) {
        if (row.requests < cpuRequests)
            continue;
        benchTable::printRow({QString::number(row.line.baud), QString::number(row.count),
                              row.oursCpuUs.text(1), row.mbpollCpuUs.text(1),
                              row.oursCpuUs.relativeTo(row.mbpollCpuUs).text(2), limit(cpuTarget)},
                             cpuWidths);
    }
}

// Healthy, failing, healthy again, each posted when the one before has
// ended: the last one waits out the recovery from the failure.
void timeRecovery(benchWorker &worker, recoveryRow_t &row)
{
    const query_info_t healthy = benchWorker::readQuery(row.line.address, startReg, 1);
    const query_info_t silent = benchWorker::readQuery(silentAddress, startReg, 1);
    // Untimed: every timed healthy request then follows another request.
    worker.run(healthy, 1);
    const double exchange = benchLine::exchangeMs(row.line.baud, requestBytes, replyBytes(1));
    for (int i = 0; i < recoveryRuns; ++i) {
        const benchWorker::run_t before = worker.run(healthy, 1);
        const benchWorker::run_t failed = worker.run(silent, 1);
        const benchWorker::run_t after = worker.run(healthy, 1);
        if (before.failed > 0 || failed.failed == 0 || after.failed > 0) {
            std::fprintf(stderr, "recovery, %d baud, %d ms: an exchange ended otherwise than "
                         "planned\n", int(row.line.baud), row.timeoutMs);
            continue;
        }
        row.healthyMs.add(before.ms());
        row.failedMs.add(failed.ms());
        row.afterMs.add(after.ms());
        row.heldMs.add(after.ms() - exchange);
    }
}

bool measureRecovery(const QString &port, QList<recoveryRow_t> &rows)
{
    benchWorker worker;
    for (recoveryRow_t &row : rows) {
        if (!worker.open(port, row.line.baud, row.timeoutMs))
            return false;
        timeRecovery(worker, row);
        worker.close();
    }
    return true;
}

void printRecovery(const QList<recoveryRow_t> &rows)
{
    std::printf("\nfn 3 read of 1 register after one to a module that never answers; ms, "
                "min/median/max of %d;\nheld = after - exchange, how long the request waited after "
                "the failure\n", recoveryRuns);
    benchTable::printRow({"baud", "time-out", "failed", "exchange", "healthy", "after", "held",
                          "held/time-out"}, recoveryWidths);
    for (const recoveryRow_t &row : rows) {
        const double exchange = benchLine::exchangeMs(row.line.baud, requestBytes, replyBytes(1));
        benchTable::printRow({QString::number(row.line.baud), QString::number(row.timeoutMs),
                              row.failedMs.text(2), benchTable::number(exchange, 2), row.healthyMs.text(2),
                              row.afterMs.text(2), row.heldMs.text(2),
                              row.heldMs.over(row.timeoutMs).text(3)},
                             recoveryWidths);
    }
}

QStringList moduleArguments()
{
    QStringList modules;
    for (const line_t &line : lines)
        modules << QStringLiteral("%1@%2:8N1:paced").arg(line.address).arg(line.baud);
    for (const line_t &line : recoveryLines)
        modules << QStringLiteral("%1@%2:8N1:fault=noreply").arg(silentAddress).arg(line.baud);
    return modules;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchTable::printLoad("before");
    benchSimProcess sim(QStringLiteral(ZT_SIM_PROGRAM));
    QString error;
    if (!sim.start(moduleArguments(), &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    QList<row_t> rows;
    for (const line_t &line : lines) {
        for (quint16 count : counts)
            rows.append(makeRow(line, count));
    }
    QList<recoveryRow_t> recoveryRows;
    for (const line_t &line : recoveryLines) {
        for (quint16 timeout : recoveryTimeouts) {
            recoveryRow_t row;
            row.line = line;
            row.timeoutMs = timeout;
            recoveryRows.append(row);
        }
    }
    if (!measureOurs(sim.portPath(), rows) || !measureRecovery(sim.portPath(), recoveryRows)) {
        std::fprintf(stderr, "could not open %s\n", qPrintable(sim.portPath()));
        return 1;
    }
    measureMbpoll(sim.portPath(), rows);
    printTable(rows);
    printRecovery(recoveryRows);
    benchTable::printLoad("after");
    return 0;
}
