#ifndef CECHOFILTER_H
#define CECHOFILTER_H

#include <QByteArray>
#include <QString>

#include "modbusTypes.h"

// Many RS-485 adapters hear their own transmitter: what comes back then
// begins with a copy of the request. Fed the request and the bytes received,
// this tells that echo from the reply. A reply of function 8 is itself a copy
// of the request: in automatic mode a copy not followed by a whole reply is
// held as a possible echo until the time-out, and taken for the reply then;
// an accepted reply teaches whether the open line echoes, which settles that
// case from then on.
class cEchoFilter
{
public:
    static QString modeName(echoMode_t mode);
    static bool modeFromName(const QString &name, echoMode_t *mode);
    static bool modeFits(qint64 value) { return value >= 0 && value <= int(echoMode_t::No); }

    // Forgets what the line taught.
    void setMode(echoMode_t mode);
    void start(const quint8 *request, int requestLength, int replyLength);
    void feed(const QByteArray &bytes);

    // The echo and the reply are all there.
    bool complete() const;
    // The outcome of the wait for the reply, as the echo changes it.
    int settle(int waitResult);
    // After a reply was checked.
    void learn(bool replyAccepted);

    int echoLength() const;
    QByteArray echo() const { return m_raw.left(echoLength()); }
    // Copies what came after the echo; returns its length, which may exceed room.
    int copyReply(quint8 *frame, int room) const;
    // On a line known to echo, the echo's characters come in before the reply.
    int allowanceMs(qint64 characterNs) const;

private:
    enum line_t { Unknown, Echoes, Silent };

    bool stripsNothing() const;
    bool prefixMatches() const;
    bool echoMissing() const;
    bool replyComplete(int echo) const;

    echoMode_t m_mode = echoMode_t::Automatic;
    line_t m_line = Unknown;
    QByteArray m_request;
    QByteArray m_raw;
    int m_count = 0;
    int m_replyLength = 0;
    bool m_timeUp = false;
};

#endif
