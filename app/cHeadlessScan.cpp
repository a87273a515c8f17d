#include "cHeadlessScan.h"

#include <QCoreApplication>
#include <QFile>
#include <cstdio>
#include <cstring>

#include "cEndpoint.h"
#include "cScanReport.h"
#include "cUart.h"

namespace {

const char *const headlessWords[] = {"--scan", "--help", "-h", "--help-all", "--version", "-v"};

} // namespace

// An option of the search without --scan is a mistake to be told without
// a display, as the window would need one.
bool cHeadlessScan::requested(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        for (const char *word : headlessWords)
            if (std::strcmp(argv[i], word) == 0)
                return true;
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    return !cScanOptions::withoutScan(arguments).isEmpty();
}

int cHeadlessScan::run(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("ztModBusUtility"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ZT_VERSION));
    cScanOptions options;
    if (!options.parse(QCoreApplication::arguments())) {
        cScanProgress::complain(options.error());
        return BadArguments;
    }
    for (const QString &note : options.notes())
        cScanProgress::complain(QStringLiteral("stored search settings: ") + note);
    cHeadlessScan scan(options);
    return scan.exec();
}

cHeadlessScan::cHeadlessScan(const cScanOptions &options)
    : m_options(options)
    , m_progress(options.firstAddress(), options.lastAddress())
{
    m_worker = new cUart(&m_modbus);
    m_worker->runIn(m_thread);
    connectWorker();
}

cHeadlessScan::~cHeadlessScan()
{
    cUart::retire(m_worker, m_thread);
}

void cHeadlessScan::connectWorker()
{
    connect(this, &cHeadlessScan::lineSettingsSignal, m_worker, &cUart::Write_Settings_Port);
    // Nothing else is to be done until the port answers.
    connect(this, &cHeadlessScan::openPortSignal, m_worker, &cUart::ConnectPort,
            Qt::BlockingQueuedConnection);
    connect(this, &cHeadlessScan::startScanSignal, m_worker, &cUart::scanModuleProcedure);
    connect(this, &cHeadlessScan::stopScanSignal, m_worker, &cUart::scanModuleStopProcedure);
    connect(m_worker, &cUart::searchModuleOkSignal, this, &cHeadlessScan::moduleFound);
    connect(m_worker, &cUart::sendValueScanProgressSignal, this, &cHeadlessScan::addressDone);
    connect(m_worker, &cUart::execAbortSearchSignal, this, &cHeadlessScan::scanAborted);
    connect(m_worker, &cUart::scanPortLostSignal, this, &cHeadlessScan::portLost);
    connect(&m_stopSignals, &cStopSignals::received, this, &cHeadlessScan::stopRequested);
}

int cHeadlessScan::exec()
{
    if (!openPort())
        return portFailureStatus();
    m_searchedAt = QDateTime::currentDateTime();
    emit startScanSignal(m_options.request());
    const int status = QCoreApplication::exec();
    printFound();
    return status;
}

bool cHeadlessScan::openPort()
{
    emit lineSettingsSignal(m_options.line());
    emit openPortSignal();
    return m_worker->isPortOpen();
}

int cHeadlessScan::portFailureStatus()
{
    const QString port = m_options.portName();
    switch (m_worker->lastOpenFailure()) {
    case portFailure_t::NotFound:
        m_progress.say(QStringLiteral("the port %1 does not exist").arg(port));
        return PortMissing;
    case portFailure_t::Busy:
        m_progress.say(QStringLiteral("the port %1 is busy: another program holds it").arg(port));
        return PortBusy;
    case portFailure_t::PermissionDenied:
        m_progress.say(QStringLiteral("no permission to use the port %1").arg(port));
        return PortPermission;
    case portFailure_t::Refused:
        m_progress.say(QStringLiteral("the device server %1 refused the connection: nothing listens at that port").arg(port));
        return PortOther;
    case portFailure_t::Unresolved:
        m_progress.say(QStringLiteral("the host of %1 is unknown").arg(port));
        return PortOther;
    case portFailure_t::Unreachable:
        m_progress.say(QStringLiteral("the device server %1 cannot be reached over the network").arg(port));
        return PortOther;
    case portFailure_t::TimedOut:
        m_progress.say(QStringLiteral("the device server %1 did not take the connection within %2 s")
                           .arg(port).arg(cEndpoint::connectTimeoutMs / 1000));
        return PortOther;
    default:
        m_progress.say(QStringLiteral("the port %1 cannot be opened").arg(port));
        return PortOther;
    }
}

void cHeadlessScan::moduleFound(scan_return_t module)
{
    m_found.append(module);
}

// The worker's last progress report carries the end address.
void cHeadlessScan::addressDone(int address)
{
    m_progress.show(address, m_found.size());
    if (address != m_options.lastAddress())
        return;
    if (m_found.isEmpty())
        m_progress.say(QStringLiteral("no module answered at addresses %1 to %2")
                           .arg(m_options.firstAddress()).arg(address));
    finish(m_found.isEmpty() ? NothingFound : Found);
}

// Asked for, or the port went away between the open and the scan.
void cHeadlessScan::scanAborted()
{
    if (m_signal == 0)
        m_progress.say(QStringLiteral("the port %1 was lost: the search is incomplete")
                           .arg(m_options.portName()));
    finish(PortLost);
}

void cHeadlessScan::portLost(int address, QString baud, QString format)
{
    const QString line = baud.isEmpty() ? QStringLiteral("on the device server's line") : baud + QLatin1Char(' ') + format;
    m_progress.say(QStringLiteral("the port %1 was lost at address %2, %3: the search is "
                                  "incomplete, from address %2 on nothing was searched")
                       .arg(m_options.portName(), QString::number(address), line));
    finish(PortLost);
}

void cHeadlessScan::stopRequested(int signalNumber)
{
    if (m_signal != 0 || m_finished)
        return;
    m_signal = signalNumber;
    emit stopScanSignal();
    m_worker->interruptScan();
}

// Only the first end report counts; a stop asked for outweighs how the scan
// happened to end.
void cHeadlessScan::finish(int status)
{
    if (m_finished)
        return;
    m_finished = true;
    m_progress.end();
    if (m_signal == 0)
        return QCoreApplication::exit(status);
    m_progress.say(QStringLiteral("interrupted: the search is incomplete"));
    QCoreApplication::exit(SignalBase + m_signal);
}

void cHeadlessScan::printFound()
{
    QFile out;
    out.open(stdout, QIODevice::WriteOnly);
    const QString port = m_options.portName();
    out.write(m_options.json() ? cScanReport::json(m_found, port, m_searchedAt)
                               : cScanReport::csv(m_found, port, m_searchedAt));
    out.flush();
}
