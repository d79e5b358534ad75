// The user's own levels of the three profiles under HKEY_CURRENT_USER, read
// with fallback to the factory levels and the built-in table.
#include "settings/SettingsStore.h"

#include "log/RunContext.h"
#include "platform/Text.h"
#include "res/resource.h"
#include "settings/RegControl.h"

int CSettingsStore::GetProfileFromReg(DWORD mode, int item, DWORD* level)
{
    if (!IsMode(mode)) {
        Log(u"CCorvelChgApp::GetProfileFromReg unknow mode : %d.", mode);
        return -1;
    }
    if (item >= 0 && item < ITEM_COUNT) {
        if (EnforcedLevel(mode, item, level)) return 0;
        if (StoredLevel(HKEY_CURRENT_USER, mode, item, level)) return 0;
        if (InheritedLevel(mode, item, level)) return 0;
    }
    if (BuiltInLevel(item, mode, level)) return 0;
    Log(u"CCorvelChgApp::GetProfileFromReg unknow item : %d.", item);
    return -1;
}

int CSettingsStore::GetProfileFromReg(HKEY root, DWORD mode, const char16_t* name, char16_t* buffer, DWORD bufferBytes)
{
    if (!IsMode(mode)) {
        Log(u"CCorvelChgApp::GetProfileFromReg unknow mode : %d.", mode);
        return -1;
    }
    if (RegReadStr(root, ProfileKeys[mode], name, buffer, bufferBytes) == ERROR_SUCCESS) return 0;
    Log(u"CCorvelChgApp::GetProfileFromReg failed. RegReadStr error.");
    return -1;
}

int CSettingsStore::GetSettingFromReg(DWORD mode, int item, LONG* value)
{
    DWORD level = 0;
    if (GetProfileFromReg(mode, item, &level) != 0) {
        Log(u"CCorvelChgApp::GetSettingFromReg failed. GetProfileFromReg error.");
        return -1;
    }
    LevelValue(item, level, value);
    return 0;
}

int CSettingsStore::GetProfiles(DWORD mode, DWORD* levels)
{
    if (!levels) {
        Log(u"CCorvelChgApp::GetSettings\u3000ERROR_INVALID_PARAMETER file: %s, line: %d.", kAppFile, 751);
        return -1;
    }
    for (int item = 0; item < ITEM_COUNT; ++item) {
        if (GetProfileFromReg(mode, item, &levels[item]) != 0) {
            Log(u"CCorvelChgApp::GetSettings failed. GetProfileFromReg error.");
            return -1;
        }
    }
    return 0;
}

int CSettingsStore::GetSettings(DWORD mode, LONG* values)
{
    if (!values) {
        Log(u"CCorvelChgApp::GetSettings\u3000ERROR_INVALID_PARAMETER file: %s, line: %d.", kAppFile, 695);
        return -1;
    }
    for (int item = 0; item < ITEM_COUNT; ++item) {
        if (GetSettingFromReg(mode, item, &values[item]) != 0) {
            Log(u"CCorvelChgApp::GetSettings failed. GetSettingFromReg error.");
            return -1;
        }
    }
    return 0;
}

LONG CSettingsStore::SaveRegisterItem(DWORD mode, int item, DWORD level)
{
    if (!IsMode(mode)) {
        Log(u"CCorvelChgApp::SaveRegisterItem failed. Unknown mode.");
        return -1;
    }
    return RegWriteDword(HKEY_CURRENT_USER, ProfileKeys[mode], ItemValueNames[item], level);
}

DWORD CSettingsStore::SaveSettings(DWORD mode, const DWORD* levels)
{
    if (!levels) {
        Log(u"CCorvelChgApp::SaveSettings ERROR_INVALID_PARAMETER file: %s, line: %d.", kAppFile, 974);
        return static_cast<DWORD>(-1);
    }
    DWORD failed = 0;
    for (int item = 0; item < ITEM_COUNT; ++item) {
        LONG code = levels[item] == 0xFFFFFFFF ? -1 : SaveRegisterItem(mode, item, levels[item]);
        if (code == 0) continue;
        Log(u"CCorvelChgApp::SaveSettings Failed. item index: %d, error code: %d", item, code);
        failed |= 1u << item;
    }
    return failed;
}

BOOL CSettingsStore::IsSettingsChanged()
{
    if (m_nModeState == MODESTATE_SHIPMENT) return FALSE;
    ProfileLevels stored = {};
    if (GetProfiles(static_cast<DWORD>(m_nMode), stored) != 0) {
        Log(u"CCorvelChgApp::IsSettingsChanged Failed. GetProfiles failed.");
        return FALSE;
    }
    for (int item = 0; item < ITEM_COUNT; ++item) {
        if (stored[item] != m_dwProfile[item]) return TRUE;
    }
    return FALSE;
}

void CSettingsStore::GetProfilesName()
{
    char16_t names[PROFILE_COUNT][kTextChars] = {};
    bool allRead = true;
    for (DWORD mode = 0; mode < PROFILE_COUNT && allRead; ++mode) {
        allRead = GetProfileFromReg(HKEY_LOCAL_MACHINE, mode, kProfilesNameValue, names[mode], sizeof(names[mode])) == 0;
    }
    if (!allRead) {
        const UINT ids[PROFILE_COUNT] = {IDS_PROFILE_NAME_1, IDS_PROFILE_NAME_2, IDS_PROFILE_NAME_3};
        for (int mode = 0; mode < PROFILE_COUNT; ++mode) {
            if (!TheRun().LoadResString(ids[mode], names[mode], kTextChars)) {
                Log(u"CCorvelChgApp::GetProfilesName failed. LoadResString error.");
                break;
            }
        }
    }
    // A name that fills the whole buffer has no terminator: take the buffer.
    for (int mode = 0; mode < PROFILE_COUNT; ++mode) {
        m_strProfilesName[mode].assign(names[mode], BoundedLength(names[mode], kTextChars));
    }
}
