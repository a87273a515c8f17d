#include "simCrc.h"

quint16 simCrc16(const quint8 *data, std::size_t length)
{
    quint16 crc = 0xFFFF;
    for (std::size_t i = 0; i < length; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? quint16((crc >> 1) ^ 0xA001) : quint16(crc >> 1);
    }
    return crc;
}

void simAppendCrc(std::vector<quint8> &frame)
{
    const quint16 crc = simCrc16(frame.data(), frame.size());
    frame.push_back(quint8(crc & 0xFF));
    frame.push_back(quint8(crc >> 8));
}

bool simCrcOk(const std::vector<quint8> &frame)
{
    if (frame.size() < 4)
        return false;
    const std::size_t body = frame.size() - 2;
    const quint16 crc = simCrc16(frame.data(), body);
    return frame[body] == quint8(crc & 0xFF) && frame[body + 1] == quint8(crc >> 8);
}
