#ifndef CTRANSPORT_H
#define CTRANSPORT_H

#include <QByteArray>
#include <QObject>

#include "modbusTypes.h"

class cEndpoint;

// How the worker's RTU frames reach the bus: a serial port, or a device
// server on the network. Every call returns within its time; waitForReadyRead
// delivers what came (readyRead) inside the wait, as the worker needs.
class cTransport : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // A transport for the endpoint, owned by the parent.
    static cTransport *make(const cEndpoint &endpoint, QObject *parent);

    // None, or why the link did not open, said in *message.
    virtual portFailure_t open(const settingsUart_t &settings, QString *message) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    // Only a serial line has settings and character times of its own; a
    // device server's line is set on the device server.
    virtual bool hasLine() const = 0;
    virtual bool applyLine(const settingsUart_t &settings) = 0;
    virtual settingsUart_t line() const = 0;
    virtual void send(const quint8 *bytes, int length) = 0;
    // A whole reply, or part of one, in RTU form.
    virtual QByteArray readAll() = 0;
    virtual void clearInput() = 0;
    virtual void waitForReadyRead(int milliseconds) = 0;

signals:
    void readyRead();
    // The link went away under the worker: the device, or the connection.
    void lost(QString reason);
};

#endif
