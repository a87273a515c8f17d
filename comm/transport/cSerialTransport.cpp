#include "cSerialTransport.h"

#include <QFileInfo>
#include <QSignalBlocker>

cSerialTransport::cSerialTransport()
    : m_port(this)
{
    connect(&m_port, &QSerialPort::errorOccurred, this, &cSerialTransport::handleError);
    connect(&m_port, &QSerialPort::readyRead, this, &cTransport::readyRead);
}

portFailure_t cSerialTransport::classifyOpenError(QSerialPort::SerialPortError error,
                                                  const QString &systemLocation)
{
    switch (error) {
    case QSerialPort::NoError:
        return portFailure_t::None;
    case QSerialPort::DeviceNotFoundError:
        return portFailure_t::NotFound;
    case QSerialPort::PermissionError: {
        // The same error stands for "held by someone else" and "not allowed":
        // only the file's permissions tell them apart.
        const QFileInfo info(systemLocation);
        if (info.exists() && !(info.isReadable() && info.isWritable()))
            return portFailure_t::PermissionDenied;
        return portFailure_t::Busy;
    }
    default:
        return portFailure_t::Other;
    }
}

portFailure_t cSerialTransport::open(const settingsUart_t &settings, QString *message)
{
    // Another copy of the program may reach the same device by another path.
    const portFailure_t locked = m_lock.take(settings.portName);
    if (locked != portFailure_t::None) {
        *message = settings.portName + QStringLiteral(" >> ")
            + (locked == portFailure_t::Busy ? tr("Held by another copy of the program!")
                                             : tr("The lock file cannot be made!"));
        return locked;
    }
    m_port.setPortName(m_lock.devicePath());
    if (!m_port.open(QIODevice::ReadWrite) || !applyLine(settings)) {
        const QSerialPort::SerialPortError error = m_port.error();
        *message = m_port.errorString();
        close();
        return classifyOpenError(error, cPortLock::systemLocation(m_lock.devicePath()));
    }
    // Whatever waited in the line before we opened is not an answer to us.
    m_port.clear(QSerialPort::Input);
    return portFailure_t::None;
}

void cSerialTransport::close()
{
    if (m_port.isOpen())
        m_port.close();
    m_lock.release();
}

// Each setting costs a round of terminal calls and the port sets it again even
// when it is in place, so only those that differ from the port's are set. The
// port holds what its last open or successful setter applied. With nothing to
// change one setting is set all the same: a device that went away refuses it.
bool cSerialTransport::applyLine(const settingsUart_t &settings)
{
    const bool baud = m_port.baudRate() != settings.baudRate;
    const bool data = m_port.dataBits() != settings.dataBits;
    const bool parity = m_port.parity() != settings.parity;
    const bool stop = m_port.stopBits() != settings.stopBits;
    const bool flow = m_port.flowControl() != settings.flowControl || !(baud || data || parity || stop);
    return (!baud || m_port.setBaudRate(settings.baudRate, QSerialPort::AllDirections))
        && (!data || m_port.setDataBits(settings.dataBits))
        && (!parity || m_port.setParity(settings.parity))
        && (!stop || m_port.setStopBits(settings.stopBits))
        && (!flow || m_port.setFlowControl(settings.flowControl));
}

settingsUart_t cSerialTransport::line() const
{
    settingsUart_t line;
    line.baudRate = m_port.baudRate();
    line.dataBits = m_port.dataBits();
    line.parity = m_port.parity();
    line.stopBits = m_port.stopBits();
    return line;
}

void cSerialTransport::send(const quint8 *bytes, int length)
{
    m_port.write(reinterpret_cast<const char *>(bytes), length);
    m_port.flush();
    // The first flush hands the frame to the driver; the second one finishes
    // the write here rather than on an extra pass of the event loop.
    m_port.flush();
}

void cSerialTransport::handleError(QSerialPort::SerialPortError error)
{
    if (!m_port.isOpen())
        return;
    if (error != QSerialPort::ResourceError && error != QSerialPort::ReadError)
        return;
    // An empty read (line noise, input flushed under a pending notice) comes
    // as either error with whatever errno was left over: only a device that
    // is really gone closes the port, lest its notifier fire forever.
    if (deviceStillThere())
        return;
    emit lost(m_port.errorString());
}

// A device that went away (unplugged, hung up) refuses even its own line
// settings; the probe's errors are not reported again.
bool cSerialTransport::deviceStillThere()
{
    const QSignalBlocker quiet(m_port);
    return m_port.setFlowControl(m_port.flowControl());
}
