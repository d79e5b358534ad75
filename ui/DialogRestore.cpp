#include "ui/DialogRestore.h"

#include "app/CorvelChg.h"
#include "res/resource.h"

CDialogRestore::CDialogRestore(UINT templateId) : CDialog(templateId) {}

BOOL CDialogRestore::OnInitDialog()
{
    CDialog::OnInitDialog();
    CCorvelChgApp& app = *TheApp();
    String16 text;
    if (app.m_nOsVersion == OSVER_BEFORE_6_2) {
        text = app.LoadText(IDS_RESTORE_NOTE_LOG_OFF);
    } else if (app.m_nOsVersion >= OSVER_6_2) {
        text = app.LoadText(IDS_RESTORE_NOTE_SIGN_OUT);
    }
    SetDlgItemText(IDC_RESTORE_DPI, text.c_str());
    return TRUE;
}
