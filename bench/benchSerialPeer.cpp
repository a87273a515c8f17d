// The smallest program of the headless bench's peer: Qt Core and Qt Serial
// Port only, one ModBus read of one holding register from address 1 at
// 115200 8N1 on the pty given, then it ends (status 0 when answered).

#include <QCoreApplication>
#include <QSerialPort>

namespace {

constexpr int answerMs = 2000;
constexpr int replyBytes = 7; // address, function, count, one register, CRC

quint16 crc16(const QByteArray &bytes)
{
    quint16 crc = 0xFFFF;
    for (const char c : bytes) {
        crc ^= quint8(c);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? quint16((crc >> 1) ^ 0xA001) : quint16(crc >> 1);
    }
    return crc;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc < 2)
        return 2;
    QSerialPort port(QString::fromLocal8Bit(argv[1]));
    port.setBaudRate(115200);
    if (!port.open(QIODevice::ReadWrite))
        return 3;
    QByteArray request = QByteArray::fromHex("010300000001");
    const quint16 crc = crc16(request);
    request.append(char(crc & 0xFF)).append(char(crc >> 8));
    port.write(request);
    port.waitForBytesWritten(answerMs);
    QByteArray reply;
    while (reply.size() < replyBytes && port.waitForReadyRead(answerMs))
        reply += port.readAll();
    return reply.size() >= replyBytes ? 0 : 1;
}
