#ifndef SIMLINE_H
#define SIMLINE_H

#include <QtGlobal>
#include <chrono>

#include "ptyLineMarker.h"

// The settings of a serial line as a module or a tty sees them.
struct simLine_t
{
    qint32 baud = 9600;
    int dataBits = 8;
    int parity = ZT_PTYLINE_PARITY_NONE;
    bool stickParity = false;
    int stopBits = 1;

    static constexpr int formatCount = 4;

    // Format index: 0 "8N1", 1 "8N2", 2 "8E1", 3 "8O1".
    static simLine_t fromFormat(qint32 baud, int formatIndex);
    static bool validFormat(int formatIndex);
    int formatIndex() const; // -1 for any other frame format

    int bitsPerCharacter() const;
    std::chrono::nanoseconds wireTime(double characters) const;

    bool operator==(const simLine_t &other) const;
    bool operator!=(const simLine_t &other) const { return !(*this == other); }
};

#endif
