#include "cSrchSettingsStore.h"

#include <QFile>
#include <QSet>
#include <QSettings>

#include "cEchoFilter.h"
#include "cEndpoint.h"
#include "cPortList.h"

namespace {

const char *const organisation = cSrchSettingsStore::organisation;
const char *const application = cSrchSettingsStore::application;
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
const char *const echoKey = "cfg_srch_echo";

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

// A value that is missing or breaks its rule gives way to the default, and
// the user is told which.
qint64 readNumber(const QSettings &store, const char *key, bool (*fits)(qint64), qint64 fallback,
                  QStringList &notes)
{
    const QVariant stored = store.value(QLatin1String(key));
    bool ok = false;
    const qint64 value = stored.toLongLong(&ok);
    if (ok && fits(value))
        return value;
    const QString name = QLatin1String(key);
    const QString used = QString::number(fallback);
    notes << (stored.isValid()
                  ? cSrchSettingsStore::tr("%1 = \"%2\" is not usable: %3 is used").arg(name, stored.toString(), used)
                  : cSrchSettingsStore::tr("%1 is missing: %2 is used").arg(name, used));
    return fallback;
}

bool anyNumber(qint64)
{
    return true;
}

bool readFlag(const QSettings &store, const char *key, bool fallback, QStringList &notes)
{
    return readNumber(store, key, anyNumber, fallback ? 1 : 0, notes) != 0;
}

// Stores from before the echo choice lack the key: the default, untold.
echoMode_t readEcho(const QSettings &store, QStringList &notes)
{
    const echoMode_t fallback = srchSettings_t().echo;
    if (!store.contains(QLatin1String(echoKey)))
        return fallback;
    return echoMode_t(readNumber(store, echoKey, cEchoFilter::modeFits, int(fallback), notes));
}

// Moved aside, never overwritten: the user may still want what it holds.
QSet<QString> &damagedFiles()
{
    static QSet<QString> files;
    return files;
}

bool keepAside(const QString &fileName, QStringList &notes)
{
    QString backup = fileName + QStringLiteral(".unreadable");
    for (int n = 2; QFile::exists(backup); ++n)
        backup = fileName + QStringLiteral(".unreadable%1").arg(n);
    if (!QFile::rename(fileName, backup)) {
        notes << cSrchSettingsStore::tr("The settings file %1 cannot be read, nor be moved to %2: the "
                                        "defaults are used.").arg(fileName, backup);
        return false;
    }
    notes << cSrchSettingsStore::tr("The settings file %1 cannot be read: it is kept as %2.").arg(fileName, backup);
    damagedFiles().remove(fileName);
    return true;
}

// A network endpoint is as good a port as a serial one; only a malformed one
// gives way.
QString readPort(const QSettings &store, QStringList &notes)
{
    const QString name = store.value(QLatin1String(nameKey)).toString();
    const cEndpoint endpoint(name);
    if (endpoint.isValid())
        return name;
    srchSettings_t fallback;
    cSrchSettingsStore::setDefaultSrchSettings(fallback);
    notes << cSrchSettingsStore::tr("%1 = \"%2\" is not usable: %3 is used")
                 .arg(QLatin1String(nameKey), name, fallback.portName);
    return fallback.portName;
}

void readValues(QSettings &store, srchSettings_t &record, QStringList &notes)
{
    const srchSettings_t defaults;
    store.beginGroup(QLatin1String(group));
    for (int i = 0; i < 8; ++i)
        record.baudFlags[i] = readFlag(store, baudKeys[i], defaults.baudFlags[i], notes);
    for (int i = 0; i < 4; ++i)
        record.formatFlags[i] = readFlag(store, formatKeys[i], defaults.formatFlags[i], notes);
    record.portName = readPort(store, notes);
    record.timeOut = quint16(readNumber(store, timeOutKey, srchSettings_t::timeOutFits,
                                        srchSettings_t::defaultTimeOut, notes));
    record.echo = readEcho(store, notes);
    store.endGroup();
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

bool cSrchSettingsStore::noteDamage(const QSettings &store)
{
    if (store.status() != QSettings::NoError)
        damagedFiles().insert(store.fileName());
    return damagedFiles().contains(store.fileName());
}

bool cSrchSettingsStore::storeReadable(QString *fileName)
{
    const QSettings store{QLatin1String(organisation), QLatin1String(application)};
    *fileName = store.fileName();
    return !noteDamage(store);
}

QStringList cSrchSettingsStore::loadSrchSettings(srchSettings_t &record)
{
    QStringList notes;
    QSettings store{QLatin1String(organisation), QLatin1String(application)};
    const bool damaged = noteDamage(store);
    if (damaged && !keepAside(store.fileName(), notes)) {
        setDefaultSrchSettings(record);
        return notes;
    }
    if (!hasMarker(store)) {
        setDefaultSrchSettings(record);
    } else {
        readValues(store, record, notes);
        if (!damaged)
            return notes;
    }
    // A new store: the defaults, or what could be read of the damaged one.
    store.setValue(markerPath(), markerValue);
    saveSrchSettings(record);
    return notes;
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
    store.setValue(QLatin1String(echoKey), int(record.echo));
    store.endGroup();
}
