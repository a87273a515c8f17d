#include <QtTest>
#include <cstring>

#include "cModBusFunctions.h"

// Frames, CRC, reply checks and the register image.
class tst_modbusframes : public QObject
{
    Q_OBJECT

private slots:
    void crcVectors_data();
    void crcVectors();
    void requestFrames_data();
    void requestFrames();
    void badCount_data();
    void badCount();
    void moduleReply_data();
    void moduleReply();
    void scanReply_data();
    void scanReply();
    void readReplyStoresExactlyCount();
    void imageAfterConstruction();
    void floatPairs_data();
    void floatPairs();
    void int32WordOrders();
    void reorderBytes_data();
    void reorderBytes();
    void blockAccessOutsideImage();
};

namespace {

QByteArray bytes(const char *hex) { return QByteArray::fromHex(hex); }

const quint8 *raw(const QByteArray &a) { return reinterpret_cast<const quint8 *>(a.constData()); }

query_info_t query(quint16 function, quint16 address, quint16 reg, quint16 count, quint16 value = 0)
{
    query_info_t q;
    q.function = function;
    q.address = address;
    q.startReg = reg;
    q.count = count;
    q.value = value;
    q.moduleType = 3310;
    return q;
}

QByteArray withCrc(QByteArray frame)
{
    const quint16 crc = cModBusFunctions::calcCrc16(raw(frame), frame.size());
    frame.append(char(crc & 0xFF));
    frame.append(char(crc >> 8));
    return frame;
}

} // namespace

void tst_modbusframes::crcVectors_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<int>("crc");
    // The published check value of CRC-16/MODBUS and well-known frames.
    QTest::newRow("check string") << QByteArray("123456789") << 0x4B37;
    QTest::newRow("read input 5/1111") << bytes("0504045700 01") << 0xAE80;
    QTest::newRow("read holding 1/0 x2") << bytes("010300000002") << 0x0BC4;
    QTest::newRow("empty") << QByteArray() << 0xFFFF;
}

void tst_modbusframes::crcVectors()
{
    QFETCH(QByteArray, data);
    QFETCH(int, crc);
    QCOMPARE(int(cModBusFunctions::calcCrc16(raw(data), data.size())), crc);
}

void tst_modbusframes::requestFrames_data()
{
    QTest::addColumn<int>("function");
    QTest::addColumn<int>("address");
    QTest::addColumn<int>("reg");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("value");
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<int>("replyLength");
    QTest::newRow("fn4 5/1111") << 4 << 5 << 1111 << 1 << 0 << bytes("05040457000180AE") << 7;
    QTest::newRow("fn3 1/0 x2") << 3 << 1 << 0 << 2 << 0 << bytes("010300000002C40B") << 9;
    QTest::newRow("fn8 echo 111") << 8 << 7 << 0 << 1 << 111 << withCrc(bytes("07080000006F")) << 8;
    QTest::newRow("address high byte dropped") << 4 << 0x0105 << 1111 << 1 << 0
                                               << bytes("05040457000180AE") << 7;
    QTest::newRow("fn3 x125") << 3 << 2 << 10 << 125 << 0 << withCrc(bytes("0203000A007D")) << 255;
}

void tst_modbusframes::requestFrames()
{
    QFETCH(int, function);
    QFETCH(int, address);
    QFETCH(int, reg);
    QFETCH(int, count);
    QFETCH(int, value);
    QFETCH(QByteArray, frame);
    QFETCH(int, replyLength);
    quint8 out[cModBusFunctions::frameSize] = {};
    int requestLength = 0, expected = 0;
    const query_info_t q = query(quint16(function), quint16(address), quint16(reg), quint16(count),
                                 quint16(value));
    QCOMPARE(cModBusFunctions::makeRequestFrame(q, out, nullptr, requestLength, expected), 0);
    QCOMPARE(QByteArray(reinterpret_cast<char *>(out), requestLength).toHex(), frame.toHex());
    QCOMPARE(expected, replyLength);
}

void tst_modbusframes::badCount_data()
{
    QTest::addColumn<int>("function");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("result");
    QTest::newRow("read 0") << 3 << 0 << -4;
    QTest::newRow("read 129") << 4 << 129 << -4;
    QTest::newRow("write 129") << 16 << 129 << -4;
    QTest::newRow("echo 0") << 8 << 0 << -4;
    // A byte count of 252 and more cannot be told in one byte.
    QTest::newRow("read 126") << 3 << 126 << -4;
    QTest::newRow("write 124") << 16 << 124 << -4;
    QTest::newRow("write 128") << 16 << 128 << -4;
    QTest::newRow("unknown function") << 6 << 1 << -13;
}

void tst_modbusframes::badCount()
{
    QFETCH(int, function);
    QFETCH(int, count);
    QFETCH(int, result);
    quint8 out[cModBusFunctions::frameSize] = {};
    quint16 values[200] = {};
    int requestLength = -1, expected = -1;
    const query_info_t q = query(quint16(function), 1, 0, quint16(count));
    QCOMPARE(cModBusFunctions::makeRequestFrame(q, out, values, requestLength, expected), result);
    QCOMPARE(requestLength, -1);
    QCOMPARE(int(out[0]), 0);
}

void tst_modbusframes::moduleReply_data()
{
    QTest::addColumn<int>("function");
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<int>("expected");
    QTest::addColumn<int>("result");
    const QByteArray good = withCrc(bytes("0503040CEE0002"));
    QByteArray swapped = good.left(7);
    swapped.append(good.at(8)).append(good.at(7));
    QTest::newRow("read ok") << 3 << good << 9 << 0;
    QTest::newRow("crc swapped") << 3 << swapped << 9 << -1;
    QTest::newRow("short") << 3 << good.left(8) << 9 << -2;
    QTest::newRow("long") << 3 << good + "\x01" << 9 << -2;
    QTest::newRow("other address") << 3 << withCrc(bytes("0603040CEE0002")) << 9 << -13;
    QTest::newRow("exception") << 3 << withCrc(bytes("058302")) << 9 << -3;
    QTest::newRow("unexpected function") << 3 << withCrc(bytes("0511040CEE0002")) << 9 << -13;
    QTest::newRow("write reply to a read") << 3 << withCrc(bytes("0510062E00")) << 7 << -2;
    QTest::newRow("write reply to a read, right length") << 3 << withCrc(bytes("0510062E0002")) << 9 << -2;
    QTest::newRow("fn 4 reply to fn 3") << 3 << withCrc(bytes("0504040CEE0002")) << 9 << -13;
    QTest::newRow("byte count") << 3 << withCrc(bytes("0503020CEE0002")) << 9 << -7;
    QTest::newRow("read reply to a write") << 16 << withCrc(bytes("0503040CEE0002")) << 9 << -2;
    QTest::newRow("fn 3 reply to a write, write length") << 16 << withCrc(bytes("050302000A")) << 8 << -2;
    QTest::newRow("write ok") << 16 << withCrc(bytes("0510062E0002")) << 8 << 0;
    QTest::newRow("write echoes another register") << 16 << withCrc(bytes("0510062F0002")) << 8 << -8;
    QTest::newRow("write echoes another count") << 16 << withCrc(bytes("0510062E0001")) << 8 << -8;
    QTest::newRow("echo of other data") << 8 << withCrc(bytes("05080000006E")) << 8 << -8;
    QTest::newRow("echo ok") << 8 << withCrc(bytes("05080000006F")) << 8 << 0;
}

void tst_modbusframes::moduleReply()
{
    QFETCH(int, function);
    QFETCH(QByteArray, reply);
    QFETCH(int, expected);
    QFETCH(int, result);
    quint16 values[4] = {0xAAAA, 0xAAAA, 0xAAAA, 0xAAAA};
    const query_info_t q = query(quint16(function), 5, 1582, 2, 111);
    QCOMPARE(cModBusFunctions::parseModuleReply(q, raw(reply), values, expected, reply.size()),
             result);
    if (result == 0 && function == 3) {
        QCOMPARE(values[0], quint16(0x0CEE));
        QCOMPARE(values[1], quint16(0x0002));
    }
    if (result != 0)
        QCOMPARE(values[0], quint16(0xAAAA));
}

void tst_modbusframes::scanReply_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("value");
    QTest::newRow("ok") << withCrc(bytes("0504020CEE")) << 0 << 3310;
    QTest::newRow("fn3 instead of fn4") << withCrc(bytes("0503020CEE")) << -13 << 0;
    QTest::newRow("other address") << withCrc(bytes("0704020CEE")) << -13 << 0;
    QTest::newRow("bad crc") << bytes("0504020CEE0000") << -1 << 0;
    QTest::newRow("short") << withCrc(bytes("0504020C")) << -2 << 0;
}

void tst_modbusframes::scanReply()
{
    QFETCH(QByteArray, reply);
    QFETCH(int, result);
    QFETCH(int, value);
    quint16 got = 0;
    const query_info_t q = query(4, 5, 1111, 1);
    QCOMPARE(cModBusFunctions::parseScanReply(q, raw(reply), got, 7, reply.size()), result);
    QCOMPARE(int(got), value);
}

void tst_modbusframes::readReplyStoresExactlyCount()
{
    const QByteArray reply = withCrc(bytes("010406000100020003"));
    quint16 values[5] = {9, 9, 9, 9, 9};
    const query_info_t q = query(4, 1, 0, 3);
    QCOMPARE(cModBusFunctions::parseModuleReply(q, raw(reply), values, 11, reply.size()), 0);
    QCOMPARE(values[0], quint16(1));
    QCOMPARE(values[2], quint16(3));
    QCOMPARE(values[3], quint16(9));
}

void tst_modbusframes::imageAfterConstruction()
{
    cModBusFunctions mb;
    for (int r = 0; r < cModBusFunctions::registerCount; ++r) {
        const quint16 expected = r == 50 ? 5111 : r == 100 ? 5165 : 0;
        QCOMPARE(mb.getRegister(quint16(r)), expected);
    }
}

void tst_modbusframes::floatPairs_data()
{
    QTest::addColumn<int>("reg");
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("low");
    QTest::addColumn<int>("high");
    QTest::newRow("1.0 even") << 200 << 1.0 << 0x0000 << 0x3F80;
    QTest::newRow("1.0 odd") << 201 << 1.0 << 0x0000 << 0x3F80;
    QTest::newRow("-2.5") << 1009 << -2.5 << 0x0000 << 0xC020;
    QTest::newRow("94.282") << 1600 << 94.282 << 0x9062 << 0x42BC;
}

void tst_modbusframes::floatPairs()
{
    QFETCH(int, reg);
    QFETCH(double, value);
    QFETCH(int, low);
    QFETCH(int, high);
    cModBusFunctions mb;
    mb.setFloat(quint16(reg), value);
    QCOMPARE(int(mb.getRegister(quint16(reg))), low);
    QCOMPARE(int(mb.getRegister(quint16(reg + 1))), high);
    QCOMPARE(mb.getFloat(quint16(reg)), double(float(value)));
}

void tst_modbusframes::int32WordOrders()
{
    cModBusFunctions mb;
    mb.setRegister(10, 0x5678);
    mb.setRegister(11, 0x1234);
    QCOMPARE(mb.getInt32(10), 0x12345678);
    mb.setInt32(10, 0x12345678);
    QCOMPARE(mb.getRegister(10), quint16(0x1234));
    QCOMPARE(mb.getRegister(11), quint16(0x5678));
    QCOMPARE(mb.getInt32(10), 0x56781234);
    mb.setInt32(21, -2);
    QCOMPARE(mb.getRegister(21), quint16(0xFFFF));
    QCOMPARE(mb.getRegister(22), quint16(0xFFFE));
}

void tst_modbusframes::reorderBytes_data()
{
    QTest::addColumn<uint>("order");
    QTest::addColumn<uint>("result");
    QTest::newRow("1 halves") << 1u << 0x33441122u;
    QTest::newRow("2 bytes in halves") << 2u << 0x22114433u;
    QTest::newRow("3 unchanged") << 3u << 0x11223344u;
    QTest::newRow("4 reversed") << 4u << 0x44332211u;
    QTest::newRow("5 none") << 5u << 0u;
    QTest::newRow("0 none") << 0u << 0u;
}

void tst_modbusframes::reorderBytes()
{
    QFETCH(uint, order);
    QFETCH(uint, result);
    QCOMPARE(uint(cModBusFunctions::reorderBytes32(0x11223344u, int(order))), result);
}

void tst_modbusframes::blockAccessOutsideImage()
{
    cModBusFunctions mb;
    const quint16 values[2] = {7, 8};
    mb.storeRegisters(3199, values, 2);
    QCOMPARE(mb.getRegister(3199), quint16(0));
    QVERIFY(mb.registers(3199, 2).isEmpty());
    QCOMPARE(mb.registers(3198, 2).size(), 2);
    QVERIFY(cModBusFunctions::fitsImage(3072, 128));
    QVERIFY(!cModBusFunctions::fitsImage(3073, 128));
}

QTEST_APPLESS_MAIN(tst_modbusframes)
#include "tst_modbusframes.moc"
