#ifndef CSRCHSETTINGSSTORE_H
#define CSRCHSETTINGSSTORE_H

#include "srchSettings_t.h"

// The search settings in the per-user settings store.
class cSrchSettingsStore
{
public:
    static void setDefaultSrchSettings(srchSettings_t &record);
    static bool hasStoredSrchSettings();
    static void loadSrchSettings(srchSettings_t &record);
    static void saveSrchSettings(srchSettings_t record);
};

#endif
