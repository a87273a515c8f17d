#include "benchLine.h"

#include "simLine.h"

namespace benchLine {

namespace {
constexpr qint32 fixedSilenceAbove = 19200;
constexpr double fixedSilenceMs = 1.75;
}

double wireMs(qint32 baud, double characters)
{
    const int bitsPerChar = simLine_t::fromFormat(baud, 0).bitsPerCharacter();
    return characters * bitsPerChar * 1000.0 / baud;
}

double silenceMs(qint32 baud)
{
    return baud > fixedSilenceAbove ? fixedSilenceMs : wireMs(baud, gapCharacters);
}

double exchangeMs(qint32 baud, int requestBytes, int replyBytes)
{
    return wireMs(baud, requestBytes + gapCharacters + replyBytes);
}

} // namespace benchLine
