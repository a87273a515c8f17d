#include "cUsbLatency.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace {

const char *const ftdiBusKey = "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Enum\\FTDIBUS";
const char *const parametersGroup = "0000/Device Parameters";
// Bytes come in, the reply goes out: the timer runs out on both ways.
constexpr int passesPerRequest = 2;

} // namespace

cUsbLatency::cUsbLatency(const QString &systemRoot)
    : m_root(systemRoot)
{
}

int cUsbLatency::milliseconds(const QString &portName) const
{
#ifdef Q_OS_WIN
    QSettings ftdiBus(QLatin1String(ftdiBusKey), QSettings::NativeFormat);
    return fromFtdiBus(ftdiBus, portName);
#else
    return fromSysfs(portName);
#endif
}

int cUsbLatency::fromFtdiBus(QSettings &ftdiBus, const QString &portName)
{
    for (const QString &device : ftdiBus.childGroups()) {
        ftdiBus.beginGroup(device + QLatin1Char('/') + QLatin1String(parametersGroup));
        const bool ours = ftdiBus.value(QStringLiteral("PortName")).toString().compare(portName, Qt::CaseInsensitive) == 0;
        bool ok = false;
        const int ms = ftdiBus.value(QStringLiteral("LatencyTimer")).toInt(&ok);
        ftdiBus.endGroup();
        if (ours)
            return ok ? ms : unknown;
    }
    return unknown;
}

// A link such as /dev/serial/by-id/... leads to the tty the driver names.
QString cUsbLatency::deviceName(const QString &portName) const
{
    const QString path = m_root + (portName.startsWith(QLatin1Char('/')) ? portName : QStringLiteral("/dev/") + portName);
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return QFileInfo(canonical.isEmpty() ? path : canonical).fileName();
}

int cUsbLatency::fromSysfs(const QString &portName) const
{
    QFile file(m_root + QStringLiteral("/sys/bus/usb-serial/devices/") + deviceName(portName)
               + QStringLiteral("/latency_timer"));
    if (!file.open(QIODevice::ReadOnly))
        return unknown;
    bool ok = false;
    const int ms = file.readAll().trimmed().toInt(&ok);
    return ok ? ms : unknown;
}

QString cUsbLatency::describe(const QString &portName) const
{
    const int ms = milliseconds(portName);
    if (ms == unknown)
        return QString();
    const QString value = tr("USB latency timer: %1 ms.").arg(ms);
    if (ms <= highMs)
        return value;
    return value + QLatin1Char(' ')
        + tr("High: each request waits about %1 ms more.").arg(passesPerRequest * ms) + QLatin1Char(' ')
        + cure(deviceName(portName));
}

QString cUsbLatency::cure(const QString &device)
{
#ifdef Q_OS_WIN
    Q_UNUSED(device)
    return tr("Lower it to 1 ms: Device Manager > Ports > the port's Properties > Port Settings > "
              "Advanced > Latency Timer.");
#else
    return tr("Lower it to 1 ms: echo 1 > latency_timer in /sys/bus/usb-serial/devices/%1 "
              "(as root), or with a udev rule.").arg(device);
#endif
}
