// Time per request against modules that reply at line speed, next to the
// pure wire time of request and reply and to the bound that adds the line
// silences: the module's 3.5-character turn-around and the quiet our worker
// keeps before every request. Then the cost of the recovery after a failed
// exchange: the next request waits one reply time-out.

#include <QCoreApplication>
#include <cstdio>

#include "benchLine.h"
#include "benchTable.h"
#include "benchTiming.h"
#include "benchWorker.h"
#include "cSimBus.h"
#include "mbpollRunner.h"

namespace {

constexpr quint16 startReg = 1582;
constexpr quint16 timeoutMs = 500; // above the slowest reply, 10 registers at 1200
constexpr int requestBytes = 8;
constexpr int repeats = 3;
// N per timing: as many as fit this budget, at least a few (1200 baud is slow).
constexpr double budgetMs = 400.0;
constexpr int minRequests = 3;
constexpr quint8 silentAddress = 9; // a module that never answers
constexpr int recoveryRepeats = 3;
const quint16 recoveryTimeouts[] = {50, 100};
const QList<int> widths = {8, 10, 5, 9, 9, 9, 11, 9, 13};
const QList<int> recoveryWidths = {8, 9, 8, 10, 9, 8, 8, 14};

struct line_t
{
    qint32 baud;
    quint8 address;
};

const line_t lines[] = {{115200, 1}, {9600, 2}, {1200, 3}};
const line_t recoveryLines[] = {lines[0], lines[1]};
const quint16 counts[] = {1, 10};

struct row_t
{
    line_t line;
    quint16 count = 0;
    int requests = 0;
    double wireMs = 0.0;
    double boundMs = 0.0;
    double oursMs = -1.0;
    double mbpollMs = -1.0;
};

struct recoveryRow_t
{
    line_t line;
    quint16 timeoutMs = 0;
    double failedMs = -1.0;
    double healthyMs = -1.0; // right after a healthy request
    double afterMs = -1.0;   // right after the failed one
};

int replyBytes(quint16 count)
{
    return 5 + 2 * count;
}

row_t makeRow(const line_t &line, quint16 count)
{
    row_t row{line, count};
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
        row.oursMs = worker.msPerRequest(
            benchWorker::readQuery(row.line.address, startReg, row.count), row.requests, repeats);
        if (row.oursMs < 0)
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
        row.mbpollMs = runner.msPerPoll(startReg, row.count, row.requests, repeats);
    }
}

double ratio(double achieved, double bound)
{
    return achieved > 0 ? achieved / bound : -1.0;
}

void printTable(const QList<row_t> &rows)
{
    std::printf("\nfn 3 reads, 8N1, simulated modules replying at line speed; ms per request = "
                "(T(N) - T(1)) / (N - 1),\nfastest of %d timings each; wire = request and reply "
                "only, bound = wire + the two line silences\n", repeats);
    benchTable::printRow({"baud", "registers", "N", "wire", "bound", "ours", "ours/bound",
                          "mbpoll", "mbpoll/bound"}, widths);
    for (const row_t &row : rows) {
        benchTable::printRow({QString::number(row.line.baud), QString::number(row.count),
                              QString::number(row.requests), benchTable::number(row.wireMs, 2),
                              benchTable::number(row.boundMs, 2), benchTable::number(row.oursMs, 2),
                              benchTable::number(ratio(row.oursMs, row.boundMs), 2),
                              benchTable::number(row.mbpollMs, 2),
                              benchTable::number(ratio(row.mbpollMs, row.boundMs), 2)},
                             widths);
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
    for (int i = 0; i < recoveryRepeats; ++i) {
        const benchWorker::run_t before = worker.run(healthy, 1);
        const benchWorker::run_t failed = worker.run(silent, 1);
        const benchWorker::run_t after = worker.run(healthy, 1);
        if (before.failed > 0 || failed.failed == 0 || after.failed > 0) {
            std::fprintf(stderr, "recovery, %d baud, %d ms: an exchange ended otherwise than "
                         "planned\n", int(row.line.baud), row.timeoutMs);
            continue;
        }
        row.healthyMs = benchTiming::fastest(row.healthyMs, before.ms());
        row.failedMs = benchTiming::fastest(row.failedMs, failed.ms());
        row.afterMs = benchTiming::fastest(row.afterMs, after.ms());
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
                "fastest of %d;\nheld = after - exchange, how long the request waited after "
                "the failure\n", recoveryRepeats);
    benchTable::printRow({"baud", "time-out", "failed", "exchange", "healthy", "after", "held",
                          "held/time-out"}, recoveryWidths);
    for (const recoveryRow_t &row : rows) {
        const double exchange = benchLine::exchangeMs(row.line.baud, requestBytes, replyBytes(1));
        const double held = row.afterMs > 0 ? row.afterMs - exchange : -1.0;
        benchTable::printRow({QString::number(row.line.baud), QString::number(row.timeoutMs),
                              benchTable::number(row.failedMs, 2), benchTable::number(exchange, 2),
                              benchTable::number(row.healthyMs, 2),
                              benchTable::number(row.afterMs, 2), benchTable::number(held, 2),
                              benchTable::number(ratio(held, row.timeoutMs), 3)},
                             recoveryWidths);
    }
}

void addModules(cSimBus &bus)
{
    for (const line_t &line : lines)
        bus.addModule(line.address, line.baud, 0)->setPaced(true);
    for (const line_t &line : recoveryLines)
        bus.addModule(silentAddress, line.baud, 0)->setFault(simFault::NoReply);
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
    addModules(bus);
    QList<row_t> rows;
    for (const line_t &line : lines) {
        for (quint16 count : counts)
            rows.append(makeRow(line, count));
    }
    QList<recoveryRow_t> recoveryRows;
    for (const line_t &line : recoveryLines) {
        for (quint16 timeout : recoveryTimeouts)
            recoveryRows.append(recoveryRow_t{line, timeout});
    }
    if (!measureOurs(bus.portPath(), rows) || !measureRecovery(bus.portPath(), recoveryRows)) {
        std::fprintf(stderr, "could not open %s\n", qPrintable(bus.portPath()));
        return 1;
    }
    measureMbpoll(bus.portPath(), rows);
    printTable(rows);
    printRecovery(recoveryRows);
    benchTable::printLoad("after");
    return 0;
}
