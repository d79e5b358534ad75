// The interactive run: main window, the optional re-apply question, the
// progress window, the sign-out prompt and the sign-out.
#include "app/CorvelChg.h"
#include "app/ToolWindows.h"
#include "res/resource.h"
#include "switch/ResultMessages.h"

namespace {
constexpr UINT EWX_LOGOFF_FLAG = 0;
}

const String16& CCorvelChgApp::ProfileName(int mode) const
{
    static const String16 none;
    return mode >= 0 && mode < PROFILE_COUNT ? m_strProfilesName[mode] : none;
}

// Asks whether to apply the edited current profile now.
static bool ConfirmReapply(CCorvelChgApp& app)
{
    char16_t format[kTextChars] = {};
    if (!app.LoadResString(IDS_REAPPLY_QUESTION, format, kTextChars)) return false;
    String16 question = Format(format, app.ProfileName(app.m_nMode));
    return ShowMessageText(nullptr, question, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

int CCorvelChgApp::Run()
{
    RunWindows();
    CloseHelp();
    return 0;
}

void CCorvelChgApp::RunWindows()
{
    GetProfilesName();
    if (GetProfiles(static_cast<DWORD>(m_nMode), m_dwProfile) != 0) Log(u"CCorvelChgApp::Run failed. GetProfiles error.");
    if (!m_pToolWindows) return;

    int result = m_pToolWindows->MainWindow();
    int switchType = 0;
    switch (result) {
    case 0: return;
    case 1: switchType = SWITCH_MODE; break;
    case 3:
        if (!ConfirmReapply(*this)) return;
        switchType = SWITCH_REAPPLY;
        break;
    case 5: switchType = SWITCH_RESTORE; break;
    default:
        Log(u"CCorvelChgApp::Run() the DoModal of CCorvelChgDlg 's return value is %d.", result);
        return;
    }
    if (m_pToolWindows->ProgressWindow(switchType) != 4) return;
    if (m_pToolWindows->SignOutPrompt(switchType) == 4) Plat().system.EndLogon(EWX_LOGOFF_FLAG, 0);
}
