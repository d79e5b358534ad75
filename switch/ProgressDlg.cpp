#include "switch/ProgressDlg.h"

#include "log/RunContext.h"
#include "res/resource.h"
#include "settings/SettingModel.h"
#include "switch/ResultMessages.h"

BEGIN_MESSAGE_MAP(CProgressDlg)
ON_WM_CLOSE(OnClose)
END_MESSAGE_MAP()

CProgressDlg::CProgressDlg() : CDialog(IDD_PROGRESS) {}

void CProgressDlg::DoDataExchange() { DDX_Control(IDC_PROGRESS, m_progress); }

BOOL CProgressDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetWindowText(TheRun().LoadText(IDS_WINDOW_TITLE).c_str());  // lets a second instance find this window
    m_progress.SendMessage(PBM_SETRANGE32, 0, ITEM_COUNT);
    if (m_nSwitchType == SWITCH_REAPPLY) {
        String16 text = TheRun().LoadText(IDS_REAPPLYING);
        if (!text.empty()) SetDlgItemText(IDC_STATUS, text.c_str());
    }
    // Without a worker nothing would ever end this window: end it as a
    // switch that never ran.
    if (!StartWorker()) EndDialog(PROGRESS_NOT_RUN);
    return TRUE;
}

BOOL CProgressDlg::PreTranslateMessage(MSG* message)
{
    if (message->message == WM_KEYDOWN && (message->wParam == VK_ESCAPE || message->wParam == VK_RETURN)) return TRUE;
    return CDialog::PreTranslateMessage(message);
}

void CProgressDlg::SetProgressPos(int position) { m_progress.SendMessage(PBM_SETPOS, position, 0); }

void CProgressDlg::SetStatusText(const char16_t* text) { SetDlgItemText(IDC_STATUS, text); }

int CProgressDlg::ShowFailureMessage(const String16& text) { return ShowMessageText(m_hWnd, text, MB_ICONWARNING); }

void CProgressDlg::EndFromWorker(int result) { EndDialogFromThread(result); }
