#include "settings/SettingsStore.h"

#include "settings/RegControl.h"

DWORD CSettingsStore::GetMode()
{
    DWORD mode = 0;
    if (RegReadDword(HKEY_CURRENT_USER, kSettingsKey, kModeValue, &mode) == ERROR_SUCCESS) return mode;
    if (RegReadDword(HKEY_LOCAL_MACHINE, kSettingsKey, kModeValue, &mode) == ERROR_SUCCESS) return mode;
    return 0;
}

// A policy that keeps the profile at every sign-in reaches a person back at
// their own settings too: every run then takes them as in the starting
// profile, so that none finishes a return over the profile the check holds,
// and their kept set stays as it is until the policy is lifted.
void CSettingsStore::ReadCurrentProfile()
{
    DWORD userMode = 0;
    const bool read = RegReadDword(HKEY_CURRENT_USER, kSettingsKey, kModeValue, &userMode) == ERROR_SUCCESS;
    const bool hasUserMode = read && IsMode(userMode);
    bool enforced = false;
    m_nModeState = hasUserMode ? MODESTATE_USER : MODESTATE_SHIPMENT;
    m_bOriginalMode = read && userMode == MODE_ORIGINAL && !(KeepProfile(&enforced) && enforced);
    m_nAction = m_nModeState;
    // The value just checked, not a second read: another instance may
    // change "Mode" in between.
    m_nMode = static_cast<int>(hasUserMode ? userMode : GetShipmentMode());
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

const String16& CSettingsStore::ProfileNameForReport(int mode)
{
    if (m_strProfilesName[0].empty()) GetProfilesName();
    return ProfileName(mode);
}

const String16& CSettingsStore::ProfileName(int mode) const
{
    static const String16 none;
    return mode >= 0 && mode < PROFILE_COUNT ? m_strProfilesName[mode] : none;
}
