#include "benchScanner.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

namespace {

constexpr int answerMs = 5000;

// Splits a scan's time into combinations: each starts with its report and
// lasts until the next one starts or the scan ends.
struct comboClock_t
{
    qint64 startNs = -1;
    bool answered = false;
    bool afterAnswer = false;

    void close(qint64 nowNs, benchScanner::run_t &run) const
    {
        if (startNs < 0 || answered || afterAnswer)
            return;
        run.silentNs += nowNs - startNs;
        ++run.silent;
    }
    void start(qint64 nowNs, benchScanner::run_t &run)
    {
        close(nowNs, run);
        afterAnswer = answered;
        startNs = nowNs;
        answered = false;
        ++run.combinations;
    }
};

} // namespace

benchScanner::benchScanner()
    : m_worker(new cUart(&m_image))
{
    m_worker->runIn(m_thread);
    connect(this, &benchScanner::settingsRequested, m_worker, &cUart::Write_Settings_Port);
    connect(this, &benchScanner::connectRequested, m_worker, &cUart::ConnectPort);
    connect(this, &benchScanner::scanRequested, m_worker, &cUart::scanModuleProcedure);
}

benchScanner::~benchScanner()
{
    cUart::retire(m_worker, m_thread);
}

bool benchScanner::open(const QString &port, quint16 timeoutMs)
{
    settingsUart_t s;
    s.portName = port;
    s.replyTimeout = timeoutMs;
    const quint32 before = m_worker->openAttempts();
    emit settingsRequested(s);
    emit connectRequested();
    QElapsedTimer clock;
    clock.start();
    while (m_worker->openAttempts() == before && clock.elapsed() < answerMs)
        QThread::msleep(1);
    return m_worker->isPortOpen();
}

benchScanner::run_t benchScanner::scan(const scanRequest_t &request, int limitMs)
{
    run_t run;
    QEventLoop loop;
    QElapsedTimer clock;
    const int end = request.endAddress;
    comboClock_t combo;
    // Reports arrive queued, stamped when this thread takes them, as the window sees them.
    const QList<QMetaObject::Connection> links = {
        connect(m_worker, &cUart::sendCurrentInformSignal, &loop,
                [&] { combo.start(clock.nsecsElapsed(), run); }),
        connect(m_worker, &cUart::searchModuleOkSignal, &loop, [&] {
            combo.answered = true;
            ++run.found;
        }),
        connect(m_worker, &cUart::sendValueScanProgressSignal, &loop, [&](int address) {
            if (address != end)
                return;
            run.elapsedNs = clock.nsecsElapsed();
            combo.close(run.elapsedNs, run);
            run.ended = true;
            loop.quit();
        }),
        connect(m_worker, &cUart::execAbortSearchSignal, &loop, [&] { loop.quit(); }),
    };
    QTimer::singleShot(limitMs, &loop, &QEventLoop::quit);
    clock.start();
    emit scanRequested(request);
    loop.exec();
    for (const QMetaObject::Connection &link : links)
        disconnect(link);
    return run;
}
