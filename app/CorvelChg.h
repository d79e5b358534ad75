// The application object: start-up, the interactive run and the deferred
// apply at sign-in. It is also the run context (log, version class, strings)
// and the settings store that every window and the switch worker share.
#pragma once

#include "app/CommandLine.h"
#include "fw/WinApp.h"
#include "log/RunContext.h"
#include "platform/ScopedHandle.h"
#include "settings/SettingsStore.h"
#include "switch/ChangeLock.h"
#include "switch/SwitchWorker.h"

class IToolWindows;

// The single-instance mutex, released and closed through the platform the
// tool runs on (the application object exists before the platform is set).
struct ToolMutexTraits : NullMeansNone {
    using Handle = HANDLE;
    static void Close(HANDLE mutex);
};

inline constexpr char16_t kToolMutexName[] = u"CorvelChangeMutex";
// Written by that check when it stored the text size again: the main window
// says so once.
inline constexpr char16_t kTextSizePutBackValue[] = u"TextSizePutBack";
inline constexpr char16_t kMainWindowClass[] = u"MainWindowClass";
inline constexpr char16_t kDetailWindowClass[] = u"DetailWindowClass";

// The run context and the settings store of the program are this object.
class CCorvelChgApp : public CWinApp, public CRunContext, public CSettingsStore {
public:
    CCorvelChgApp() = default;
    ~CCorvelChgApp() override;

    BOOL InitInstance() override;
    int Run() override;
    // Waits for the announcements still going out, so that the process's
    // end does not cut them.
    void ExitInstance() override;

    // Start-up.
    void ReadCommandLine();
    int GetOsVersion();
    BOOL IsWindows10OrLater();
    BOOL IsToolRunning();
    // Which profile is current, from the user's "Mode": m_nModeState,
    // m_nMode, m_bOriginalMode and m_nAction. At the start, and again by a
    // change once it holds the exclusion, since another may have switched.
    void ReadCurrentProfile();

    // Deferred apply at sign-in.
    BOOL DoApply();
    BOOL FinishReturn();
    LONG DeleteAutoRun();
    void RunDeferredApply();
    void CatchUpDeferredApply();
    // The sign-in run's Run value is there (as a REG_SZ that fits 260
    // characters): its work is still to be done.
    static bool IsSignInRunPending();
    // The catch-up's test: the text size stored for the sign-in is in effect,
    // so the sign-in run is due (both count as 96 when unreadable).
    bool IsSignInRunDue();
    // The catch-up's work: the Run value goes, then the apply.
    void CatchUpNow();

    // A switch from the command line ("/mode N", "/restore"): its exit code.
    int RunCommand();
    // The usage box of the command line, unless "/quiet".
    void ShowUsage();
    // The return to the person's own settings is offered: a whole set is
    // kept, and no policy keeps the profile at every sign-in.
    bool IsReturnOffered();
    // A policy keeps the profile at every sign-in.
    bool IsKeepEnforced();
    // "/original" when no return is offered: says so, and the exit code.
    int NothingKept();

    // The sign-in check of a kept profile ("/keep"): its exit code.
    int RunKeepCheck();
    int CheckKeptProfile();

    // Help topic of the help file beside the program, "::name.html".
    void ShowHelp(const char16_t* topic);
    // Closes the help viewer, when it was opened, as the tool ends.
    void CloseHelp();

    BOOL m_bHelpShown = FALSE;
    BOOL m_bApply = FALSE;
    // The user's "Mode" is MODE_ORIGINAL: their own settings, no profile.
    BOOL m_bOriginalMode = FALSE;
    CommandLine m_command;
    ScopedHandle<ToolMutexTraits> m_hMutex;

    // The windows the interactive and the command-line runs show: set by the
    // program's entry point (the tests set stand-ins) before the run starts.
    IToolWindows* m_pToolWindows = nullptr;

private:
    void CreateLog();
    // The windows of one interactive run, up to the sign-out.
    void RunWindows();
    BOOL RegisterWindowClasses();
    // Ends a start that went wrong before a requested switch could run: a
    // script must not read "done".
    BOOL StartFailed();
    bool IsSwitchCommand() const;
};

// The one application object of the process; null before it exists.
CCorvelChgApp* TheApp();
