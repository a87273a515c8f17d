// vrd3310-sim: simulated VRD-3310 modules on a pseudo-terminal, for trying
// the utility (or any ModBus master) without hardware.

#include <QFileInfo>
#include <QString>
#include <QStringList>
#include <csignal>
#include <cstdio>
#include <pthread.h>
#include <vector>

#include "cSimBus.h"
#include "cSimTcpServer.h"

namespace {

constexpr int exitBadArguments = 2;
constexpr qint32 validBauds[] = {1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};
const char *const formatNames[] = {"8N1", "8N2", "8E1", "8O1"};
constexpr int firstParityFormat = 2; // 8E1, then 8O1

const char usage[] =
    "usage: vrd3310-sim --module ADDR@BAUD:FORMAT[:variant=V][:fault=NAME][:paced]\n"
    "                   [--module ...] [--link PATH] [--echo]\n"
    "                   [--rtu-tcp PORT] [--modbus-tcp PORT] [--ipv6]\n"
    "  ADDR    1 to 247\n"
    "  BAUD    1200 2400 4800 9600 19200 38400 57600 115200\n"
    "  FORMAT  8N1 8N2 8E1 8O1\n"
    "  NAME    none noreply badcrc wrongaddress wrongfunction wrongcount exception\n"
    "          split trailinggarbage latereply slowbytes noise\n"
    "--echo sends every byte the master writes straight back, as an RS-485\n"
    "adapter that hears its own transmitter.\n"
    "  --rtu-tcp PORT     also serve RTU frames over TCP, as a device server would\n"
    "  --modbus-tcp PORT  also serve ModBus TCP, as a gateway would\n"
    "  --ipv6             listen on ::1 rather than 127.0.0.1 (never on another address)\n"
    "Over TCP each module is reached at its own line settings. PORT 0 takes a free one.\n"
    "Prints the tty path and each endpoint, then serves until SIGINT or SIGTERM.\n"
    "For 8E1/8O1 on the tty the master must run with libztptyline.so preloaded.\n";

struct moduleArg_t
{
    quint8 address = 0;
    qint32 baud = 0;
    int formatIndex = 0;
    quint16 variant = 1;
    simFault fault = simFault::None;
    bool paced = false;
};

struct options_t
{
    std::vector<moduleArg_t> modules;
    QString link;
    bool echo = false;
    int rtuTcpPort = -1; // -1: not served
    int modbusTcpPort = -1;
    bool ipv6 = false;
};

bool parseNumber(const QString &text, uint lowest, uint highest, uint *value)
{
    bool ok = false;
    *value = text.toUInt(&ok);
    return ok && *value >= lowest && *value <= highest;
}

bool validBaud(qint32 baud)
{
    for (qint32 valid : validBauds)
        if (valid == baud)
            return true;
    return false;
}

int formatIndexOf(const QString &text)
{
    for (int i = 0; i < simLine_t::formatCount; ++i)
        if (text.compare(QLatin1String(formatNames[i]), Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

bool parseOption(const QString &option, moduleArg_t *entry)
{
    if (option == QLatin1String("paced")) {
        entry->paced = true;
        return true;
    }
    uint value = 0;
    if (option.startsWith(QLatin1String("variant=")) && parseNumber(option.mid(8), 0, 0xFFFF, &value)) {
        entry->variant = quint16(value);
        return true;
    }
    return option.startsWith(QLatin1String("fault=")) && simFaultFromName(option.mid(6), &entry->fault);
}

bool parseModule(const QString &text, moduleArg_t *entry, QString *error)
{
    const QStringList head = text.section(QLatin1Char(':'), 0, 0).split(QLatin1Char('@'));
    const QStringList options = text.section(QLatin1Char(':'), 2).split(QLatin1Char(':'), Qt::SkipEmptyParts);
    uint address = 0;
    uint baud = 0;
    if (head.size() != 2 || !parseNumber(head[0], 1, 247, &address)) {
        *error = QStringLiteral("module \"%1\": the address must be 1 to 247").arg(text);
        return false;
    }
    if (!parseNumber(head[1], 1, 115200, &baud) || !validBaud(qint32(baud))) {
        *error = QStringLiteral("module \"%1\": unsupported baud rate").arg(text);
        return false;
    }
    entry->address = quint8(address);
    entry->baud = qint32(baud);
    entry->formatIndex = formatIndexOf(text.section(QLatin1Char(':'), 1, 1));
    if (entry->formatIndex < 0) {
        *error = QStringLiteral("module \"%1\": the format must be 8N1, 8N2, 8E1 or 8O1").arg(text);
        return false;
    }
    for (const QString &option : options) {
        if (!parseOption(option, entry)) {
            *error = QStringLiteral("module \"%1\": bad option \"%2\"").arg(text, option);
            return false;
        }
    }
    return true;
}

bool parseArguments(const QStringList &arguments, options_t *options, QString *error)
{
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (argument == QLatin1String("--module") && hasValue) {
            moduleArg_t entry;
            if (!parseModule(arguments[++i], &entry, error))
                return false;
            options->modules.push_back(entry);
        } else if (argument == QLatin1String("--link") && hasValue) {
            options->link = arguments[++i];
        } else if (argument == QLatin1String("--echo")) {
            options->echo = true;
        } else if ((argument == QLatin1String("--rtu-tcp") || argument == QLatin1String("--modbus-tcp")) && hasValue) {
            uint port = 0;
            if (!parseNumber(arguments[++i], 0, 65535, &port)) {
                *error = QStringLiteral("%1 takes a TCP port, 0 to 65535").arg(argument);
                return false;
            }
            (argument == QLatin1String("--rtu-tcp") ? options->rtuTcpPort : options->modbusTcpPort) = int(port);
        } else if (argument == QLatin1String("--ipv6")) {
            options->ipv6 = true;
        } else {
            *error = QStringLiteral("unexpected argument \"%1\"").arg(argument);
            return false;
        }
    }
    return true;
}

// The kernel drops parity on a pty: a master needs the interposer for these
// formats, else it fails to set them on the port. Says where it is.
void tellInterposer(const options_t &options)
{
    for (const moduleArg_t &entry : options.modules) {
        if (entry.formatIndex >= firstParityFormat) {
            const QString library = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath()
                + QStringLiteral("/libztptyline.so");
            std::fprintf(stderr, "vrd3310-sim: a master using 8E1 or 8O1 here needs LD_PRELOAD=%s\n",
                         qPrintable(library));
            return;
        }
    }
}

void populate(cSimBus &bus, const options_t &options)
{
    for (const moduleArg_t &entry : options.modules) {
        cSimModule *module = bus.addModule(entry.address, entry.baud, entry.formatIndex, entry.variant);
        module->setFault(entry.fault);
        module->setPaced(entry.paced);
    }
}

bool serveTcp(cSimTcpServer &server, cSimTcpServer::mode_t mode, int port, bool ipv6)
{
    if (port < 0)
        return true;
    QString error;
    if (!server.start(mode, ipv6, quint16(port), &error)) {
        std::fprintf(stderr, "vrd3310-sim: %s\n", qPrintable(error));
        return false;
    }
    std::printf("%s\n", qPrintable(server.endpoint()));
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (arguments.contains(QLatin1String("--help")) || arguments.contains(QLatin1String("-h"))) {
        std::fputs(usage, stdout);
        return 0;
    }
    options_t options;
    QString error;
    if (!parseArguments(arguments, &options, &error)) {
        std::fprintf(stderr, "vrd3310-sim: %s\n%s", qPrintable(error), usage);
        return exitBadArguments;
    }

    // Blocked before the bus thread exists, so only sigwait below sees them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    cSimBus bus;
    populate(bus, options);
    bus.setEcho(options.echo);
    if (!bus.start(&error)) {
        std::fprintf(stderr, "vrd3310-sim: %s\n", qPrintable(error));
        return 1;
    }
    if (!options.link.isEmpty() && !bus.makeLink(options.link)) {
        std::fprintf(stderr, "vrd3310-sim: cannot create the link %s\n", qPrintable(options.link));
        return 1;
    }
    std::printf("%s\n", qPrintable(bus.portPath()));
    cSimTcpServer rtuTcp(bus);
    cSimTcpServer modbusTcp(bus);
    if (!serveTcp(rtuTcp, cSimTcpServer::RtuOverTcp, options.rtuTcpPort, options.ipv6)
        || !serveTcp(modbusTcp, cSimTcpServer::ModbusTcp, options.modbusTcpPort, options.ipv6))
        return 1;
    std::fflush(stdout);
    tellInterposer(options);

    int received = 0;
    sigwait(&stopSignals, &received);
    rtuTcp.stop();
    modbusTcp.stop();
    bus.stop();
    return 0;
}
