// The factory profiles under HKEY_LOCAL_MACHINE, completed by the built-in
// tables. Nothing here writes to the registry.
#include "settings/SettingsStore.h"

#include "log/RunContext.h"
#include "settings/RegControl.h"

// A stored level outside 0 to 7 is no level: it is passed over like a missing
// one, so the built-in level applies instead of a meaningless value.
int CSettingsStore::GetShipmentProfileFromReg(DWORD mode, int item, DWORD* level)
{
    if (!IsMode(mode)) {
        Log(u"CCorvelChgApp::GetShipmentProfileFromReg unknow mode : %d.", mode);
        return -1;
    }
    DWORD stored = 0;
    if (item >= 0 && item < ITEM_COUNT &&
        RegReadDword(HKEY_LOCAL_MACHINE, ProfileKeys[mode], ItemValueNames[item], &stored) == ERROR_SUCCESS &&
        IsLevel(stored)) {
        *level = stored;
        return 0;
    }
    if (BuiltInLevel(item, mode, level)) return 0;
    Log(u"CCorvelChgApp::GetShipmentProfileFromReg unknow item : %d.", item);
    return -1;
}

int CSettingsStore::GetShipmentSettingFromReg(DWORD mode, int item, LONG* value)
{
    DWORD level = 0;
    if (GetShipmentProfileFromReg(mode, item, &level) != 0) {
        Log(u"CCorvelChgApp::GetShipmentSettingFromReg failed. GetShipmentSettingFromReg error.");
        return -1;
    }
    DWORD stored = 0;
    String16 key = ItemKey(item);
    if (RegReadDword(HKEY_LOCAL_MACHINE, key.c_str(), LevelNames[level], &stored) == ERROR_SUCCESS) {
        *value = static_cast<LONG>(stored);
        return 0;
    }
    BuiltInValue(item, level, value);
    return 0;
}

int CSettingsStore::GetShipmentSettings(DWORD mode, LONG* values)
{
    if (!values) return -1;
    for (int item = 0; item < ITEM_COUNT; ++item) {
        if (GetShipmentSettingFromReg(mode, item, &values[item]) != 0) {
            Log(u"CCorvelChgApp::GetShipmentSettings failed. GetShipmentSettingFromReg error.");
            return -1;
        }
    }
    return 0;
}
