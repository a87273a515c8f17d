#include "cSrchSettingsStore.h"

#include <QSettings>

#include "cPortList.h"

namespace {

const char *const organisation = "Zeltrovia";
const char *const application = "cfgSrch";
const char *const group = "cfgSrchSettings";
const char *const markerKey = "srch_cfg_w_sv";
constexpr int markerValue = 165;

const char *const baudKeys[8] = {
    "cfg_srch_bdr115200", "cfg_srch_bdr57600", "cfg_srch_bdr38400", "cfg_srch_bdr19200",
    "cfg_srch_bdr9600",   "cfg_srch_bdr4800",  "cfg_srch_bdr2400",  "cfg_srch_bdr1200",
};
const char *const formatKeys[4] = {
    "cfg_srch_parity_8n1", "cfg_srch_parity_8n2", "cfg_srch_parity_8e1", "cfg_srch_parity_8o1",
};
const char *const nameKey = "cfg_srch_name";
const char *const timeOutKey = "cfg_srch_timeOut";

QString markerPath()
{
    return QLatin1String(group) + QLatin1Char('/') + QLatin1String(markerKey);
}

bool hasMarker(const QSettings &store)
{
    bool ok = false;
    const int marker = store.value(markerPath()).toInt(&ok);
    return ok && marker == markerValue;
}

// Malformed values read as 0, like missing ones.
bool readFlag(const QSettings &store, const char *key)
{
    return store.value(QLatin1String(key)).toInt() != 0;
}

} // namespace

// "COM1" where the system has it, else the first port it lists.
void cSrchSettingsStore::setDefaultSrchSettings(srchSettings_t &record)
{
    record = srchSettings_t();
    const QStringList ports = cPortList::names();
    if (!ports.isEmpty() && !ports.contains(record.portName))
        record.portName = ports.first();
}

bool cSrchSettingsStore::hasStoredSrchSettings()
{
    return hasMarker(QSettings{QLatin1String(organisation), QLatin1String(application)});
}

void cSrchSettingsStore::loadSrchSettings(srchSettings_t &record)
{
    QSettings store{QLatin1String(organisation), QLatin1String(application)};
    if (!hasMarker(store)) {
        store.setValue(markerPath(), markerValue);
        setDefaultSrchSettings(record);
        saveSrchSettings(record);
        return;
    }
    store.beginGroup(QLatin1String(group));
    for (int i = 0; i < 8; ++i)
        record.baudFlags[i] = readFlag(store, baudKeys[i]);
    for (int i = 0; i < 4; ++i)
        record.formatFlags[i] = readFlag(store, formatKeys[i]);
    record.portName = store.value(QLatin1String(nameKey)).toString();
    record.timeOut = quint16(store.value(QLatin1String(timeOutKey)).toUInt() & 0xFFFF);
    store.endGroup();
}

void cSrchSettingsStore::saveSrchSettings(srchSettings_t record)
{
    QSettings store{QLatin1String(organisation), QLatin1String(application)};
    store.beginGroup(QLatin1String(group));
    for (int i = 0; i < 8; ++i)
        store.setValue(QLatin1String(baudKeys[i]), record.baudFlags[i] ? 1 : 0);
    for (int i = 0; i < 4; ++i)
        store.setValue(QLatin1String(formatKeys[i]), record.formatFlags[i] ? 1 : 0);
    store.setValue(QLatin1String(nameKey), record.portName);
    store.setValue(QLatin1String(timeOutKey), uint(record.timeOut));
    store.endGroup();
}
