#ifndef BUSENDPOINT_H
#define BUSENDPOINT_H

#include "cSimTcpServer.h"

// A simulated bus as a data row reaches it: its pseudo-terminal, or a device
// server on loopback TCP in front of it (RTU frames, or ModBus TCP).
class busEndpoint
{
public:
    enum transport_t { Pty, RtuOverTcp, ModbusTcp };
    static constexpr const char *names[] = {"pty", "rtu+tcp", "tcp"};

    busEndpoint(cSimBus &bus, int transport, bool ipv6 = false);
    // What the program opens.
    QString port() const { return m_transport == Pty ? m_bus.portPath() : m_server.endpoint(); }
    // The pseudo-terminal unplugged, or the device server gone; and back.
    void cut() { m_transport == Pty ? m_bus.vanish() : m_server.refuse(); }
    bool restore();
    // A loopback endpoint where nothing listens any more.
    static QString refused();

private:
    cSimBus &m_bus;
    int m_transport;
    bool m_ipv6;
    cSimTcpServer m_server;
};

#endif
