#include "benchWorker.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>

#include "benchTiming.h"

namespace {
constexpr int answerMs = 5000;
}

benchWorker::benchWorker()
    : m_worker(new cUart(&m_image))
{
    m_worker->runIn(m_thread);
}

benchWorker::~benchWorker()
{
    cUart::retire(m_worker, m_thread);
}

bool benchWorker::waitFor(const std::function<bool()> &done, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        QThread::msleep(1);
    }
    return true;
}

bool benchWorker::open(const QString &port, qint32 baud, quint16 timeoutMs)
{
    settingsUart_t s;
    s.portName = port;
    s.baudRate = baud;
    s.replyTimeout = timeoutMs;
    const quint32 before = m_worker->openAttempts();
    cUart *w = m_worker;
    post([w, s] { w->Write_Settings_Port(s); });
    post([w] { w->ConnectPort(); });
    waitFor([&] { return m_worker->openAttempts() != before; }, answerMs);
    return m_worker->isPortOpen();
}

void benchWorker::close()
{
    cUart *w = m_worker;
    post([w] { w->DisconnectPort(); });
    waitFor([&] { return !m_worker->isPortOpen(); }, answerMs);
}

benchWorker::run_t benchWorker::run(const query_info_t &query, int requests, int perBatch)
{
    run_t result;
    int left = requests;
    QEventLoop loop;
    QElapsedTimer clock;
    cUart *w = m_worker;
    int posted = 0;
    auto postNext = [&] {
        posted = qMin(left, qMax(perBatch, 1));
        QList<query_info_t> batch;
        for (int i = 0; i < posted; ++i)
            batch << query;
        post([w, batch] { w->readMultiModule(batch); });
    };
    const QMetaObject::Connection link = connect(
        m_worker, &cUart::readModuleEnd_Signal, &loop,
        [&](int end) {
            if (end != MB_OK)
                ++result.failed;
            left -= posted;
            if (left > 0)
                return postNext();
            result.elapsedNs = clock.nsecsElapsed();
            loop.quit();
        },
        Qt::QueuedConnection);
    clock.start();
    postNext();
    loop.exec();
    disconnect(link);
    return result;
}

double benchWorker::msPerRequest(const query_info_t &query, int requests, int repeats)
{
    // Untimed: after it, the first timed request waits the line silence as every other one does.
    if (run(query, 1).failed > 0)
        return -1.0;
    return benchTiming::msPerRequest(
        [&](int count) {
            const run_t timed = run(query, count);
            return timed.failed > 0 ? qint64(-1) : timed.elapsedNs;
        },
        requests, repeats);
}

benchTiming::perRequest_t benchWorker::costPerRequest(const query_info_t &query, int requests, int perBatch)
{
    if (run(query, 1).failed > 0)
        return benchTiming::perRequest_t();
    return benchTiming::perRequest(
        [&](int count) {
            benchTiming::cost_t cost;
            const qint64 cpuBefore = benchTiming::cpuNs();
            const qint64 wakesBefore = benchTiming::wakes();
            const run_t timed = run(query, count, perBatch);
            if (timed.failed == 0)
                cost = {timed.elapsedNs, benchTiming::cpuNs() - cpuBefore, benchTiming::wakes() - wakesBefore};
            return cost;
        },
        requests);
}

query_info_t benchWorker::readQuery(quint16 address, quint16 startReg, quint16 count)
{
    query_info_t q;
    q.function = 3;
    q.address = address;
    q.startReg = startReg;
    q.count = count;
    q.moduleType = cUart::moduleWithImage;
    return q;
}
