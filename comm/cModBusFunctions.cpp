#include "cModBusFunctions.h"

#include <cstring>

namespace {

quint8 highByte(quint16 v) { return quint8(v >> 8); }
quint8 lowByte(quint16 v) { return quint8(v & 0xFF); }

void appendCrc(quint8 *frame, int length)
{
    const quint16 crc = cModBusFunctions::calcCrc16(frame, length);
    frame[length] = lowByte(crc);
    frame[length + 1] = highByte(crc);
}

} // namespace

cModBusFunctions::cModBusFunctions(QObject *parent)
    : QObject(parent)
{
    std::memset(m_image, 0, sizeof(m_image));
    m_image[50] = 5111;
    m_image[100] = 5165;
}

quint16 cModBusFunctions::calcCrc16(const quint8 *bytes, int length)
{
    quint16 crc = 0xFFFF;
    for (int i = 0; i < length; ++i) {
        crc ^= bytes[i];
        for (int bit = 0; bit < 8; ++bit) {
            const bool carry = crc & 1;
            crc >>= 1;
            if (carry)
                crc ^= 0xA001;
        }
    }
    return crc;
}

namespace {

int countLimit(quint16 function)
{
    switch (function) {
    case 3:
    case 4:
        return cModBusFunctions::maxReadRegisters;
    case 16:
        return cModBusFunctions::maxWriteRegisters;
    default:
        return cModBusFunctions::maxRegisters;
    }
}

} // namespace

bool cModBusFunctions::countFits(const query_info_t &query)
{
    return query.count >= 1 && query.count <= countLimit(query.function);
}

int cModBusFunctions::makeRequestFrame(const query_info_t &query, quint8 *frame,
                                       const quint16 *values, int &requestLength, int &replyLength)
{
    const int n = query.count;
    if (query.function != 3 && query.function != 4 && query.function != 8 && query.function != 16)
        return MB_ERR_ADDRESS_OR_FUNCTION;
    if (!countFits(query))
        return MB_ERR_COUNT;

    frame[0] = lowByte(query.address);
    frame[1] = quint8(query.function);
    switch (query.function) {
    case 3:
    case 4:
        frame[2] = highByte(query.startReg);
        frame[3] = lowByte(query.startReg);
        frame[4] = 0;
        frame[5] = quint8(n);
        requestLength = 8;
        replyLength = 2 * n + 5;
        break;
    case 8:
        frame[2] = 0;
        frame[3] = 0;
        frame[4] = highByte(query.value);
        frame[5] = lowByte(query.value);
        requestLength = 8;
        replyLength = 8;
        break;
    case 16:
        frame[2] = highByte(query.startReg);
        frame[3] = lowByte(query.startReg);
        frame[4] = highByte(quint16(n));
        frame[5] = lowByte(quint16(n));
        frame[6] = quint8(2 * n);
        for (int i = 0; i < n; ++i) {
            frame[7 + 2 * i] = highByte(values[i]);
            frame[8 + 2 * i] = lowByte(values[i]);
        }
        requestLength = 9 + 2 * n;
        replyLength = 8;
        break;
    }
    appendCrc(frame, requestLength - 2);
    return MB_OK;
}

namespace {

constexpr quint8 exceptionFlag = 0x80;
constexpr int exceptionLength = 5;

quint16 wordAt(const quint8 *frame, int offset)
{
    return quint16(frame[offset] << 8 | frame[offset + 1]);
}

// The length of the normal reply to a request; 0 for a function we never send.
int normalReplyLength(const query_info_t &query)
{
    switch (query.function) {
    case 3:
    case 4: return 5 + 2 * query.count;
    case 8:
    case 16: return 8;
    default: return 0;
    }
}

} // namespace

int cModBusFunctions::replyLengthSoFar(const quint8 *frame, int receivedLength, int normalLength)
{
    if (receivedLength >= 2 && (frame[1] & exceptionFlag))
        return exceptionLength;
    return normalLength;
}

// The checks every reply goes through, in order; 0 only for the one reply
// that answers this request. Nothing beyond receivedLength is read.
int cModBusFunctions::checkReply(const query_info_t &query, const quint8 *frame, int expectedLength,
                                 int receivedLength)
{
    if (receivedLength < 4 || receivedLength > frameSize)
        return MB_ERR_LENGTH;
    const bool exception = receivedLength == exceptionLength && (frame[1] & exceptionFlag);
    if (!exception && (receivedLength != expectedLength || receivedLength != normalReplyLength(query)))
        return MB_ERR_LENGTH;
    const quint16 crc = calcCrc16(frame, receivedLength - 2);
    if (frame[receivedLength - 2] != lowByte(crc) || frame[receivedLength - 1] != highByte(crc))
        return MB_ERR_CRC;
    if (frame[0] != lowByte(query.address))
        return MB_ERR_ADDRESS_OR_FUNCTION;
    if (exception)
        return frame[1] == quint8(query.function | exceptionFlag) ? MB_ERR_EXCEPTION : MB_ERR_ADDRESS_OR_FUNCTION;
    if (frame[1] != query.function)
        return MB_ERR_ADDRESS_OR_FUNCTION;
    if (query.function == 3 || query.function == 4)
        return frame[2] == 2 * query.count ? MB_OK : MB_ERR_BYTE_COUNT;
    return checkEcho(query, frame);
}

// A write repeats its first register and count; a diagnostic echo its data.
int cModBusFunctions::checkEcho(const query_info_t &query, const quint8 *frame)
{
    if (query.function == 16)
        return wordAt(frame, 2) == query.startReg && wordAt(frame, 4) == query.count ? MB_OK : MB_ERR_ECHO;
    return wordAt(frame, 2) == 0 && wordAt(frame, 4) == query.value ? MB_OK : MB_ERR_ECHO;
}

int cModBusFunctions::parseModuleReply(const query_info_t &query, const quint8 *frame,
                                       quint16 *values, int expectedLength, int receivedLength)
{
    if (!countFits(query))
        return MB_ERR_COUNT;
    const int result = checkReply(query, frame, expectedLength, receivedLength);
    if (result != MB_OK || (query.function != 3 && query.function != 4))
        return result;
    for (int k = 0; k < query.count; ++k)
        values[k] = wordAt(frame, 3 + 2 * k);
    return MB_OK;
}

int cModBusFunctions::parseScanReply(const query_info_t &query, const quint8 *frame,
                                     quint16 &value, int expectedLength, int receivedLength)
{
    if (query.function != 4 || query.count != 1)
        return MB_ERR_ADDRESS_OR_FUNCTION;
    const int result = checkReply(query, frame, expectedLength, receivedLength);
    if (result != MB_OK)
        return result;
    value = wordAt(frame, 3);
    return MB_OK;
}

quint32 cModBusFunctions::reorderBytes32(quint32 value, int order)
{
    const quint32 b0 = value & 0xFF, b1 = (value >> 8) & 0xFF;
    const quint32 b2 = (value >> 16) & 0xFF, b3 = value >> 24;
    switch (order) {
    case 1: return b1 << 24 | b0 << 16 | b3 << 8 | b2;
    case 2: return b2 << 24 | b3 << 16 | b0 << 8 | b1;
    case 3: return value;
    case 4: return b0 << 24 | b1 << 16 | b2 << 8 | b3;
    default: return 0;
    }
}

bool cModBusFunctions::fitsImage(quint16 startReg, int count)
{
    return count >= 0 && int(startReg) + count <= registerCount;
}

quint16 cModBusFunctions::getRegister(quint16 reg) const
{
    std::lock_guard<std::mutex> locker(m_lock);
    return reg < registerCount ? m_image[reg] : 0;
}

void cModBusFunctions::setRegister(quint16 reg, quint16 value)
{
    std::lock_guard<std::mutex> locker(m_lock);
    if (reg < registerCount)
        m_image[reg] = value;
}

// A 32-bit value as it lies in the pair reg, reg+1: reg holds the low half.
quint32 cModBusFunctions::pair(quint16 reg) const
{
    std::lock_guard<std::mutex> locker(m_lock);
    if (!fitsImage(reg, 2))
        return 0;
    return quint32(m_image[reg + 1]) << 16 | m_image[reg];
}

void cModBusFunctions::setPair(quint16 reg, quint32 value)
{
    std::lock_guard<std::mutex> locker(m_lock);
    if (!fitsImage(reg, 2))
        return;
    m_image[reg] = quint16(value & 0xFFFF);
    m_image[reg + 1] = quint16(value >> 16);
}

double cModBusFunctions::getFloat(quint16 reg) const
{
    const quint32 bits = reorderBytes32(pair(reg), 3);
    float f;
    std::memcpy(&f, &bits, sizeof(f));
    return f;
}

void cModBusFunctions::setFloat(quint16 reg, double value)
{
    const float f = float(value);
    quint32 bits;
    std::memcpy(&bits, &f, sizeof(bits));
    setPair(reg, reorderBytes32(bits, 3));
}

qint32 cModBusFunctions::getInt32(quint16 reg) const
{
    return qint32(reorderBytes32(pair(reg), 3));
}

// The 1-Wire identifiers rely on this storing the halves the other way round.
void cModBusFunctions::setInt32(quint16 reg, qint32 value)
{
    setPair(reg, reorderBytes32(quint32(value), 1));
}

QVector<quint16> cModBusFunctions::registers(quint16 startReg, int count) const
{
    std::lock_guard<std::mutex> locker(m_lock);
    if (!fitsImage(startReg, count))
        return {};
    return QVector<quint16>(m_image + startReg, m_image + startReg + count);
}

void cModBusFunctions::storeRegisters(quint16 startReg, const quint16 *values, int count)
{
    std::lock_guard<std::mutex> locker(m_lock);
    if (!fitsImage(startReg, count))
        return;
    std::memcpy(m_image + startReg, values, size_t(count) * sizeof(quint16));
}
