#ifndef CTCPTRANSPORT_H
#define CTCPTRANSPORT_H

#include <QTcpSocket>

#include "cEndpoint.h"
#include "cTransport.h"

// The bus behind a serial device server: RTU frames as they are over TCP, or
// ModBus TCP, where each request is wrapped in an MBAP header and only the
// reply to the last request, whole, is handed on (as RTU).
class cTcpTransport : public cTransport
{
    Q_OBJECT

public:
    explicit cTcpTransport(const cEndpoint &endpoint);

    static portFailure_t classifyError(QAbstractSocket::SocketError error);

    portFailure_t open(const settingsUart_t &settings, QString *message) override;
    void close() override;
    bool isOpen() const override { return m_open; }
    bool hasLine() const override { return false; }
    bool applyLine(const settingsUart_t &) override { return m_open; }
    settingsUart_t line() const override { return settingsUart_t(); }
    void send(const quint8 *bytes, int length) override;
    QByteArray readAll() override;
    void clearInput() override;
    void waitForReadyRead(int milliseconds) override;

private:
    void receive();
    void unwrapReplies();
    void connectionEnded();

    cEndpoint m_endpoint;
    QTcpSocket m_socket;
    bool m_open = false;
    quint16 m_transaction = 0;
    QByteArray m_stream;
    QByteArray m_replies;
};

#endif
