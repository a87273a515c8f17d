#include "cHeadlessScan.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cstdio>
#include <cstring>
#include <memory>

#include "cConfigFile.h"
#include "cEndpoint.h"
#include "cGuiModule.h"
#include "cReportKit.h"
#include "cScanEstimate.h"
#include "cScanReport.h"
#include "cTranslations.h"
#include "cUsbLatency.h"
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

bool cHeadlessScan::reportAsked(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], "--report", 8) == 0)
            return true;
    return false;
}

int cHeadlessScan::run(int argc, char *argv[])
{
    if (reportAsked(argc, argv))
        return cGuiModule::run(cGuiModule::reportScan, argc, argv, ReportFailed);
    QCoreApplication app(argc, argv);
    return runIn(app, nullptr);
}

int cHeadlessScan::runWithReport(int &argc, char **argv, cReportKit &kit)
{
    const std::unique_ptr<QCoreApplication> app = kit.application(argc, argv);
    return runIn(*app, &kit);
}

int cHeadlessScan::runIn(QCoreApplication &app, cReportKit *kit)
{
    QCoreApplication::setApplicationName(QStringLiteral("ztModBusUtility"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ZT_VERSION));
    cScanOptions options;
    if (!options.parse(QCoreApplication::arguments())) {
        cScanProgress::complain(options.error());
        return BadArguments;
    }
    for (const QString &note : options.notes())
        cScanProgress::complain(QStringLiteral("stored search settings: ") + note);
    // The report speaks the program's language; the rest stays as scripts expect it.
    if (!options.reportPath().isEmpty())
        cTranslations::install(app);
    cHeadlessScan scan(options, kit);
    return scan.exec();
}

cHeadlessScan::cHeadlessScan(const cScanOptions &options, cReportKit *kit)
    : m_options(options)
    , m_progress(options.firstAddress(), options.lastAddress())
    , m_kit(kit)
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
    if (!prepareConfig())
        return ConfigUnusable;
    if (!openPort())
        return portFailureStatus();
    m_searchedAt = QDateTime::currentDateTime();
    tellExpectations();
    emit startScanSignal(m_options.request());
    const int status = QCoreApplication::exec();
    printFound();
    return writeReport(status);
}

// On standard error, so that the output stays the list of modules.
void cHeadlessScan::tellExpectations()
{
    const scanRequest_t request = m_options.request();
    const settingsUart_t line = m_options.line();
    const cScanEstimate estimate = cScanEstimate::forPort(line.portName, request.baudFlags, request.formatFlags,
                                                          line.replyTimeout, line.echo);
    const int addresses = m_options.lastAddress() - m_options.firstAddress() + 1;
    // In seconds, untranslated: the rest of this output is English too.
    const qint64 seconds = (estimate.rangeMs(addresses) + 999) / 1000;
    if (cEndpoint(line.portName).isNetwork())
        m_progress.say(QStringLiteral("searching %1 addresses on the device server's line: about %2 s where "
                                      "nothing answers")
                           .arg(addresses).arg(seconds));
    else
        m_progress.say(QStringLiteral("searching %1 addresses x %2 baud rates x %3 formats: about %4 s where "
                                      "nothing answers")
                           .arg(addresses).arg(estimate.baudsChosen()).arg(estimate.formatsChosen()).arg(seconds));
    const cUsbLatency latency;
    if (latency.milliseconds(line.portName) > cUsbLatency::highMs)
        m_progress.say(latency.describe(line.portName));
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
    if (!m_found.isEmpty() && configRequested())
        return runConfig();
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
    if (m_signal != 0)
        return;
    if (m_kit && m_kit->isBusy())
        return stopReport(signalNumber);
    if (m_finished)
        return;
    m_signal = signalNumber;
    if (m_config && m_config->isRunning())
        return m_config->stop();
    emit stopScanSignal();
    m_worker->interruptScan();
}

void cHeadlessScan::stopReport(int signalNumber)
{
    m_signal = signalNumber;
    m_kit->stop();
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
    m_progress.say(m_config ? QStringLiteral("interrupted: each module's line above tells what was done")
                            : QStringLiteral("interrupted: the search is incomplete"));
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

// Written whatever the search's end; a failure to write, or a stop while the
// modules are read, changes the status.
int cHeadlessScan::writeReport(int status)
{
    const QString path = m_options.reportPath();
    if (path.isEmpty())
        return status;
    QString error;
    const cServiceReport report = collectReport();
    if (m_signal != 0 && status != SignalBase + m_signal) {
        m_progress.say(QStringLiteral("interrupted: the modules not read yet are reported as found"));
        status = SignalBase + m_signal;
    }
    if (m_kit->write(path, report, &error))
        return status;
    m_progress.say(QStringLiteral("the report %1 cannot be written: %2").arg(path, error));
    return ReportFailed;
}

// Each module found is read once more for its configuration, unless the
// search was interrupted: then what the search found is all there is.
cServiceReport cHeadlessScan::collectReport()
{
    const scanRequest_t request = m_options.request();
    cServiceReport report = cServiceReport::ofSearch(m_found);
    report.madeAt = m_searchedAt;
    report.port = m_options.portName();
    report.line = cServiceReport::searchedLines(request.baudFlags, request.formatFlags);
    if (m_signal != 0 || m_found.isEmpty()) {
        for (const scan_return_t &module : qAsConst(m_found))
            report.modules << cServiceReport::scanned(module);
        return report;
    }
    m_progress.say(QStringLiteral("reading the configuration of %1 module(s) for the report").arg(m_found.size()));
    const QMetaObject::Connection done =
        connect(m_kit, &cReportKit::collected, this, [&report](cServiceReport collected) {
            report = collected;
            QCoreApplication::exit(0);
        });
    m_kit->collect(m_worker, report, m_found, m_options.line());
    if (m_kit->isBusy())
        QCoreApplication::exec();
    disconnect(done);
    return report;
}

// A broken file or an unusable folder is told before anything goes on the bus.
bool cHeadlessScan::prepareConfig()
{
    QString error;
    if (!m_options.configFile().isEmpty() && !cConfigFile::load(m_options.configFile(), &m_configFile, &error)) {
        m_progress.say(QStringLiteral("the configuration file is refused, nothing is written: %1").arg(error));
        return false;
    }
    const QString folder = m_options.configFolder();
    if (!folder.isEmpty() && !QDir().mkpath(folder)) {
        m_progress.say(QStringLiteral("the folder %1 cannot be made").arg(folder));
        return false;
    }
    return true;
}

bool cHeadlessScan::configRequested() const
{
    return !m_options.configFolder().isEmpty() || !m_options.configFile().isEmpty();
}

void cHeadlessScan::runConfig()
{
    QList<configTarget_t> targets;
    for (const scan_return_t &module : qAsConst(m_found)) {
        if (module.moduleType != cModuleConfig::moduleType)
            continue;
        settingsUart_t line = m_options.line();
        line.baudRate = lineTables::baudRates[module.baudIndex % lineTables::baudCount];
        line.parity = lineTables::formats[module.formatIndex % lineTables::formatCount].parity;
        line.stopBits = lineTables::formats[module.formatIndex % lineTables::formatCount].stopBits;
        targets << configTarget_t{quint8(module.address), line, true};
    }
    if (targets.isEmpty()) {
        m_progress.say(QStringLiteral("no VRD-3310 was found to take a configuration"));
        return finish(NothingFound);
    }
    m_config = new cConfigBatchRun(m_worker, this);
    connect(m_config, &cConfigBatchRun::moduleDone, this, &cHeadlessScan::configModuleDone);
    connect(m_config, &cConfigBatchRun::finished, this, &cHeadlessScan::configFinished);
    cConfigApplyPlan::options_t options;
    options.sharedOnly = m_options.sharedOnly();
    options.keepOwn = m_options.keepOwn();
    if (m_options.configFile().isEmpty())
        m_config->saveAll(targets, m_options.configFolder());
    else
        m_config->applyAll(targets, m_configFile, options);
}

void cHeadlessScan::configModuleDone(int, const configModuleResult_t &result)
{
    m_progress.say(QStringLiteral("address %1: %2").arg(result.target.address).arg(result.text));
    if (result.portLost)
        m_configStatus = PortLost;
    else if (!result.ok && m_configStatus == Found)
        m_configStatus = ConfigFailed;
}

void cHeadlessScan::configFinished()
{
    finish(m_configStatus);
}
