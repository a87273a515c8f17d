#ifndef SIMCRC_H
#define SIMCRC_H

#include <QtGlobal>
#include <cstddef>
#include <vector>

// CRC-16/MODBUS: reflected 0xA001, initial 0xFFFF, low byte first on the wire.
quint16 simCrc16(const quint8 *data, std::size_t length);
void simAppendCrc(std::vector<quint8> &frame);
bool simCrcOk(const std::vector<quint8> &frame);

#endif
