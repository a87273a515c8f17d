#include "cEchoFilter.h"

#include <algorithm>

#include "cModBusFunctions.h"

namespace {

const char *const modeNames[] = {"auto", "yes", "no"};
// A flood beyond this is counted, not kept: its length alone refuses it.
constexpr int keptBytes = 2 * cModBusFunctions::frameSize;
constexpr qint64 nsPerMs = 1000000;

} // namespace

QString cEchoFilter::modeName(echoMode_t mode)
{
    return QLatin1String(modeNames[int(mode)]);
}

bool cEchoFilter::modeFromName(const QString &name, echoMode_t *mode)
{
    for (int i = 0; i <= int(echoMode_t::No); ++i) {
        if (name.compare(QLatin1String(modeNames[i]), Qt::CaseInsensitive) == 0) {
            *mode = echoMode_t(i);
            return true;
        }
    }
    return false;
}

void cEchoFilter::setMode(echoMode_t mode)
{
    m_mode = mode;
    m_line = Unknown;
}

void cEchoFilter::start(const quint8 *request, int requestLength, int replyLength)
{
    m_request = QByteArray(reinterpret_cast<const char *>(request), requestLength);
    m_raw.clear();
    m_count = 0;
    m_replyLength = replyLength;
    m_timeUp = false;
}

void cEchoFilter::feed(const QByteArray &bytes)
{
    m_raw.append(bytes.left(qMax(0, keptBytes - m_raw.size())));
    m_count += bytes.size();
}

bool cEchoFilter::stripsNothing() const
{
    return m_mode == echoMode_t::No || (m_mode == echoMode_t::Automatic && m_line == Silent);
}

// What came so far agrees with the request as far as both go.
bool cEchoFilter::prefixMatches() const
{
    const int length = qMin(m_raw.size(), m_request.size());
    return m_raw.left(length) == m_request.left(length);
}

bool cEchoFilter::echoMissing() const
{
    return m_mode == echoMode_t::Yes && m_count > 0 && !prefixMatches();
}

int cEchoFilter::echoLength() const
{
    const int length = m_request.size();
    if (stripsNothing() || m_raw.size() < length || !prefixMatches())
        return 0;
    // Where the reply looks like the request (function 8), a copy followed by
    // no whole reply is the reply itself, once no more can come.
    if (m_replyLength != length || m_mode == echoMode_t::Yes || m_line == Echoes || !m_timeUp)
        return length;
    return replyComplete(length) ? length : 0;
}

bool cEchoFilter::replyComplete(int echo) const
{
    const int got = m_count - echo;
    const auto *reply = reinterpret_cast<const quint8 *>(m_raw.constData()) + echo;
    return got >= cModBusFunctions::replyLengthSoFar(reply, qMin(got, m_raw.size() - echo), m_replyLength);
}

bool cEchoFilter::complete() const
{
    // Part of a copy may be an echo still coming in.
    if (!stripsNothing() && !m_timeUp && m_raw.size() < m_request.size() && prefixMatches())
        return false;
    return replyComplete(echoLength());
}

int cEchoFilter::settle(int waitResult)
{
    m_timeUp = waitResult != MB_OK;
    if (m_timeUp && !complete())
        return waitResult;
    return echoMissing() ? MB_ERR_NO_ECHO : MB_OK;
}

void cEchoFilter::learn(bool replyAccepted)
{
    if (!replyAccepted || m_mode != echoMode_t::Automatic)
        return;
    if (echoLength() > 0)
        m_line = Echoes;
    else if (m_raw != m_request)
        m_line = Silent;
}

int cEchoFilter::copyReply(quint8 *frame, int room) const
{
    const int echo = echoLength();
    const QByteArray reply = m_raw.mid(echo, room);
    std::copy(reply.constBegin(), reply.constEnd(), reinterpret_cast<char *>(frame));
    return m_count - echo;
}

int cEchoFilter::allowanceMs(qint64 characterNs) const
{
    if (m_mode != echoMode_t::Yes && m_line != Echoes)
        return 0;
    return int((m_request.size() * characterNs + nsPerMs - 1) / nsPerMs);
}
