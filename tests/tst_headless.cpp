#include <QtTest>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSettings>
#include <signal.h>
#include <sys/types.h>
#include <unistd.h>

#include "busEndpoint.h"
#include "cPortList.h"
#include "cPtyDevice.h"
#include "cSimBus.h"
#include "cSrchSettingsStore.h"
#include "headlessProgram.h"

// The program's command-line search, run as a separate process with no
// display against a simulated bus: output, exit statuses and messages.
class tst_headless : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void findsModules_data();
    void findsModules();
    void badArguments_data();
    void badArguments();
    void helpAndVersion_data();
    void helpAndVersion();
    void portFailures_data();
    void portFailures();
    void stopKeepsWhatWasFound_data();
    void stopKeepsWhatWasFound();
    void usesStoredSettingsOnlyWhenAsked_data();
    void usesStoredSettingsOnlyWhenAsked();
    void barOnTerminal();
    void configAfterScan_data();
    void configAfterScan();
    void loadsNoGuiLibrary_data();
    void loadsNoGuiLibrary();

private:
    cSimBus m_bus;
    cSimModule *m_module3 = nullptr;
    cSimModule *m_module7 = nullptr;
    QTemporaryDir m_configs;
    std::unique_ptr<busEndpoint> m_rtuTcp;
    std::unique_ptr<busEndpoint> m_modbusTcp;
    QTemporaryDir m_links;
    QString m_longName; // a link to the bus too long for a lock file named after it
};

namespace {

const QString header = QStringLiteral("address,device,variant,baud,format,description,port,searched");
const QString pt100 = QStringLiteral("8:DI 8:DO 2:AI 5:AO 4:PT100 10:DS18B20");
const QString pt1000 = QStringLiteral("8:DI 8:DO 2:AI 5:AO 4:PT1000 10:DS18B20");
const QStringList module3 = {"3", "VRD-3310", "02", "9600", "8N1", pt100};
const QStringList module7 = {"7", "VRD-3310", "01", "19200", "8E1", pt1000};
const QStringList module9 = {"9", "VRD-3300", "12", "9600", "8O1", ""};

// A scan that lasts long enough for a stop to arrive in its middle: every
// baud rate at each of 247 addresses.
const QStringList longScan = {"--from", "1", "--to", "247", "--timeout", "50", "--baud",
                              "115200,57600,38400,19200,9600,4800,2400,1200"};

QStringList scanArguments(const QString &port, const QStringList &more)
{
    return QStringList{"--scan", "--port", port} + more;
}

QList<QStringList> csvRows(const QStringList &lines)
{
    QList<QStringList> rows;
    for (const QString &line : lines.mid(2)) {
        const QStringList cells = line.split(QLatin1Char(','));
        const bool placed = cells.size() == 8 && !cells[6].isEmpty()
            && QDateTime::fromString(cells[7], Qt::ISODate).isValid();
        rows << cells.mid(0, 6) + (placed ? QStringList() : QStringList{"no port and time"});
    }
    return rows;
}

QList<QStringList> jsonRows(const QByteArray &output)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(output, &error);
    if (error.error != QJsonParseError::NoError || !document.isArray())
        return {{QStringLiteral("not a JSON array: ") + error.errorString()}};
    QList<QStringList> rows;
    for (const QJsonValue &value : document.array()) {
        const QJsonObject object = value.toObject();
        const auto number = [&object](const char *key, int width) {
            const QJsonValue value = object.value(QLatin1String(key));
            return value.isDouble() ? QStringLiteral("%1").arg(value.toInt(), width, 10, QLatin1Char('0'))
                                    : QStringLiteral("%1 not a number").arg(QLatin1String(key));
        };
        QStringList row = {number("address", 0), object.value("device").toString(QStringLiteral("missing")),
                           number("variant", 2), number("baud", 0)};
        for (const char *key : {"format", "description"})
            row << object.value(QLatin1String(key)).toString(QStringLiteral("missing"));
        if (object.size() != 8 || object.value("port").toString().isEmpty())
            row << QStringLiteral("no port or other keys");
        rows << row;
    }
    return rows;
}

QList<QStringList> foundRows(const headlessProgram &program, bool json)
{
    if (json)
        return jsonRows(program.output);
    if (program.outputLines().mid(0, 2) != QStringList({QStringLiteral("sep=,"), header}))
        return {{QStringLiteral("no CSV header")}};
    return csvRows(program.outputLines());
}

QString errorLine(const headlessProgram &program)
{
    return QString::fromLocal8Bit(program.errors).trimmed().split(QLatin1Char('\n')).last();
}

// Refused for want of permission: a pseudo-terminal of ours closed to the
// test's user, or, for root, open to root only and tried by "nobody".
bool closedPort(cPtyDevice &pty, QString *port, QStringList *command)
{
    const bool root = ::geteuid() == 0;
    const QFileDevice::Permissions mode = root ? QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                               : QFileDevice::Permissions();
    QString error;
    if (!pty.open(&error) || !QFile::setPermissions(pty.slavePath(), mode))
        return false;
    *port = pty.slavePath();
    if (root)
        *command = QStringList{"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups", "--"} + *command;
    return true;
}

} // namespace

void tst_headless::initTestCase()
{
    QVERIFY(m_bus.start());
    m_module3 = m_bus.addModule(3, 9600, 0, 2);
    m_module7 = m_bus.addModule(7, 19200, 2, 1);
    m_bus.addModule(9, 9600, 3, 12)->setInputReg(cSimModule::regName, 3300);
    m_longName = m_links.filePath(QString(250, QLatin1Char('l')));
    m_rtuTcp = std::make_unique<busEndpoint>(m_bus, busEndpoint::RtuOverTcp);
    m_modbusTcp = std::make_unique<busEndpoint>(m_bus, busEndpoint::ModbusTcp, true); // at [::1]
    QVERIFY(QFile::link(m_bus.portPath(), m_longName));
    QVERIFY(QFile::link(m_bus.portPath(), m_links.filePath(QStringLiteral("bus"))));
    cPortList::replace([] { return QStringList(); });
}

void tst_headless::findsModules_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("json");
    QTest::addColumn<QList<QStringList>>("found");
    QTest::addColumn<int>("status");
    const QStringList busRange = {"--from", "1", "--to", "10", "--baud", "9600,19200",
                                  "--format", "8n1,8E1,8O1", "--timeout", "50"};
    const QStringList emptyRange = {"--from", "11", "--to", "12", "--timeout", "50"};
    const QList<QStringList> all = {module3, module7, module9};
    QTest::newRow("CSV by default") << busRange << false << all << 0;
    QTest::newRow("CSV") << busRange + QStringList{"--csv"} << false << all << 0;
    QTest::newRow("JSON") << busRange + QStringList{"--json"} << true << all << 0;
    QTest::newRow("port name too long for a lock file") << busRange + QStringList{"--port", m_longName} << false
                                                        << all << 0;
    QTest::newRow("relative path") << busRange + QStringList{"--port", "bus"} << false << all << 0;
    QTest::newRow("echoing adapter") << busRange + QStringList{"--echo", "yes"} << false << all << 0;
    // One pass over the addresses; each module at its own line behind the device server.
    QList<QStringList> behindServer = all;
    for (QStringList &row : behindServer)
        row[3] = row[4] = QStringLiteral("set by the device server");
    QTest::newRow("RTU over TCP") << busRange + QStringList{"--port", m_rtuTcp->port()} << false << behindServer << 0;
    QTest::newRow("ModBus TCP, IPv6") << busRange + QStringList{"--port", m_modbusTcp->port()} << false << behindServer << 0;
    QTest::newRow("CSV, nothing") << emptyRange << false << QList<QStringList>() << 1;
    QTest::newRow("JSON, nothing") << emptyRange + QStringList{"--json"} << true
                                   << QList<QStringList>() << 1;
}

void tst_headless::findsModules()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, json);
    QFETCH(QList<QStringList>, found);
    QFETCH(int, status);
    headlessProgram program(QStringLiteral(ZT_PROGRAM), QStringLiteral(ZT_PTYLINE_PATH));
    program.process.setWorkingDirectory(m_links.path());
    m_bus.setEcho(arguments.contains(QStringLiteral("--echo")));
    QVERIFY(program.run(scanArguments(m_bus.portPath(), arguments)));
    m_bus.setEcho(false);
    QCOMPARE(program.exitCode(), status);
    QCOMPARE(foundRows(program, json), found);
    if (status == 1)
        QCOMPARE(errorLine(program), QStringLiteral("ztModBusUtility: no module answered at addresses 11 to 12"));
    // The settings store was neither read nor written.
    QCOMPARE(QDir(program.configHome()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
}

void tst_headless::badArguments_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");
    const QStringList port = {"--scan", "--port", "/dev/ttyZT-none"};
    QTest::newRow("no port") << QStringList{"--scan"} << "no port given: use --port, e.g. --port /dev/ttyUSB0";
    QTest::newRow("address 0") << port + QStringList{"--from", "0"}
                               << "--from must be an address from 1 to 247, not \"0\"";
    QTest::newRow("address 248") << port + QStringList{"--to", "248"}
                                 << "--to must be an address from 1 to 247, not \"248\"";
    QTest::newRow("address not a number") << port + QStringList{"--from", "one"}
                                          << "--from must be an address from 1 to 247, not \"one\"";
    QTest::newRow("range reversed") << port + QStringList{"--from", "10", "--to", "5"}
                                    << "--from 10 is above --to 5";
    QTest::newRow("unknown baud") << port + QStringList{"--baud", "9600,1234"}
                                  << "unknown baud rate \"1234\": choose from "
                                     "115200,57600,38400,19200,9600,4800,2400,1200";
    QTest::newRow("empty baud") << port + QStringList{"--baud", ""}
                                << "unknown baud rate \"\": choose from "
                                   "115200,57600,38400,19200,9600,4800,2400,1200";
    QTest::newRow("unknown format") << port + QStringList{"--format", "8N1,7N1"}
                                    << "unknown frame format \"7N1\": choose from 8N1,8N2,8E1,8O1";
    QTest::newRow("time-out too short") << port + QStringList{"--timeout", "49"}
                                        << "--timeout must be 50 to 65535 milliseconds, not \"49\"";
    QTest::newRow("time-out too long") << port + QStringList{"--timeout", "65536"}
                                       << "--timeout must be 50 to 65535 milliseconds, not \"65536\"";
    QTest::newRow("unknown echo") << port + QStringList{"--echo", "maybe"}
                                  << "--echo must be auto, yes or no, not \"maybe\"";
    QTest::newRow("CSV and JSON") << port + QStringList{"--csv", "--json"}
                                  << "--csv and --json exclude each other";
    QTest::newRow("unknown option") << port + QStringList{"--bogus"} << "Unknown option 'bogus'.";
    QTest::newRow("value missing") << port + QStringList{"--to"} << "Missing value after '--to'.";
    QTest::newRow("stray argument") << port + QStringList{"extra"} << "unexpected argument: extra";
    QTest::newRow("endpoint without its TCP port") << QStringList{"--scan", "--port", "tcp://plc"}
                                                   << "--port tcp://plc: \"\" is no TCP port: give one from 1 to 65535 after the host.";
    for (const QStringList &alone : QList<QStringList>{port.mid(1), {"--json", "--bogus"}, {"--to=5"}})
        QTest::addRow("%s without --scan", qPrintable(alone.first()))
            << alone << alone.first().section('=', 0, 0) + " belongs to the search without a window: add --scan (see --help)";
    QTest::newRow("settings never stored") << QStringList{"--scan", "--use-settings"}
                                           << "--use-settings: no search settings are stored yet; save "
                                              "them in the window's search settings, or give --port";
}

void tst_headless::badArguments()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    headlessProgram program(QStringLiteral(ZT_PROGRAM));
    QVERIFY(program.run(arguments));
    QCOMPARE(program.exitCode(), 2);
    QCOMPARE(QString::fromLocal8Bit(program.errors), QStringLiteral("ztModBusUtility: ") + message + '\n');
    QCOMPARE(program.output, QByteArray());
    QCOMPARE(QDir(program.configHome()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
}

void tst_headless::helpAndVersion_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("texts");
    const QStringList options = {"--scan", "--port <port>", "--from <address>", "--to <address>",
                                 "--baud <list>", "--format <list>", "--timeout <ms>", "--echo <auto|yes|no>", "--csv",
                                 "--json", "--use-settings", "--help", "--version", "Exit status:",
                                 "130  interrupted"};
    QTest::newRow("help") << QStringList{"--help"} << options;
    QTest::newRow("help of the search") << QStringList{"--scan", "--help"} << options;
    QTest::newRow("version") << QStringList{"--version"}
                             << QStringList{QStringLiteral("ztModBusUtility " ZT_VERSION "\n")};
}

void tst_headless::helpAndVersion()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, texts);
    headlessProgram program(QStringLiteral(ZT_PROGRAM));
    QVERIFY(program.run(arguments));
    QCOMPARE(program.exitCode(), 0);
    for (const QString &text : texts)
        QVERIFY2(program.output.contains(text.toUtf8()), qPrintable(text));
}

void tst_headless::portFailures_data()
{
    QTest::addColumn<QString>("port");
    QTest::addColumn<bool>("held");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing") << "/dev/ttyZT-none" << false << 3 << "the port %1 does not exist";
    QTest::newRow("busy") << QString() << true << 4 << "the port %1 is busy: another program holds it";
    QTest::newRow("no permission") << QString() << false << 5 << "no permission to use the port %1";
    QTest::newRow("not a serial port") << "/dev/null" << false << 6 << "the port %1 cannot be opened";
    QTest::newRow("refused") << busEndpoint::refused() << false << 6
                             << "the device server %1 refused the connection: nothing listens at that port";
    QTest::newRow("unresolvable") << "tcp://a..b:502" << false << 6 << "the host of %1 is unknown";
}

void tst_headless::portFailures()
{
    QFETCH(QString, port);
    QFETCH(bool, held);
    QFETCH(int, status);
    QFETCH(QString, message);
    QStringList command = {QStringLiteral(ZT_PROGRAM)};
    cPtyDevice closed;
    if (status == 5 && !closedPort(closed, &port, &command))
        QSKIP("no pseudo-terminal to close to this user");
    QProcess holder;
    if (held) {
        port = m_bus.portPath();
        holder.start(QStringLiteral(PORT_HOLDER), {port});
        QVERIFY(holder.waitForReadyRead(10000));
        QCOMPARE(holder.readLine().trimmed(), QByteArray("held"));
    }
    headlessProgram program(command.first());
    QVERIFY(program.run(command.mid(1) + scanArguments(port, {"--to", "3", "--timeout", "50"})));
    QCOMPARE(program.exitCode(), status);
    QCOMPARE(QString::fromLocal8Bit(program.errors),
             QStringLiteral("ztModBusUtility: ") + message.replace(QStringLiteral("%1"), port) + '\n');
    QCOMPARE(program.output, QByteArray());
    if (held) {
        holder.closeWriteChannel();
        QVERIFY(holder.waitForFinished(10000));
    }
}

void tst_headless::stopKeepsWhatWasFound_data()
{
    QTest::addColumn<int>("signalNumber");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message");
    QTest::newRow("Ctrl-C") << int(SIGINT) << 130 << "interrupted: the search is incomplete";
    QTest::newRow("SIGTERM") << int(SIGTERM) << 143 << "interrupted: the search is incomplete";
    QTest::newRow("port lost") << 0 << 7 << "the port %1 was lost at address ";
}

// The stop comes once address 3 is done (its module found), long before the end.
void tst_headless::stopKeepsWhatWasFound()
{
    QFETCH(int, signalNumber);
    QFETCH(int, status);
    QFETCH(QString, message);
    cSimBus bus;
    QVERIFY(bus.start());
    bus.addModule(3, 9600, 0, 2);
    const QString port = bus.portPath();
    headlessProgram program(QStringLiteral(ZT_PROGRAM));
    program.start(scanArguments(port, longScan));
    QVERIFY(program.waitForError("address 3 of 247\n"));
    if (signalNumber != 0)
        QCOMPARE(::kill(pid_t(program.process.processId()), signalNumber), 0);
    else
        bus.vanish();
    QVERIFY(program.finish());
    QCOMPARE(program.exitCode(), status);
    QCOMPARE(foundRows(program, false), QList<QStringList>({module3}));
    QVERIFY2(errorLine(program).startsWith(QStringLiteral("ztModBusUtility: ") + message.replace(QStringLiteral("%1"), port)),
             program.errors.constData());
    QVERIFY(!program.errors.contains("address 247 of 247"));
}

void tst_headless::usesStoredSettingsOnlyWhenAsked_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QList<QStringList>>("found");
    QTest::addColumn<QVariant>("timeOut"); // as stored; invalid: missing
    QTest::addColumn<QString>("told");
    const QStringList stored = {"--from", "6", "--to", "8"};
    QTest::newRow("stored") << stored << QList<QStringList>{module7} << QVariant(50) << "";
    QTest::newRow("options win") << QStringList{"--from", "2", "--to", "4", "--baud", "9600", "--format", "8N1"}
                                 << QList<QStringList>{module3} << QVariant(50) << "";
    for (const QVariant &bad : {QVariant(0), QVariant("abc"), QVariant()})
        QTest::addRow("stored time-out %s: default", bad.isValid() ? qPrintable(bad.toString()) : "missing")
            << stored << QList<QStringList>{module7} << bad
            << (bad.isValid() ? QStringLiteral("cfg_srch_timeOut = \"%1\" is not usable: 300 is used").arg(bad.toString())
                              : QStringLiteral("cfg_srch_timeOut is missing: 300 is used"));
}

// The store holds the window's search settings for 19200 8E1 on the bus.
void tst_headless::usesStoredSettingsOnlyWhenAsked()
{
    QFETCH(QStringList, arguments);
    QFETCH(QList<QStringList>, found);
    QFETCH(QVariant, timeOut);
    QFETCH(QString, told);
    headlessProgram program(QStringLiteral(ZT_PROGRAM), QStringLiteral(ZT_PTYLINE_PATH));
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, program.configHome());
    srchSettings_t stored;
    cSrchSettingsStore::loadSrchSettings(stored);
    std::fill(std::begin(stored.baudFlags), std::end(stored.baudFlags), false);
    std::fill(std::begin(stored.formatFlags), std::end(stored.formatFlags), false);
    stored.baudFlags[3] = true;
    stored.formatFlags[2] = true;
    stored.portName = m_bus.portPath();
    cSrchSettingsStore::saveSrchSettings(stored);
    QSettings settings(QStringLiteral("Zeltrovia"), QStringLiteral("cfgSrch"));
    settings.beginGroup(QStringLiteral("cfgSrchSettings"));
    timeOut.isValid() ? settings.setValue("cfg_srch_timeOut", timeOut) : settings.remove("cfg_srch_timeOut");
    settings.sync();
    QFile store(settings.fileName());
    QVERIFY(store.open(QIODevice::ReadOnly));
    const QByteArray before = store.readAll();
    store.close();

    QVERIFY(program.run(QStringList{"--scan", "--use-settings"} + arguments));
    QCOMPARE(program.exitCode(), 0);
    QCOMPARE(foundRows(program, false), found);
    QCOMPARE(program.errors.contains("ztModBusUtility: stored search settings: " + told.toUtf8()), !told.isEmpty());
    QVERIFY(store.open(QIODevice::ReadOnly));
    QCOMPARE(store.readAll(), before);
}

// On a terminal the progress is one bar redrawn in place.
void tst_headless::barOnTerminal()
{
    cPtyDevice terminal;
    QString error;
    QVERIFY2(terminal.open(&error), qPrintable(error));
    headlessProgram program(QStringLiteral(ZT_PROGRAM));
    QProcessEnvironment env = program.process.processEnvironment();
    env.insert(QStringLiteral("TERM"), QStringLiteral("xterm"));
    program.process.setProcessEnvironment(env);
    program.process.setStandardErrorFile(terminal.slavePath());
    QVERIFY(program.run(scanArguments(m_bus.portPath(), {"--from", "2", "--to", "4", "--timeout", "50"})));
    QCOMPARE(program.exitCode(), 0);
    QCOMPARE(foundRows(program, false), QList<QStringList>({module3}));
    QByteArray shown;
    quint8 buffer[4096];
    ssize_t got = 0;
    while ((got = terminal.receive(buffer, sizeof buffer)) > 0)
        shown.append(reinterpret_cast<const char *>(buffer), int(got));
    QCOMPARE(shown, QByteArray("ztModBusUtility: searching 3 addresses x 1 baud rates x 1 formats: about 1 s where "
                               "nothing answers\n"
                               "\r[##########....................] address 2 of 4, found 0"
                               "\r[####################..........] address 3 of 4, found 1"
                               "\r[##############################] address 4 of 4, found 1\n"));
}

void tst_headless::configAfterScan_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("said");
    QTest::addColumn<int>("watchdog7"); // module 7's WDT time-out afterwards
    const QString saved = m_configs.filePath(QStringLiteral("addr003_VRD-3310_02.json"));
    const QString broken = m_configs.filePath(QStringLiteral("broken.json"));
    QTest::newRow("save") << QStringList{"--save-config", m_configs.path()} << 0
                          << "address 7: saved to " + m_configs.filePath("addr007_VRD-3310_01.json") << 0;
    QTest::newRow("broken file") << QStringList{"--apply-config", broken} << 9
                                 << "the configuration file is refused, nothing is written: schemaVersion: "
                                    "3 is newer than this program reads (1): use a newer program" << 0;
    QTest::newRow("other variant") << QStringList{"--apply-config", saved} << 8
                                   << "address 7: refused: The file is for variant 02 (Pt100), the module is "
                                      "variant 01 (Pt1000)." << 0;
    QTest::newRow("shared only") << QStringList{"--apply-config", saved, "--shared-only"} << 0
                                 << "address 7: 1 parameter(s) written and checked" << 500;
}

// Every VRD-3310 found takes the action; the other module is left alone.
void tst_headless::configAfterScan()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, said);
    QFETCH(int, watchdog7);
    m_module3->setReg(1585, 500);
    QFile broken(m_configs.filePath(QStringLiteral("broken.json")));
    QVERIFY(broken.open(QIODevice::WriteOnly));
    broken.write(R"({"schema": "ztModBusUtility module configuration", "schemaVersion": 3})");
    broken.close();
    headlessProgram program(QStringLiteral(ZT_PROGRAM), QStringLiteral(ZT_PTYLINE_PATH));
    QVERIFY(program.run(scanArguments(m_bus.portPath(), QStringList{"--from", "3", "--to", "9", "--baud",
                                                                     "9600,19200", "--format", "8N1,8E1,8O1",
                                                                     "--timeout", "50"} + arguments)));
    QCOMPARE(program.exitCode(), status);
    QVERIFY2(QString::fromLocal8Bit(program.errors).contains(said), program.errors.constData());
    QCOMPARE(int(m_module7->reg(1585)), watchdog7);
    QCOMPARE(QDir(m_configs.path()).entryList(QDir::Files),
             QStringList({"addr003_VRD-3310_02.json", "addr007_VRD-3310_01.json", "broken.json"}));
}

void tst_headless::loadsNoGuiLibrary_data()
{
    QTest::addColumn<QStringList>("more");
    QTest::newRow("csv") << QStringList();
    QTest::newRow("json") << QStringList{"--json"};
    QTest::newRow("save-config") << QStringList{"--save-config", m_configs.filePath(QStringLiteral("noGui"))};
}

// Without --report the search has no use for Qt Gui or Qt Widgets, so neither
// is loaded: a server without a display need not even have them working.
void tst_headless::loadsNoGuiLibrary()
{
    QFETCH(QStringList, more);
    headlessProgram program(QStringLiteral(ZT_PROGRAM));
    program.start(scanArguments(m_bus.portPath(), longScan + more));
    QVERIFY(program.waitForError("address 3 of 247\n"));
    QFile maps(QStringLiteral("/proc/%1/maps").arg(program.process.processId()));
    QVERIFY(maps.open(QIODevice::ReadOnly));
    const QString mapped = QString::fromLatin1(maps.readAll());
    QVERIFY(mapped.contains(QLatin1String("libQt")));
    const QRegularExpressionMatch gui = QRegularExpression(QStringLiteral("\\S*libQt\\d(Gui|Widgets)\\S*")).match(mapped);
    QVERIFY2(!gui.hasMatch(), qPrintable(gui.captured()));
    QCOMPARE(::kill(pid_t(program.process.processId()), SIGTERM), 0);
    QVERIFY(program.finish());
}

QTEST_GUILESS_MAIN(tst_headless)
#include "tst_headless.moc"
