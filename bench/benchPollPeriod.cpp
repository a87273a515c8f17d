// The module dialog's poll period on each of its views, against one simulated
// module replying at line speed, next to its floor: the 100 ms timer plus the
// batch's wire time, the module's turn-arounds and the line silence, plus what
// the 5 ms rests between the batch's requests add. Also the CPU time this
// process spends per second of polling, alone and with a traffic monitor open;
// the simulator runs in a process of its own so that it is not counted.

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>

#include "benchSimProcess.h"
#include "benchSpread.h"
#include "benchTable.h"
#include "benchTiming.h"
#include "cBusMonitor.h"
#include "cDlgVrd_3310.h"
#include "cPortList.h"
#include "cSimModule.h"
#include "cSrchSettingsStore.h"
#include "cUart.h"
#include "mainClass.h"

namespace {

constexpr quint16 timeoutMs = 300;
constexpr quint16 model = 3310;
constexpr quint8 variant = 1;
constexpr int timerMs = 100;
constexpr int batchRestMs = 5;
constexpr int requestBytes = 8;
constexpr double gapCharacters = 3.5;
constexpr int bitsPerChar = 10; // 8N1
constexpr int silenceBits = 11;  // the worker counts its silence in 11-bit characters
constexpr qint32 fixedSilenceAbove = 19200;
constexpr double fixedSilenceMs = 1.75;
constexpr int settlePolls = 2;  // the answer in flight at a switch and the one dropped after it
constexpr int answerMs = 5000;

struct line_t
{
    qint32 baud;
    quint8 address;
    int windowMs; // several polls of the longest batch
};

const line_t lines[] = {{115200, 1, 1200}, {9600, 2, 2000}};

struct view_t
{
    int tab;
    int subTab; // on the general tab only
};

const view_t views[] = {{0, 0}, {0, 1}, {1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0}, {6, 0}};

constexpr int runs = 3;
constexpr double dialogLimitMsPerS = 10.0;  // 1 % of a core
constexpr double monitorLimitMsPerS = 5.0;  // 0.5 % of a core on top
const QList<int> timingWidths = {7, 26, 5, 8, 7, 8, 18, 18, 19};
const QList<int> cpuWidths = {7, 26, 16, 16, 16, 8, 17, 17, 8};

// One window of polling on one view.
struct sample_t
{
    double periodMs = -1.0;
    double cpuMsPerS = -1.0;
    double guiMsPerS = -1.0; // the GUI thread's share
};

struct row_t
{
    qint32 baud = 0;
    QString view;
    int requests = 0;
    double lineFloorMs = 0.0;
    double restsMs = 0.0;
    benchSpread period;
    benchSpread cpu;
    benchSpread gui;
    benchSpread withMonitor;
    benchSpread monitorExtra; // with the monitor minus without, run by run

    double floorMs() const { return lineFloorMs + restsMs; }
};

double silenceMs(qint32 baud)
{
    return baud > fixedSilenceAbove ? fixedSilenceMs : gapCharacters * silenceBits * 1000.0 / baud;
}

// What the line alone makes the worker wait: per request its wire time, the
// module's 3.5-character turn-around and the reply; between the batch's
// requests the line silence, counted from the reply's end; the first
// request's silence passes inside the timer.
double lineFloorMs(const QList<query_info_t> &batch, qint32 baud)
{
    double characters = 0.0;
    for (const query_info_t &q : batch)
        characters += requestBytes + gapCharacters + (2 * q.count + 5);
    return timerMs + characters * bitsPerChar * 1000.0 / baud + silenceMs(baud) * (batch.size() - 1);
}

// What the 5 ms rests between a batch's requests add to the line's silence.
double restsMs(const QList<query_info_t> &batch, qint32 baud)
{
    return std::max(0.0, batchRestMs - silenceMs(baud)) * (batch.size() - 1);
}

bool moduleHolds(const QList<query_info_t> &batch)
{
    for (const query_info_t &q : batch)
        if (q.function != 8 && q.startReg + q.count > cSimModule::registerCount)
            return false;
    return true;
}

void storeSettings(const QString &port)
{
    srchSettings_t s;
    s.portName = port;
    s.timeOut = timeoutMs;
    srchSettings_t ignored;
    cSrchSettingsStore::loadSrchSettings(ignored); // writes the marker on a fresh store
    cSrchSettingsStore::saveSrchSettings(s);
}

// As opening a found module does: the window re-opens the port at the module's line.
bool reopenAt(mainClass &window, qint32 baud)
{
    settingsUart_t s;
    s.portName = window.searchSettings().portName;
    s.replyTimeout = window.searchSettings().timeOut;
    s.baudRate = baud;
    cUart *worker = window.worker();
    const quint32 before = worker->openAttempts();
    emit window.reInitPortSignal(s);
    QElapsedTimer clock;
    clock.start();
    while (worker->openAttempts() == before && clock.elapsed() < answerMs)
        QThread::msleep(1);
    return worker->isPortOpen();
}

// When each batch's end report came back.
struct trace_t
{
    QList<qint64> ends; // ns
    int failed = 0;
};

// Runs the event loop until `polls` more batches have ended, or for windowMs
// when polls is 0.
trace_t trace(mainClass &window, int polls, int windowMs)
{
    trace_t t;
    QEventLoop loop;
    QElapsedTimer clock;
    clock.start();
    QObject::connect(window.worker(), &cUart::readModuleEnd_Signal, &loop, [&](int result) {
        t.ends << clock.nsecsElapsed();
        t.failed += result != MB_OK;
        if (polls > 0 && t.ends.size() >= polls)
            loop.quit();
    });
    QTimer::singleShot(polls > 0 ? answerMs : windowMs, &loop, &QEventLoop::quit);
    loop.exec();
    return t;
}

void select(cDlgVrd_3310 &dialog, const view_t &view)
{
    dialog.ui.tabMain_3110->setCurrentIndex(view.tab);
    if (view.tab == 0)
        dialog.ui.tabGeneral_3110->setCurrentIndex(view.subTab);
}

QString viewName(const cDlgVrd_3310 &dialog, const view_t &view)
{
    if (view.tab == 0)
        return dialog.ui.tabGeneral_3110->tabText(view.subTab);
    return dialog.ui.tabMain_3110->tabText(view.tab);
}

sample_t measureWindow(mainClass &window, const line_t &line, const QString &what)
{
    trace(window, settlePolls, 0);
    const qint64 cpuBefore = benchTiming::cpuNs();
    const qint64 guiBefore = benchTiming::threadCpuNs();
    QElapsedTimer clock;
    clock.start();
    const trace_t t = trace(window, 0, line.windowMs);
    const double seconds = double(clock.nsecsElapsed()) / 1e9;
    sample_t s;
    s.cpuMsPerS = double(benchTiming::cpuNs() - cpuBefore) / 1e6 / seconds;
    s.guiMsPerS = double(benchTiming::threadCpuNs() - guiBefore) / 1e6 / seconds;
    if (t.failed > 0)
        std::fprintf(stderr, "%d baud, %s: %d polls failed\n", int(line.baud), qPrintable(what), t.failed);
    if (t.ends.size() > 1)
        s.periodMs = double(t.ends.last() - t.ends.first()) / 1e6 / (t.ends.size() - 1);
    return s;
}

// One run of a view: alone, then with a traffic monitor open beside the
// dialog, so that the monitor's cost is a difference within one run.
void measureRun(mainClass &window, cDlgVrd_3310 &dialog, const line_t &line, row_t &row)
{
    const sample_t alone = measureWindow(window, line, row.view);
    row.period.add(alone.periodMs);
    row.cpu.add(alone.cpuMsPerS);
    row.gui.add(alone.guiMsPerS);
    cBusMonitor monitor(window.worker(), &dialog);
    monitor.show();
    const sample_t watched = measureWindow(window, line, row.view + QStringLiteral(" +monitor"));
    row.withMonitor.add(watched.cpuMsPerS);
    row.monitorExtra.add(watched.cpuMsPerS - alone.cpuMsPerS);
}

void measureLine(mainClass &window, const line_t &line, QList<row_t> &rows)
{
    if (!reopenAt(window, line.baud)) {
        std::fprintf(stderr, "could not re-open the port at %d baud\n", int(line.baud));
        return;
    }
    cDlgVrd_3310 dialog(variant, &window, &window);
    dialog.setModuleInfo(line.address, model);
    dialog.show();
    for (const view_t &view : views) {
        select(dialog, view);
        row_t row;
        row.baud = line.baud;
        row.view = viewName(dialog, view);
        const QList<query_info_t> batch = dialog.pollBatch();
        row.requests = batch.size();
        row.lineFloorMs = lineFloorMs(batch, line.baud);
        row.restsMs = restsMs(batch, line.baud);
        if (!moduleHolds(batch)) {
            std::fprintf(stderr, "%s: registers beyond the module's image, skipped\n",
                         qPrintable(row.view));
            continue;
        }
        for (int run = 0; run < runs; ++run)
            measureRun(window, dialog, line, row);
        rows << row;
    }
}

// Each figure min/median/max of the runs.
benchSpread excessOf(const row_t &row)
{
    benchSpread excess;
    for (double period : {row.period.min(), row.period.median(), row.period.max()})
        excess.add(period - row.floorMs());
    return excess;
}

void printTiming(const QList<row_t> &rows)
{
    std::printf("\nmodule dialog poll period, module paced at line speed, 8N1; ms, min/median/max of %d runs\n",
                runs);
    benchTable::printRow({"baud", "view", "reqs", "line", "rests", "floor", "period", "excess", "period/floor"},
                         timingWidths);
    for (const row_t &row : rows) {
        benchTable::printRow({QString::number(row.baud), row.view, QString::number(row.requests),
                              benchTable::number(row.lineFloorMs, 1), benchTable::number(row.restsMs, 1),
                              benchTable::number(row.floorMs(), 1), row.period.text(1), excessOf(row).text(1),
                              row.period.over(row.floorMs()).text(3)},
                             timingWidths);
    }
}

void printCpu(const QList<row_t> &rows)
{
    std::printf("\nCPU of this process per second of polling, ms/s, min/median/max of %d runs\n", runs);
    benchTable::printRow({"baud", "view", "dialog", "GUI thread", "dialog/limit", "target",
                          "+monitor", "extra/limit", "target"},
                         cpuWidths);
    for (const row_t &row : rows) {
        benchTable::printRow({QString::number(row.baud), row.view, row.cpu.text(1), row.gui.text(1),
                              row.cpu.over(dialogLimitMsPerS).text(2), QStringLiteral("<= 1"),
                              row.monitorExtra.text(1), row.monitorExtra.over(monitorLimitMsPerS).text(2),
                              QStringLiteral("<= 1")},
                             cpuWidths);
    }
}

QStringList moduleArguments()
{
    QStringList modules;
    for (const line_t &line : lines)
        modules << QStringLiteral("%1@%2:8N1:paced").arg(line.address).arg(line.baud);
    return modules;
}

// The offscreen platform says this for every window it shows; it says
// nothing of the figures.
QtMessageHandler shownMessages = nullptr;

void dropWindowHintNotes(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (!text.contains(QLatin1String("propagateSizeHints")))
        shownMessages(type, context, text);
}

} // namespace

int main(int argc, char **argv)
{
    shownMessages = qInstallMessageHandler(dropWindowHintNotes);
    // A fresh store makes the window ask for the system's port list, which
    // walks (and may open) the machine's serial devices.
    cPortList::replace([] { return QStringList(); });
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchTable::printLoad("before");
    QTemporaryDir store;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, store.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, store.path());

    benchSimProcess sim(QStringLiteral(ZT_SIM_PROGRAM));
    QString error;
    if (!sim.start(moduleArguments(), &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    storeSettings(sim.portPath());
    // A failed open would show a modal message box that nobody answers here.
    if (!QFileInfo::exists(sim.portPath())) {
        std::fprintf(stderr, "no tty at %s\n", qPrintable(sim.portPath()));
        return 1;
    }
    QList<row_t> rows;
    {
        mainClass window;
        window.show();
        window.manualOpenPortSlot();
        if (!window.worker()->isPortOpen()) {
            std::fprintf(stderr, "could not open %s\n", qPrintable(sim.portPath()));
            return 1;
        }
        for (const line_t &line : lines)
            measureLine(window, line, rows);
    }
    printTiming(rows);
    printCpu(rows);
    benchTable::printLoad("after");
    return 0;
}
