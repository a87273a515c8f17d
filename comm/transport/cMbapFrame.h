#ifndef CMBAPFRAME_H
#define CMBAPFRAME_H

#include <QByteArray>
#include <QtGlobal>

// One ModBus TCP frame: the MBAP header (transaction, protocol 0, length,
// unit) and the PDU. The worker speaks RTU: a request loses its CRC on the
// way out, a reply gets one computed on the way in.
class cMbapFrame
{
public:
    static constexpr int headerSize = 7;
    static constexpr int longestPdu = 253;
    enum take_t { Incomplete, Taken, Broken };

    static cMbapFrame fromRtu(const quint8 *rtu, int length, quint16 transaction);
    // Moves the first whole frame of the stream into *frame. A header that
    // breaks the rules leaves the stream out of step: Broken.
    static take_t take(QByteArray &stream, cMbapFrame *frame);

    QByteArray adu() const;
    QByteArray rtu() const;

    quint16 transaction = 0;
    quint16 protocol = 0;
    quint8 unit = 0;
    QByteArray pdu;
};

#endif
