#ifndef CSRCHSETTINGSSTORE_H
#define CSRCHSETTINGSSTORE_H

#include <QCoreApplication>
#include <QStringList>

#include "srchSettings_t.h"

// The search settings in the per-user settings store.
class QSettings;

class cSrchSettingsStore
{
    Q_DECLARE_TR_FUNCTIONS(cSrchSettingsStore)

public:
    // The store's names; other choices are kept in groups of their own there.
    static constexpr const char *organisation = "Zeltrovia";
    static constexpr const char *application = "cfgSrch";

    static void setDefaultSrchSettings(srchSettings_t &record);
    static bool hasStoredSrchSettings();
    // False, with the store's file, when the store cannot be read as a whole.
    static bool storeReadable(QString *fileName);
    // Qt parses a settings file once per change and caches it, so only the
    // first reader after the file went bad is told: every reader of the
    // store reports here, and true means the file is known to be damaged.
    static bool noteDamage(const QSettings &store);
    // A store without settings gets the defaults written; an unreadable one is
    // first kept under another name. A stored value that breaks the rules is
    // replaced by its default in the record only. Returns what the user is to
    // be told, one line each.
    static QStringList loadSrchSettings(srchSettings_t &record);
    static void saveSrchSettings(srchSettings_t record);
};

#endif
