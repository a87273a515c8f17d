#include "simLine.h"

namespace {

struct format_t
{
    int parity;
    int stopBits;
};

constexpr format_t formats[simLine_t::formatCount] = {
    {ZT_PTYLINE_PARITY_NONE, 1},
    {ZT_PTYLINE_PARITY_NONE, 2},
    {ZT_PTYLINE_PARITY_EVEN, 1},
    {ZT_PTYLINE_PARITY_ODD, 1},
};

} // namespace

bool simLine_t::validFormat(int formatIndex)
{
    return formatIndex >= 0 && formatIndex < formatCount;
}

simLine_t simLine_t::fromFormat(qint32 baud, int formatIndex)
{
    simLine_t line;
    line.baud = baud;
    if (!validFormat(formatIndex))
        return line;
    line.parity = formats[formatIndex].parity;
    line.stopBits = formats[formatIndex].stopBits;
    return line;
}

int simLine_t::formatIndex() const
{
    if (dataBits != 8 || stickParity)
        return -1;
    for (int i = 0; i < formatCount; ++i)
        if (formats[i].parity == parity && formats[i].stopBits == stopBits)
            return i;
    return -1;
}

int simLine_t::bitsPerCharacter() const
{
    return 1 + dataBits + (parity == ZT_PTYLINE_PARITY_NONE ? 0 : 1) + stopBits;
}

std::chrono::nanoseconds simLine_t::wireTime(double characters) const
{
    if (baud <= 0)
        return std::chrono::nanoseconds(0);
    return std::chrono::nanoseconds(qint64(characters * bitsPerCharacter() * 1e9 / baud));
}

bool simLine_t::operator==(const simLine_t &other) const
{
    return baud == other.baud && dataBits == other.dataBits && parity == other.parity
        && stickParity == other.stickParity && stopBits == other.stopBits;
}
