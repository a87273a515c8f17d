#include "cScanOptions.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <algorithm>

#include "cEchoFilter.h"
#include "cEndpoint.h"
#include "cPortLock.h"
#include "cReportFormat.h"
#include "cSrchSettingsStore.h"

namespace {

constexpr int lowestAddress = 1;
constexpr int highestAddress = 247;
constexpr int shortestTimeout = srchSettings_t::shortestTimeOut;
constexpr int longestTimeout = srchSettings_t::longestTimeOut;
constexpr int defaultTimeout = srchSettings_t::defaultTimeOut;
const char *const defaultBaud = "9600";
const char *const defaultFormat = "8N1";
// Options that mean nothing to the window.
const char *const scanOnlyOptions[] = {"port", "from", "to", "baud", "format", "timeout", "echo", "csv",
                                       "json", "use-settings", "save-config", "apply-config", "shared-only",
                                       "overwrite-own", "report"};

const char *const description =
    "Searches a ModBus RTU bus for VRD-33xx modules without a window and prints\n"
    "every answering module (address, device, variant, baud, format, description)\n"
    "on standard output; progress goes to standard error. Without --scan the\n"
    "program opens its window, and the search's options are refused.\n"
    "\n"
    "With --save-config or --apply-config the program then saves the configuration\n"
    "of every VRD-3310 found, or applies a configuration file to each (only what\n"
    "differs is written, each write is read back; address, line settings and\n"
    "sensor identifiers are kept unless --overwrite-own); results go to standard\n"
    "error.\n"
    "\n"
    "Exit status:\n"
    "  0    modules found (and every configuration saved or applied and checked)\n"
    "  1    nothing found\n"
    "  2    bad arguments\n"
    "  3    the port does not exist\n"
    "  4    the port is busy: another program holds it\n"
    "  5    no permission to use the port\n"
    "  6    the port cannot be opened for another reason; a device server refused\n"
    "       the connection, is unknown, cannot be reached or did not answer in time\n"
    "  7    the port was lost during the search (what was found is printed)\n"
    "  8    a configuration could not be saved or applied on some module\n"
    "  9    the configuration file is refused, or the folder cannot be used\n"
    "  10   the service report (--report) cannot be written (what was found is printed)\n"
    "  130  interrupted by Ctrl-C, 143 by SIGTERM (what was found is printed)";

QString baudList()
{
    QStringList list;
    for (qint32 baud : lineTables::baudRates)
        list << QString::number(baud);
    return list.join(QLatin1Char(','));
}

QString formatList()
{
    QStringList list;
    for (const lineTables::frameFormat_t &format : lineTables::formats)
        list << QLatin1String(format.text);
    return list.join(QLatin1Char(','));
}

// An option with a value; its help names the default.
QCommandLineOption valued(const char *name, const QString &text, const char *valueName,
                          const QString &fallback)
{
    return QCommandLineOption(QLatin1String(name), text + QStringLiteral(" (default %1).").arg(fallback),
                              QLatin1String(valueName), fallback);
}

// With --use-settings an option not given keeps the stored value.
bool keepStored(const QCommandLineParser &parser, const QString &name)
{
    return !parser.isSet(name) && parser.isSet(QStringLiteral("use-settings"));
}

} // namespace

bool cScanOptions::parse(const QStringList &arguments)
{
    QCommandLineParser parser;
    describe(parser);
    const bool parsed = parser.parse(arguments);
    if (parsed && (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all"))))
        parser.showHelp(0);
    if (parsed && parser.isSet(QStringLiteral("version")))
        parser.showVersion();
    const QString misplaced = withoutScan(arguments);
    if (!misplaced.isEmpty())
        return fail(QStringLiteral("%1 belongs to the search without a window: add --scan (see --help)")
                        .arg(misplaced));
    if (!parsed)
        return fail(parser.errorText());
    if (!parser.positionalArguments().isEmpty())
        return fail(QStringLiteral("unexpected argument: %1").arg(parser.positionalArguments().first()));
    if (parser.isSet(QStringLiteral("use-settings")) && !takeStoredSettings())
        return false;
    return readPort(parser) && readRange(parser) && readBauds(parser) && readFormats(parser)
        && readTimeout(parser) && readEcho(parser) && readOutput(parser) && readConfig(parser)
        && linesChosen();
}

QString cScanOptions::withoutScan(const QStringList &arguments)
{
    if (arguments.contains(QLatin1String("--scan")))
        return QString();
    for (const QString &argument : arguments) {
        const QString option = argument.section(QLatin1Char('='), 0, 0);
        for (const char *name : scanOnlyOptions)
            if (option == QLatin1String("--") + QLatin1String(name))
                return option;
    }
    return QString();
}

void cScanOptions::describe(QCommandLineParser &parser) const
{
    parser.setApplicationDescription(QLatin1String(description));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOptions({
        {QStringLiteral("scan"), QStringLiteral("Search the bus without a window.")},
        {QStringLiteral("port"),
         QStringLiteral("Serial port of the bus, e.g. /dev/ttyUSB0 or COM3, or a device server on "
                        "the network: rtu+tcp://HOST:PORT (RTU frames over TCP) or tcp://HOST:PORT "
                        "(ModBus TCP; the line's baud rate and format are the device server's, "
                        "so only the addresses are searched) (required unless --use-settings)."),
         QStringLiteral("port")},
        valued("from", QStringLiteral("First address to probe, %1 to %2").arg(lowestAddress).arg(highestAddress),
               "address", QString::number(lowestAddress)),
        valued("to", QStringLiteral("Last address to probe, %1 to %2").arg(lowestAddress).arg(highestAddress),
               "address", QString::number(highestAddress)),
        valued("baud", QStringLiteral("Baud rates to try, comma-separated, from %1").arg(baudList()),
               "list", QLatin1String(defaultBaud)),
        valued("format", QStringLiteral("Frame formats to try, comma-separated, from %1").arg(formatList()),
               "list", QLatin1String(defaultFormat)),
        valued("timeout",
               QStringLiteral("Reply time-out of each probe in milliseconds, %1 to %2")
                   .arg(shortestTimeout).arg(longestTimeout),
               "ms", QString::number(defaultTimeout)),
        valued("echo",
               QStringLiteral("Whether the RS-485 adapter echoes what it sends: auto strips a copy of "
                              "the request when one comes back, yes requires it, no strips nothing"),
               "auto|yes|no", cEchoFilter::modeName(echoMode_t::Automatic)),
        {QStringLiteral("csv"),
         QStringLiteral("Print the found modules as CSV with a header line (the default).")},
        {QStringLiteral("json"),
         QStringLiteral("Print the found modules as a JSON array of objects.")},
        {QStringLiteral("report"),
         QStringLiteral("Also write a service report of the search: PDF for a name ending in .pdf, "
                        "HTML for .html."),
         QStringLiteral("file")},
        {QStringLiteral("save-config"),
         QStringLiteral("After the search, save each VRD-3310's configuration into this folder."),
         QStringLiteral("folder")},
        {QStringLiteral("apply-config"),
         QStringLiteral("After the search, apply this configuration file to each VRD-3310 found."),
         QStringLiteral("file")},
        {QStringLiteral("shared-only"),
         QStringLiteral("With --apply-config: a file of another variant (Pt100, Pt1000) writes only the "
                        "parameters both variants have, instead of being refused.")},
        {QStringLiteral("overwrite-own"),
         QStringLiteral("With --apply-config: also write the file's address, line settings and "
                        "sensor identifiers.")},
        {QStringLiteral("use-settings"),
         QStringLiteral("Take the port, baud rates, frame formats, time-out and echo from the "
                        "window's stored search settings; the options above still win. Nothing "
                        "is saved back.")},
    });
}

// The window's search settings; without --use-settings the store is never touched.
// A store never written is not filled with defaults: they would name whatever
// port the system lists first.
bool cScanOptions::takeStoredSettings()
{
    QString file;
    if (!cSrchSettingsStore::storeReadable(&file))
        return fail(QStringLiteral("--use-settings: the stored search settings cannot be read (%1); "
                                   "open the window to repair them, or give --port").arg(file));
    if (!cSrchSettingsStore::hasStoredSrchSettings())
        return fail(QStringLiteral("--use-settings: no search settings are stored yet; save them in "
                                   "the window's search settings, or give --port"));
    srchSettings_t stored;
    m_notes = cSrchSettingsStore::loadSrchSettings(stored);
    m_port = stored.portName;
    std::copy(std::begin(stored.baudFlags), std::end(stored.baudFlags), m_bauds);
    std::copy(std::begin(stored.formatFlags), std::end(stored.formatFlags), m_formats);
    m_timeout = stored.timeOut;
    m_echo = stored.echo;
    return true;
}

bool cScanOptions::readPort(const QCommandLineParser &parser)
{
    if (parser.isSet(QStringLiteral("port")))
        m_port = parser.value(QStringLiteral("port"));
    if (m_port.isEmpty())
        return fail(QStringLiteral("no port given: use --port, e.g. --port /dev/ttyUSB0"));
    const cEndpoint endpoint(m_port);
    if (!endpoint.isValid())
        return fail(QStringLiteral("--port %1: %2").arg(m_port, endpoint.error()));
    if (endpoint.isNetwork())
        return true;
    // A name is looked for under /dev; a relative path the user typed names a
    // file from the working directory.
    if (!QFileInfo::exists(cPortLock::systemLocation(m_port)) && QFileInfo::exists(m_port))
        m_port = QFileInfo(m_port).absoluteFilePath();
    return true;
}

bool cScanOptions::readRange(const QCommandLineParser &parser)
{
    if (!readAddress(parser, QStringLiteral("from"), &m_from)
        || !readAddress(parser, QStringLiteral("to"), &m_to))
        return false;
    if (m_from > m_to)
        return fail(QStringLiteral("--from %1 is above --to %2").arg(m_from).arg(m_to));
    return true;
}

bool cScanOptions::readAddress(const QCommandLineParser &parser, const QString &name, int *address)
{
    bool ok = false;
    *address = parser.value(name).toInt(&ok);
    if (ok && *address >= lowestAddress && *address <= highestAddress)
        return true;
    return fail(QStringLiteral("--%1 must be an address from %2 to %3, not \"%4\"")
                    .arg(name).arg(lowestAddress).arg(highestAddress).arg(parser.value(name)));
}

bool cScanOptions::readBauds(const QCommandLineParser &parser)
{
    const QString name = QStringLiteral("baud");
    if (keepStored(parser, name))
        return true;
    std::fill(std::begin(m_bauds), std::end(m_bauds), false);
    for (const QString &item : parser.value(name).split(QLatin1Char(','))) {
        bool ok = false;
        const int index = lineTables::baudIndexOf(item.trimmed().toInt(&ok));
        if (!ok || index < 0)
            return fail(QStringLiteral("unknown baud rate \"%1\": choose from %2").arg(item, baudList()));
        m_bauds[index] = true;
    }
    return true;
}

bool cScanOptions::readFormats(const QCommandLineParser &parser)
{
    const QString name = QStringLiteral("format");
    if (keepStored(parser, name))
        return true;
    std::fill(std::begin(m_formats), std::end(m_formats), false);
    for (const QString &item : parser.value(name).split(QLatin1Char(','))) {
        const int index = lineTables::formatIndexOf(item.trimmed().toUpper());
        if (index < 0)
            return fail(QStringLiteral("unknown frame format \"%1\": choose from %2").arg(item, formatList()));
        m_formats[index] = true;
    }
    return true;
}

bool cScanOptions::readTimeout(const QCommandLineParser &parser)
{
    const QString name = QStringLiteral("timeout");
    if (keepStored(parser, name))
        return true;
    bool ok = false;
    const int timeout = parser.value(name).toInt(&ok);
    if (!ok || !srchSettings_t::timeOutFits(timeout))
        return fail(QStringLiteral("--timeout must be %1 to %2 milliseconds, not \"%3\"")
                        .arg(shortestTimeout).arg(longestTimeout).arg(parser.value(name)));
    m_timeout = quint16(timeout);
    return true;
}

bool cScanOptions::readEcho(const QCommandLineParser &parser)
{
    const QString name = QStringLiteral("echo");
    if (keepStored(parser, name) || cEchoFilter::modeFromName(parser.value(name), &m_echo))
        return true;
    return fail(QStringLiteral("--echo must be auto, yes or no, not \"%1\"").arg(parser.value(name)));
}

bool cScanOptions::readOutput(const QCommandLineParser &parser)
{
    const bool csv = parser.isSet(QStringLiteral("csv"));
    m_json = parser.isSet(QStringLiteral("json"));
    if (csv && m_json)
        return fail(QStringLiteral("--csv and --json exclude each other"));
    m_report = parser.value(QStringLiteral("report"));
    if (parser.isSet(QStringLiteral("report")) && cReportFormat::of(m_report) == cReportFormat::Unknown)
        return fail(QStringLiteral("--report %1: the name must end in .pdf or .html").arg(m_report));
    return true;
}

bool cScanOptions::readConfig(const QCommandLineParser &parser)
{
    m_configFolder = parser.value(QStringLiteral("save-config"));
    m_configFile = parser.value(QStringLiteral("apply-config"));
    m_sharedOnly = parser.isSet(QStringLiteral("shared-only"));
    m_keepOwn = !parser.isSet(QStringLiteral("overwrite-own"));
    if (parser.isSet(QStringLiteral("save-config")) && parser.isSet(QStringLiteral("apply-config")))
        return fail(QStringLiteral("--save-config and --apply-config exclude each other"));
    if ((m_sharedOnly || !m_keepOwn) && m_configFile.isEmpty())
        return fail(QStringLiteral("--shared-only and --overwrite-own belong to --apply-config"));
    if (parser.isSet(QStringLiteral("save-config")) && m_configFolder.isEmpty())
        return fail(QStringLiteral("--save-config needs a folder"));
    if (parser.isSet(QStringLiteral("apply-config")) && m_configFile.isEmpty())
        return fail(QStringLiteral("--apply-config needs a file"));
    return true;
}

// Stored settings may choose no baud rate or no format: nothing would be probed.
bool cScanOptions::linesChosen()
{
    if (cEndpoint(m_port).isNetwork())
        return true;
    if (!srchSettings_t::anyChosen(m_bauds, lineTables::baudCount))
        return fail(QStringLiteral("no baud rate chosen: use --baud"));
    if (!srchSettings_t::anyChosen(m_formats, lineTables::formatCount))
        return fail(QStringLiteral("no frame format chosen: use --format"));
    return true;
}

bool cScanOptions::fail(const QString &text)
{
    m_error = text;
    return false;
}

settingsUart_t cScanOptions::line() const
{
    settingsUart_t line;
    line.portName = m_port;
    line.replyTimeout = m_timeout;
    line.echo = m_echo;
    return line;
}

scanRequest_t cScanOptions::request() const
{
    scanRequest_t request;
    request.startAddress = quint8(m_from);
    request.endAddress = quint8(m_to);
    std::copy(std::begin(m_bauds), std::end(m_bauds), request.baudFlags);
    std::copy(std::begin(m_formats), std::end(m_formats), request.formatFlags);
    return request;
}
