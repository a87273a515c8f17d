#ifndef MODBUSTYPES_H
#define MODBUSTYPES_H

#include <QList>
#include <QMetaType>
#include <QSerialPort>
#include <QString>

// One ModBus request. A batch is a QList of these, run in list order.
struct query_info_t
{
    quint16 function = 0;
    quint16 address = 0;
    quint16 startReg = 0;
    quint16 count = 0;
    quint16 value = 0;
    quint16 moduleType = 0;
};

// One answering combination found by the scan.
struct scan_return_t
{
    quint16 address = 0;
    quint8 baudIndex = 0;
    quint8 formatIndex = 0;
    quint16 moduleType = 0;
    quint16 stopBits = 1;
    quint16 parityCode = 0;
    quint16 moduleVariant = 0;
    // Found through a device server, whose line settings the search does not know.
    bool serverLine = false;
};

// Whether the RS-485 adapter echoes what it sends: automatic strips a copy of
// the request when one leads what comes back.
enum class echoMode_t : int { Automatic = 0, Yes = 1, No = 2 };

// Serial port settings handed from the window to the worker.
struct settingsUart_t
{
    QString portName;
    qint32 baudRate = 115200;
    quint16 replyTimeout = 300;
    QSerialPort::DataBits dataBits = QSerialPort::Data8;
    QSerialPort::Parity parity = QSerialPort::NoParity;
    QSerialPort::StopBits stopBits = QSerialPort::OneStop;
    QSerialPort::FlowControl flowControl = QSerialPort::NoFlowControl;
    echoMode_t echo = echoMode_t::Automatic;
};

// What the scan needs from the window, handed over with the start request.
struct scanRequest_t
{
    quint8 startAddress = 0;
    quint8 endAddress = 0;
    bool baudFlags[8] = {};
    bool formatFlags[4] = {};
};

// Result codes of every transaction and batch.
enum mbResult : int {
    MB_OK = 0,
    MB_ERR_CRC = -1,
    MB_ERR_LENGTH = -2,
    MB_ERR_EXCEPTION = -3,      // the module refused the request
    MB_ERR_COUNT = -4,
    MB_ERR_MODULE_TYPE = -5,
    MB_ERR_OUT_OF_IMAGE = -6,
    MB_ERR_BYTE_COUNT = -7,     // a read reply's byte count is not the one asked for
    MB_ERR_ECHO = -8,           // a write or echo reply does not repeat the request
    MB_ERR_TIMEOUT = -9,
    MB_ERR_PORT_CLOSED = -10,
    MB_ERR_ADDRESS_OR_FUNCTION = -13,
    MB_ERR_NO_ECHO = -14,       // the adapter was said to echo, but the request's copy is missing
};

// Why a port did not open, as far as the user needs to know.
enum class portFailure_t : int {
    None = 0,
    Busy,
    NotFound,
    PermissionDenied,
    Other,
    // A device server on the network:
    Refused,     // nothing listens at the port
    Unresolved,  // the host name is unknown
    Unreachable, // no route to the host
    TimedOut,    // no answer to the connection in time
};

Q_DECLARE_METATYPE(query_info_t)
Q_DECLARE_METATYPE(scan_return_t)
Q_DECLARE_METATYPE(settingsUart_t)
Q_DECLARE_METATYPE(scanRequest_t)

#endif
