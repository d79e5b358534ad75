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
// The starting profile is a default by its nature: the recommended policy's
// (computer, then user), then the first template's (computer), before the
// factory one; a policy value that is no mode counts as none.
DWORD CSettingsStore::GetShipmentMode()
{
    const struct {
        HKEY root;
        const char16_t* key;
    } sources[] = {{HKEY_LOCAL_MACHINE, kRecommendedSettingsKey},
                   {HKEY_CURRENT_USER, kRecommendedSettingsKey},
                   {HKEY_LOCAL_MACHINE, kPolicySettingsKey}};
    DWORD mode = 0;
    for (const auto& source : sources) {
        if (ReadPolicyDword(source.root, source.key, kModeValue, PROFILE_COUNT - 1, &mode)) return mode;
    }
    if (RegReadDword(HKEY_LOCAL_MACHINE, kSettingsKey, kModeValue, &mode) != ERROR_SUCCESS) return 0;
    return IsMode(mode) ? mode : 0;
}

const String16& CSettingsStore::ProfileName(int mode) const
{
    static const String16 none;
    return mode >= 0 && mode < PROFILE_COUNT ? m_strProfilesName[mode] : none;
}
