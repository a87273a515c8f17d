#include "cMbapFrame.h"

#include "cModBusFunctions.h"

namespace {

constexpr int rtuCrcSize = 2;

quint16 wordAt(const QByteArray &bytes, int at)
{
    return quint16(quint8(bytes[at]) << 8 | quint8(bytes[at + 1]));
}

void appendWord(QByteArray &bytes, quint16 word)
{
    bytes.append(char(word >> 8));
    bytes.append(char(word & 0xFF));
}

} // namespace

cMbapFrame cMbapFrame::fromRtu(const quint8 *rtu, int length, quint16 transaction)
{
    cMbapFrame frame;
    frame.transaction = transaction;
    if (length < 1 + rtuCrcSize)
        return frame;
    frame.unit = rtu[0];
    frame.pdu = QByteArray(reinterpret_cast<const char *>(rtu + 1), length - 1 - rtuCrcSize);
    return frame;
}

cMbapFrame::take_t cMbapFrame::take(QByteArray &stream, cMbapFrame *frame)
{
    if (stream.size() < headerSize)
        return Incomplete;
    // The length counts the unit and the PDU; a PDU has its function at least.
    const int length = wordAt(stream, 4);
    if (wordAt(stream, 2) != 0 || length < 2 || length > longestPdu + 1)
        return Broken;
    if (stream.size() < headerSize - 1 + length)
        return Incomplete;
    frame->transaction = wordAt(stream, 0);
    frame->protocol = 0;
    frame->unit = quint8(stream[6]);
    frame->pdu = stream.mid(headerSize, length - 1);
    stream.remove(0, headerSize - 1 + length);
    return Taken;
}

QByteArray cMbapFrame::adu() const
{
    QByteArray bytes;
    appendWord(bytes, transaction);
    appendWord(bytes, protocol);
    appendWord(bytes, quint16(pdu.size() + 1));
    bytes.append(char(unit));
    return bytes + pdu;
}

QByteArray cMbapFrame::rtu() const
{
    QByteArray bytes = char(unit) + pdu;
    const quint16 crc = cModBusFunctions::calcCrc16(reinterpret_cast<const quint8 *>(bytes.constData()),
                                                    bytes.size());
    bytes.append(char(crc & 0xFF));
    bytes.append(char(crc >> 8));
    return bytes;
}
