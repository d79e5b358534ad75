#include "ui/FinishDlg.h"

#include "app/CorvelChg.h"
#include "res/resource.h"

BEGIN_MESSAGE_MAP(CFinishDlg)
ON_WM_CTLCOLOR(OnCtlColor)
ON_BN_CLICKED(IDC_NOW, OnBnClickedSignOutNow)
ON_BN_CLICKED(IDC_LATER, OnBnClickedSignOutLater)
END_MESSAGE_MAP()

namespace {

// What was applied: the profile switched to, the profile re-applied, or the
// factory settings.
String16 CompletionLine(CCorvelChgApp& app, int switchType)
{
    UINT formatId = switchType == SWITCH_REAPPLY ? IDS_REAPPLY_DONE : IDS_SWITCH_DONE;
    if (switchType != SWITCH_MODE && switchType != SWITCH_REAPPLY && switchType != SWITCH_RESTORE) return String16();
    char16_t format[kTextChars] = {};
    if (!app.LoadResString(formatId, format, kTextChars)) return String16();
    if (switchType == SWITCH_RESTORE) {
        char16_t shipment[kTextChars] = {};
        if (!app.LoadResString(IDS_SHIPMENT_NAME, shipment, kTextChars)) return String16();
        return Format(format, shipment);
    }
    return Format(format, app.ProfileName(switchType == SWITCH_MODE ? app.m_nSelMode : app.m_nMode));
}

String16 Text(UINT id)
{
    char16_t text[kTextChars] = {};
    TheApp()->LoadResString(id, text, kTextChars);
    return text;
}

}  // namespace

CFinishDlg::CFinishDlg() : CDialog(IDD_FINISH) {}

BOOL CFinishDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    CCorvelChgApp& app = *TheApp();
    SetDlgItemText(IDC_DONE_LINE, CompletionLine(app, m_nSwitchType).c_str());
    if (app.m_nOsVersion >= OSVER_6_2) {
        SetWindowText(Text(IDS_FINISH_CAPTION).c_str());
        SetDlgItemText(IDC_LATER, Text(IDS_SIGN_OUT_LATER).c_str());
        SetDlgItemText(IDC_NOW, Text(IDS_SIGN_OUT_NOW).c_str());
        SetDlgItemText(IDC_REASON, Text(IDS_SIGN_OUT_REASON).c_str());
        String16 caution = Text(IDS_SIGN_OUT_CAUTION);
        if (app.m_nOsVersion == OSVER_AFTER_6_2) caution = Format(u"%s\n\n%s", caution, Text(IDS_DPI_SCALING_NOTE));
        SetDlgItemText(IDC_CAUTION, caution.c_str());
    }
    ::SetForegroundWindow(m_hWnd);
    return TRUE;
}

// The caution is drawn in red.
HBRUSH CFinishDlg::OnCtlColor(HDC dc, HWND control, UINT type)
{
    if (type != WM_CTLCOLORSTATIC || GetDlgCtrlID(control) != IDC_CAUTION) return nullptr;
    SetTextColor(dc, RGB(255, 0, 0));
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return GetSysColorBrush(COLOR_BTNFACE);
}
