#include "busEndpoint.h"

const char *busEndpoint::name(int transport)
{
    const char *const names[] = {"pty", "rtu+tcp", "tcp"};
    return names[transport];
}

QString busEndpoint::refused()
{
    cSimBus bus;
    busEndpoint gone(bus, ModbusTcp);
    return gone.port();
}

busEndpoint::busEndpoint(cSimBus &bus, int transport)
    : m_bus(bus)
    , m_transport(transport)
    , m_server(bus)
{
    restore();
    m_port = m_server.port();
}

QString busEndpoint::port() const
{
    if (m_transport == Pty)
        return m_bus.portPath();
    return m_server.port() ? m_server.endpoint() : QString();
}

void busEndpoint::cut()
{
    if (m_transport == Pty)
        m_bus.vanish();
    else
        m_server.stop();
}

bool busEndpoint::restore()
{
    if (m_transport == Pty)
        return m_bus.start();
    return m_server.start(m_transport == ModbusTcp ? cSimTcpServer::ModbusTcp : cSimTcpServer::RtuOverTcp, false, m_port);
}
