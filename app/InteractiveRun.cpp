// The interactive run: main window, the optional re-apply question, the
// progress window, the sign-out prompt and the sign-out.
#include "app/CorvelChg.h"
#include "app/IToolWindows.h"
#include "res/resource.h"
#include "switch/ResultMessages.h"

// Asks whether to apply the edited current profile now.
static bool ConfirmReapply(CCorvelChgApp& app)
{
    String16 format = app.LoadText(IDS_REAPPLY_QUESTION);
    if (format.empty()) return false;
    String16 question = Format(format.c_str(), app.ProfileName(app.m_nMode));
    return ShowMessageText(nullptr, question, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

int CCorvelChgApp::Run()
{
    if (IsSwitchCommand()) {
        m_nExitCode = RunCommand();
    } else {
        RunWindows();
    }
    CloseHelp();
    return m_nExitCode;
}

void CCorvelChgApp::RunWindows()
{
    GetProfilesName();
    if (GetProfiles(static_cast<DWORD>(m_nMode), m_dwProfile) != 0) Log(u"CCorvelChgApp::Run failed. GetProfiles error.");

    int result = m_pToolWindows->MainWindow();
    int switchType = 0;
    switch (result) {
    case MAIN_CLOSED: return;
    case MAIN_SWITCH: switchType = SWITCH_MODE; break;
    case MAIN_CLOSED_EDITED:
        if (!ConfirmReapply(*this)) return;
        switchType = SWITCH_REAPPLY;
        break;
    case MAIN_RESTORE: switchType = SWITCH_RESTORE; break;
    case MAIN_ORIGINAL: switchType = SWITCH_ORIGINAL; break;
    default:
        Log(u"CCorvelChgApp::Run() the DoModal of CCorvelChgDlg 's return value is %d.", result);
        return;
    }
    // The person's click starts a wait of its own.
    CChangeDeadline clicked;
    clicked.Start();
    DWORD failedItems = 0;
    if (m_pToolWindows->ProgressWindow(switchType, clicked, &failedItems) != PROGRESS_SIGN_OUT) return;
    if (m_pToolWindows->SignOutPrompt(switchType) == PROMPT_SIGN_OUT_NOW) Plat().system.EndLogon(EWX_LOGOFF, 0);
}
