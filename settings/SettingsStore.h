// The profiles as the tool sees them for one run: the factory settings under
// HKEY_LOCAL_MACHINE, the user's own under HKEY_CURRENT_USER, the names, and
// which profile is current, chosen and edited. The application object is the
// store of the program; one is in effect per process.
#pragma once

#include "fw/ProcessWide.h"
#include "settings/SettingModel.h"

// The source named in the store's log lines: the application object's, whose
// part of the tool the store is. The file and the "line" numbers there are
// fixed texts of the log, not this source's: never __FILE__ or __LINE__.
inline constexpr char16_t kAppFile[] = u".\\CorvelChg";

class CSettingsStore : public CProcessWide<CSettingsStore> {
public:
    CSettingsStore() = default;
    virtual ~CSettingsStore() = default;

    // The user's "Mode", else the factory "mode", else 0.
    DWORD GetMode();
    // Which profile is current, from the user's "Mode": m_nModeState,
    // m_nMode, m_bOriginalMode and m_nAction. At the start, and again by a
    // change once it holds the exclusion, since another may have switched.
    void ReadCurrentProfile();
    // The factory "mode"; 0 when missing or outside 0 to 2.
    DWORD GetShipmentMode();

    // Shipment settings.
    int GetShipmentProfileFromReg(DWORD mode, int item, DWORD* level);
    int GetShipmentSettingFromReg(DWORD mode, int item, LONG* value);
    int GetShipmentSettings(DWORD mode, LONG* values);

    // User settings.
    int GetProfileFromReg(DWORD mode, int item, DWORD* level);
    int GetProfileFromReg(HKEY root, DWORD mode, const char16_t* name, char16_t* buffer, DWORD bufferBytes);
    int GetSettingFromReg(DWORD mode, int item, LONG* value);
    int GetProfiles(DWORD mode, DWORD* levels);
    int GetSettings(DWORD mode, LONG* values);
    LONG SaveRegisterItem(DWORD mode, int item, DWORD level);
    DWORD SaveSettings(DWORD mode, const DWORD* levels);
    BOOL IsSettingsChanged();
    void GetProfilesName();

    // The display name of a profile; empty for an index outside 0 to 2.
    const String16& ProfileName(int mode) const;
    // The same, the names read first when no run has read them yet (the
    // runs without a window): for the event log.
    const String16& ProfileNameForReport(int mode);

    int m_nMode = 0;
    int m_nSelMode = 0;
    int m_nModeState = MODESTATE_SHIPMENT;
    int m_nAction = MODESTATE_SHIPMENT;
    // The user's "Mode" is MODE_ORIGINAL: their own settings, no profile.
    // Never while a policy keeps the profile at every sign-in: then the
    // starting profile is current for them.
    BOOL m_bOriginalMode = FALSE;
    ProfileLevels m_dwProfile = {};
    String16 m_strProfilesName[PROFILE_COUNT];
};

// The settings store in effect; null when there is none.
inline CSettingsStore* TheSettings() { return CSettingsStore::Current(); }
