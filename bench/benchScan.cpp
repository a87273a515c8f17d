// Time a module scan spends per probed combination of address, baud rate and
// frame format. Where nothing answers, a combination costs one port re-open
// plus one whole reply time-out, which the worker rounds down to 10 ms: that
// time-out share is the bound, and a silent combination should stay within
// 1.05 time-outs. Where a module answers, it costs the re-open plus two short
// exchanges at the module's line speed.

#include <QCoreApplication>
#include <cstdio>

#include "benchLine.h"
#include "benchScanner.h"
#include "benchTable.h"
#include "cSimBus.h"

namespace {

constexpr int baud115200 = 0; // indices into the shared baud-rate order
constexpr int baud9600 = 4;
constexpr int probeRequestBytes = 8;
constexpr int probeReplyBytes = 7; // fn 4, one register
constexpr int limitMs = 20000;
const quint16 timeouts[] = {50, 100};
// The fastest of a few scans: the machine's other load only slows one down.
constexpr int mixedRepeats = 2;
constexpr int answeringRepeats = 3;
const QList<int> widths = {18, 10, 8, 7, 10, 8, 8, 8, 11, 12};
const QList<int> answerWidths = {18, 8, 10, 8, 7, 10, 10, 10};

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
double timeoutBoundMs(quint16 timeoutMs, const benchScanner::run_t &run)
{
    if (run.combinations == 0)
        return -1.0;
    const int silent = run.combinations - run.found;
    return double(timeoutMs / 10 * 10) * silent / run.combinations;
}

// Two probes at 8N1, each with the module's turn-around; the second waits
// the line silence, the first follows the re-open on a quiet line.
double answerBoundMs(qint32 baud)
{
    return 2 * benchLine::exchangeMs(baud, probeRequestBytes, probeReplyBytes)
        + benchLine::silenceMs(baud);
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

benchScanner::run_t measure(benchScanner &scanner, const QString &port, const range_t &range,
                            quint16 timeoutMs)
{
    if (!scanner.open(port, timeoutMs))
        return {};
    const benchScanner::run_t run = scanner.scan(requestFor(range), limitMs);
    if (!run.ended)
        std::fprintf(stderr, "%s, %d ms: the scan did not end within %d ms\n",
                     qPrintable(label(range)), timeoutMs, limitMs);
    return run;
}

benchScanner::run_t fastest(benchScanner &scanner, const QString &port, const range_t &range,
                            quint16 timeoutMs, int repeats)
{
    benchScanner::run_t best = measure(scanner, port, range, timeoutMs);
    for (int i = 1; i < repeats; ++i) {
        const benchScanner::run_t run = measure(scanner, port, range, timeoutMs);
        if (run.ended && (!best.ended || run.elapsedNs < best.elapsedNs))
            best = run;
    }
    return best;
}

void printMixed(benchScanner &scanner, const QString &port)
{
    std::printf("\nscan ms per combination; bound = the time-out share of the silent "
                "combinations;\nms/silent = per combination where nothing answered, "
                "x time-out = ms/silent / time-out\n");
    benchTable::printRow({"range", "time-out", "combos", "found", "ms/combo", "bound", "ratio",
                          "excess", "ms/silent", "x time-out"}, widths);
    for (const range_t &range : mixedRanges) {
        for (quint16 timeoutMs : timeouts) {
            const benchScanner::run_t run = fastest(scanner, port, range, timeoutMs, mixedRepeats);
            const double achieved = run.ended ? run.msPerCombination() : -1.0;
            const double bound = timeoutBoundMs(timeoutMs, run);
            const double silent = run.ended ? run.msPerSilent() : -1.0;
            benchTable::printRow({label(range), QString::number(timeoutMs),
                                  QString::number(run.combinations), QString::number(run.found),
                                  benchTable::number(achieved, 2), benchTable::number(bound, 2),
                                  benchTable::number(ratio(achieved, bound), 3),
                                  benchTable::number(excess(achieved, bound), 2),
                                  benchTable::number(silent, 2),
                                  benchTable::number(ratio(silent, timeoutMs), 3)},
                                 widths);
        }
    }
}

void printAnswering(benchScanner &scanner, const QString &port)
{
    std::printf("\nanswering combinations only (modules paced at line speed, 8N1); "
                "bound = two probe exchanges\n");
    benchTable::printRow({"range", "baud", "time-out", "combos", "found", "ms/combo", "bound",
                          "ratio"}, answerWidths);
    for (const range_t &range : answeringRanges) {
        for (quint16 timeoutMs : timeouts) {
            const benchScanner::run_t run =
                fastest(scanner, port, range, timeoutMs, answeringRepeats);
            const double achieved = run.ended ? run.msPerCombination() : -1.0;
            const double bound = answerBoundMs(range.baud);
            benchTable::printRow({label(range), QString::number(range.baud),
                                  QString::number(timeoutMs), QString::number(run.combinations),
                                  QString::number(run.found), benchTable::number(achieved, 2),
                                  benchTable::number(bound, 2),
                                  benchTable::number(ratio(achieved, bound), 3)},
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
