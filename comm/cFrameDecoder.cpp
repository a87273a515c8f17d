#include "cFrameDecoder.h"

#include "modbusTypes.h"

namespace {

quint16 wordAt(const quint8 *frame, int offset)
{
    return quint16(frame[offset] << 8 | frame[offset + 1]);
}

} // namespace

QString cFrameDecoder::hex(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex(' ').toUpper());
}

QString cFrameDecoder::request(const quint8 *frame, int length)
{
    if (length < 8)
        return tr("short frame");
    const quint8 function = frame[1];
    const QString head = tr("address %1, function %2").arg(frame[0]).arg(function);
    if (function == 8)
        return head + tr(", echo %1").arg(wordAt(frame, 4));
    return head + tr(", register %1, count %2").arg(wordAt(frame, 2)).arg(wordAt(frame, 4));
}

QString cFrameDecoder::reply(int result, const quint8 *frame, int length)
{
    if (result != MB_OK)
        return refusal(result, frame, length);
    const QString head = tr("address %1, function %2").arg(frame[0]).arg(frame[1]);
    if (frame[1] != 3 && frame[1] != 4)
        return head + tr(", confirmed");
    QStringList values;
    for (int i = 3; i + 1 < length - 2; i += 2)
        values << QString::number(wordAt(frame, i));
    return head + tr(", values %1").arg(values.join(QLatin1Char(' ')));
}

QString cFrameDecoder::refusal(int result, const quint8 *frame, int length)
{
    switch (result) {
    case MB_ERR_TIMEOUT: return length == 0 ? tr("time-out") : tr("time-out: incomplete reply");
    case MB_ERR_CRC: return tr("CRC error");
    case MB_ERR_LENGTH: return tr("refused: wrong length");
    case MB_ERR_EXCEPTION: return tr("exception %1").arg(length > 2 ? frame[2] : 0);
    case MB_ERR_BYTE_COUNT: return tr("refused: wrong byte count");
    case MB_ERR_ECHO: return tr("refused: echo differs from the request");
    case MB_ERR_ADDRESS_OR_FUNCTION: return tr("refused: wrong address or function");
    case MB_ERR_NO_ECHO: return tr("refused: the adapter's echo of the request is missing");
    case MB_ERR_PORT_CLOSED: return tr("port closed");
    default: return tr("refused (%1)").arg(result);
    }
}
