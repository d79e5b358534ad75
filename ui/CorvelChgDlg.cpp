#include "ui/CorvelChgDlg.h"

#include "app/CorvelChg.h"
#include "app/IToolWindows.h"
#include "res/resource.h"
#include "settings/RegControl.h"
#include "switch/OriginalSettings.h"
#include "ui/DialogRestore.h"
#include "ui/NoteFont.h"
#include "ui/SettingDlg.h"

namespace {
constexpr char16_t kHelpTopic[] = u"::2-1_chgmode.html";
const int kModeButtons[3] = {IDC_MODE0, IDC_MODE1, IDC_MODE2};
}  // namespace

BEGIN_MESSAGE_MAP(CCorvelChgDlg)
ON_BN_CLICKED(IDC_MODE0, OnBnClickedMode0)
ON_BN_CLICKED(IDC_MODE1, OnBnClickedMode1)
ON_BN_CLICKED(IDC_MODE2, OnBnClickedMode2)
ON_BN_CLICKED(IDC_CLOSE, OnBnClickedClose)
ON_BN_CLICKED(IDC_DETAIL, OnBnClickedDetail)
ON_BN_CLICKED(IDC_HELP_BUTTON, OnBnClickedHelp)
ON_BN_CLICKED(IDC_RESTORE, OnBnClickedRestore)
ON_BN_CLICKED(IDC_ORIGINAL, OnBnClickedOriginal)
END_MESSAGE_MAP()

CCorvelChgDlg::CCorvelChgDlg() : CDialog(IDD_MAIN) {}

void CCorvelChgDlg::DoDataExchange()
{
    for (int i = 0; i < 3; ++i) DDX_Control(kModeButtons[i], m_btnMode[i]);
}

BOOL CCorvelChgDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CCorvelChgApp& app = *TheApp();

    if (SetNoteFont(m_hWnd, {IDC_NOTE, IDC_NOTE_MARK, IDC_TEXT_SIZE_NOTE}, &m_font)) {
        String16 format = app.LoadText(IDS_CURRENT_PROFILE);
        if (!format.empty()) {
            // The status line is kept, hidden, with its text.
            SetDlgItemText(IDC_CURRENT, Format(format.c_str(), app.ProfileName(app.m_nMode)).c_str());
            ::ShowWindow(GetDlgItem(IDC_CURRENT), SW_HIDE);
        }
    }
    for (int i = 0; i < 3; ++i) {
        CStyleButton& button = m_btnMode[i];
        button.m_nStatusNum = 2;
        button.AddStatusTexts(app.m_strProfilesName[i], app.m_strProfilesName[i]);
        bool current = app.m_nModeState == MODESTATE_USER && app.m_nMode == i;
        button.SetStatusBitmaps(current ? IDB_MODE_SELECTED : IDB_MODE_NORMAL, IDB_MODE_SELECTED);
        button.m_bCurrent = current;
        // The current profile is told in words too, not by its face alone.
        if (current) button.SetAccessibleName({app.LoadText(IDS_CURRENT_MODE_NAME), String16(), String16()});
    }
    ShowTextSizeNote();
    // Only a whole set of the person's own settings can be returned to.
    ::EnableWindow(GetDlgItem(IDC_ORIGINAL), app.IsReturnOffered());
    return TRUE;
}

// Once after the sign-in check stored the text size again: Windows had
// changed it, and it comes back at the next sign-in.
void CCorvelChgDlg::ShowTextSizeNote()
{
    DWORD putBack = 0;
    if (RegReadDword(HKEY_CURRENT_USER, kSettingsKey, kTextSizePutBackValue, &putBack) != ERROR_SUCCESS) return;
    RegDeleteValue(HKEY_CURRENT_USER, kSettingsKey, kTextSizePutBackValue);
    if (putBack != 1) return;
    CCorvelChgApp& app = *TheApp();
    String16 format = app.LoadText(IDS_TEXT_SIZE_PUT_BACK);
    String16 word = app.LoadText(app.m_nOsVersion >= OSVER_6_2 ? IDS_WORD_SIGN_IN : IDS_WORD_LOG_ON);
    if (format.empty() || word.empty()) return;
    SetDlgItemText(IDC_TEXT_SIZE_NOTE, Format(format.c_str(), word).c_str());
    ::ShowWindow(GetDlgItem(IDC_TEXT_SIZE_NOTE), SW_SHOWNA);
}

// Enter on a mode button clicks it, as the mouse would; F1 opens help.
BOOL CCorvelChgDlg::PreTranslateMessage(MSG* message)
{
    if (message->message == WM_KEYDOWN) {
        if (message->wParam == VK_F1 && IsOwnWindow(message->hwnd)) TheApp()->ShowHelp(kHelpTopic);
        if (message->wParam == VK_RETURN) {
            for (const CStyleButton& button : m_btnMode) {
                if (message->hwnd != button.m_hWnd) continue;
                ::SendMessageW(button.m_hWnd, BM_CLICK, 0, 0);
                return FALSE;
            }
        }
    }
    return CDialog::PreTranslateMessage(message);
}

void CCorvelChgDlg::ChooseMode(int mode)
{
    CCorvelChgApp& app = *TheApp();
    app.m_nAction = ACTION_SWITCH;
    app.m_nSelMode = mode;
    EndDialog(MAIN_SWITCH);
}

void CCorvelChgDlg::OnBnClickedClose() { EndDialog(TheApp()->IsSettingsChanged() ? MAIN_CLOSED_EDITED : MAIN_CLOSED); }

void CCorvelChgDlg::OnCancel() { OnBnClickedClose(); }

void CCorvelChgDlg::OnBnClickedDetail()
{
    CSettingDlg detail;
    detail.DoModal();
}

void CCorvelChgDlg::OnBnClickedHelp() { TheApp()->ShowHelp(kHelpTopic); }

void CCorvelChgDlg::OnBnClickedOriginal()
{
    CDialogRestore confirm(IDD_ORIGINAL);
    if (confirm.DoModal() != IDOK) return;
    EndDialog(MAIN_ORIGINAL);
}

void CCorvelChgDlg::OnBnClickedRestore()
{
    CDialogRestore restore;
    if (restore.DoModal() != IDOK) return;
    TheApp()->m_nAction = ACTION_RESTORE;
    EndDialog(MAIN_RESTORE);
}
