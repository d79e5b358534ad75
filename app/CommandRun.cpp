// A switch from the command line: what a click on a profile button, or a
// confirmed factory restore, does in the main window, without the main
// window. With "/quiet" there is no window at all and never a sign-out.
#include "app/CorvelChg.h"
#include "app/IToolWindows.h"
#include "res/resource.h"
#include "switch/OriginalSettings.h"
#include "switch/ResultMessages.h"

int CCorvelChgApp::RunCommand()
{
    GetProfilesName();
    int switchType = SWITCH_RESTORE;
    m_nAction = ACTION_RESTORE;
    if (m_command.action == COMMAND_MODE) {
        switchType = SWITCH_MODE;
        m_nAction = ACTION_SWITCH;
        m_nSelMode = m_command.mode;
    }
    if (m_command.action == COMMAND_ORIGINAL) {
        if (!IsReturnOffered()) return NothingKept();
        switchType = SWITCH_ORIGINAL;
    }
    if (m_command.quiet) {
        CQuietSwitch worker;
        worker.m_deadline = m_startDeadline;
        int result = worker.Run(switchType);
        return SwitchExitCode(result, worker.m_dwFailed);
    }
    DWORD failedItems = 0;
    int result = m_pToolWindows->ProgressWindow(switchType, m_startDeadline, &failedItems);
    if (result == PROGRESS_NOT_RUN) Log(u"CCorvelChgApp::RunCommand the progress window did not run the switch.");
    if (result == PROGRESS_SIGN_OUT && m_pToolWindows->SignOutPrompt(switchType) == PROMPT_SIGN_OUT_NOW) {
        Plat().system.EndLogon(EWX_LOGOFF, 0);
    }
    return SwitchExitCode(result, failedItems);
}

bool CCorvelChgApp::IsKeepEnforced()
{
    bool enforced = false;
    return KeepProfile(&enforced) && enforced;
}

bool CCorvelChgApp::IsReturnOffered() { return !IsKeepEnforced() && COriginalSettings::IsKept(); }

int CCorvelChgApp::NothingKept()
{
    Log(IsKeepEnforced() ? u"CCorvelChgApp::RunCommand a policy keeps the profile at every sign-in, nothing changed."
                         : u"CCorvelChgApp::RunCommand no original settings are kept, nothing changed.");
    if (!m_command.quiet) {
        String16 text = LoadText(IDS_NOTHING_KEPT);
        if (!text.empty()) ShowMessageText(nullptr, text, MB_OK | MB_ICONINFORMATION);
    }
    return EXIT_NOTHING_KEPT;
}

void CCorvelChgApp::ShowUsage()
{
    if (m_command.quiet) return;
    // Three texts: each string-table text ends at 259 characters.
    String16 format = LoadText(IDS_USAGE);
    String16 codes = LoadText(IDS_USAGE_CODES);
    String16 help = LoadText(IDS_USAGE_HELP);
    String16 signIn = LoadText(m_nOsVersion >= OSVER_6_2 ? IDS_WORD_SIGN_IN : IDS_WORD_LOG_ON);
    if (format.empty() || codes.empty() || help.empty() || signIn.empty()) return;
    UINT icon = m_command.action == COMMAND_BAD ? MB_ICONWARNING : MB_ICONINFORMATION;
    ShowMessageText(nullptr, Format(format.c_str(), signIn) + u"\n\n" + Format(codes.c_str(), signIn) + u"\n\n" + help,
                    MB_OK | icon);
}
