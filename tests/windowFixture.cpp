#include "windowFixture.h"

#include <QSerialPortInfo>
#include <QSettings>
#include <QTest>

#include "boxAnswerer.h"
#include "cSrchSettingsStore.h"

windowFixture::windowFixture()
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_store.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_store.path());
}

void windowFixture::storeSettings(const srchSettings_t &settings)
{
    srchSettings_t ignored;
    cSrchSettingsStore::loadSrchSettings(ignored);
    cSrchSettingsStore::saveSrchSettings(settings);
}

mainClass *windowFixture::open()
{
    window = std::make_unique<mainClass>();
    window->show();
    return window.get();
}

void windowFixture::shut()
{
    if (!window || !window->isVisible())
        return;
    boxAnswerer answers({QStringLiteral("Yes")});
    window->close();
}

QString defaultPortHere()
{
    const QList<QSerialPortInfo> ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &port : ports)
        if (port.portName() == QLatin1String("COM1"))
            return port.portName();
    return ports.isEmpty() ? QStringLiteral("COM1") : ports.first().portName();
}

srchSettings_t searchSettings(const QString &port, QList<int> bauds, QList<int> formats,
                              quint16 timeOut)
{
    srchSettings_t s;
    std::fill(std::begin(s.baudFlags), std::end(s.baudFlags), false);
    std::fill(std::begin(s.formatFlags), std::end(s.formatFlags), false);
    for (int b : bauds)
        s.baudFlags[b] = true;
    for (int f : formats)
        s.formatFlags[f] = true;
    s.portName = port;
    s.timeOut = timeOut;
    return s;
}
