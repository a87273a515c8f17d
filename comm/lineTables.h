#ifndef LINETABLES_H
#define LINETABLES_H

#include <QSerialPort>
#include <QString>

// The one order of baud rates and frame formats shared by the scan, the
// search settings and the found-modules table.
namespace lineTables {

constexpr int baudCount = 8;
constexpr int formatCount = 4;
constexpr qint32 baudRates[baudCount] = {115200, 57600, 38400, 19200, 9600, 4800, 2400, 1200};

struct frameFormat_t
{
    const char *text;
    QSerialPort::Parity parity;
    QSerialPort::StopBits stopBits;
    quint16 parityCode;
    quint16 stopBitCount;
};

constexpr frameFormat_t formats[formatCount] = {
    {"8N1", QSerialPort::NoParity, QSerialPort::OneStop, 0, 1},
    {"8N2", QSerialPort::NoParity, QSerialPort::TwoStop, 0, 2},
    {"8E1", QSerialPort::EvenParity, QSerialPort::OneStop, 2, 1},
    {"8O1", QSerialPort::OddParity, QSerialPort::OneStop, 1, 1},
};

inline QString baudText(int index)
{
    return index >= 0 && index < baudCount ? QString::number(baudRates[index]) : QString();
}

inline QString formatText(int index)
{
    return index >= 0 && index < formatCount ? QString::fromLatin1(formats[index].text) : QString();
}

inline int formatIndexOf(const QString &text)
{
    for (int i = 0; i < formatCount; ++i)
        if (text == QLatin1String(formats[i].text))
            return i;
    return -1;
}

inline int baudIndexOf(qint32 baud)
{
    for (int i = 0; i < baudCount; ++i)
        if (baudRates[i] == baud)
            return i;
    return -1;
}

inline int formatIndexOf(QSerialPort::Parity parity, QSerialPort::StopBits stopBits)
{
    for (int i = 0; i < formatCount; ++i)
        if (formats[i].parity == parity && formats[i].stopBits == stopBits)
            return i;
    return -1;
}

} // namespace lineTables

#endif
