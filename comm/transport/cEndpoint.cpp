#include "cEndpoint.h"

#include <QHostAddress>
#include <QRegularExpression>

namespace {

const char *const separator = "://";

} // namespace

cEndpoint::cEndpoint(const QString &text)
{
    const QString trimmed = text.trimmed();
    const int schemeEnd = trimmed.indexOf(QLatin1String(separator));
    if (schemeEnd < 0)
        return;
    parseNetwork(trimmed.left(schemeEnd).toLower(), trimmed.mid(schemeEnd + int(qstrlen(separator))));
}

int cEndpoint::replyTimeout(int requested) const
{
    return isNetwork() ? qMax(requested, shortestNetworkReplyMs) : requested;
}

void cEndpoint::parseNetwork(const QString &scheme, const QString &authority)
{
    if (scheme == QLatin1String("rtu+tcp")) {
        m_kind = RtuOverTcp;
    } else if (scheme == QLatin1String("tcp")) {
        m_kind = ModbusTcp;
    } else {
        m_error = tr("Unknown kind of endpoint \"%1://\": use rtu+tcp://HOST:PORT or tcp://HOST:PORT.")
                      .arg(scheme);
        return;
    }
    QString portText;
    if (!takeHost(authority, &portText))
        return;
    bool ok = false;
    const uint port = portText.toUInt(&ok);
    if (!ok || port < 1 || port > 65535) {
        m_error = tr("\"%1\" is no TCP port: give one from 1 to 65535 after the host.").arg(portText);
        return;
    }
    m_port = quint16(port);
}

// An IPv6 address is bracketed, so that its colons are not taken for the port's.
bool cEndpoint::takeHost(const QString &authority, QString *portText)
{
    const int colon = authority.lastIndexOf(QLatin1Char(':'));
    m_host = colon < 0 ? authority : authority.left(colon);
    *portText = colon < 0 ? QString() : authority.mid(colon + 1);
    if (m_host.startsWith(QLatin1Char('[')) && m_host.endsWith(QLatin1Char(']'))) {
        m_host = m_host.mid(1, m_host.size() - 2);
        if (QHostAddress(m_host).protocol() == QAbstractSocket::IPv6Protocol)
            return true;
    } else if (QRegularExpression(QStringLiteral("^[A-Za-z0-9._-]+$")).match(m_host).hasMatch()) {
        return true;
    }
    m_error = tr("\"%1\" names no host: write HOST:PORT, an IPv6 address in brackets ([::1]:502).")
                  .arg(authority);
    return false;
}
