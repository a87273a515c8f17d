#include "workerHarness.h"

#include <QTest>

#include "lineTables.h"

namespace {
constexpr int answerMs = 10000;
}

workerHarness::workerHarness()
    : m_worker(new cUart(&m_image))
{
    m_worker->runIn(m_thread);
    connectWorker();
    connect(m_worker, &cUart::readModuleEnd_Signal, this, [this](int r) { readEnds << r; },
            Qt::QueuedConnection);
    connect(m_worker, &cUart::writeModuleEnd_Signal, this, [this](int r) { writeEnds << r; },
            Qt::QueuedConnection);
    connect(m_worker, &cUart::error_Signal, this, [this](const QString &m) { messages << m; },
            Qt::QueuedConnection);
    connect(m_worker, &cUart::outPortSignal, this, [this] { ++arrivals; }, Qt::QueuedConnection);
    connect(m_worker, &cUart::sendValueScanProgressSignal, this, [this](int a) {
        progress << a;
        m_scanEnded |= a == m_scanEnd;
    }, Qt::QueuedConnection);
    connect(m_worker, &cUart::execAbortSearchSignal, this, [this](int a) {
        aborts << a;
        m_scanEnded = true;
    }, Qt::QueuedConnection);
    connect(m_worker, &cUart::searchModuleOkSignal, this,
            [this](const scan_return_t &m) { found << m; }, Qt::QueuedConnection);
    connect(m_worker, &cUart::sendCurrentInformSignal, this,
            [this](const QString &, const QString &a, const QString &b, const QString &f) {
                tried << a + QLatin1Char('@') + b + QLatin1Char(':') + f;
            }, Qt::QueuedConnection);
}

// The same kind of connections as the main window makes.
void workerHarness::connectWorker()
{
    connect(this, &workerHarness::settingsRequested, m_worker, &cUart::Write_Settings_Port);
    connect(this, &workerHarness::connectRequested, m_worker, &cUart::ConnectPort);
    connect(this, &workerHarness::reInitRequested, m_worker, &cUart::reInitPort);
    connect(this, &workerHarness::disconnectRequested, m_worker, &cUart::DisconnectPort);
    connect(this, &workerHarness::readRequested, m_worker, &cUart::readMultiModule);
    connect(this, &workerHarness::writeBatchRequested, m_worker, &cUart::writeMultiModule);
    connect(this, &workerHarness::writeOneRequested, m_worker, &cUart::writeModule);
    connect(this, &workerHarness::scanRequested, m_worker, &cUart::scanModuleProcedure);
    connect(this, &workerHarness::pauseRequested, m_worker, &cUart::scanModulePauseProcedure);
    connect(this, &workerHarness::continueRequested, m_worker, &cUart::scanModuleContinueProcedure);
    connect(this, &workerHarness::stopRequested, m_worker, &cUart::scanModuleStopProcedure);
    connect(this, &workerHarness::endAddressRequested, m_worker, &cUart::setScanEndAddress);
}

bool workerHarness::waitUntil(const std::function<bool()> &done, int timeoutMs)
{
    for (int waited = 0; !done(); waited += 2) {
        if (waited > timeoutMs)
            return false;
        QTest::qWait(2);
    }
    return true;
}

int workerHarness::waitForNext(const QList<int> &ends, int before)
{
    if (!waitUntil([&] { return ends.size() > before; }, answerMs))
        return noAnswer;
    return ends.at(before);
}

workerHarness::~workerHarness()
{
    cUart::retire(m_worker, m_thread);
}

settingsUart_t workerHarness::line(const QString &port, qint32 baud, int formatIndex,
                                   quint16 timeout)
{
    settingsUart_t s;
    s.portName = port;
    s.baudRate = baud;
    s.replyTimeout = timeout;
    s.parity = lineTables::formats[formatIndex].parity;
    s.stopBits = lineTables::formats[formatIndex].stopBits;
    return s;
}

query_info_t workerHarness::query(quint16 function, quint16 address, quint16 reg, quint16 count,
                                  quint16 moduleType)
{
    query_info_t q;
    q.function = function;
    q.address = address;
    q.startReg = reg;
    q.count = count;
    q.moduleType = moduleType;
    return q;
}

bool workerHarness::waitForOpenAttempt(quint32 before)
{
    waitUntil([&] { return m_worker->openAttempts() != before; }, answerMs);
    return m_worker->isPortOpen();
}

bool workerHarness::open(const QString &port, qint32 baud, int formatIndex, quint16 timeout)
{
    settingsUart_t s = line(port, baud, formatIndex, timeout);
    s.echo = echo;
    const quint32 before = m_worker->openAttempts();
    emit settingsRequested(s);
    emit connectRequested();
    return waitForOpenAttempt(before);
}

bool workerHarness::reInit(const QString &port, qint32 baud, int formatIndex, quint16 timeout)
{
    settingsUart_t s = line(port, baud, formatIndex, timeout);
    s.echo = echo;
    const quint32 before = m_worker->openAttempts();
    emit settingsRequested(s);
    emit reInitRequested(s);
    return waitForOpenAttempt(before);
}

bool workerHarness::close()
{
    emit disconnectRequested();
    return waitUntil([&] { return !m_worker->isPortOpen(); }, answerMs);
}

int workerHarness::read(const QList<query_info_t> &batch)
{
    const int before = readEnds.size();
    emit readRequested(batch);
    return waitForNext(readEnds, before);
}

int workerHarness::writeBatch(const QList<query_info_t> &batch)
{
    const int before = writeEnds.size();
    emit writeBatchRequested(batch);
    return waitForNext(writeEnds, before);
}

int workerHarness::writeOne(const query_info_t &query)
{
    const int before = writeEnds.size();
    emit writeOneRequested(query);
    return waitForNext(writeEnds, before);
}

scanRequest_t workerHarness::scanRange(int start, int end, QList<int> bauds, QList<int> formats)
{
    scanRequest_t r;
    r.startAddress = quint8(start);
    r.endAddress = quint8(end);
    for (int b : bauds)
        r.baudFlags[b] = true;
    for (int f : formats)
        r.formatFlags[f] = true;
    return r;
}

bool workerHarness::scan(const scanRequest_t &request, int timeoutMs)
{
    progress.clear();
    aborts.clear();
    found.clear();
    tried.clear();
    m_scanEnd = request.endAddress;
    m_scanEnded = false;
    emit scanRequested(request);
    return waitUntil([this] { return m_scanEnded; }, timeoutMs);
}
