// The application object: start-up, the interactive run, the deferred apply
// at sign-in, and the settings state that every window and the switch worker
// share for the whole process.
#pragma once

#include "fw/WinApp.h"
#include "log/ErrorLog.h"
#include "platform/ScopedHandle.h"
#include "settings/SettingModel.h"

class IToolWindows;

// The single-instance mutex, released and closed through the platform the
// tool runs on (the application object exists before the platform is set).
struct ToolMutexTraits {
    using Handle = HANDLE;
    static void Close(HANDLE mutex);
};

enum OsVersion { OSVER_OTHER = 0, OSVER_BEFORE_6_2 = 1, OSVER_6_2 = 2, OSVER_AFTER_6_2 = 3 };

enum SwitchType { SWITCH_MODE = 1, SWITCH_REAPPLY = 2, SWITCH_RESTORE = 3 };

inline constexpr int kTextChars = 260;  // every fixed text buffer of the tool
inline constexpr char16_t kAppFile[] = u".\\CorvelChg";
inline constexpr char16_t kToolMutexName[] = u"CorvelChangeMutex";
inline constexpr char16_t kAutoRunMutexName[] = u"CorvelChangeMutex_AutoRun";
inline constexpr char16_t kRunKey[] = u"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr char16_t kRunValue[] = u"CorvelChg";
inline constexpr char16_t kMainWindowClass[] = u"MainWindowClass";
inline constexpr char16_t kDetailWindowClass[] = u"DetailWindowClass";

class CCorvelChgApp : public CWinApp {
public:
    CCorvelChgApp() = default;
    ~CCorvelChgApp() override;

    BOOL InitInstance() override;
    int Run() override;

    // Start-up.
    void ReadCommandLine();
    int GetOsVersion();
    BOOL IsToolRunning();
    DWORD GetMode();
    DWORD GetShipmentMode();
    BOOL LoadResString(UINT id, char16_t* buffer, int size);

    // Deferred apply at sign-in.
    BOOL DoApply();
    LONG DeleteAutoRun();
    void RunDeferredApply();
    void CatchUpDeferredApply();

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

    // Help topic of the help file beside the program, "::name.html".
    void ShowHelp(const char16_t* topic);
    BOOL PreTranslateAppMessage(tagMSG* message) override;
    // Closes the help viewer, when it was opened, as the tool ends.
    void CloseHelp();
    // The display name of a profile; empty for an index outside 0 to 2.
    const String16& ProfileName(int mode) const;

    BOOL m_bCreateLog = FALSE;
    BOOL m_bHelpShown = FALSE;
    int m_nMode = 0;
    int m_nSelMode = 0;
    CErrorLog* m_pErrorLog = nullptr;
    BOOL m_bApply = FALSE;
    int m_nModeState = MODESTATE_SHIPMENT;
    int m_nAction = MODESTATE_SHIPMENT;
    ScopedHandle<ToolMutexTraits> m_hMutex;
    ProfileLevels m_dwProfile = {};
    int m_nOsVersion = OSVER_OTHER;
    String16 m_strProfilesName[PROFILE_COUNT];

    // The windows the interactive run shows; none in the unit tests.
    IToolWindows* m_pToolWindows = nullptr;

private:
    void CreateLog();
    // The windows of one interactive run, up to the sign-out.
    void RunWindows();
    BOOL RegisterWindowClasses();
};

// The one application object of the process; null before it exists.
CCorvelChgApp* TheApp();

// Writes one line to the log when logging is on.
template <class... Args>
void Log(const char16_t* format, const Args&... args)
{
    CCorvelChgApp* app = TheApp();
    if (app && app->m_pErrorLog) app->m_pErrorLog->WriteLog(format, args...);
}
