#include "settings/SettingsStore.h"

#include "log/RunContext.h"
#include "platform/Text.h"
#include "res/resource.h"
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

// Read without the log lines of the windows' read, which a run without a
// window does not make: the factory name, else the string table's.
const String16& CSettingsStore::ProfileNameForReport(int mode)
{
    static const String16 none;
    if (mode < 0 || mode >= PROFILE_COUNT) return none;
    String16& name = m_strProfilesName[mode];
    if (!name.empty()) return name;
    DWORD type = 0;
    std::vector<BYTE> data;
    if (RegReadRaw(HKEY_LOCAL_MACHINE, ProfileKeys[mode], kProfilesNameValue, &type, &data) == ERROR_SUCCESS &&
        type == REG_SZ) {
        name.assign(reinterpret_cast<const char16_t*>(data.data()), data.size() / sizeof(char16_t));
        name.resize(BoundedLength(name.c_str(), name.size()));
    }
    if (!name.empty()) return name;
    const UINT ids[PROFILE_COUNT] = {IDS_PROFILE_NAME_1, IDS_PROFILE_NAME_2, IDS_PROFILE_NAME_3};
    char16_t text[kTextChars] = {};
    DWORD error = 0;
    if (Plat().strings.LoadText(ids[mode], text, kTextChars, &error) > 0) name = text;
    return name;
}

const String16& CSettingsStore::ProfileName(int mode) const
{
    static const String16 none;
    return mode >= 0 && mode < PROFILE_COUNT ? m_strProfilesName[mode] : none;
}
