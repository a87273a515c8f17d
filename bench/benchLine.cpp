#include "benchLine.h"

#include "simLine.h"

namespace benchLine {

namespace {
constexpr qint32 fixedSilenceAbove = 19200;
constexpr double fixedSilenceMs = 1.75;
// RTU times its silences in characters of 11 bits whatever the frame format.
constexpr double silenceCharacterBits = 11;
}

double wireMs(qint32 baud, double characters)
{
    const int bitsPerChar = simLine_t::fromFormat(baud, 0).bitsPerCharacter();
    return characters * bitsPerChar * 1000.0 / baud;
}

double silenceMs(qint32 baud)
{
    return baud > fixedSilenceAbove ? fixedSilenceMs : gapCharacters * silenceCharacterBits * 1000.0 / baud;
}

double exchangeMs(qint32 baud, int requestBytes, int replyBytes)
{
    return wireMs(baud, requestBytes + gapCharacters + replyBytes);
}

} // namespace benchLine
