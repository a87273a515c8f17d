#include <QtTest>

#include "busEndpoint.h"
#include "cEndpoint.h"
#include "cPtyBridge.h"
#include "cSimBus.h"
#include "libmodbusSlave.h"
#include "workerHarness.h"

// Other ModBus implementations on the far end: our worker against a
// libmodbus slave, and mbpoll (an independent master) against our simulator.
class tst_interop : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void readsFromLibmodbusSlave_data();
    void readsFromLibmodbusSlave();
    void writesLandInLibmodbusMapping_data();
    void writesLandInLibmodbusMapping();
    void otherAddressTimesOutNextSucceeds();
    void exceptionReplyRefused_data();
    void exceptionReplyRefused();
    void mbpollReadsSimulatedModule_data();
    void mbpollReadsSimulatedModule();
    void mbpollWritesSimulatedModule_data();
    void mbpollWritesSimulatedModule();

private:
    void openWorker(workerHarness &h, bool tcp = false);
    QStringList mbpollLine(int address, const QString &parity, bool tcp) const;
    int runMbpoll(const QStringList &arguments, bool preload, QString *output);
    cSimModule *simModule(int address) const { return address == 5 ? m_module8N1 : m_module8E1; }
    libmodbusSlave &slave(bool tcp) { return tcp ? m_tcpSlave : m_slave; }

    cPtyBridge m_bridge;
    libmodbusSlave m_slave;
    libmodbusSlave m_tcpSlave;
    cSimBus m_bus;
    std::unique_ptr<busEndpoint> m_modbusTcp;
    cSimModule *m_module8N1 = nullptr;
    cSimModule *m_module8E1 = nullptr;
    QString m_mbpoll;
};

namespace {

constexpr qint32 lineBaud = 19200;
constexpr int slaveAddress = 7;
constexpr quint16 replyTimeoutMs = 500;
constexpr int mbpollFinishMs = 15000;

quint16 inputValue(int reg)
{
    return reg == 1111 ? quint16(3310) : quint16(0x4000 + reg);
}

// The top bit set, so that a sign slip shows.
quint16 holdingValue(int reg)
{
    return quint16(0x8000 | reg);
}

quint16 writtenValue(int index, int count)
{
    return quint16(0xF000 - 17 * index - count);
}

} // namespace

void tst_interop::initTestCase()
{
    QString error;
    QVERIFY2(m_bridge.start(&error), qPrintable(error));
    QVERIFY2(m_slave.start(m_bridge.portB(), lineBaud, slaveAddress, &error), qPrintable(error));
    QVERIFY2(m_tcpSlave.startTcp(&error), qPrintable(error));
    QVERIFY2(m_bus.start(&error), qPrintable(error));
    m_modbusTcp = std::make_unique<busEndpoint>(m_bus, busEndpoint::ModbusTcp);
    m_module8N1 = m_bus.addModule(5, lineBaud, 0);
    m_module8E1 = m_bus.addModule(6, lineBaud, 2);
    m_mbpoll = QStandardPaths::findExecutable(QStringLiteral("mbpoll"));
}

void tst_interop::init()
{
    for (libmodbusSlave *s : {&m_slave, &m_tcpSlave}) {
        for (int reg = 0; reg < libmodbusSlave::registerCount; ++reg) {
            s->setHolding(reg, holdingValue(reg));
            s->setInput(reg, inputValue(reg));
        }
    }
}

void tst_interop::openWorker(workerHarness &h, bool tcp)
{
    const QString tcpPort = QStringLiteral("tcp://127.0.0.1:%1").arg(m_tcpSlave.tcpPort());
    QVERIFY(h.open(tcp ? tcpPort : m_bridge.portA(), lineBaud, 0, replyTimeoutMs));
}

namespace {

// Each row over the serial line and again over ModBus TCP.
void addTransportRows(const char *name, const std::function<void(QTestData &)> &values)
{
    for (bool tcp : {false, true}) {
        QTestData &row = QTest::addRow("%s, %s", name, tcp ? "ModBus TCP" : "RTU");
        values(row);
        row << tcp;
    }
}

} // namespace

void tst_interop::readsFromLibmodbusSlave_data()
{
    QTest::addColumn<int>("function");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("tcp");
    addTransportRows("fn 4, module type", [](QTestData &row) { row << 4 << 1111 << 1; });
    addTransportRows("fn 4, six registers", [](QTestData &row) { row << 4 << 1111 << 6; });
    addTransportRows("fn 3, one register", [](QTestData &row) { row << 3 << 1582 << 1; });
    addTransportRows("fn 3, 125 registers", [](QTestData &row) { row << 3 << 1500 << 125; });
}

void tst_interop::readsFromLibmodbusSlave()
{
    QFETCH(int, function);
    QFETCH(int, start);
    QFETCH(int, count);
    QFETCH(bool, tcp);
    workerHarness h;
    openWorker(h, tcp);
    QCOMPARE(h.read({workerHarness::query(quint16(function), slaveAddress, quint16(start),
                                          quint16(count))}), 0);
    for (int reg = start; reg < start + count; ++reg) {
        const quint16 expected = function == 4 ? inputValue(reg) : holdingValue(reg);
        QCOMPARE(h.image().getRegister(quint16(reg)), expected);
    }
    QCOMPARE(h.image().getRegister(quint16(start + count)), quint16(0));
}

void tst_interop::writesLandInLibmodbusMapping_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("tcp");
    addTransportRows("one register", [](QTestData &row) { row << 1; });
    addTransportRows("three registers", [](QTestData &row) { row << 3; });
    addTransportRows("123 registers, the most one write may carry", [](QTestData &row) { row << 123; });
}

void tst_interop::writesLandInLibmodbusMapping()
{
    QFETCH(int, count);
    constexpr int start = 1584;
    QFETCH(bool, tcp);
    workerHarness h;
    openWorker(h, tcp);
    for (int i = 0; i < count; ++i)
        h.image().setRegister(quint16(start + i), writtenValue(i, count));
    QCOMPARE(h.writeBatch({workerHarness::query(16, slaveAddress, start, quint16(count))}), 0);
    // The slave stored the values before it replied, and the reply came first.
    for (int i = 0; i < count; ++i)
        QCOMPARE(slave(tcp).holding(start + i), writtenValue(i, count));
    QCOMPARE(slave(tcp).holding(start + count), holdingValue(start + count));
    QCOMPARE(slave(tcp).holding(start - 1), holdingValue(start - 1));
}

void tst_interop::otherAddressTimesOutNextSucceeds()
{
    workerHarness h;
    openWorker(h);
    QCOMPARE(h.read({workerHarness::query(4, slaveAddress + 1, 1111, 1)}), int(MB_ERR_TIMEOUT));
    QCOMPARE(h.read({workerHarness::query(4, slaveAddress, 1111, 1)}), 0);
    QCOMPARE(h.image().getRegister(1111), quint16(3310));
}

void tst_interop::exceptionReplyRefused_data()
{
    QTest::addColumn<bool>("tcp");
    addTransportRows("beyond the mapping", [](QTestData &) {});
}

void tst_interop::exceptionReplyRefused()
{
    QFETCH(bool, tcp);
    workerHarness h;
    openWorker(h, tcp);
    // Inside our image, beyond the slave's mapping: libmodbus answers
    // "illegal data address": refused as such, without waiting out the time-out.
    const quint16 outside = libmodbusSlave::registerCount + 100;
    QCOMPARE(h.read({workerHarness::query(3, slaveAddress, outside, 2)}), int(MB_ERR_EXCEPTION));
    QCOMPARE(h.image().getRegister(outside), quint16(0));
    QCOMPARE(h.read({workerHarness::query(3, slaveAddress, 1582, 1)}), 0);
    QCOMPARE(h.image().getRegister(1582), holdingValue(1582));
}

int tst_interop::runMbpoll(const QStringList &arguments, bool preload, QString *output)
{
    QProcess mbpoll;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // A pty drops parity; the interposer keeps the requested format for the simulator.
    if (preload)
        environment.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral(ZT_PTYLINE_PATH));
    mbpoll.setProcessEnvironment(environment);
    mbpoll.setProcessChannelMode(QProcess::MergedChannels);
    mbpoll.start(m_mbpoll, arguments);
    if (!mbpoll.waitForFinished(mbpollFinishMs)) {
        mbpoll.kill();
        mbpoll.waitForFinished();
        return -1;
    }
    *output = QString::fromLocal8Bit(mbpoll.readAll());
    return mbpoll.exitStatus() == QProcess::NormalExit ? mbpoll.exitCode() : -1;
}

// -0: references are register numbers; -1: one poll, then exit; -q: no
// banner. Over ModBus TCP the simulated device server stands in for the line.
QStringList tst_interop::mbpollLine(int address, const QString &parity, bool tcp) const
{
    const QStringList line = tcp ? QStringList{"-m", "tcp", "-p", QString::number(cEndpoint(m_modbusTcp->port()).port())}
                                 : QStringList{"-m", "rtu", "-b", QString::number(lineBaud), "-P", parity};
    return line + QStringList{"-a", QString::number(address), "-0", "-1", "-q", "-o", "1"};
}

namespace {

void addLineRows()
{
    QTest::addColumn<int>("address");
    QTest::addColumn<QString>("parity");
    QTest::addColumn<bool>("preload");
    QTest::addColumn<bool>("tcp");
    QTest::newRow("8N1") << 5 << QStringLiteral("none") << false << false;
    QTest::newRow("8E1, interposer preloaded") << 6 << QStringLiteral("even") << true << false;
    QTest::newRow("ModBus TCP") << 6 << QString() << false << true;
}

} // namespace

void tst_interop::mbpollReadsSimulatedModule_data()
{
    addLineRows();
}

void tst_interop::mbpollReadsSimulatedModule()
{
    QFETCH(int, address);
    QFETCH(QString, parity);
    QFETCH(bool, preload);
    QFETCH(bool, tcp);
    if (m_mbpoll.isEmpty())
        QSKIP("mbpoll is not installed (apt-get install mbpoll)");
    // -t 3: input registers, read with function 4.
    const QStringList arguments = mbpollLine(address, parity, tcp)
        + QStringList{QStringLiteral("-t"), QStringLiteral("3"), QStringLiteral("-r"),
                      QStringLiteral("1111"), QStringLiteral("-c"), QStringLiteral("1"),
                      tcp ? QStringLiteral("127.0.0.1") : m_bus.portPath()};
    QString output;
    QCOMPARE(runMbpoll(arguments, preload, &output), 0);
    const QRegularExpression value(QStringLiteral("^\\[1111\\]:\\s+3310$"),
                                   QRegularExpression::MultilineOption);
    QVERIFY2(value.match(output).hasMatch(), qPrintable(output));
}

void tst_interop::mbpollWritesSimulatedModule_data()
{
    addLineRows();
}

void tst_interop::mbpollWritesSimulatedModule()
{
    QFETCH(int, address);
    QFETCH(QString, parity);
    QFETCH(bool, preload);
    QFETCH(bool, tcp);
    if (m_mbpoll.isEmpty())
        QSKIP("mbpoll is not installed (apt-get install mbpoll)");
    const quint16 first = quint16(1200 + address);
    const quint16 second = quint16(34 + address);
    // -t 4: holding registers. Two values, because mbpoll writes a single
    // one with function 6, which the module does not have.
    const QStringList arguments = mbpollLine(address, parity, tcp)
        + QStringList{QStringLiteral("-t"), QStringLiteral("4"), QStringLiteral("-r"),
                      QStringLiteral("1584"), tcp ? QStringLiteral("127.0.0.1") : m_bus.portPath(), QString::number(first),
                      QString::number(second)};
    QString output;
    QCOMPARE(runMbpoll(arguments, preload, &output), 0);
    QVERIFY2(output.contains(QStringLiteral("Written 2 references")), qPrintable(output));
    QCOMPARE(simModule(address)->reg(1584), first);
    QCOMPARE(simModule(address)->reg(1585), second);
}

QTEST_MAIN(tst_interop)
#include "tst_interop.moc"
