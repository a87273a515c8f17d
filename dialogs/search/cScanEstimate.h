#ifndef CSCANESTIMATE_H
#define CSCANESTIMATE_H

#include <QCoreApplication>
#include <QString>

#include "modbusTypes.h"

// How long a search takes where nothing answers, as on most of a range: each
// combination of address, baud rate and frame format sends one request after
// the line's silence and waits out the reply time-out.
class cScanEstimate
{
    Q_DECLARE_TR_FUNCTIONS(cScanEstimate)

public:
    cScanEstimate(const bool *baudFlags, const bool *formatFlags, int timeoutMs, echoMode_t echo);
    // Through a device server each address is asked once, on the server's line.
    static cScanEstimate forPort(const QString &port, const bool *baudFlags, const bool *formatFlags,
                                 int timeoutMs, echoMode_t echo);

    int baudsChosen() const { return m_bauds; }
    int formatsChosen() const { return m_formats; }
    qint64 addressMs() const { return m_addressMs; }
    qint64 rangeMs(int addresses) const { return m_addressMs * addresses; }

    static QString duration(qint64 ms);

private:
    cScanEstimate() = default;

    int m_bauds = 0;
    int m_formats = 0;
    qint64 m_addressMs = 0;
};

#endif
