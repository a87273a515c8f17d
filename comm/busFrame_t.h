#ifndef BUSFRAME_T_H
#define BUSFRAME_T_H

#include <QByteArray>
#include <QMetaType>
#include <QString>

// One frame on the bus as the worker saw it, for the traffic monitor.
struct busFrame_t
{
    qint64 msecsSinceEpoch = 0;
    bool sent = false;       // from us; otherwise what came back (or nothing)
    quint8 address = 0;      // of the request this frame belongs to
    QByteArray bytes;
    int echoLength = 0;      // the first bytes are the adapter's echo of the request
    QString text;            // the request decoded, or the worker's verdict
    // On the worker's line clock: the wall clock is too coarse for the gaps.
    qint64 startNs = 0;      // first character on the line
    qint64 endNs = 0;        // last character; a reply with none: when it was given up
    QString port;
    QString line;            // "19200 8E1"
};

Q_DECLARE_METATYPE(busFrame_t)

#endif
