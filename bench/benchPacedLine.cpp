// Time per request against modules that reply at line speed, next to the
// wire-time bound: request and reply at the line's bits per character, plus
// two 3.5-character gaps.

#include <QCoreApplication>
#include <cstdio>

#include "benchTable.h"
#include "benchWorker.h"
#include "cSimBus.h"
#include "mbpollRunner.h"

namespace {

constexpr quint16 startReg = 1582;
constexpr quint16 timeoutMs = 500;
constexpr double gapCharacters = 3.5;
constexpr double mbpollBudgetMs = 400.0; // for the N-poll run; the 2N run takes twice that
constexpr int mbpollRepeats = 1;
const QList<int> widths = {8, 11, 10, 10, 11, 11, 13};

struct line_t
{
    qint32 baud;
    quint8 address;
    int windowMs; // long enough for a few dozen requests at the slowest row
};

const line_t lines[] = {{115200, 1, 1500}, {9600, 2, 2000}};
const quint16 counts[] = {1, 10};

struct row_t
{
    line_t line;
    quint16 count = 0;
    double boundMs = 0.0;
    double oursMs = -1.0;
    double mbpollMs = -1.0;
};

double boundMs(qint32 baud, quint16 count)
{
    const int requestBytes = 8;
    const int replyBytes = 5 + 2 * count;
    const int bitsPerChar = simLine_t::fromFormat(baud, 0).bitsPerCharacter();
    return (requestBytes + replyBytes + 2 * gapCharacters) * bitsPerChar * 1000.0 / baud;
}

// One request per batch: within a batch the worker rests between requests.
bool measureOurs(const QString &port, QList<row_t> &rows)
{
    benchWorker worker;
    for (row_t &row : rows) {
        if (!worker.open(port, row.line.baud, timeoutMs))
            return false;
        const benchWorker::run_t run = worker.run(
            benchWorker::readQuery(row.line.address, startReg, row.count), row.line.windowMs);
        if (run.failed > 0)
            std::fprintf(stderr, "ours, %d baud, %d registers: %d requests failed\n",
                         int(row.line.baud), row.count, run.failed);
        row.oursMs = run.msPerRequest();
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
        const int polls = qMax(5, int(mbpollBudgetMs / row.boundMs));
        std::printf("mbpoll: %s\n  with -a naming the module %d and %d times\n",
                    qPrintable(runner.commandLine(startReg, row.count, 1)), polls, 2 * polls);
        row.mbpollMs = runner.msPerPoll(startReg, row.count, polls, mbpollRepeats);
    }
}

double ratio(double achieved, double bound)
{
    return achieved > 0 ? achieved / bound : -1.0;
}

void printTable(const QList<row_t> &rows)
{
    std::printf("\nfn 3 reads, 8N1, simulated modules replying at line speed; ms per request\n");
    benchTable::printRow({"baud", "registers", "bound", "ours", "ours/bound", "mbpoll",
                          "mbpoll/bound"}, widths);
    for (const row_t &row : rows) {
        benchTable::printRow({QString::number(row.line.baud), QString::number(row.count),
                              benchTable::number(row.boundMs, 2), benchTable::number(row.oursMs, 2),
                              benchTable::number(ratio(row.oursMs, row.boundMs), 2),
                              benchTable::number(row.mbpollMs, 2),
                              benchTable::number(ratio(row.mbpollMs, row.boundMs), 2)},
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
    QList<row_t> rows;
    for (const line_t &line : lines) {
        bus.addModule(line.address, line.baud, 0)->setPaced(true);
        for (quint16 count : counts)
            rows.append(row_t{line, count, boundMs(line.baud, count)});
    }
    if (!measureOurs(bus.portPath(), rows)) {
        std::fprintf(stderr, "could not open %s\n", qPrintable(bus.portPath()));
        return 1;
    }
    measureMbpoll(bus.portPath(), rows);
    printTable(rows);
    return 0;
}
