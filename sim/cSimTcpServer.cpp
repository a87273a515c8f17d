#include "cSimTcpServer.h"

#include "simCrc.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr int idlePollMs = 20;
constexpr int backlog = 8;
constexpr std::size_t mbapHeader = 7;
constexpr std::size_t longestPdu = 253;
constexpr std::size_t splitPieces = 3;
constexpr std::chrono::milliseconds splitPause{4};
constexpr std::chrono::milliseconds slowBytePause{1};
constexpr std::size_t noiseLength = 16;

void sendAll(int fd, const quint8 *data, std::size_t length)
{
    while (length > 0) {
        const ssize_t sent = ::send(fd, data, length, MSG_NOSIGNAL);
        if (sent < 0 && errno == EINTR)
            continue;
        if (sent <= 0)
            return;
        data += sent;
        length -= std::size_t(sent);
    }
}

void sendInPieces(int fd, const std::vector<quint8> &bytes, std::size_t pieces, std::chrono::milliseconds pause)
{
    const std::size_t pieceLength = (bytes.size() + pieces - 1) / pieces;
    for (std::size_t offset = 0; offset < bytes.size(); offset += pieceLength) {
        if (offset > 0)
            std::this_thread::sleep_for(pause);
        sendAll(fd, bytes.data() + offset, std::min(pieceLength, bytes.size() - offset));
    }
}

} // namespace

cSimTcpServer::~cSimTcpServer()
{
    stop();
}

bool cSimTcpServer::start(mode_t mode, bool ipv6, quint16 port, QString *error)
{
    if (m_running.load())
        return true;
    m_mode = mode;
    m_ipv6 = ipv6;
    if (m_listener < 0 && !bindTo(ipv6, port, error))
        return false;
    if (::listen(m_listener, backlog) != 0) {
        if (error)
            *error = QStringLiteral("cannot listen: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    m_running.store(true);
    m_thread = std::thread(&cSimTcpServer::run, this);
    return true;
}

// Loopback only: the simulator is never reachable from another machine.
bool cSimTcpServer::bindTo(bool ipv6, quint16 port, QString *error)
{
    sockaddr_storage address{};
    socklen_t size = 0;
    if (ipv6) {
        auto *a = reinterpret_cast<sockaddr_in6 *>(&address);
        a->sin6_family = AF_INET6;
        a->sin6_addr = in6addr_loopback;
        a->sin6_port = htons(port);
        size = sizeof *a;
    } else {
        auto *a = reinterpret_cast<sockaddr_in *>(&address);
        a->sin_family = AF_INET;
        a->sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        a->sin_port = htons(port);
        size = sizeof *a;
    }
    m_listener = ::socket(address.ss_family, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const int yes = 1;
    if (m_listener >= 0)
        ::setsockopt(m_listener, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    if (m_listener < 0 || ::bind(m_listener, reinterpret_cast<sockaddr *>(&address), size) != 0) {
        if (error)
            *error = QStringLiteral("cannot bind %1 port %2: %3")
                         .arg(QLatin1String(ipv6 ? "::1" : "127.0.0.1")).arg(port)
                         .arg(QString::fromLocal8Bit(std::strerror(errno)));
        if (m_listener >= 0)
            ::close(m_listener);
        m_listener = -1;
        return false;
    }
    ::getsockname(m_listener, reinterpret_cast<sockaddr *>(&address), &size);
    m_port = ntohs(ipv6 ? reinterpret_cast<sockaddr_in6 *>(&address)->sin6_port
                        : reinterpret_cast<sockaddr_in *>(&address)->sin_port);
    return true;
}

void cSimTcpServer::stop()
{
    m_running.store(false);
    if (m_thread.joinable())
        m_thread.join();
    closeClients();
    if (m_listener >= 0)
        ::close(m_listener);
    m_listener = -1;
}

void cSimTcpServer::refuse()
{
    const quint16 port = m_port;
    stop();
    bindTo(m_ipv6, port, nullptr);
}

QString cSimTcpServer::endpoint() const
{
    return QStringLiteral("%1://%2:%3")
        .arg(QLatin1String(m_mode == ModbusTcp ? "tcp" : "rtu+tcp"), QLatin1String(m_ipv6 ? "[::1]" : "127.0.0.1"))
        .arg(m_port);
}

void cSimTcpServer::run()
{
    while (m_running.load()) {
        std::vector<pollfd> fds{{m_listener, POLLIN, 0}};
        int timeout = idlePollMs;
        for (const std::unique_ptr<client_t> &client : m_clients) {
            fds.push_back({client->fd, POLLIN, 0});
            if (!client->assembler.empty())
                timeout = std::min(timeout, int(client->assembler.silenceGap().count()));
        }
        const int ready = ::poll(fds.data(), fds.size(), timeout);
        if (ready < 0)
            continue;
        for (std::size_t i = m_clients.size(); i-- > 0;) {
            client_t &client = *m_clients[i];
            std::vector<quint8> frame;
            if (fds[i + 1].revents == 0 && ready == 0 && client.assembler.takeOnSilence(frame) && simCrcOk(frame))
                answer(client, frame, nullptr);
            if (fds[i + 1].revents != 0 && !receive(client)) {
                ::close(client.fd);
                m_clients.erase(m_clients.begin() + std::ptrdiff_t(i));
            }
        }
        if (fds[0].revents & POLLIN)
            accept();
        m_connectionCount.store(int(m_clients.size()));
    }
}

void cSimTcpServer::accept()
{
    const int fd = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0)
        return;
    auto client = std::make_unique<client_t>();
    client->fd = fd;
    m_clients.push_back(std::move(client));
}

void cSimTcpServer::closeClients()
{
    for (const std::unique_ptr<client_t> &client : m_clients)
        ::close(client->fd);
    m_clients.clear();
    m_connectionCount.store(0);
}

// False when the connection is over, or a ModBus TCP header broke the rules.
bool cSimTcpServer::receive(client_t &client)
{
    quint8 buffer[4096];
    const ssize_t count = ::recv(client.fd, buffer, sizeof buffer, 0);
    if (count < 0 && (errno == EINTR || errno == EAGAIN))
        return true;
    if (count <= 0)
        return false;
    if (m_mode == RtuOverTcp) {
        client.assembler.append(buffer, std::size_t(count));
        takeRtuFrames(client);
        return true;
    }
    client.stream.insert(client.stream.end(), buffer, buffer + count);
    for (;;) {
        const std::vector<quint8> &s = client.stream;
        if (s.size() < mbapHeader)
            return true;
        const std::size_t length = std::size_t(s[4] << 8 | s[5]);
        if (s[2] != 0 || s[3] != 0 || length < 2 || length > longestPdu + 1)
            return false;
        if (s.size() < mbapHeader - 1 + length)
            return true;
        takeMbapFrames(client);
    }
}

void cSimTcpServer::takeRtuFrames(client_t &client)
{
    std::vector<quint8> frame;
    while (client.assembler.takeFrame(frame)) {
        // A damaged frame is dropped silently, as on the line.
        if (simCrcOk(frame))
            answer(client, frame, nullptr);
    }
}

// The first frame of the stream, whole: unit and PDU go on the line with a CRC.
void cSimTcpServer::takeMbapFrames(client_t &client)
{
    std::vector<quint8> &s = client.stream;
    const std::size_t length = std::size_t(s[4] << 8 | s[5]);
    quint8 header[mbapHeader];
    std::copy(s.begin(), s.begin() + mbapHeader, header);
    std::vector<quint8> frame(s.begin() + mbapHeader - 1, s.begin() + std::ptrdiff_t(mbapHeader - 1 + length));
    s.erase(s.begin(), s.begin() + std::ptrdiff_t(mbapHeader - 1 + length));
    simAppendCrc(frame);
    answer(client, frame, header);
}

void cSimTcpServer::answer(client_t &client, std::vector<quint8> frame, const quint8 *header)
{
    const simReply_t reply = m_bus.answerAtOwnLine(frame);
    if (reply.bytes.empty())
        return;
    std::this_thread::sleep_for(reply.delay);
    if (header)
        sendMbap(client.fd, reply, header);
    else
        sendRtu(client.fd, reply);
}

void cSimTcpServer::sendRtu(int fd, const simReply_t &reply)
{
    if (reply.fault == simFault::Split)
        return sendInPieces(fd, reply.bytes, splitPieces, splitPause);
    if (reply.fault == simFault::SlowBytes)
        return sendInPieces(fd, reply.bytes, reply.bytes.size(), slowBytePause);
    if (reply.fault == simFault::Noise) {
        std::vector<quint8> noise(noiseLength);
        for (std::size_t i = 0; i < noise.size(); ++i)
            noise[i] = quint8(i * 37 + 11);
        return sendAll(fd, noise.data(), noise.size());
    }
    sendAll(fd, reply.bytes.data(), reply.bytes.size());
}

void cSimTcpServer::sendMbap(int fd, const simReply_t &reply, const quint8 *header)
{
    if (reply.fault == simFault::Noise || !simCrcOk(reply.bytes))
        return;
    const std::size_t length = reply.bytes.size() - 2;
    std::vector<quint8> adu(header, header + mbapHeader - 1);
    adu[4] = quint8(length >> 8);
    adu[5] = quint8(length & 0xFF);
    adu.insert(adu.end(), reply.bytes.begin(), reply.bytes.end() - 2);
    if (reply.fault == simFault::Split)
        return sendInPieces(fd, adu, splitPieces, splitPause);
    sendAll(fd, adu.data(), adu.size());
}
