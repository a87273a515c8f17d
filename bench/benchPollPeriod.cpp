// The module dialog's poll period on each of its views, against one simulated
// module replying at line speed, next to its floor: the 100 ms timer plus the
// batch's wire time and the module's turn-arounds plus the rests between the
// batch's requests. Also
// the CPU time this process spends per second of polling; the simulator runs
// in a process of its own so that it is not counted.

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>

#include "benchSimProcess.h"
#include "benchTable.h"
#include "cBusMonitor.h"
#include "cDlgVrd_3310.h"
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
const QList<int> widths = {8, 26, 6, 9, 9, 8, 9, 9, 7, 10};

struct line_t
{
    qint32 baud;
    quint8 address;
    int windowMs; // several polls of the longest batch
};

const line_t lines[] = {{115200, 1, 2000}, {9600, 2, 3000}};

struct view_t
{
    int tab;
    int subTab; // on the general tab only
};

const view_t views[] = {{0, 0}, {0, 1}, {1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0}, {6, 0}};

struct row_t
{
    qint32 baud = 0;
    QString view;
    int requests = 0;
    double floorMs = 0.0;
    double periodMs = -1.0;
    double batchMs = -1.0; // from handing the batch over to its end report
    double idleMs = -1.0;  // from an end report to the next batch: the timer
    int polls = 0;
    double cpuMsPerS = -1.0;
};

qint64 cpuUs()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto us = [](const timeval &t) { return qint64(t.tv_sec) * 1000000 + t.tv_usec; };
    return us(usage.ru_utime) + us(usage.ru_stime);
}

// What the worker has to wait: per request its wire time, the module's
// 3.5-character turn-around and the reply; between the batch's requests the
// longer of the 5 ms rest and the line silence, both counted from the reply's
// end; the first request's silence passes inside the timer.
double floorMs(const QList<query_info_t> &batch, qint32 baud)
{
    double characters = 0.0;
    for (const query_info_t &q : batch)
        characters += requestBytes + gapCharacters + (2 * q.count + 5);
    const double silenceMs = baud > fixedSilenceAbove ? fixedSilenceMs : gapCharacters * silenceBits * 1000.0 / baud;
    return timerMs + characters * bitsPerChar * 1000.0 / baud
        + std::max<double>(batchRestMs, silenceMs) * (batch.size() - 1);
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

// When each batch went out to the worker and when its end report came back.
struct trace_t
{
    QList<qint64> sends; // ns
    QList<qint64> ends;  // ns
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
    QObject::connect(&window, &mainClass::setRdMultStateModule_Signal, &loop,
                     [&] { t.sends << clock.nsecsElapsed(); });
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

// Mean time from each event in `from` to the first event in `to` after it.
double meanGapMs(const QList<qint64> &from, const QList<qint64> &to)
{
    double sum = 0.0;
    int count = 0;
    for (qint64 start : from) {
        const auto next = std::upper_bound(to.begin(), to.end(), start);
        if (next == to.end())
            continue;
        sum += double(*next - start) / 1e6;
        ++count;
    }
    return count > 0 ? sum / count : -1.0;
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

void measureView(mainClass &window, const line_t &line, row_t &row)
{
    trace(window, settlePolls, 0);
    const qint64 cpuBefore = cpuUs();
    QElapsedTimer clock;
    clock.start();
    const trace_t t = trace(window, 0, line.windowMs);
    const qint64 elapsedNs = clock.nsecsElapsed();
    row.cpuMsPerS = double(cpuUs() - cpuBefore) / 1000.0 / (double(elapsedNs) / 1e9);
    row.polls = t.ends.size();
    if (t.failed > 0)
        std::fprintf(stderr, "%d baud, %s: %d polls failed\n", int(line.baud),
                     qPrintable(row.view), t.failed);
    if (t.ends.size() > 1)
        row.periodMs = double(t.ends.last() - t.ends.first()) / 1e6 / (t.ends.size() - 1);
    row.batchMs = meanGapMs(t.sends, t.ends);
    row.idleMs = meanGapMs(t.ends, t.sends);
}

// The largest view again, with a traffic monitor open beside the dialog: it
// must not slow the polling down.
void measureWithMonitor(mainClass &window, cDlgVrd_3310 &dialog, const line_t &line, QList<row_t> &rows)
{
    const view_t &view = views[std::size(views) - 1];
    select(dialog, view);
    cBusMonitor monitor(window.worker(), &dialog);
    monitor.show();
    row_t row;
    row.baud = line.baud;
    row.view = viewName(dialog, view) + QStringLiteral(" +monitor");
    const QList<query_info_t> batch = dialog.pollBatch();
    row.requests = batch.size();
    row.floorMs = floorMs(batch, line.baud);
    measureView(window, line, row);
    rows << row;
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
        row.floorMs = floorMs(batch, line.baud);
        if (!moduleHolds(batch)) {
            std::fprintf(stderr, "%s: registers beyond the module's image, skipped\n",
                         qPrintable(row.view));
            continue;
        }
        measureView(window, line, row);
        rows << row;
    }
    measureWithMonitor(window, dialog, line, rows);
}

double ratio(double achieved, double bound)
{
    return achieved > 0 ? achieved / bound : -1.0;
}

void printTable(const QList<row_t> &rows)
{
    std::printf("\nmodule dialog poll period, module paced at line speed, 8N1; "
                "ms, CPU in ms per s\n");
    benchTable::printRow({"baud", "view", "reqs", "floor", "period", "ratio", "batch", "idle",
                          "polls", "cpu ms/s"}, widths);
    for (const row_t &row : rows) {
        benchTable::printRow({QString::number(row.baud), row.view, QString::number(row.requests),
                              benchTable::number(row.floorMs, 1),
                              benchTable::number(row.periodMs, 1),
                              benchTable::number(ratio(row.periodMs, row.floorMs), 3),
                              benchTable::number(row.batchMs, 1), benchTable::number(row.idleMs, 1),
                              QString::number(row.polls), benchTable::number(row.cpuMsPerS, 1)},
                             widths);
    }
}

QStringList moduleArguments()
{
    QStringList modules;
    for (const line_t &line : lines)
        modules << QStringLiteral("%1@%2:8N1:paced").arg(line.address).arg(line.baud);
    return modules;
}

} // namespace

int main(int argc, char **argv)
{
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
    printTable(rows);
    benchTable::printLoad("after");
    return 0;
}
