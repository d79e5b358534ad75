#include "app/CorvelChg.h"

#include <new>

#include "engine/SwitchMode.h"
#include "platform/Platform.h"
#include "platform/Text.h"
#include "res/resource.h"
#include "settings/RegControl.h"
#include "switch/DeferredApply.h"

CCorvelChgApp* TheApp() { return static_cast<CCorvelChgApp*>(AfxGetApp()); }

void ToolMutexTraits::Close(HANDLE mutex)
{
    Plat().sync.Release(mutex);
    Plat().sync.Close(mutex);
}

CCorvelChgApp::~CCorvelChgApp()
{
    delete m_pErrorLog;
    m_pErrorLog = nullptr;
    m_hMutex.Reset();
}

BOOL CCorvelChgApp::InitInstance()
{
    m_startDeadline.Start();
    ReadCommandLine();
    CreateLog();
    m_nOsVersion = GetOsVersion();
    m_bWindows10 = IsWindows10OrLater();

    ReadCurrentProfile();

    if (m_bApply) {
        // The sign-in run may change settings, but the switch asked for did
        // not run: the code says so.
        if (IsSwitchCommand()) {
            Log(u"CCorvelChgApp::InitInstance /apply runs alone, /mode and /restore are ignored.");
            m_nExitCode = EXIT_ITEMS_FAILED;
        }
        RunDeferredApply();
        return FALSE;
    }
    if (m_command.action == COMMAND_KEEP) {
        m_nExitCode = RunKeepCheck();
        return FALSE;
    }
    if (m_command.action == COMMAND_BAD || m_command.action == COMMAND_USAGE) {
        ShowUsage();
        m_nExitCode = m_command.action == COMMAND_BAD ? EXIT_BAD_COMMAND : EXIT_DONE;
        return FALSE;
    }
    CatchUpDeferredApply();

    Plat().windows.InitCommonControls(ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES | ICC_BAR_CLASSES |
                                      ICC_TAB_CLASSES | ICC_UPDOWN_CLASS | ICC_PROGRESS_CLASS | ICC_HOTKEY_CLASS |
                                      ICC_ANIMATE_CLASS);
    if (CWinApp::InitInstance() != TRUE) {
        Log(u"InitInstance Failed.");
        return StartFailed();
    }
    if (!RegisterWindowClasses()) return StartFailed();
    if (IsToolRunning()) {
        Log(u"CCorvelChgApp::InitInstance() tool is running now.");
        if (IsSwitchCommand() && m_nExitCode == EXIT_DONE) m_nExitCode = EXIT_RUNNING;
        return FALSE;
    }
    return TRUE;
}

void CCorvelChgApp::ExitInstance() { CSwitchMode::FinishAnnouncements(); }

BOOL CCorvelChgApp::DoApply() { return CDeferredApply(*this).DoApply(); }

LONG CCorvelChgApp::DeleteAutoRun() { return DeleteSignInRun(); }

void CCorvelChgApp::RunDeferredApply() { CDeferredApply(*this).RunAtSignIn(m_startDeadline); }

void CCorvelChgApp::CatchUpDeferredApply() { CDeferredApply(*this).CatchUp(m_startDeadline); }

int CCorvelChgApp::RunKeepCheck()
{
    const struct {
        CheckResult result;
        int exitCode;
    } kExitCodes[] = {
        {CHECK_OFF, EXIT_DONE},
        {CHECK_DONE, EXIT_DONE},
        {CHECK_AFTER_SIGN_IN, EXIT_AFTER_SIGN_IN},
        {CHECK_ITEMS_FAILED, EXIT_ITEMS_FAILED},
        {CHECK_NOT_KEPT, EXIT_ITEMS_FAILED},
        {CHECK_BUSY, EXIT_RUNNING},
        {CHECK_NOT_RUN, EXIT_ITEMS_FAILED},
    };
    const CheckResult result = CKeepCheck(*this).Run();
    for (const auto& row : kExitCodes) {
        if (row.result == result) return row.exitCode;
    }
    return EXIT_ITEMS_FAILED;
}

bool CCorvelChgApp::IsSwitchCommand() const
{
    return m_command.action == COMMAND_MODE || m_command.action == COMMAND_RESTORE ||
           m_command.action == COMMAND_ORIGINAL;
}

BOOL CCorvelChgApp::StartFailed()
{
    if (!IsSwitchCommand()) return FALSE;
    Log(u"CCorvelChgApp::InitInstance the start failed, the switch did not run.");
    m_nExitCode = EXIT_ITEMS_FAILED;
    return FALSE;
}

void CCorvelChgApp::ReadCommandLine()
{
    m_command = ParseCommandLine(m_lpCmdLine);
    m_bCreateLog = m_command.createLog;
    m_bApply = m_command.apply;
}

void CCorvelChgApp::CreateLog()
{
    delete m_pErrorLog;
    m_pErrorLog = new (std::nothrow) CErrorLog(m_bCreateLog);
    if (!m_pErrorLog) return;
    try {
        m_pErrorLog->OpenLog();
    } catch (const std::bad_alloc&) {
        delete m_pErrorLog;
        m_pErrorLog = nullptr;
    }
}

int CCorvelChgApp::GetOsVersion()
{
    ISystem& system = Plat().system;
    if (system.VerifyVersion(6, 2, VER_EQUAL)) return OSVER_6_2;
    if (system.VerifyVersion(6, 2, VER_LESS)) return OSVER_BEFORE_6_2;
    if (system.VerifyVersion(6, 2, VER_GREATER)) return OSVER_AFTER_6_2;
    return OSVER_OTHER;
}

BOOL CCorvelChgApp::IsWindows10OrLater()
{
    ISystem& system = Plat().system;
    return system.VerifyVersion(10, 0, VER_GREATER) || system.VerifyVersion(10, 0, VER_EQUAL);
}

BOOL CCorvelChgApp::RegisterWindowClasses()
{
    if (!Plat().windows.RegisterDialogClass(kMainWindowClass)) {
        Log(u"CCorvelChgApp::InitInstance() AfxRegisterClass error file: %s, line: %d.", kAppFile, 168);
        return FALSE;
    }
    if (!Plat().windows.RegisterDialogClass(kDetailWindowClass)) {
        Log(u"CCorvelChgApp::InitInstance() AfxRegisterClass error file: %s, line: %d.", kAppFile, 174);
        return FALSE;
    }
    return TRUE;
}

BOOL CCorvelChgApp::IsToolRunning()
{
    char16_t title[kTextChars] = {};
    char16_t logOffPrompt[kTextChars] = {};
    char16_t signOutPrompt[kTextChars] = {};
    if (!LoadResString(IDS_WINDOW_TITLE, title, kTextChars) ||
        !LoadResString(IDS_LOG_OFF_PROMPT, logOffPrompt, kTextChars) ||
        !LoadResString(IDS_SIGN_OUT_PROMPT, signOutPrompt, kTextChars)) {
        // Nothing tells whether another instance runs: the tool ends, and a
        // requested switch did not run, whatever else is open.
        StartFailed();
        return TRUE;
    }

    DWORD lastError = 0;
    m_hMutex.Reset(Plat().sync.CreateNamedMutex(kToolMutexName, false, &lastError));
    // A mutex created by another user's instance cannot be opened at all.
    bool otherInstance = lastError == ERROR_ALREADY_EXISTS || (!m_hMutex && lastError == ERROR_ACCESS_DENIED);
    if (!otherInstance) return FALSE;

    const char16_t* prompt = m_nOsVersion >= OSVER_6_2 ? signOutPrompt : logOffPrompt;
    const struct {
        const char16_t* className;
        const char16_t* title;
    } lookups[] = {
        {u"#32770", title},
        {kMainWindowClass, title},
        {kDetailWindowClass, title},
        {u"#32770", prompt},
    };
    HWND found = nullptr;
    for (const auto& lookup : lookups) {
        found = Plat().windows.FindTopWindow(lookup.className, lookup.title);
        if (found) break;
    }
    if (found && !m_command.quiet) Plat().windows.BringToFront(found);
    if (HANDLE other = m_hMutex.Release()) Plat().sync.Close(other);
    return TRUE;
}
