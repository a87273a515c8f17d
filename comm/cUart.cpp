#include "cUart.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QMetaMethod>
#include <QScopeGuard>
#include <QThread>
#include <cstring>
#include <memory>

#include "cFrameDecoder.h"
#include "lineTables.h"

namespace {

constexpr qint64 nsPerMs = 1000000;
constexpr qint64 batchGapNs = 5 * nsPerMs;
// Above 19200 baud the silence between frames is a fixed 1.75 ms.
constexpr qint32 fixedSilenceAbove = 19200;
constexpr qint64 fixedSilenceNs = 1750000;
constexpr double silenceCharacters = 3.5;
// RTU times its silences in characters of 11 bits whatever the frame format.
constexpr double silenceCharacterBits = 11;
constexpr int waitStepMs = 10;
// A line that keeps babbling after a failure holds the next request back
// this many reply times at most.
constexpr int recoveryLimit = 4;
constexpr quint16 typeRegister = 1111;
constexpr quint16 variantRegister = 1115;
constexpr int retireWaitMs = 10000;
// A long job (a search) hands its frames over at least this often.
constexpr qint64 framesEveryNs = 100 * nsPerMs;

} // namespace

cUart::cUart(cModBusFunctions *modbus, QObject *parent)
    : QObject(parent)
    , m_modbus(modbus)
    , m_port(cTransport::make(m_endpoint, this))
{
    m_lineClock.start();
    // Everything that crosses to and from the worker travels by value.
    qRegisterMetaType<query_info_t>();
    qRegisterMetaType<QList<query_info_t>>();
    qRegisterMetaType<scan_return_t>();
    qRegisterMetaType<settingsUart_t>();
    qRegisterMetaType<scanRequest_t>();
    qRegisterMetaType<busFrame_t>();
    qRegisterMetaType<QVector<busFrame_t>>();
    qRegisterMetaType<cLinkStats>();
    qRegisterMetaType<busJob_t>();
}

void cUart::runIn(QThread &thread)
{
    moveToThread(&thread);
    connect(&thread, &QThread::started, this, &cUart::process_Port);
    connect(&thread, &QThread::finished, this, &QObject::deleteLater);
    // Made before the thread starts, so that ThreadSanitizer sees everything
    // the retirement reads in the worker thread written before that thread began.
    connect(this, &cUart::retireSignal, this, &cUart::retireInThread, Qt::QueuedConnection);
    thread.start();
}

cUart::~cUart()
{
    emit finished_PortSignal();
    closePort();
}

// The worker's last steps happen in its thread; waiting on an atomic (rather
// than only on the thread's end) lets ThreadSanitizer see that they are over.
void cUart::retire(cUart *worker, QThread &thread)
{
    if (thread.isRunning()) {
        const std::shared_ptr<std::atomic_bool> gone = worker->m_retired;
        emit worker->retireSignal();
        QElapsedTimer clock;
        clock.start();
        while (!gone->load() && clock.elapsed() < retireWaitMs)
            QThread::msleep(1);
    } else if (!thread.isFinished()) {
        delete worker;
    }
    thread.quit();
    thread.wait(retireWaitMs);
}

// Qt lets a slot delete its own receiver.
void cUart::retireInThread()
{
    const std::shared_ptr<std::atomic_bool> gone = m_retired;
    delete this;
    gone->store(true);
}

void cUart::runSerialised(std::function<void()> job)
{
    m_pending.enqueue(std::move(job));
    if (m_busy)
        return;
    m_busy = true;
    while (!m_pending.isEmpty())
        m_pending.dequeue()();
    m_busy = false;
    publishFrames();
}

void cUart::process_Port()
{
    connect(m_port, &cTransport::lost, this, &cUart::linkLost, Qt::UniqueConnection);
    connect(m_port, &cTransport::readyRead, this, &cUart::ReadInPort, Qt::UniqueConnection);
}

void cUart::Write_Settings_Port(settingsUart_t settings)
{
    runSerialised([this, settings] { m_settings = settings; });
}

void cUart::ConnectPort()
{
    runSerialised([this] {
        if (m_port->isOpen()) {
            emit error_Signal(m_settings.portName + QStringLiteral(" >> ") + tr("Already Open!"));
            finishOpenAttempt(portFailure_t::None);
            return;
        }
        openPort(m_settings);
    });
}

void cUart::reInitPort(settingsUart_t settings)
{
    runSerialised([this, settings] {
        closePort();
        openPort(settings);
    });
}

void cUart::DisconnectPort()
{
    runSerialised([this] {
        if (!m_port->isOpen())
            return;
        closePort();
        emit error_Signal(m_settings.portName + QString::fromUtf8(" >> Закрыт!\r"));
    });
}

void cUart::openPort(const settingsUart_t &settings)
{
    replaceTransport(cEndpoint(settings.portName));
    QString message = m_endpoint.error();
    const portFailure_t failure = m_endpoint.isValid() ? m_port->open(settings, &message) : portFailure_t::Other;
    if (failure != portFailure_t::None) {
        closePort();
        finishOpenAttempt(failure);
        emit error_Signal(message);
        return;
    }
    m_lineSuspect = false;
    // A device server does not echo; only a serial adapter may.
    m_echo.setMode(m_port->hasLine() ? settings.echo : echoMode_t::No);
    m_linkStats = cLinkStats();
    emit linkStatsSignal(m_linkStats);
    m_portOpen.store(m_port->isOpen());
    finishOpenAttempt(portFailure_t::None);
    emit error_Signal(m_settings.portName + QStringLiteral(" >> ") + tr("Open!"));
}

// Each open starts on a transport of the endpoint's kind.
void cUart::replaceTransport(const cEndpoint &endpoint)
{
    delete m_port;
    m_endpoint = endpoint;
    m_port = cTransport::make(endpoint, this);
    process_Port();
}

void cUart::closePort()
{
    m_port->close();
    m_portOpen.store(false);
}

void cUart::finishOpenAttempt(portFailure_t failure)
{
    m_lastFailure.store(int(failure));
    m_openAttempts.fetch_add(1);
}

void cUart::linkLost(QString reason)
{
    emit error_Signal(reason);
    closePort();
    emit error_Signal(m_settings.portName + QString::fromUtf8(" >> Закрыт!\r"));
}

void cUart::WriteToPort(QByteArray data)
{
    if (m_port->isOpen())
        m_port->send(reinterpret_cast<const quint8 *>(data.constData()), data.size());
}

void cUart::ReadInPort()
{
    if (!m_port->isOpen())
        return;
    const QByteArray data = m_port->readAll();
    m_echo.feed(data);
    markLineActivity();
    // A reply that runs past its length is complete too: it is checked (and
    // refused as too long) at once instead of waiting out the time-out. An
    // exception reply is complete at its own, shorter length.
    if (m_expected > 0 && m_echo.complete())
        m_replyComplete = true;
    // The text costs more than the signal: made only for a listener.
    if (isSignalConnected(QMetaMethod::fromSignal(&cUart::outPortSignal)))
        emit outPortSignal(QString::fromLatin1(data));
}

void cUart::sendFrame(const quint8 *bytes, int length)
{
    if (!m_port->isOpen())
        return;
    m_port->send(bytes, length);
    // The frame is on the line until its last character has gone out.
    m_lastLineNs = m_lineClock.nsecsElapsed() + length * characterNs();
}

void cUart::reportFrame(bool sent, const QByteArray &bytes, const QString &text, int echoLength)
{
    busFrame_t frame;
    frame.echoLength = echoLength;
    frame.msecsSinceEpoch = QDateTime::currentMSecsSinceEpoch();
    frame.sent = sent;
    frame.address = m_requestAddress;
    frame.bytes = bytes;
    frame.text = text;
    frame.endNs = bytes.isEmpty() ? m_lineClock.nsecsElapsed() : m_lastLineNs;
    frame.startNs = frame.endNs - bytes.size() * characterNs();
    frame.port = m_settings.portName;
    frame.line = lineText();
    if (m_frames.isEmpty())
        m_framesSinceNs = m_lineClock.nsecsElapsed();
    m_frames << frame;
    if (m_lineClock.nsecsElapsed() - m_framesSinceNs >= framesEveryNs)
        publishFrames();
}

void cUart::publishFrames()
{
    if (m_frames.isEmpty())
        return;
    const QVector<busFrame_t> frames = m_frames;
    m_frames.clear();
    emit busFramesSignal(frames);
}

// Made again only when the line changes, not for every frame.
QString cUart::lineText()
{
    const settingsUart_t line = m_port->line();
    const auto key = std::make_tuple(m_port->hasLine(), line.baudRate, int(line.parity), int(line.stopBits));
    if (m_lineText.isNull() || key != m_lineKey) {
        m_lineKey = key;
        m_lineText = (baudText(line) + QLatin1Char(' ') + formatText(line)).trimmed();
    }
    return m_lineText;
}

void cUart::markLineActivity()
{
    m_lastLineNs = qMax(m_lastLineNs, m_lineClock.nsecsElapsed());
}

// The time a character of the port's frame format takes on the line; none
// where the line is the device server's.
qint64 cUart::characterNs() const
{
    if (!m_port->hasLine())
        return 0;
    const settingsUart_t line = m_port->line();
    const int parityBits = line.parity == QSerialPort::NoParity ? 0 : 1;
    const int stopBits = line.stopBits == QSerialPort::TwoStop ? 2 : 1;
    const int bits = 1 + int(line.dataBits) + parityBits + stopBits;
    const qint32 baud = qMax(line.baudRate, 1);
    return qint64(bits) * 1000000000 / baud;
}

// Every frame starts after 3.5 quiet characters on the line, as RTU framing
// requires, and after the given rest.
void cUart::waitLineSilence(qint64 atLeastNs)
{
    if (!m_port->hasLine())
        return;
    const qint32 baud = qMax(m_port->line().baudRate, 1);
    const qint64 silence = baud > fixedSilenceAbove
        ? fixedSilenceNs
        : qint64(silenceCharacters * silenceCharacterBits * 1e9 / baud);
    m_silenceWait.until(m_lineClock, m_lastLineNs + qMax(silence, atLeastNs));
}

// A reply that came too late, or the rest of a refused one, must not be
// taken for the answer to the next request: the line has to stay quiet for
// a whole reply time after the failure, and what arrives meanwhile is dropped.
void cUart::recoverLine(int timeout)
{
    m_lineSuspect = false;
    const qint64 quietNs = qint64(timeout) * nsPerMs;
    const qint64 giveUp = m_lineClock.nsecsElapsed() + recoveryLimit * quietNs;
    m_expected = 0;
    for (;;) {
        const qint64 now = m_lineClock.nsecsElapsed();
        const qint64 left = qMax(m_suspectSinceNs, m_lastLineNs) + quietNs - now;
        if (left <= 0 || now >= giveUp || !m_port->isOpen() || scanInterrupted())
            break;
        m_port->waitForReadyRead(int(qMin<qint64>(left / nsPerMs + 1, waitStepMs)));
    }
    prepareReceive(0);
}

bool cUart::scanInterrupted() const
{
    return m_scanRun.load() == ScanInterrupted;
}

// During a scan it waits in short steps, so that a stop of the scan ends
// the wait at once; otherwise each step would only wake the thread for
// nothing. Each step is taken from one deadline, lest overshoots add up.
int cUart::waitReply(int milliseconds)
{
    const qint64 budgetNs = qint64(milliseconds / waitStepMs) * waitStepMs * nsPerMs;
    const qint64 deadline = m_lineClock.nsecsElapsed() + budgetNs;
    const qint64 stepMs = m_scanRun.load() == NoScan ? budgetNs / nsPerMs : waitStepMs;
    while (!m_replyComplete) {
        const qint64 left = deadline - m_lineClock.nsecsElapsed();
        if (left <= 0 || !m_port->isOpen() || scanInterrupted())
            return MB_ERR_TIMEOUT;
        waitStep(left, stepMs);
    }
    return MB_OK;
}

// The port waits whole milliseconds only: the fraction of one left at the
// end is slept, and what came meanwhile taken in, so the wait ends on time.
void cUart::waitStep(qint64 leftNs, qint64 stepMs)
{
    const qint64 wholeMs = qMin<qint64>(leftNs / nsPerMs, stepMs);
    if (wholeMs > 0) {
        m_port->waitForReadyRead(int(wholeMs));
        return;
    }
    QThread::usleep(quint64((leftNs + 999) / 1000));
    m_port->waitForReadyRead(0);
}

void cUart::prepareReceive(int expectedLength)
{
    if (m_port->isOpen())
        m_port->clearInput();
    std::memset(m_rx, 0, sizeof(m_rx));
    m_received = 0;
    m_expected = expectedLength;
    m_replyComplete = false;
}

int cUart::exchange(const quint8 *frame, int requestLength, int replyLength, int timeout,
                    qint64 restNs)
{
    timeout = m_endpoint.replyTimeout(timeout);
    if (m_lineSuspect)
        recoverLine(timeout);
    waitLineSilence(restNs);
    prepareReceive(replyLength);
    m_echo.start(frame, requestLength, replyLength);
    m_requestSentNs = m_lineClock.nsecsElapsed();
    sendFrame(frame, requestLength);
    m_requestAddress = frame[0];
    if (m_watchers.load() > 0)
        reportFrame(true, QByteArray(reinterpret_cast<const char *>(frame), requestLength),
                    cFrameDecoder::request(frame, requestLength));
    const int result = m_echo.settle(waitReply(timeout + m_echo.allowanceMs(characterNs())));
    m_received = m_echo.copyReply(m_rx, int(sizeof(m_rx)));
    m_expected = 0;
    return result;
}

// After a failed exchange a late reply may still be on its way.
int cUart::noteOutcome(int result)
{
    if (m_watchers.load() > 0) {
        const int length = qMin(m_received, int(sizeof(m_rx)));
        const QByteArray echo = m_echo.echo();
        reportFrame(false, echo + QByteArray(reinterpret_cast<const char *>(m_rx), length),
                    cFrameDecoder::reply(result, m_rx, length), echo.size());
    }
    m_echo.learn(result == MB_OK);
    m_lineSuspect = result != MB_OK;
    if (m_lineSuspect)
        m_suspectSinceNs = m_lineClock.nsecsElapsed();
    return result;
}

// A module transaction that went over the line: its outcome counts.
int cUart::noteTransaction(int result)
{
    m_linkStats.record(result, m_lineClock.nsecsElapsed() - m_requestSentNs);
    return noteOutcome(result);
}

int cUart::execTransaction(const query_info_t &query, int timeout, qint64 restNs)
{
    if (!cModBusFunctions::countFits(query))
        return MB_ERR_COUNT;
    const bool usesImage = query.function != 8;
    if (usesImage && !cModBusFunctions::fitsImage(query.startReg, query.count))
        return MB_ERR_OUT_OF_IMAGE;

    const QVector<quint16> outgoing = query.function == 16
        ? m_modbus->registers(query.startReg, query.count)
        : QVector<quint16>();
    QVector<quint16> incoming;
    const int result = transact(query, outgoing, incoming, timeout, restNs);
    if (result == MB_OK && (query.function == 3 || query.function == 4))
        m_modbus->storeRegisters(query.startReg, incoming.constData(), query.count);
    return result;
}

// One exchange whose write values come with it and whose read values go
// back with it.
int cUart::transact(const query_info_t &query, const QVector<quint16> &outgoing, QVector<quint16> &incoming,
                    int timeout, qint64 restNs)
{
    if (!cModBusFunctions::countFits(query) || (query.function == 16 && outgoing.size() != query.count))
        return MB_ERR_COUNT;
    quint8 frame[cModBusFunctions::frameSize] = {};
    int requestLength = 0;
    int replyLength = 0;
    int result = cModBusFunctions::makeRequestFrame(query, frame, outgoing.constData(),
                                                    requestLength, replyLength);
    if (result != MB_OK)
        return result;

    result = exchange(frame, requestLength, replyLength, timeout, restNs);
    if (result != MB_OK)
        return noteTransaction(result);
    incoming.resize(cModBusFunctions::maxRegisters);
    result = cModBusFunctions::parseModuleReply(query, m_rx, incoming.data(), replyLength, m_received);
    incoming.resize(result == MB_OK ? query.count : 0);
    return noteTransaction(result);
}

int cUart::runBatch(const QList<query_info_t> &batch, int emptyResult)
{
    if (!m_port->isOpen())
        return MB_ERR_PORT_CLOSED;
    const auto publish = qScopeGuard([this] { emit linkStatsSignal(m_linkStats); });
    int result = emptyResult;
    for (int i = 0; i < batch.size(); ++i) {
        if (batch[i].moduleType != moduleWithImage)
            return MB_ERR_MODULE_TYPE;
        result = execTransaction(batch[i], m_settings.replyTimeout, i > 0 ? batchGapNs : 0);
        if (result != MB_OK)
            return result;
    }
    return result;
}

void cUart::readMultiModule(QList<query_info_t> batch)
{
    runSerialised([this, batch] { emit readModuleEnd_Signal(runBatch(batch, MB_OK)); });
}

void cUart::runJob(busJob_t job)
{
    runSerialised([this, job]() mutable {
        job.result = m_port->isOpen() ? MB_OK : MB_ERR_PORT_CLOSED;
        job.values.reserve(job.requests.size());
        while (job.values.size() < job.requests.size())
            job.values << QVector<quint16>();
        for (; job.result == MB_OK && job.done < job.requests.size(); ++job.done) {
            QVector<quint16> incoming;
            job.result = transact(job.requests[job.done], job.values[job.done], incoming,
                                  m_settings.replyTimeout, job.done > 0 ? batchGapNs : 0);
            if (job.result != MB_OK)
                break;
            if (job.requests[job.done].function != 16)
                job.values[job.done] = incoming;
        }
        emit linkStatsSignal(m_linkStats);
        emit jobDone_Signal(job);
    });
}

void cUart::writeMultiModule(QList<query_info_t> batch)
{
    runSerialised([this, batch] {
        m_lastResult = runBatch(batch, m_lastResult);
        emit writeModuleEnd_Signal(m_lastResult);
    });
}

void cUart::writeModule(query_info_t query)
{
    runSerialised([this, query] {
        m_lastResult = runBatch({query}, m_lastResult);
        emit writeModuleEnd_Signal(m_lastResult);
    });
}

void cUart::scanModulePauseProcedure() { m_scanState = ScanPause; }
void cUart::scanModuleContinueProcedure() { m_scanState = ScanRun; }
void cUart::scanModuleStopProcedure() { m_scanState = ScanStop; }
void cUart::setScanEndAddress(int address) { m_scanEnd = address; }

void cUart::scanModuleProcedure(scanRequest_t request)
{
    runSerialised([this, request] { runScan(request); });
}

// Pause, continue, stop and a new end address arrive as queued calls. The
// scan itself runs inside a queued call, where a nested processEvents() does
// not deliver them, so they are fetched explicitly.
void cUart::waitWhilePaused()
{
    QCoreApplication::sendPostedEvents(this);
    while (m_scanState == ScanPause && !scanInterrupted()) {
        QThread::msleep(1);
        QCoreApplication::sendPostedEvents(this);
    }
}

bool cUart::scanStopped()
{
    waitWhilePaused();
    return m_scanState == ScanStop || scanInterrupted();
}

// A module that answers later than the reply time-out is not found at that
// combination; the next one starts with the input dropped, and a late reply
// that still overlaps its probe only makes that probe fail its checks: it is
// never taken for a find.
void cUart::runScan(const scanRequest_t &request)
{
    m_scanRun.store(ScanRunning);
    runScanRange(request);
    m_scanRun.store(NoScan);
}

void cUart::runScanRange(const scanRequest_t &request)
{
    m_scanState = ScanRun;
    m_scanEnd = request.endAddress;
    if (!m_port->isOpen()) {
        // Whoever started the search waits for its end: report it.
        emit execAbortSearchSignal(m_scanEnd);
        return;
    }
    settingsUart_t line = m_settings;
    int lastReported = -1;
    for (int address = request.startAddress; address <= m_scanEnd; ++address) {
        if (!scanAddress(line, address, request))
            return;
        // Stopped after the last address, the range was searched all the same.
        if (scanStopped() && address < m_scanEnd) {
            reportStop(address, line);
            return;
        }
        emit sendValueScanProgressSignal(address);
        lastReported = address;
    }
    // The end address may have been lowered below the address being probed.
    if (lastReported != m_scanEnd)
        emit sendValueScanProgressSignal(m_scanEnd);
}

// Every chosen line at one address; a device server's line is its own, so
// there the address is probed once. False when stopped.
bool cUart::scanAddress(settingsUart_t &line, int address, const scanRequest_t &request)
{
    if (!m_port->hasLine())
        return scanCombination(line, address, 0, 0);
    for (int b = 0; b < lineTables::baudCount; ++b) {
        for (int f = 0; f < lineTables::formatCount; ++f) {
            if (!request.baudFlags[b] || !request.formatFlags[f])
                continue;
            if (!scanCombination(line, address, b, f))
                return false;
        }
    }
    return true;
}

// No baud rate and format to tell where the device server sets them.
QString cUart::baudText(const settingsUart_t &line) const
{
    return m_port->hasLine() ? QString::number(line.baudRate) : QString();
}

QString cUart::formatText(const settingsUart_t &line) const
{
    return m_port->hasLine() ? lineTables::formatText(lineTables::formatIndexOf(line.parity, line.stopBits))
                             : QString();
}

// Tries one baud rate and frame format at one address; false when stopped.
bool cUart::scanCombination(settingsUart_t &line, int address, int baud, int format)
{
    const lineTables::frameFormat_t &fmt = lineTables::formats[format];
    const bool serverLine = !m_port->hasLine();
    if (!serverLine) {
        line.baudRate = lineTables::baudRates[baud];
        line.parity = fmt.parity;
        line.stopBits = fmt.stopBits;
    }
    emit sendCurrentInformSignal(line.portName, QString::number(address), baudText(line), formatText(line));
    retune(line);
    if (!m_port->isOpen()) {
        emit scanPortLostSignal(address, baudText(line), formatText(line));
        return false;
    }
    if (scanStopped()) {
        reportStop(address, line);
        return false;
    }
    scan_return_t found;
    m_lastResult = probe(address, typeRegister, line.replyTimeout, found.moduleType);
    if (m_lastResult == MB_OK)
        m_lastResult = probe(address, variantRegister, line.replyTimeout, found.moduleVariant);
    if (scanInterrupted()) {
        reportStop(address, line);
        return false;
    }
    if (m_lastResult != MB_OK)
        return true;
    found.address = quint16(address);
    found.baudIndex = quint8(baud);
    found.formatIndex = quint8(format);
    found.stopBits = fmt.stopBitCount;
    found.parityCode = fmt.parityCode;
    found.serverLine = serverLine;
    emit searchModuleOkSignal(found);
    return true;
}

void cUart::reportStop(int address, const settingsUart_t &line)
{
    emit scanStoppedSignal(address, baudText(line), formatText(line));
    emit execAbortSearchSignal(m_scanEnd);
}

// Each combination starts on a clean line: its probe drops the input before
// it sends. Re-opening the port for each would cost more than the probe
// itself on some systems (a lock file synced to disk); a port that has gone
// away is found out by the re-open it then needs.
void cUart::retune(const settingsUart_t &line)
{
    if (m_port->isOpen() && m_port->applyLine(line)) {
        m_lineSuspect = false;
        return;
    }
    closePort();
    openPort(line);
}

int cUart::probe(int address, quint16 reg, int timeout, quint16 &value)
{
    const query_info_t query{4, quint16(address), reg, 1, 0, moduleWithImage};
    quint8 frame[cModBusFunctions::frameSize] = {};
    int requestLength = 0;
    int replyLength = 0;
    cModBusFunctions::makeRequestFrame(query, frame, nullptr, requestLength, replyLength);
    const int result = exchange(frame, requestLength, replyLength, timeout, 0);
    if (result != MB_OK)
        return noteOutcome(result);
    return noteOutcome(cModBusFunctions::parseScanReply(query, m_rx, value, replyLength, m_received));
}
