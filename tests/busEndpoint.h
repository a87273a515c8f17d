#ifndef BUSENDPOINT_H
#define BUSENDPOINT_H

#include <QString>

#include "cSimBus.h"
#include "cSimTcpServer.h"

// A simulated bus as a data row reaches it: its pseudo-terminal, or a device
// server on loopback TCP in front of it (RTU frames, or ModBus TCP).
class busEndpoint
{
public:
    enum transport_t { Pty, RtuOverTcp, ModbusTcp };
    static constexpr transport_t all[] = {Pty, RtuOverTcp, ModbusTcp};
    static constexpr transport_t network[] = {RtuOverTcp, ModbusTcp};
    static const char *name(int transport);
    // A loopback endpoint where nothing listens (any more).
    static QString refused();

    busEndpoint(cSimBus &bus, int transport);
    // What the program opens; empty when the device server did not start.
    QString port() const;
    // The pseudo-terminal unplugged, or the device server gone; and back.
    void cut();
    bool restore();

private:
    cSimBus &m_bus;
    int m_transport;
    cSimTcpServer m_server;
    quint16 m_port = 0;
};

#endif
