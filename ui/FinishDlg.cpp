#include "ui/FinishDlg.h"

#include "app/CorvelChg.h"
#include "res/resource.h"

BEGIN_MESSAGE_MAP(CFinishDlg)
ON_WM_CTLCOLOR(OnCtlColor)
ON_BN_CLICKED(IDC_NOW, OnBnClickedSignOutNow)
ON_BN_CLICKED(IDC_LATER, OnBnClickedSignOutLater)
END_MESSAGE_MAP()

namespace {

// What was applied: the profile switched to, the profile re-applied, the
// factory settings, or the person's own settings.
String16 CompletionLine(CCorvelChgApp& app, int switchType)
{
    UINT formatId = switchType == SWITCH_REAPPLY ? IDS_REAPPLY_DONE : IDS_SWITCH_DONE;
    if (switchType < SWITCH_MODE || switchType > SWITCH_ORIGINAL) return String16();
    String16 format = app.LoadText(formatId);
    if (format.empty()) return String16();
    if (switchType == SWITCH_RESTORE || switchType == SWITCH_ORIGINAL) {
        String16 name = app.LoadText(switchType == SWITCH_RESTORE ? IDS_SHIPMENT_NAME : IDS_ORIGINAL_NAME);
        if (name.empty()) return String16();
        return Format(format.c_str(), name);
    }
    return Format(format.c_str(), app.ProfileName(switchType == SWITCH_MODE ? app.m_nSelMode : app.m_nMode));
}

}  // namespace

CFinishDlg::CFinishDlg() : CDialog(IDD_FINISH) {}

BOOL CFinishDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CCorvelChgApp& app = *TheApp();
    SetDlgItemText(IDC_DONE_LINE, CompletionLine(app, m_nSwitchType).c_str());
    if (app.m_nOsVersion >= OSVER_6_2) SetSignOutWording(app.m_nOsVersion);
    ::SetForegroundWindow(m_hWnd);
    return TRUE;
}

// The sign-out wording over the template's log-off wording. Whatever cannot
// be loaded keeps the template's text: a window never loses its words, and
// a second start can still find the prompt by its caption.
void CFinishDlg::SetSignOutWording(int osVersion)
{
    CRunContext& run = TheRun();
    String16 caption = run.LoadText(IDS_FINISH_CAPTION);
    if (!caption.empty()) SetWindowText(caption.c_str());
    const struct {
        int control;
        UINT id;
    } items[] = {{IDC_LATER, IDS_SIGN_OUT_LATER}, {IDC_NOW, IDS_SIGN_OUT_NOW}, {IDC_REASON, IDS_SIGN_OUT_REASON}};
    for (const auto& item : items) {
        String16 text = run.LoadText(item.id);
        if (!text.empty()) SetDlgItemText(item.control, text.c_str());
    }
    String16 caution = run.LoadText(IDS_SIGN_OUT_CAUTION);
    if (caution.empty()) return;
    String16 note = osVersion == OSVER_AFTER_6_2 ? run.LoadText(IDS_ONE_SCALE_NOTE) : String16();
    if (!note.empty()) caution = Format(u"%s\n\n%s", caution, note);
    SetDlgItemText(IDC_CAUTION, caution.c_str());
}

// The caution is drawn in red.
HBRUSH CFinishDlg::OnCtlColor(HDC dc, HWND control, UINT type)
{
    if (type != WM_CTLCOLORSTATIC || GetDlgCtrlID(control) != IDC_CAUTION) return nullptr;
    SetTextColor(dc, RGB(255, 0, 0));
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return GetSysColorBrush(COLOR_BTNFACE);
}
