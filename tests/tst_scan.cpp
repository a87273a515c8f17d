#include <QtTest>

#include "cSimBus.h"
#include "workerHarness.h"

// The module scan in the worker against a simulated bus.
class tst_scan : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void emptyRangeReportsEveryAddress();
    void reportsEachAnsweringCombination_data();
    void reportsEachAnsweringCombination();
    void probesTypeThenVariant();
    void stopEndsWithEndAddress();
    void interruptEndsReplyWaitAtOnce();
    void pauseRaiseEndContinue();
    void endLoweredBelowProbedAddressStillEnds();
    void portClosedStillReportsEnd();
    void lastAddressEndsScan();
    void requestDuringScanRunsAfterIt();

private:
    cSimBus m_bus;
    static constexpr quint16 timeout = 50;
};

namespace {
enum { b115200, b57600, b38400, b19200, b9600 };
enum { f8N1, f8N2, f8E1, f8O1 };
} // namespace

void tst_scan::initTestCase()
{
    QString error;
    QVERIFY2(m_bus.start(&error), qPrintable(error));
    m_bus.addModule(2, 19200, f8E1, 3);
    m_bus.addModule(5, 9600, f8N1, 1);
    m_bus.addModule(5, 115200, f8N2, 12);
    m_bus.addModule(7, 9600, f8O1, 2);
}

void tst_scan::emptyRangeReportsEveryAddress()
{
    workerHarness h;
    QVERIFY(h.open(m_bus.portPath(), 115200, f8N1, timeout));
    QVERIFY(h.scan(workerHarness::scanRange(10, 12, {b9600}, {f8N1})));
    QCOMPARE(h.progress, QList<int>({10, 11, 12}));
    QVERIFY(h.found.isEmpty());
    QVERIFY(h.aborts.isEmpty());
    QCOMPARE(h.tried, QStringList({"10@9600:8N1", "11@9600:8N1", "12@9600:8N1"}));
}

void tst_scan::reportsEachAnsweringCombination_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("end");
    QTest::addColumn<QList<int>>("bauds");
    QTest::addColumn<QList<int>>("formats");
    QTest::addColumn<QStringList>("expected"); // address/baud index/format index/variant/parity/stop
    const QList<int> allFormats = {f8N1, f8N2, f8E1, f8O1};
    QTest::newRow("19200 8E1 only there") << 1 << 3 << QList<int>{b115200, b19200, b9600} << allFormats
                                          << QStringList{"2/3/2/3/2/1"};
    QTest::newRow("one address, two lines") << 4 << 6 << QList<int>{b115200, b19200, b9600} << allFormats
                                            << QStringList{"5/0/1/12/0/2", "5/4/0/1/0/1"};
    QTest::newRow("odd parity") << 7 << 7 << QList<int>{b9600} << allFormats << QStringList{"7/4/3/2/1/1"};
    QTest::newRow("format not ticked") << 1 << 2 << QList<int>{b19200} << QList<int>{f8N1, f8O1}
                                       << QStringList{};
}

void tst_scan::reportsEachAnsweringCombination()
{
    QFETCH(int, start);
    QFETCH(int, end);
    QFETCH(QList<int>, bauds);
    QFETCH(QList<int>, formats);
    QFETCH(QStringList, expected);
    workerHarness h;
    QVERIFY(h.open(m_bus.portPath(), 115200, f8N1, timeout));
    QVERIFY(h.scan(workerHarness::scanRange(start, end, bauds, formats)));
    QStringList got;
    for (const scan_return_t &m : h.found) {
        QCOMPARE(m.moduleType, quint16(3310));
        got << QStringLiteral("%1/%2/%3/%4/%5/%6")
                   .arg(m.address).arg(m.baudIndex).arg(m.formatIndex)
                   .arg(m.moduleVariant).arg(m.parityCode).arg(m.stopBits);
    }
    QCOMPARE(got, expected);
    QList<int> all;
    for (int a = start; a <= end; ++a)
        all << a;
    QCOMPARE(h.progress, all);
    QCOMPARE(h.tried.size(), (end - start + 1) * bauds.size() * formats.size());
}

void tst_scan::probesTypeThenVariant()
{
    cSimBus bus;
    QVERIFY(bus.start());
    cSimModule *module = bus.addModule(3, 9600, f8N1, 4);
    workerHarness h;
    QVERIFY(h.open(bus.portPath(), 9600, f8N1, timeout));
    module->setInputReg(1111, 3311);
    QVERIFY(h.scan(workerHarness::scanRange(3, 3, {b9600}, {f8N1})));
    QCOMPARE(h.found.size(), 1);
    QCOMPARE(h.found.first().moduleType, quint16(3311));
    QCOMPARE(h.found.first().moduleVariant, quint16(4));
    QCOMPARE(module->requestCount(), 2);
}

void tst_scan::stopEndsWithEndAddress()
{
    workerHarness h;
    QVERIFY(h.open(m_bus.portPath(), 115200, f8N1, timeout));
    const scanRequest_t request = workerHarness::scanRange(100, 200, {b9600}, {f8N1});
    h.startScan(request);
    QVERIFY(workerHarness::waitUntil([&] { return h.progress.size() >= 2; }));
    h.stopScan();
    QVERIFY(workerHarness::waitUntil([&] { return !h.aborts.isEmpty(); }));
    QCOMPARE(h.aborts, QList<int>({200}));
    const int reported = h.progress.size();
    QTest::qWait(3 * timeout);
    QCOMPARE(h.progress.size(), reported);
    QVERIFY(h.progress.last() < 200);
    // A stop confirmed after the end leaves the polls that follow alone.
    h.worker()->interruptScan();
    QCOMPARE(h.read({workerHarness::query(4, 5, 1111, 1)}), 0);
}

// With a reply time-out far above any wait of the windows, an interrupted
// scan still ends long before one time-out has passed.
void tst_scan::interruptEndsReplyWaitAtOnce()
{
    constexpr quint16 longTimeout = 30000;
    workerHarness h;
    QVERIFY(h.open(m_bus.portPath(), 115200, f8N1, longTimeout));
    h.startScan(workerHarness::scanRange(100, 101, {b9600}, {f8N1}));
    QVERIFY(workerHarness::waitUntil([&] { return !h.tried.isEmpty(); }));
    QElapsedTimer clock;
    clock.start();
    h.stopScan();
    h.worker()->interruptScan();
    QVERIFY(workerHarness::waitUntil([&] { return !h.aborts.isEmpty(); }, longTimeout));
    QVERIFY(clock.elapsed() < longTimeout / 3);
    QCOMPARE(h.aborts, QList<int>({101}));
    QVERIFY(h.progress.isEmpty());
}

void tst_scan::pauseRaiseEndContinue()
{
    workerHarness h;
    QVERIFY(h.open(m_bus.portPath(), 115200, f8N1, timeout));
    const scanRequest_t request = workerHarness::scanRange(1, 2, {b19200}, {f8E1});
    h.pauseScan();
    h.startScan(request);
    h.pauseScan();
    QTest::qWait(4 * timeout);
    QVERIFY(h.progress.isEmpty());
    h.setScanEnd(3);
    h.continueScan();
    QVERIFY(workerHarness::waitUntil([&] { return h.progress.contains(3); }));
    QCOMPARE(h.progress, QList<int>({1, 2, 3}));
    QCOMPARE(h.found.size(), 1);
    QCOMPARE(h.found.first().address, quint16(2));
}

void tst_scan::endLoweredBelowProbedAddressStillEnds()
{
    workerHarness h;
    QVERIFY(h.open(m_bus.portPath(), 115200, f8N1, timeout));
    const scanRequest_t request = workerHarness::scanRange(20, 30, {b9600}, {f8N1});
    h.startScan(request);
    QVERIFY(workerHarness::waitUntil([&] { return h.progress.size() >= 2; }));
    h.pauseScan();
    h.setScanEnd(20);
    h.continueScan();
    QVERIFY(workerHarness::waitUntil([&] { return h.progress.last() == 20 && h.progress.size() > 2; }));
    QVERIFY(h.aborts.isEmpty());
}

void tst_scan::portClosedStillReportsEnd()
{
    workerHarness h;
    const scanRequest_t request = workerHarness::scanRange(1, 9, {b9600}, {f8N1});
    h.startScan(request);
    QVERIFY(workerHarness::waitUntil([&] { return !h.aborts.isEmpty(); }));
    QCOMPARE(h.aborts, QList<int>({9}));
    QVERIFY(h.progress.isEmpty());
}

void tst_scan::lastAddressEndsScan()
{
    workerHarness h;
    QVERIFY(h.open(m_bus.portPath(), 115200, f8N1, timeout));
    QVERIFY(h.scan(workerHarness::scanRange(254, 255, {}, {})));
    QCOMPARE(h.progress, QList<int>({254, 255}));
    QVERIFY(h.read({workerHarness::query(4, 5, 1111, 1)}) != workerHarness::noAnswer);
}

void tst_scan::requestDuringScanRunsAfterIt()
{
    workerHarness h;
    QVERIFY(h.open(m_bus.portPath(), 9600, f8N1, timeout));
    const scanRequest_t request = workerHarness::scanRange(4, 6, {b9600}, {f8N1});
    const QList<query_info_t> batch = {workerHarness::query(4, 5, 1115, 1)};
    h.startScan(request);
    h.startRead(batch);
    QVERIFY(workerHarness::waitUntil([&] { return !h.readEnds.isEmpty(); }));
    QCOMPARE(h.progress, QList<int>({4, 5, 6}));
    QCOMPARE(h.readEnds, QList<int>({0}));
    QCOMPARE(h.image().getRegister(1115), quint16(1));
}

QTEST_MAIN(tst_scan)
#include "tst_scan.moc"
