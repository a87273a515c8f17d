#include "windowFixture.h"

#include <QSettings>
#include <QTest>

#include "boxAnswerer.h"
#include "cPortList.h"
#include "cSrchSettingsStore.h"

// Listing the system's ports would open them: no port is listed.
windowFixture::windowFixture()
{
    cPortList::replace([] { return QStringList(); });
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
