// The factory profiles under HKEY_LOCAL_MACHINE, a policy's levels before
// the machine builder's, completed by the built-in tables. Nothing here
// writes to the registry.
#include "settings/SettingsStore.h"

#include "log/RunContext.h"
#include "settings/RegControl.h"

int CSettingsStore::GetShipmentProfileFromReg(DWORD mode, int item, DWORD* level)
{
    if (!IsMode(mode)) {
        Log(u"CCorvelChgApp::GetShipmentProfileFromReg unknow mode : %d.", mode);
        return -1;
    }
    if (item >= 0 && item < ITEM_COUNT && FactoryLevel(mode, item, level)) return 0;
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
    LevelValue(item, level, value);
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
