#include "cTcpTransport.h"

#include <QElapsedTimer>

#include "cMbapFrame.h"

cTcpTransport::cTcpTransport(const cEndpoint &endpoint)
    : m_endpoint(endpoint)
    , m_socket(this)
{
    connect(&m_socket, &QTcpSocket::readyRead, this, &cTcpTransport::receive);
    connect(&m_socket, &QTcpSocket::disconnected, this, &cTcpTransport::connectionEnded);
}

portFailure_t cTcpTransport::classifyError(QAbstractSocket::SocketError error)
{
    switch (error) {
    case QAbstractSocket::ConnectionRefusedError:
        return portFailure_t::Refused;
    case QAbstractSocket::HostNotFoundError:
        return portFailure_t::Unresolved;
    case QAbstractSocket::NetworkError:
        return portFailure_t::Unreachable;
    case QAbstractSocket::SocketTimeoutError:
        return portFailure_t::TimedOut;
    default:
        return portFailure_t::Other;
    }
}

portFailure_t cTcpTransport::open(const settingsUart_t &, QString *message)
{
    close();
    m_socket.connectToHost(m_endpoint.host(), m_endpoint.port());
    if (!m_socket.waitForConnected(cEndpoint::connectTimeoutMs)) {
        const QAbstractSocket::SocketError error = m_socket.error();
        *message = m_socket.errorString();
        m_socket.abort();
        return classifyError(error);
    }
    // Requests are small and each waits for its reply: no coalescing delay.
    m_socket.setSocketOption(QAbstractSocket::LowDelayOption, 1);
    m_socket.setSocketOption(QAbstractSocket::KeepAliveOption, 1);
    m_open = true;
    return portFailure_t::None;
}

// A connection that ended by itself is closed already: no abort from inside
// the socket's own report of it.
void cTcpTransport::close()
{
    m_open = false;
    if (m_socket.state() != QAbstractSocket::UnconnectedState)
        m_socket.abort();
    clearInput();
}

void cTcpTransport::send(const quint8 *bytes, int length)
{
    if (m_endpoint.kind() == cEndpoint::ModbusTcp)
        m_socket.write(cMbapFrame::fromRtu(bytes, length, ++m_transaction).adu());
    else
        m_socket.write(reinterpret_cast<const char *>(bytes), length);
    m_socket.flush();
}

QByteArray cTcpTransport::readAll()
{
    const QByteArray replies = m_replies;
    m_replies.clear();
    return replies;
}

void cTcpTransport::clearInput()
{
    if (m_socket.isOpen())
        m_socket.readAll();
    m_stream.clear();
    m_replies.clear();
}

void cTcpTransport::waitForReadyRead(int milliseconds)
{
    if (m_open)
        m_socket.waitForReadyRead(milliseconds);
}

void cTcpTransport::receive()
{
    if (m_endpoint.kind() == cEndpoint::RtuOverTcp) {
        m_replies += m_socket.readAll();
        emit readyRead();
        return;
    }
    m_stream += m_socket.readAll();
    unwrapReplies();
}

// A reply to an earlier request (one that timed out) is dropped; a header
// that breaks the rules leaves no frame boundary to trust in what came.
void cTcpTransport::unwrapReplies()
{
    cMbapFrame frame;
    for (;;) {
        const cMbapFrame::take_t taken = cMbapFrame::take(m_stream, &frame);
        if (taken == cMbapFrame::Broken)
            m_stream.clear();
        if (taken != cMbapFrame::Taken)
            return;
        if (frame.transaction != m_transaction)
            continue;
        m_replies += frame.rtu();
        emit readyRead();
    }
}

void cTcpTransport::connectionEnded()
{
    if (!m_open)
        return;
    m_open = false;
    emit lost(tr("The device server %1:%2 closed the connection.").arg(m_endpoint.host()).arg(m_endpoint.port()));
}
