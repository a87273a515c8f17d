#ifndef CSIMTCPSERVER_H
#define CSIMTCPSERVER_H

#include <QString>
#include <atomic>
#include <memory>
#include <thread>
#include <vector>

#include "cSimBus.h"
#include "cSimFrameAssembler.h"

// A serial device server in front of a simulated bus, on a loopback TCP port
// (127.0.0.1 or ::1, never another address): RTU frames as they are, or
// ModBus TCP (MBAP header, the CRC left to the line). The line settings are
// the device server's: each module is reached at its own. Faults behave as on
// the line; in ModBus TCP a reply that fails its CRC, as a gateway would
// check it, is not passed on.
class cSimTcpServer
{
public:
    enum mode_t { RtuOverTcp, ModbusTcp };

    explicit cSimTcpServer(cSimBus &bus) : m_bus(bus) {}
    ~cSimTcpServer();
    cSimTcpServer(const cSimTcpServer &) = delete;
    cSimTcpServer &operator=(const cSimTcpServer &) = delete;

    // Port 0 takes any free one; after refuse() the port kept.
    bool start(mode_t mode, bool ipv6, quint16 port, QString *error = nullptr);
    void stop();
    // Stops serving but keeps the port, bound and not listening: connections
    // are refused, as by a device server whose ModBus service is off.
    void refuse();
    quint16 port() const { return m_port; }
    // As the utility takes it: rtu+tcp://127.0.0.1:PORT, tcp://[::1]:PORT.
    QString endpoint() const;
    int connectionCount() const { return m_connectionCount.load(); }

private:
    struct client_t
    {
        int fd = -1;
        std::vector<quint8> stream;
        cSimFrameAssembler assembler;
    };

    bool bindTo(bool ipv6, quint16 port, QString *error);
    void run();
    void accept();
    void closeClients();
    bool receive(client_t &client);
    void takeRtuFrames(client_t &client);
    void takeMbapFrames(client_t &client);
    void answer(client_t &client, std::vector<quint8> frame, const quint8 *header);
    void sendRtu(int fd, const simReply_t &reply);
    void sendMbap(int fd, const simReply_t &reply, const quint8 *header);

    cSimBus &m_bus;
    mode_t m_mode = RtuOverTcp;
    bool m_ipv6 = false;
    int m_listener = -1;
    quint16 m_port = 0;
    std::vector<std::unique_ptr<client_t>> m_clients; // server thread only
    std::thread m_thread;
    std::atomic<bool> m_running{false};
    std::atomic<int> m_connectionCount{0};
};

#endif
