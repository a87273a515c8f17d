#include <QtTest>

#include "busEndpoint.h"
#include "cPreciseWait.h"
#include "cPtyDevice.h"
#include "cSimBus.h"
#include "workerHarness.h"

// The worker end to end: queued requests, a real pseudo-terminal, simulated
// modules that misbehave on purpose.
class tst_uart : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void resultCodes_data();
    void resultCodes();
    void batchFillsImage();
    void batchStopsAtFirstFailure();
    void writesLandInModule();
    void writeFailuresReportOnWriteEnd();
    void requestOutsideImageSendsNothing();
    void timeoutBelowOneStepFailsAtOnce();
    void splitAndSlowRepliesComplete_data();
    void splitAndSlowRepliesComplete();
    void reopenWithOtherLine();
    void connectWhenOpenKeepsPort();
    void requestDuringWaitRunsAfterIt();
    void lateReplyNotTakenForNextRequest_data();
    void lateReplyNotTakenForNextRequest();
    void lineQuietBeforeEachRequest();
    void preciseWaitNeverEarly_data();
    void preciseWaitNeverEarly();
    void floodCannotOverflowReceiveBuffer();
    void deviceVanishingClosesPort_data();
    void deviceVanishingClosesPort();
    void adapterEcho_data();
    void adapterEcho();
    void echoLearntTellsLoneCopyFromReply();
    void retiredAsSoonAsStarted();

private:
    cSimModule *moduleOf(int format) const { return m_modules[format]; }
    static quint16 addressOf(int format) { return quint16(10 + format); }

    cSimBus m_bus;
    cSimModule *m_modules[4] = {};
};

namespace {
constexpr qint32 busBaud = 19200;
const char *const formatNames[4] = {"8N1", "8N2", "8E1", "8O1"};
// Refused one way or another: how the echo arrives decides which.
constexpr int refused = 1;
// The echo of function 8 passes for its reply when it comes in alone.
constexpr int eitherWay = 2;
} // namespace

void tst_uart::initTestCase()
{
    QString error;
    QVERIFY2(m_bus.start(&error), qPrintable(error));
    for (int f = 0; f < 4; ++f)
        m_modules[f] = m_bus.addModule(quint8(addressOf(f)), busBaud, f, quint16(f + 1));
}

void tst_uart::cleanup()
{
    for (cSimModule *m : m_modules)
        m->setFault(simFault::None);
    m_bus.setEcho(false);
}

void tst_uart::resultCodes_data()
{
    QTest::addColumn<int>("format");
    QTest::addColumn<int>("fault");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("moduleType");
    QTest::addColumn<bool>("openPort");
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("transport");
    struct row_t { const char *name; simFault fault; int count; int type; bool open; int result; };
    const row_t rows[] = {
        {"ok", simFault::None, 6, 3310, true, 0},
        {"bad crc", simFault::BadCrc, 6, 3310, true, -1},
        {"trailing garbage", simFault::TrailingGarbage, 6, 3310, true, -2},
        {"count 0", simFault::None, 0, 3310, true, -4},
        {"count 129", simFault::None, 129, 3310, true, -4},
        {"other module type", simFault::None, 6, 3311, true, -5},
        {"no reply", simFault::NoReply, 6, 3310, true, -9},
        {"exception reply", simFault::Exception, 6, 3310, true, -3},
        {"port closed", simFault::None, 6, 3310, false, -10},
        {"wrong address", simFault::WrongAddress, 6, 3310, true, -13},
    };
    for (int f = 0; f < 4; ++f)
        for (const row_t &r : rows)
            QTest::addRow("%s %s", formatNames[f], r.name)
                << f << int(r.fault) << r.count << r.type << r.open << r.result << int(busEndpoint::Pty);
    // A ModBus TCP gateway passes on no reply that fails the line's CRC.
    for (int t : {busEndpoint::RtuOverTcp, busEndpoint::ModbusTcp})
        for (const row_t &r : rows)
            QTest::addRow("%s %s", busEndpoint::names[t], r.name) << 0 << int(r.fault) << r.count << r.type << r.open
                << (t == busEndpoint::ModbusTcp && (r.result == -1 || r.result == -2) ? -9 : r.result) << t;
}

void tst_uart::resultCodes()
{
    QFETCH(int, format);
    QFETCH(int, fault);
    QFETCH(int, count);
    QFETCH(int, moduleType);
    QFETCH(bool, openPort);
    QFETCH(int, result);
    QFETCH(int, transport);
    busEndpoint link(m_bus, transport); // each module is reached at its own line
    workerHarness h;
    if (openPort)
        QVERIFY(h.open(link.port(), busBaud, format));
    moduleOf(format)->setFault(simFault(fault));
    const int framesBefore = m_bus.framesSeen();
    const query_info_t q = workerHarness::query(4, addressOf(format), 1111, quint16(count),
                                                quint16(moduleType));
    QCOMPARE(h.read({q}), result);
    if (result == 0) {
        QCOMPARE(h.image().getRegister(1111), quint16(3310));
        QCOMPARE(h.image().getRegister(1115), quint16(format + 1));
    } else {
        QCOMPARE(h.image().getRegister(1111), quint16(0));
    }
    if (result == -4 || result == -5 || result == -10)
        QCOMPARE(m_bus.framesSeen(), framesBefore);
}

void tst_uart::batchFillsImage()
{
    workerHarness h;
    QVERIFY(h.open(m_bus.portPath(), busBaud, 0));
    QCOMPARE(h.read({workerHarness::query(4, 10, 1111, 6), workerHarness::query(3, 10, 1582, 4)}), 0);
    QCOMPARE(h.image().getRegister(1111), quint16(3310));
    QCOMPARE(h.image().getRegister(1582), quint16(10));
    QCOMPARE(h.image().getRegister(1583), moduleOf(0)->reg(1583));
    QCOMPARE(h.image().getRegister(1581), quint16(0));
    QCOMPARE(h.image().getRegister(1586), quint16(0));
}

void tst_uart::batchStopsAtFirstFailure()
{
    workerHarness h;
    QVERIFY(h.open(m_bus.portPath(), busBaud, 0));
    for (quint16 r = 1582; r < 1586; ++r)
        h.image().setRegister(r, 0xBEEF);
    h.image().setRegister(1115, 0xBEEF);
    const QList<query_info_t> batch = {
        workerHarness::query(4, 10, 1111, 1),
        workerHarness::query(3, 99, 1582, 4), // nobody at 99
        workerHarness::query(4, 10, 1115, 1),
    };
    QCOMPARE(h.read(batch), -9);
    QCOMPARE(h.image().getRegister(1111), quint16(3310));
    QCOMPARE(h.image().getRegister(1582), quint16(0xBEEF));
    QCOMPARE(h.image().getRegister(1115), quint16(0xBEEF));
}

void tst_uart::writesLandInModule()
{
    workerHarness h;
    QVERIFY(h.open(m_bus.portPath(), busBaud, 2));
    h.image().setRegister(1584, 1234);
    h.image().setRegister(1585, 77);
    QCOMPARE(h.writeBatch({workerHarness::query(16, 12, 1584, 2)}), 0);
    QCOMPARE(moduleOf(2)->reg(1584), quint16(1234));
    QCOMPARE(moduleOf(2)->reg(1585), quint16(77));
    h.image().setRegister(1584, 10);
    QCOMPARE(h.writeOne(workerHarness::query(16, 12, 1584, 1)), 0);
    QCOMPARE(moduleOf(2)->reg(1584), quint16(10));
    QCOMPARE(moduleOf(2)->reg(1585), quint16(77));
}

void tst_uart::writeFailuresReportOnWriteEnd()
{
    workerHarness h;
    QCOMPARE(h.writeBatch({workerHarness::query(16, 12, 1584, 1)}), -10);
    QCOMPARE(h.writeOne(workerHarness::query(16, 12, 1584, 1)), -10);
    QVERIFY(h.open(m_bus.portPath(), busBaud, 2));
    QCOMPARE(h.writeOne(workerHarness::query(16, 12, 1584, 1, 3300)), -5);
    QCOMPARE(h.writeBatch({workerHarness::query(16, 12, 1584, 1, 3300)}), -5);
    moduleOf(2)->setFault(simFault::NoReply);
    QCOMPARE(h.writeBatch({workerHarness::query(16, 12, 1584, 1), workerHarness::query(16, 12, 1585, 1)}), -9);
}

void tst_uart::requestOutsideImageSendsNothing()
{
    workerHarness h;
    QVERIFY(h.open(m_bus.portPath(), busBaud, 0));
    const int before = m_bus.framesSeen();
    QCOMPARE(h.read({workerHarness::query(3, 10, 3199, 2)}), int(MB_ERR_OUT_OF_IMAGE));
    QCOMPARE(h.writeOne(workerHarness::query(16, 10, 3100, 101)), int(MB_ERR_OUT_OF_IMAGE));
    QCOMPARE(m_bus.framesSeen(), before);
    QCOMPARE(h.read({workerHarness::query(3, 10, 3075, 125)}), 0);
}

// Below one 10 ms step even an answer on its way is not waited for; one step is.
void tst_uart::timeoutBelowOneStepFailsAtOnce()
{
    workerHarness h;
    QVERIFY(h.open(m_bus.portPath(), busBaud, 0, 9));
    QCOMPARE(h.read({workerHarness::query(4, 10, 1111, 1)}), -9);
    QVERIFY(h.reInit(m_bus.portPath(), busBaud, 0, 10));
    moduleOf(0)->setFault(simFault::NoReply);
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(h.read({workerHarness::query(4, 10, 1111, 1)}), -9);
    QVERIFY(clock.elapsed() >= 10);
}

void tst_uart::splitAndSlowRepliesComplete_data()
{
    QTest::addColumn<int>("fault");
    QTest::newRow("split") << int(simFault::Split);
    QTest::newRow("one byte at a time") << int(simFault::SlowBytes);
}

void tst_uart::splitAndSlowRepliesComplete()
{
    QFETCH(int, fault);
    workerHarness h;
    QVERIFY(h.open(m_bus.portPath(), busBaud, 1, 1000));
    moduleOf(1)->setFault(simFault(fault));
    const int writes = m_bus.writesMade();
    QCOMPARE(h.read({workerHarness::query(4, 11, 1111, 6)}), 0);
    QCOMPARE(m_bus.writesMade() - writes, fault == int(simFault::Split) ? 3 : 17); // of 17 bytes
    QCOMPARE(h.image().getRegister(1115), quint16(2));
}

void tst_uart::reopenWithOtherLine()
{
    workerHarness h;
    QVERIFY(h.open(m_bus.portPath(), busBaud, 0));
    QCOMPARE(h.read({workerHarness::query(4, 10, 1111, 1)}), 0);
    QCOMPARE(h.read({workerHarness::query(4, 13, 1111, 1)}), -9);
    QVERIFY(h.reInit(m_bus.portPath(), busBaud, 3));
    QCOMPARE(h.read({workerHarness::query(4, 13, 1111, 1)}), 0);
    QCOMPARE(h.read({workerHarness::query(4, 10, 1111, 1)}), -9);
    QVERIFY(h.reInit(m_bus.portPath(), 9600, 3));
    QCOMPARE(h.read({workerHarness::query(4, 13, 1111, 1)}), -9);
}

void tst_uart::connectWhenOpenKeepsPort()
{
    workerHarness h;
    QVERIFY(h.open(m_bus.portPath(), busBaud, 0));
    h.messages.clear();
    QVERIFY(h.open(m_bus.portPath(), busBaud, 0));
    QVERIFY(workerHarness::waitUntil([&] {
        return !h.messages.filter(QStringLiteral(" >> Already Open!")).isEmpty();
    }));
    QVERIFY(h.worker()->isPortOpen());
    QVERIFY(h.close());
    QCOMPARE(h.read({workerHarness::query(4, 10, 1111, 1)}), -10);
    h.messages.clear();
    QVERIFY(h.close());
    QCOMPARE(h.read({workerHarness::query(4, 10, 1111, 1)}), -10);
    QVERIFY(h.messages.isEmpty());
}

void tst_uart::requestDuringWaitRunsAfterIt()
{
    workerHarness h;
    QVERIFY(h.open(m_bus.portPath(), busBaud, 0, 2000));
    moduleOf(0)->setFault(simFault::SlowBytes);
    const QList<query_info_t> first = {workerHarness::query(3, 10, 1582, 20)};
    const QList<query_info_t> second = {workerHarness::query(4, 10, 1111, 5)};
    h.startRead(first);
    h.startRead(second);
    QVERIFY(workerHarness::waitUntil([&] { return h.readEnds.size() == 2; }, 20000));
    QCOMPARE(h.readEnds, QList<int>({0, 0}));
    QCOMPARE(h.image().getRegister(1582), quint16(10));
    QCOMPARE(h.image().getRegister(1115), quint16(1));
}

void tst_uart::lateReplyNotTakenForNextRequest_data()
{
    QTest::addColumn<int>("baud");
    QTest::addColumn<int>("timeout");
    QTest::addColumn<int>("late");
    QTest::addColumn<int>("transport");
    QTest::newRow("9600, 200 ms, 250 ms late") << 9600 << 200 << 250 << int(busEndpoint::Pty);
    QTest::newRow("19200, 100 ms, 150 ms late") << 19200 << 100 << 150 << int(busEndpoint::Pty);
    // Over the network a reply waits 250 ms at least; at 600 ms only the
    // transaction identifier tells the late reply from the next one.
    QTest::newRow("rtu+tcp, 100 ms, 350 ms late") << 19200 << 100 << 350 << int(busEndpoint::RtuOverTcp);
    QTest::newRow("tcp, 100 ms, 600 ms late") << 19200 << 100 << 600 << int(busEndpoint::ModbusTcp);
}

// The next request goes out at once and has the same shape as the one whose
// reply comes late: only the line's timing tells the two replies apart.
void tst_uart::lateReplyNotTakenForNextRequest()
{
    QFETCH(int, baud);
    QFETCH(int, timeout);
    QFETCH(int, late);
    QFETCH(int, transport);
    cSimBus bus;
    QVERIFY(bus.start());
    cSimModule *module = bus.addModule(1, baud, 0, 1);
    module->setLateReplyDelay(std::chrono::milliseconds(late));
    busEndpoint link(bus, transport);
    workerHarness h;
    QVERIFY(h.open(link.port(), baud, 0, quint16(timeout)));
    for (int i = 0; i < 10; ++i) {
        module->setFault(simFault::LateReply);
        QCOMPARE(h.read({workerHarness::query(4, 1, 1111, 1)}), -9);
        module->setFault(simFault::None);
        QCOMPARE(h.read({workerHarness::query(4, 1, 1115, 1)}), 0);
        QCOMPARE(h.image().getRegister(1115), quint16(1));
    }
}

// At 1200 baud 3.5 characters of 11 bits, whatever the format, are 32 ms of
// silence before every request, inside a batch and between a scan's probes.
void tst_uart::lineQuietBeforeEachRequest()
{
    const std::chrono::nanoseconds silence(qint64(3.5 * 11 * 1e9 / 1200));
    cSimBus bus;
    QVERIFY(bus.start());
    bus.addModule(1, 1200, 0, 1)->setPaced(true); // the module sees the line's real timing
    workerHarness h;
    QVERIFY(h.open(bus.portPath(), 1200, 0, 500));
    QCOMPARE(h.read({workerHarness::query(4, 1, 1111, 1)}), 0);
    bus.resetSilence();
    const query_info_t name = workerHarness::query(4, 1, 1111, 1);
    const QList<query_info_t> batch = {name, name, name};
    QCOMPARE(h.read(batch), 0);
    QVERIFY(h.scan(workerHarness::scanRange(1, 1, {7}, {0})));
    QCOMPARE(h.found.size(), 1);
    QVERIFY2(bus.shortestSilence() >= silence, qPrintable(QString::number(bus.shortestSilence().count())));
}

// The silence's wait aims early and learns how late sleeps wake: whatever it
// learned, it must not end before the moment it was given.
void tst_uart::preciseWaitNeverEarly_data()
{
    QTest::addColumn<qint64>("waitNs");
    QTest::newRow("past") << qint64(-100000);
    QTest::newRow("spin only") << qint64(20000);
    QTest::newRow("silence above 19200") << qint64(1750000);
    QTest::newRow("silence at 9600") << qint64(4010417);
}

void tst_uart::preciseWaitNeverEarly()
{
    QFETCH(qint64, waitNs);
    cPreciseWait wait;
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < 20; ++i) {
        const qint64 deadline = clock.nsecsElapsed() + waitNs;
        wait.until(clock, deadline);
        QVERIFY(clock.nsecsElapsed() >= deadline);
    }
}

void tst_uart::floodCannotOverflowReceiveBuffer()
{
    cPtyDevice far;
    QString error;
    QVERIFY2(far.open(&error), qPrintable(error));
    workerHarness h;
    QVERIFY(h.open(far.slavePath(), 9600, 0, 2000));
    const QList<query_info_t> batch = {workerHarness::query(3, 1, 0, 2)};
    h.startRead(batch);
    quint8 request[64];
    int got = 0;
    for (int i = 0; i < 500 && got < 8; ++i) {
        QTest::qWait(10);
        const ssize_t n = far.receive(request + got, sizeof(request) - size_t(got));
        if (n > 0)
            got += int(n);
    }
    QCOMPARE(got, 8);
    const QByteArray flood(5000, '\x55');
    QVERIFY(far.send(reinterpret_cast<const quint8 *>(flood.constData()), size_t(flood.size())));
    QVERIFY(workerHarness::waitUntil([&] { return !h.readEnds.isEmpty(); }));
    QCOMPARE(h.readEnds.first(), -2);
}

void tst_uart::deviceVanishingClosesPort_data()
{
    QTest::addColumn<int>("transport");
    for (int t : {busEndpoint::Pty, busEndpoint::RtuOverTcp, busEndpoint::ModbusTcp})
        QTest::newRow(busEndpoint::names[t]) << t;
}

// Noise reads as an error now and then; only the device (or device server) going away closes the port.
void tst_uart::deviceVanishingClosesPort()
{
    QFETCH(int, transport);
    cSimBus bus;
    QVERIFY(bus.start());
    cSimModule *module = bus.addModule(1, 9600, 0);
    busEndpoint link(bus, transport);
    workerHarness h;
    QVERIFY(h.open(link.port(), 9600, 0));
    for (int i = 0; i < (transport == busEndpoint::Pty ? 20 : 2); ++i) {
        module->setFault(simFault::Noise);
        QVERIFY(h.read({workerHarness::query(4, 1, 1111, 1)}) != 0);
        module->setFault(simFault::None);
        QCOMPARE(h.read({workerHarness::query(4, 1, 1111, 1)}), 0);
    }
    link.cut();
    QVERIFY(h.read({workerHarness::query(4, 1, 1111, 1)}) != 0);
    QTRY_VERIFY_WITH_TIMEOUT(!h.worker()->isPortOpen(), 10000);
    QCOMPARE(h.read({workerHarness::query(4, 1, 1111, 1)}), -10);
}

QTEST_MAIN(tst_uart)
#include "tst_uart.moc"

// Every echo mode on lines that echo and lines that do not, for each function
// the worker sends.
void tst_uart::adapterEcho_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("echoing");
    QTest::addColumn<int>("function");
    QTest::addColumn<int>("result");
    const char *const modeNames[] = {"auto", "yes", "no"};
    struct row_t { echoMode_t mode; bool echoing; int results[4]; };
    const row_t rows[] = {
        {echoMode_t::Automatic, false, {0, 0, 0, 0}},
        {echoMode_t::Automatic, true, {0, 0, 0, 0}},
        {echoMode_t::Yes, true, {0, 0, 0, 0}},
        // The reply of function 8 is taken for the echo; no reply follows it.
        {echoMode_t::Yes, false, {MB_ERR_NO_ECHO, MB_ERR_NO_ECHO, MB_ERR_NO_ECHO, MB_ERR_TIMEOUT}},
        {echoMode_t::No, false, {0, 0, 0, 0}},
        {echoMode_t::No, true, {refused, refused, refused, eitherWay}},
    };
    const int functions[] = {3, 4, 16, 8};
    for (const row_t &r : rows)
        for (int i = 0; i < 4; ++i)
            QTest::addRow("%s, %s line, function %d", modeNames[int(r.mode)], r.echoing ? "echoing" : "quiet",
                          functions[i]) << int(r.mode) << r.echoing << functions[i] << r.results[i];
}

void tst_uart::adapterEcho()
{
    QFETCH(int, mode);
    QFETCH(bool, echoing);
    QFETCH(int, function);
    QFETCH(int, result);
    m_bus.setEcho(echoing);
    workerHarness h;
    h.echo = echoMode_t(mode);
    QVERIFY(h.open(m_bus.portPath(), busBaud, 0, 100));
    QVector<busFrame_t> frames;
    connect(h.worker(), &cUart::busFramesSignal, &h, [&frames](const QVector<busFrame_t> &f) { frames << f; },
            Qt::QueuedConnection);
    h.worker()->watchBus(true);
    query_info_t q = workerHarness::query(quint16(function), addressOf(0), function == 4 ? 1111 : 1584,
                                          function == 3 ? 2 : 1);
    q.value = 111;
    h.image().setRegister(1584, 4321);
    const int got = function == 16 ? h.writeOne(q) : h.read({q});
    if (result == refused)
        QVERIFY2(got != 0, qPrintable(QString::number(got)));
    else if (result != eitherWay)
        QCOMPARE(got, result);
    if (result == 0 && function == 16)
        QCOMPARE(moduleOf(0)->reg(1584), quint16(4321));
    QTRY_COMPARE(frames.size(), 2);
    if (echoing)
        QCOMPARE(frames.last().echoLength, mode == int(echoMode_t::No) ? 0 : frames.first().bytes.size());
}

// Alone, a copy of a function 8 request may be its reply; after a reply with
// an echo before it, it is the echo of a request nobody answers.
void tst_uart::echoLearntTellsLoneCopyFromReply()
{
    m_bus.setEcho(true);
    workerHarness h;
    QVERIFY(h.open(m_bus.portPath(), busBaud, 0, 100));
    query_info_t nobody = workerHarness::query(8, 99, 0, 1);
    nobody.value = 111;
    QCOMPARE(h.read({workerHarness::query(4, addressOf(0), 1111, 1), nobody}), int(MB_ERR_TIMEOUT));
}

// A program that gives up before its first request retires a worker whose
// thread may not have settled yet.
void tst_uart::retiredAsSoonAsStarted()
{
    for (int i = 0; i < 100; ++i) {
        cModBusFunctions modbus;
        QThread thread;
        auto *worker = new cUart(&modbus);
        worker->runIn(thread);
        cUart::retire(worker, thread);
        QVERIFY(thread.isFinished());
    }
}
