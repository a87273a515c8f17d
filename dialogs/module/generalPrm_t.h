#ifndef GENERALPRM_T_H
#define GENERALPRM_T_H

#include <QtGlobal>

// The module's communication parameters as last decoded from 1582/1583.
struct comPrm_t
{
    quint8 mode = 0;
    quint8 address = 0;
    qint32 baud = 0;
    quint8 twoStopBits = 0;
    quint8 parity = 0;
    quint8 byteOrder = 0;
};

// The module's time-outs as last read.
struct sysPrm_t
{
    quint16 safetyTimeout = 0;
    quint16 wdtTimeout = 0;
};

// The communication parameters chosen for writing.
struct newComPrm_t
{
    quint8 address = 0;
    qint32 baud = 0;
    quint8 stopBits = 1;
    quint8 parity = 0;
};

#endif
