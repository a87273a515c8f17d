#include <QtTest>

#include "cPtyBridge.h"
#include "cSimBus.h"
#include "cSimTcpServer.h"
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
    void openWorker(workerHarness &h);
    libmodbusSlave &slave() { return QByteArray(QTest::currentDataTag()).startsWith("tcp") ? m_tcpSlave : m_slave; }
    int runMbpoll(const QStringList &arguments, bool preload, QString *output);
    cSimModule *simModule(int address) const { return address == 5 ? m_module8N1 : m_module8E1; }

    cPtyBridge m_bridge;
    libmodbusSlave m_slave;
    libmodbusSlave m_tcpSlave;
    cSimBus m_bus;
    cSimTcpServer m_gateway{m_bus};
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
    QVERIFY2(m_bus.start(&error) && m_gateway.start(cSimTcpServer::ModbusTcp, false, 0, &error), qPrintable(error));
    m_module8N1 = m_bus.addModule(5, lineBaud, 0);
    m_module8E1 = m_bus.addModule(6, lineBaud, 2);
    m_mbpoll = QStandardPaths::findExecutable(QStringLiteral("mbpoll"));
}

void tst_interop::init()
{
    for (int reg = 0; reg < libmodbusSlave::registerCount; ++reg) {
        for (libmodbusSlave *s : {&m_slave, &m_tcpSlave}) {
            s->setHolding(reg, holdingValue(reg));
            s->setInput(reg, inputValue(reg));
        }
    }
}

// Rows whose tag starts with "tcp" talk ModBus TCP to the libmodbus server.
void tst_interop::openWorker(workerHarness &h)
{
    const QString tcp = QStringLiteral("tcp://127.0.0.1:%1").arg(m_tcpSlave.tcpPort());
    QVERIFY(h.open(&slave() == &m_tcpSlave ? tcp : m_bridge.portA(), lineBaud, 0, replyTimeoutMs));
}

void tst_interop::readsFromLibmodbusSlave_data()
{
    QTest::addColumn<int>("function");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("count");
    for (const char *via : {"rtu", "tcp"}) {
        QTest::addRow("%s, fn 4, module type", via) << 4 << 1111 << 1;
        QTest::addRow("%s, fn 4, six registers", via) << 4 << 1111 << 6;
        QTest::addRow("%s, fn 3, one register", via) << 3 << 1582 << 1;
        QTest::addRow("%s, fn 3, 125 registers", via) << 3 << 1500 << 125;
    }
}

void tst_interop::readsFromLibmodbusSlave()
{
    QFETCH(int, function);
    QFETCH(int, start);
    QFETCH(int, count);
    workerHarness h;
    openWorker(h);
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
    for (const char *via : {"rtu", "tcp"}) {
        QTest::addRow("%s, one register", via) << 1;
        QTest::addRow("%s, three registers", via) << 3;
        QTest::addRow("%s, 123 registers, the most one write may carry", via) << 123;
    }
}

void tst_interop::writesLandInLibmodbusMapping()
{
    QFETCH(int, count);
    constexpr int start = 1584;
    workerHarness h;
    openWorker(h);
    for (int i = 0; i < count; ++i)
        h.image().setRegister(quint16(start + i), writtenValue(i, count));
    QCOMPARE(h.writeBatch({workerHarness::query(16, slaveAddress, start, quint16(count))}), 0);
    // The slave stored the values before it replied, and the reply came first.
    for (int i = 0; i < count; ++i)
        QCOMPARE(slave().holding(start + i), writtenValue(i, count));
    QCOMPARE(slave().holding(start + count), holdingValue(start + count));
    QCOMPARE(slave().holding(start - 1), holdingValue(start - 1));
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
    QTest::addColumn<int>("outside");
    QTest::newRow("rtu") << libmodbusSlave::registerCount + 100;
    QTest::newRow("tcp") << libmodbusSlave::registerCount + 100;
}

void tst_interop::exceptionReplyRefused()
{
    QFETCH(int, outside);
    workerHarness h;
    openWorker(h);
    // Inside our image, beyond the slave's mapping: libmodbus answers
    // "illegal data address": refused as such, without waiting out the time-out.
    QCOMPARE(h.read({workerHarness::query(3, slaveAddress, quint16(outside), 2)}), int(MB_ERR_EXCEPTION));
    QCOMPARE(h.image().getRegister(quint16(outside)), quint16(0));
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

namespace {

// -0: references are register numbers; -1: one poll, then exit; -q: no
// banner. Without a parity: ModBus TCP to the simulated gateway at that port.
QStringList mbpollLine(int address, const QString &parity, quint16 port)
{
    const QStringList mode = parity.isEmpty() ? QStringList{"-m", "tcp", "-p", QString::number(port)}
                                              : QStringList{"-m", "rtu", "-b", QString::number(lineBaud), "-P", parity};
    return mode + QStringList{QStringLiteral("-a"), QString::number(address),
            QStringLiteral("-0"), QStringLiteral("-1"), QStringLiteral("-q"),
            QStringLiteral("-o"), QStringLiteral("1")};
}

QString mbpollDevice(const QString &parity, const QString &port)
{
    return parity.isEmpty() ? QStringLiteral("127.0.0.1") : port;
}

void addLineRows()
{
    QTest::addColumn<int>("address");
    QTest::addColumn<QString>("parity");
    QTest::addColumn<bool>("preload");
    QTest::newRow("8N1") << 5 << QStringLiteral("none") << false;
    QTest::newRow("8E1, interposer preloaded") << 6 << QStringLiteral("even") << true;
    QTest::newRow("ModBus TCP") << 6 << QString() << false;
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
    if (m_mbpoll.isEmpty())
        QSKIP("mbpoll is not installed (apt-get install mbpoll)");
    // -t 3: input registers, read with function 4.
    const QStringList arguments = mbpollLine(address, parity, m_gateway.port())
        + QStringList{QStringLiteral("-t"), QStringLiteral("3"), QStringLiteral("-r"),
                      QStringLiteral("1111"), QStringLiteral("-c"), QStringLiteral("1"),
                      mbpollDevice(parity, m_bus.portPath())};
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
    if (m_mbpoll.isEmpty())
        QSKIP("mbpoll is not installed (apt-get install mbpoll)");
    const quint16 first = quint16(1200 + address);
    const quint16 second = quint16(34 + address);
    // -t 4: holding registers. Two values, because mbpoll writes a single
    // one with function 6, which the module does not have.
    const QStringList arguments = mbpollLine(address, parity, m_gateway.port())
        + QStringList{QStringLiteral("-t"), QStringLiteral("4"), QStringLiteral("-r"),
                      QStringLiteral("1584"), mbpollDevice(parity, m_bus.portPath()), QString::number(first),
                      QString::number(second)};
    QString output;
    QCOMPARE(runMbpoll(arguments, preload, &output), 0);
    QVERIFY2(output.contains(QStringLiteral("Written 2 references")), qPrintable(output));
    QCOMPARE(simModule(address)->reg(1584), first);
    QCOMPARE(simModule(address)->reg(1585), second);
}

QTEST_MAIN(tst_interop)
#include "tst_interop.moc"
