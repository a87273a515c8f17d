#include "cTransport.h"

#include "cEndpoint.h"
#include "cSerialTransport.h"
#include "cTcpTransport.h"

cTransport *cTransport::make(const cEndpoint &endpoint, QObject *parent)
{
    cTransport *transport = endpoint.isNetwork() ? static_cast<cTransport *>(new cTcpTransport(endpoint))
                                                 : new cSerialTransport;
    transport->setParent(parent);
    return transport;
}
