// Time a module scan spends per probed combination of address, baud rate and
// frame format. Where nothing answers, a combination costs one re-tuning of
// the open port plus one whole reply time-out, which the worker rounds down to
// 10 ms: that time-out share is the bound, and a silent combination should
// stay within 1.005 time-outs. Where a module answers, it costs the re-tuning
// plus two short exchanges at the module's line speed. Each figure is the
// minimum/median/maximum of several scans.

#include <QCoreApplication>
#include <QVector>
#include <cstdio>
#include <functional>

#include "benchLine.h"
#include "benchScanner.h"
#include "benchSpread.h"
#include "benchTable.h"
#include "cSimBus.h"

namespace {

using run_t = benchScanner::run_t;

constexpr int baud115200 = 0; // indices into the shared baud-rate order
constexpr int baud9600 = 4;
constexpr int probeRequestBytes = 8;
constexpr int probeReplyBytes = 7; // fn 4, one register
constexpr int limitMs = 20000;
const quint16 timeouts[] = {50, 100};
constexpr int scansPerFigure = 3;
constexpr double silentLimit = 1.005; // x the time-out
const QList<int> widths = {18, 9, 7, 6, 21, 7, 19, 17, 21, 19, 10};
const QList<int> answerWidths = {18, 8, 9, 7, 6, 21, 7, 19};

struct range_t
{
    const char *name;
    int start;
    int end;
    QList<int> bauds;
    QList<int> formats;
    qint32 baud; // the line the answering modules use; 0 when mixed
};

const QList<int> allFormats = {0, 1, 2, 3};
// Addresses 10 to 19 hold no module; 1 to 3 hold one each, at different lines;
// 20 to 29 and 30 to 39 hold a module each at the one combination ticked.
const range_t mixedRanges[] = {
    {"no module", 10, 19, {baud115200, baud9600}, allFormats, 0},
    {"modules", 1, 4, {baud115200, baud9600}, allFormats, 0},
};
const range_t answeringRanges[] = {
    {"all answer", 20, 29, {baud115200}, {0}, 115200},
    {"all answer", 30, 39, {baud9600}, {0}, 9600},
};

void addModules(cSimBus &bus)
{
    bus.addModule(1, 115200, 0)->setPaced(true);
    bus.addModule(2, 9600, 2)->setPaced(true);
    bus.addModule(3, 115200, 3)->setPaced(true);
    for (int a = 20; a <= 29; ++a)
        bus.addModule(quint8(a), 115200, 0)->setPaced(true);
    for (int a = 30; a <= 39; ++a)
        bus.addModule(quint8(a), 9600, 0)->setPaced(true);
}

scanRequest_t requestFor(const range_t &range)
{
    scanRequest_t r;
    r.startAddress = quint8(range.start);
    r.endAddress = quint8(range.end);
    for (int b : range.bauds)
        r.baudFlags[b] = true;
    for (int f : range.formats)
        r.formatFlags[f] = true;
    return r;
}

// The worker waits whole tens of milliseconds for a reply.
double timeoutBoundMs(quint16 timeoutMs, const run_t &run)
{
    if (run.combinations == 0)
        return -1.0;
    const int silent = run.combinations - run.found;
    return double(timeoutMs / 10 * 10) * silent / run.combinations;
}

// Two probes at 8N1, each with the module's turn-around and each after the
// line silence: the first waits it after the previous combination's answer.
double answerBoundMs(qint32 baud)
{
    return 2 * (benchLine::exchangeMs(baud, probeRequestBytes, probeReplyBytes) + benchLine::silenceMs(baud));
}

double ratio(double achieved, double bound)
{
    return achieved > 0 && bound > 0 ? achieved / bound : -1.0;
}

double excess(double achieved, double bound)
{
    return achieved > 0 && bound >= 0 ? achieved - bound : -1.0;
}

QString label(const range_t &range)
{
    return QStringLiteral("%1 %2-%3")
        .arg(QLatin1String(range.name))
        .arg(range.start)
        .arg(range.end);
}

run_t measure(benchScanner &scanner, const QString &port, const range_t &range, quint16 timeoutMs)
{
    if (!scanner.open(port, timeoutMs))
        return {};
    const run_t run = scanner.scan(requestFor(range), limitMs);
    if (!run.ended)
        std::fprintf(stderr, "%s, %d ms: the scan did not end within %d ms\n",
                     qPrintable(label(range)), timeoutMs, limitMs);
    return run;
}

// The scans behind one row; those that did not end count for no figure.
QVector<run_t> measureRuns(benchScanner &scanner, const QString &port, const range_t &range,
                           quint16 timeoutMs)
{
    QVector<run_t> runs;
    for (int i = 0; i < scansPerFigure; ++i) {
        const run_t run = measure(scanner, port, range, timeoutMs);
        if (run.ended)
            runs << run;
    }
    for (const run_t &run : runs) {
        if (run.found != runs.first().found)
            std::fprintf(stderr, "%s, %d ms: the scans found %d and %d combinations\n",
                         qPrintable(label(range)), timeoutMs, runs.first().found, run.found);
    }
    return runs;
}

benchSpread spreadOf(const QVector<run_t> &runs, const std::function<double(const run_t &)> &figure)
{
    benchSpread spread;
    for (const run_t &run : runs)
        spread.add(figure(run));
    return spread;
}

double perCombination(const run_t &run)
{
    return run.msPerCombination();
}

void printMixed(benchScanner &scanner, const QString &port)
{
    std::printf("\nscan ms per combination, each figure min/median/max of %d scans; bound = the "
                "time-out share of the silent combinations;\nms/silent = per combination where "
                "nothing answered (none right after an answer), x time-out = ms/silent / time-out\n",
                scansPerFigure);
    benchTable::printRow({"range", "time-out", "combos", "found", "ms/combo", "bound", "ratio",
                          "excess", "ms/silent", "x time-out", "target"}, widths);
    for (const range_t &range : mixedRanges) {
        for (quint16 timeoutMs : timeouts) {
            const QVector<run_t> runs = measureRuns(scanner, port, range, timeoutMs);
            const auto bound = [timeoutMs](const run_t &run) { return timeoutBoundMs(timeoutMs, run); };
            const benchSpread ratios = spreadOf(runs, [&](const run_t &run) {
                return ratio(run.msPerCombination(), bound(run));
            });
            const benchSpread excesses = spreadOf(runs, [&](const run_t &run) {
                return excess(run.msPerCombination(), bound(run));
            });
            const benchSpread silent = spreadOf(runs, [](const run_t &run) { return run.msPerSilent(); });
            const run_t first = runs.value(0);
            benchTable::printRow({label(range), QString::number(timeoutMs),
                                  QString::number(first.combinations), QString::number(first.found),
                                  spreadOf(runs, perCombination).text(2),
                                  benchTable::number(bound(first), 2), ratios.text(3), excesses.text(2),
                                  silent.text(2), silent.over(timeoutMs).text(3),
                                  QStringLiteral("<= %1").arg(silentLimit, 0, 'f', 3)},
                                 widths);
        }
    }
}

void printAnswering(benchScanner &scanner, const QString &port)
{
    std::printf("\nanswering combinations only (modules paced at line speed, 8N1), each figure "
                "min/median/max of %d scans; bound = two probe exchanges and their line silences\n",
                scansPerFigure);
    benchTable::printRow({"range", "baud", "time-out", "combos", "found", "ms/combo", "bound",
                          "ratio"}, answerWidths);
    for (const range_t &range : answeringRanges) {
        for (quint16 timeoutMs : timeouts) {
            const QVector<run_t> runs = measureRuns(scanner, port, range, timeoutMs);
            const benchSpread achieved = spreadOf(runs, perCombination);
            const double bound = answerBoundMs(range.baud);
            const run_t first = runs.value(0);
            benchTable::printRow({label(range), QString::number(range.baud),
                                  QString::number(timeoutMs), QString::number(first.combinations),
                                  QString::number(first.found), achieved.text(2),
                                  benchTable::number(bound, 2), achieved.over(bound).text(3)},
                                 answerWidths);
        }
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
    addModules(bus);
    benchScanner scanner;
    if (!scanner.open(bus.portPath(), timeouts[0])) {
        std::fprintf(stderr, "could not open %s\n", qPrintable(bus.portPath()));
        return 1;
    }
    printMixed(scanner, bus.portPath());
    printAnswering(scanner, bus.portPath());
    benchTable::printLoad("after");
    return 0;
}
