#include "settings/SettingsStore.h"

#include "settings/RegControl.h"

DWORD CSettingsStore::GetMode()
{
    DWORD mode = 0;
    if (RegReadDword(HKEY_CURRENT_USER, kSettingsKey, kModeValue, &mode) == ERROR_SUCCESS) return mode;
    if (RegReadDword(HKEY_LOCAL_MACHINE, kSettingsKey, kModeValue, &mode) == ERROR_SUCCESS) return mode;
    return 0;
}

// A factory "mode" outside 0 to 2 names no profile; it reads as profile 0,
// like a missing one, so that every later lookup has a profile to work on.
// A policy's "mode" before the factory one; a policy value that is no mode
// counts as none.
DWORD CSettingsStore::GetShipmentMode()
{
    DWORD mode = 0;
    if (RegReadDword(HKEY_LOCAL_MACHINE, kPolicySettingsKey, kModeValue, &mode) == ERROR_SUCCESS && IsMode(mode)) {
        return mode;
    }
    if (RegReadDword(HKEY_LOCAL_MACHINE, kSettingsKey, kModeValue, &mode) != ERROR_SUCCESS) return 0;
    return IsMode(mode) ? mode : 0;
}

const String16& CSettingsStore::ProfileName(int mode) const
{
    static const String16 none;
    return mode >= 0 && mode < PROFILE_COUNT ? m_strProfilesName[mode] : none;
}
