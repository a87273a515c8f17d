#include "cLinkStats.h"

#include <algorithm>

#include "modbusTypes.h"

void cLinkStats::record(int result, qint64 responseNs)
{
    ++m_requests;
    switch (result) {
    case MB_OK: break;
    case MB_ERR_TIMEOUT: ++m_timeouts; return;
    case MB_ERR_CRC: ++m_crcErrors; break;
    case MB_ERR_EXCEPTION: ++m_exceptions; break;
    default: ++m_otherFailures; break;
    }
    responseNs = qMax<qint64>(0, responseNs);
    m_minNs = m_recent.isEmpty() ? responseNs : qMin(m_minNs, responseNs);
    m_maxNs = qMax(m_maxNs, responseNs);
    keepResponse(responseNs);
}

void cLinkStats::add(const cLinkStats &other)
{
    m_requests += other.m_requests;
    m_timeouts += other.m_timeouts;
    m_crcErrors += other.m_crcErrors;
    m_exceptions += other.m_exceptions;
    m_otherFailures += other.m_otherFailures;
    if (!other.hasResponses())
        return;
    m_minNs = hasResponses() ? qMin(m_minNs, other.m_minNs) : other.m_minNs;
    m_maxNs = qMax(m_maxNs, other.m_maxNs);
    for (qint64 ns : other.m_recent)
        keepResponse(ns);
}

void cLinkStats::keepResponse(qint64 ns)
{
    if (m_recent.size() < medianWindow) {
        m_recent.append(ns);
        return;
    }
    m_recent[m_next] = ns;
    m_next = (m_next + 1) % medianWindow;
}

double cLinkStats::medianMs() const
{
    if (m_recent.isEmpty())
        return 0;
    QVector<qint64> sorted = m_recent;
    const auto middle = sorted.begin() + sorted.size() / 2;
    std::nth_element(sorted.begin(), middle, sorted.end());
    return double(*middle) / 1e6;
}

QString cLinkStats::responseText() const
{
    if (!hasResponses())
        return QStringLiteral("-");
    return tr("%1 / %2 / %3 ms")
        .arg(minimumMs(), 0, 'f', 1)
        .arg(medianMs(), 0, 'f', 1)
        .arg(maximumMs(), 0, 'f', 1);
}

QString cLinkStats::summary() const
{
    return tr("Requests %1 · time-outs %2 · CRC %3 · exceptions %4 · other %5 · reply %6")
        .arg(m_requests)
        .arg(m_timeouts)
        .arg(m_crcErrors)
        .arg(m_exceptions)
        .arg(m_otherFailures)
        .arg(responseText());
}

QString cLinkStats::legend()
{
    return tr("The module requests since the port was opened: how many went out, how many got no "
              "reply in time, a reply with a wrong CRC, an exception reply or another wrong reply; "
              "the time from sending a request to the end of its reply, minimum / median / maximum.");
}
