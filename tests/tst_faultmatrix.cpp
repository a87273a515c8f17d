#include <QtTest>

#include "cSimBus.h"
#include "workerHarness.h"

// Every request kind at every frame format against every way a reply can go
// wrong, with the real worker over a pseudo-terminal: the result code, a
// failure within its time-out, an image a failed read leaves alone, and a
// next request to the healthy module that gets its own answer.
class tst_faultmatrix : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void matrix_data();
    void matrix();

private:
    cSimBus m_bus;
    cSimModule *m_modules[4] = {};
};

namespace {

constexpr qint32 busBaud = 19200;
constexpr quint16 timeoutMs = 100;
constexpr quint16 lateTimeoutMs = 400; // late replies: 200 ms from either edge
constexpr int lateMs = 600; // past the time-out, before the quiet after it ends
constexpr int marginMs = 2000; // a loaded machine, never a second time-out
const char *const formatNames[4] = {"8N1", "8N2", "8E1", "8O1"};

// A faulty request and a next one of the same shape, so that a late reply
// to the first would pass every check of the second but its timing.
struct kind_t
{
    const char *name;
    quint16 function;
    quint16 reg;
    quint16 nextReg;
    quint16 count;
};

const kind_t kinds[] = {
    {"fn 3", 3, 1582, 1584, 2},
    {"fn 4", 4, 1111, 1115, 1},
    {"fn 8", 8, 0, 0, 1},
    {"fn 16", 16, 1584, 1585, 1},
};

enum fault_t { NoReply, BadCrc, WrongAddress, WrongFunction, WrongCount, Exception, Split, Trailing, Late, Vanish };

struct faultRow_t
{
    const char *name;
    fault_t fault;
    simFault simulated;
};

const faultRow_t faults[] = {
    {"no reply", NoReply, simFault::NoReply},
    {"bad crc", BadCrc, simFault::BadCrc},
    {"wrong address", WrongAddress, simFault::WrongAddress},
    {"wrong function", WrongFunction, simFault::WrongFunction},
    {"wrong count", WrongCount, simFault::WrongCount},
    {"exception", Exception, simFault::Exception},
    {"split reply", Split, simFault::Split},
    {"trailing garbage", Trailing, simFault::TrailingGarbage},
    {"late reply", Late, simFault::LateReply},
    {"device vanishing", Vanish, simFault::NoReply},
};

int expectedResult(fault_t fault, quint16 function)
{
    const bool read = function == 3 || function == 4;
    switch (fault) {
    case NoReply:
    case Late: return MB_ERR_TIMEOUT;
    case BadCrc: return MB_ERR_CRC;
    case WrongAddress:
    case WrongFunction: return MB_ERR_ADDRESS_OR_FUNCTION;
    case WrongCount: return read ? MB_ERR_BYTE_COUNT : MB_ERR_ECHO;
    case Exception: return MB_ERR_EXCEPTION;
    case Split: return MB_OK;
    case Trailing: return MB_ERR_LENGTH;
    case Vanish: return workerHarness::noAnswer; // any failure
    }
    return MB_OK;
}

query_info_t request(const kind_t &kind, quint16 address, bool next)
{
    query_info_t q = workerHarness::query(kind.function, address, next ? kind.nextReg : kind.reg, kind.count);
    if (kind.function == 8)
        q.value = next ? 222 : 111;
    return q;
}

int run(workerHarness &h, const QList<query_info_t> &batch)
{
    return batch.first().function == 16 ? h.writeBatch(batch) : h.read(batch);
}

} // namespace

void tst_faultmatrix::initTestCase()
{
    QString error;
    QVERIFY2(m_bus.start(&error), qPrintable(error));
    for (int f = 0; f < 4; ++f) {
        m_modules[f] = m_bus.addModule(quint8(20 + f), busBaud, f, quint16(f + 1));
        m_modules[f]->setLateReplyDelay(std::chrono::milliseconds(lateMs));
        m_modules[f]->setReg(1584, 777);
        m_modules[f]->setReg(1585, 888);
    }
}

void tst_faultmatrix::matrix_data()
{
    QTest::addColumn<int>("format");
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("batch");
    QTest::addColumn<int>("fault");
    for (int f = 0; f < 4; ++f)
        for (int k = 0; k < 4; ++k)
            for (bool batch : {false, true})
                for (int i = 0; i < int(std::size(faults)); ++i)
                    QTest::addRow("%s %s %s %s", formatNames[f], kinds[k].name, batch ? "batch" : "single",
                                  faults[i].name)
                        << f << k << batch << i;
}

void tst_faultmatrix::matrix()
{
    QFETCH(int, format);
    QFETCH(int, kind);
    QFETCH(bool, batch);
    QFETCH(int, fault);
    const kind_t &k = kinds[kind];
    const faultRow_t &row = faults[fault];
    cSimModule *module = m_modules[format];
    const quint16 address = quint16(20 + format);
    const bool read = k.function == 3 || k.function == 4;

    const quint16 timeout = row.fault == Late ? lateTimeoutMs : timeoutMs;
    workerHarness h;
    QVERIFY(h.open(m_bus.portPath(), busBaud, format, timeout));
    for (quint16 r = 1111; r < 1590; ++r)
        h.image().setRegister(r, 0xBEEF);
    h.image().setRegister(1584, 4321);
    h.image().setRegister(1585, 5432);
    const QList<query_info_t> requests = batch ? QList<query_info_t>{request(k, address, false), request(k, address, true)}
                                               : QList<query_info_t>{request(k, address, false)};
    module->setFault(row.simulated);
    QObject rowLife; // a timer still pending dies with its row
    if (row.fault == Vanish)
        QTimer::singleShot(30, &rowLife, [this] { m_bus.vanish(); });
    const int writes = m_bus.writesMade();
    QElapsedTimer clock;
    clock.start();
    const int result = run(h, requests);
    const qint64 elapsed = clock.elapsed();
    module->setFault(simFault::None);

    QVERIFY2(elapsed < timeout + marginMs, qPrintable(QString::number(elapsed)));
    if (row.fault == Vanish) {
        QVERIFY(result != MB_OK && result != workerHarness::noAnswer);
        if (m_bus.isRunning()) // the timer came after the request's end
            m_bus.vanish();
        QTRY_VERIFY_WITH_TIMEOUT(!h.worker()->isPortOpen(), 5000);
        QCOMPARE(run(h, requests), int(MB_ERR_PORT_CLOSED));
        QVERIFY(m_bus.start());
        QVERIFY(h.reInit(m_bus.portPath(), busBaud, format, timeoutMs));
    } else {
        QCOMPARE(result, expectedResult(row.fault, k.function));
    }
    if (row.fault == Split)
        QCOMPARE(m_bus.writesMade() - writes, 3 * requests.size());
    if (read && result != MB_OK)
        QCOMPARE(h.image().getRegister(k.reg), quint16(0xBEEF));
    if (read && result == MB_OK)
        QCOMPARE(h.image().getRegister(k.reg), k.function == 3 ? module->reg(k.reg) : module->inputReg(k.reg));

    // At once, as the dialog's next poll would.
    QCOMPARE(run(h, {request(k, address, true)}), int(MB_OK));
    if (k.function == 3)
        QCOMPARE(h.image().getRegister(k.nextReg), quint16(777));
    if (k.function == 4)
        QCOMPARE(h.image().getRegister(k.nextReg), quint16(format + 1));
    if (k.function == 16)
        QCOMPARE(module->reg(k.nextReg), quint16(5432));
}

QTEST_MAIN(tst_faultmatrix)
#include "tst_faultmatrix.moc"
