#include "busEndpoint.h"

busEndpoint::busEndpoint(cSimBus &bus, int transport, bool ipv6)
    : m_bus(bus)
    , m_transport(transport)
    , m_ipv6(ipv6)
    , m_server(bus)
{
    restore();
}

bool busEndpoint::restore()
{
    if (m_transport == Pty)
        return m_bus.start();
    return m_server.start(m_transport == ModbusTcp ? cSimTcpServer::ModbusTcp : cSimTcpServer::RtuOverTcp, m_ipv6,
                          m_server.port());
}

// Kept for the whole test: no other program takes the port meanwhile.
QString busEndpoint::refused()
{
    static cSimBus bus;
    static busEndpoint off(bus, ModbusTcp);
    off.cut();
    return off.port();
}
