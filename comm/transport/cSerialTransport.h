#ifndef CSERIALTRANSPORT_H
#define CSERIALTRANSPORT_H

#include <QSerialPort>

#include "cPortLock.h"
#include "cTransport.h"

// The bus behind a serial port of this computer, one master per device.
class cSerialTransport : public cTransport
{
    Q_OBJECT

public:
    cSerialTransport();

    static portFailure_t classifyOpenError(QSerialPort::SerialPortError error, const QString &systemLocation);

    portFailure_t open(const settingsUart_t &settings, QString *message) override;
    void close() override;
    bool isOpen() const override { return m_port.isOpen(); }
    bool hasLine() const override { return true; }
    bool applyLine(const settingsUart_t &settings) override;
    settingsUart_t line() const override;
    void send(const quint8 *bytes, int length) override;
    QByteArray readAll() override { return m_port.readAll(); }
    void clearInput() override { m_port.clear(QSerialPort::Input); }
    void waitForReadyRead(int milliseconds) override { m_port.waitForReadyRead(milliseconds); }

private:
    void handleError(QSerialPort::SerialPortError error);
    bool deviceStillThere();

    QSerialPort m_port;
    cPortLock m_lock;
};

#endif
