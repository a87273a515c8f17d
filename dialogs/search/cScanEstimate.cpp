#include "cScanEstimate.h"

#include <cmath>

#include "cEndpoint.h"
#include "lineTables.h"

namespace {

// RTU counts its silences in characters of 11 bits, a fair bound for any frame too.
constexpr double characterBits = 11;
constexpr double silenceCharacters = 3.5;
constexpr qint32 fixedSilenceAbove = 19200;
constexpr double fixedSilenceMs = 1.75;
constexpr int probeCharacters = 8;

double silenceMs(qint32 baud)
{
    return baud > fixedSilenceAbove ? fixedSilenceMs : silenceCharacters * characterBits * 1000 / baud;
}

} // namespace

cScanEstimate::cScanEstimate(const bool *baudFlags, const bool *formatFlags, int timeoutMs, echoMode_t echo)
{
    for (int f = 0; f < lineTables::formatCount; ++f)
        m_formats += formatFlags[f] ? 1 : 0;
    // An echo that must come in takes as long as the request took to go out.
    const int requestPasses = echo == echoMode_t::Yes ? 2 : 1;
    double ms = 0;
    for (int b = 0; b < lineTables::baudCount; ++b) {
        if (!baudFlags[b])
            continue;
        ++m_bauds;
        const qint32 baud = lineTables::baudRates[b];
        const double requestMs = requestPasses * probeCharacters * characterBits * 1000 / baud;
        ms += m_formats * (timeoutMs + silenceMs(baud) + requestMs);
    }
    m_addressMs = qint64(std::ceil(ms));
}

cScanEstimate cScanEstimate::forPort(const QString &port, const bool *baudFlags, const bool *formatFlags,
                                     int timeoutMs, echoMode_t echo)
{
    const cEndpoint endpoint(port);
    if (!endpoint.isNetwork())
        return cScanEstimate(baudFlags, formatFlags, timeoutMs, echo);
    cScanEstimate estimate;
    estimate.m_bauds = estimate.m_formats = 1;
    estimate.m_addressMs = endpoint.replyTimeout(timeoutMs);
    return estimate;
}

QString cScanEstimate::duration(qint64 ms)
{
    const qint64 seconds = (ms + 999) / 1000;
    if (seconds < 60)
        return tr("%1 s").arg(seconds);
    if (seconds < 3600)
        return tr("%1 min %2 s").arg(seconds / 60).arg(seconds % 60);
    return tr("%1 h %2 min").arg(seconds / 3600).arg(seconds % 3600 / 60);
}
