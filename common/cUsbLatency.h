#ifndef CUSBLATENCY_H
#define CUSBLATENCY_H

#include <QCoreApplication>
#include <QString>

class QSettings;

// The latency timer of a USB serial adapter: its driver holds received bytes
// back up to that long, so each request costs about twice as much on top of
// the line's own time. Only files and the registry are read, never the port.
class cUsbLatency
{
    Q_DECLARE_TR_FUNCTIONS(cUsbLatency)

public:
    static constexpr int highMs = 2;
    static constexpr int unknown = -1;

    // The system's root is a seam: tests point it at a tree of their own.
    explicit cUsbLatency(const QString &systemRoot = QStringLiteral("/"));

    int milliseconds(const QString &portName) const;
    // What the user is told: the value, and when high its cost and the cure;
    // empty when the driver shows none.
    QString describe(const QString &portName) const;

    // Windows' FTDI driver: Enum\FTDIBUS\<device>\0000\Device Parameters
    // holds PortName and LatencyTimer.
    static int fromFtdiBus(QSettings &ftdiBus, const QString &portName);

private:
    int fromSysfs(const QString &portName) const;
    QString deviceName(const QString &portName) const;
    static QString cure(const QString &device);

    QString m_root;
};

#endif
