#ifndef CENDPOINT_H
#define CENDPOINT_H

#include <QCoreApplication>
#include <QString>

// Where the bus is reached, written the same way wherever a port is taken: a
// serial port by its name, or a serial device server on the network,
// "rtu+tcp://HOST:PORT" (RTU frames over TCP) or "tcp://HOST:PORT" (ModBus
// TCP through a gateway). HOST is a name, an IPv4 address or an IPv6 one in
// brackets.
class cEndpoint
{
    Q_DECLARE_TR_FUNCTIONS(cEndpoint)

public:
    enum kind_t { Serial, RtuOverTcp, ModbusTcp };

    // A device server is given this long to take the connection.
    static constexpr int connectTimeoutMs = 3000;
    // A reply crosses the network twice and the device server's line once.
    static constexpr int shortestNetworkReplyMs = 250;

    explicit cEndpoint(const QString &text = QString());

    bool isValid() const { return m_error.isEmpty(); }
    // Why the text names no endpoint, for the user. A serial port name is
    // not checked here: opening it tells.
    QString error() const { return m_error; }
    kind_t kind() const { return m_kind; }
    bool isNetwork() const { return m_kind != Serial; }
    QString host() const { return m_host; }
    quint16 port() const { return m_port; }
    // The reply time-out to use for one asked for.
    int replyTimeout(int requested) const;

private:
    void parseNetwork(const QString &scheme, const QString &authority);
    bool takeHost(const QString &authority, QString *portText);

    kind_t m_kind = Serial;
    QString m_host;
    quint16 m_port = 0;
    QString m_error;
};

#endif
