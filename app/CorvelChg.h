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
#include "switch/KeepCheck.h"
#include "switch/SignInRun.h"
#include "switch/SwitchWorker.h"

class IToolWindows;

// The single-instance mutex, released and closed through the platform the
// tool runs on (the application object exists before the platform is set).
struct ToolMutexTraits : NullMeansNone {
    using Handle = HANDLE;
    static void Close(HANDLE mutex);
};

inline constexpr char16_t kToolMutexName[] = u"CorvelChangeMutex";
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

    // Deferred apply at sign-in (CDeferredApply).
    BOOL DoApply();
    LONG DeleteAutoRun();
    void RunDeferredApply();
    void CatchUpDeferredApply();

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

    // The sign-in check of a kept profile ("/keep", CKeepCheck): its exit code.
    int RunKeepCheck();

    // Help topic of the help file beside the program, "::name.html".
    void ShowHelp(const char16_t* topic);
    // Closes the help viewer, when it was opened, as the tool ends.
    void CloseHelp();

    BOOL m_bHelpShown = FALSE;
    BOOL m_bApply = FALSE;
    CommandLine m_command;
    // The waits of the start's changes, with no person in between, share
    // this: the catch-up's and a command-line switch's.
    CChangeDeadline m_startDeadline;
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
