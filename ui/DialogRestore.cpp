#include "ui/DialogRestore.h"

#include "app/CorvelChg.h"
#include "res/resource.h"

CDialogRestore::CDialogRestore() : CDialog(IDD_RESTORE) {}

BOOL CDialogRestore::OnInitDialog()
{
    CDialog::OnInitDialog();
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    CCorvelChgApp& app = *TheApp();
    char16_t text[kTextChars] = {};
    if (app.m_nOsVersion == OSVER_BEFORE_6_2) {
        app.LoadResString(IDS_RESTORE_NOTE_LOG_OFF, text, kTextChars);
    } else if (app.m_nOsVersion >= OSVER_6_2) {
        app.LoadResString(IDS_RESTORE_NOTE_SIGN_OUT, text, kTextChars);
    }
    SetDlgItemText(IDC_RESTORE_DPI, text);
    return TRUE;
}
