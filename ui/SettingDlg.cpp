#include "ui/SettingDlg.h"

#include "app/CorvelChg.h"
#include "res/resource.h"
#include "settings/RegControl.h"
#include "switch/ResultMessages.h"
#include "ui/NoteFont.h"

namespace {
constexpr char16_t kHelpTopic[] = u"::2-2_settings.html";
const int kStatusLine[] = {IDC_STATUS_LEAD, IDC_STATUS_NAME0, IDC_STATUS_END0, IDC_STATUS_NAME1,
                           IDC_STATUS_END1, IDC_STATUS_NAME2, IDC_STATUS_END2};
const int kStatusNames[PROFILE_COUNT] = {IDC_STATUS_NAME0, IDC_STATUS_NAME1, IDC_STATUS_NAME2};
const int kHeadings[PROFILE_COUNT] = {IDC_HEADING0, IDC_HEADING1, IDC_HEADING2};

// "文字の大きさ 設定① " and then the level the button shows; a level that a
// policy enforces says that an administrator set it.
AccessibleName LevelButtonName(const ProfileLevelRow& row, bool enforced)
{
    UINT rowName = CSettingLevels::RowNameId(row.item);
    return {TheRun().LoadText(enforced ? IDS_ENFORCED_BUTTON_NAME : IDS_LEVEL_BUTTON_NAME),
            rowName ? TheRun().LoadText(rowName) : String16(), TheSettings()->ProfileName(row.mode)};
}

bool IsEnforced(const ProfileLevelRow& row)
{
    DWORD level = 0;
    return EnforcedLevel(static_cast<DWORD>(row.mode), row.item, &level);
}
}  // namespace

BEGIN_MESSAGE_MAP(CSettingDlg)
ON_BN_CLICKED(IDCANCEL, OnBnClickedCancel)
ON_BN_CLICKED(IDOK, OnBnClickedOk)
ON_BN_CLICKED(IDC_DEFAULT, OnBnClickedDefault)
ON_BN_CLICKED(IDC_HELP_BUTTON, OnBnClickedHelp)
END_MESSAGE_MAP()

CSettingDlg::CSettingDlg() : CDialog(IDD_SETTINGS) { m_nHeaderId = IDC_HEADING0; }

void CSettingDlg::DoDataExchange()
{
    for (int i = 0; i < kLevelButtons; ++i) DDX_Control(ProfileLevelTable[i].controlId, m_btnItem[i]);
}

BOOL CSettingDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CCorvelChgApp& app = *TheApp();
    if (IsMode(static_cast<DWORD>(app.m_nMode))) {
        SetDlgItemText(kStatusNames[app.m_nMode], app.m_strProfilesName[app.m_nMode].c_str());
    } else {
        Log(u"CSettingDlg::OnInitDialog failed. Unknown mode.");
    }
    for (int id : kStatusLine) ::ShowWindow(GetDlgItem(id), SW_HIDE);
    for (int mode = 0; mode < PROFILE_COUNT; ++mode) SetDlgItemText(kHeadings[mode], app.m_strProfilesName[mode].c_str());

    SetNoteFont(m_hWnd, {IDC_DPI_NOTE, IDC_NOTE_MARK}, &m_font);
    if (app.m_nOsVersion >= OSVER_6_2) {
        String16 note = app.LoadText(IDS_DPI_NOTE_SIGN_OUT);
        if (!note.empty()) SetDlgItemText(IDC_DPI_NOTE, note.c_str());
    }
    InitButton();
    InitKeepProfile();
    return TRUE;
}

void CSettingDlg::InitKeepProfile()
{
    CRunContext& run = TheRun();
    String16 text = run.LoadText(run.m_nOsVersion >= OSVER_6_2 ? IDS_KEEP_SIGN_IN : IDS_KEEP_LOG_ON);
    SetDlgItemText(IDC_KEEP_PROFILE, text.c_str());
    bool enforced = false;
    m_bKeepShown = KeepProfile(&enforced);
    HWND box = GetDlgItem(IDC_KEEP_PROFILE);
    ::SendMessageW(box, BM_SETCHECK, m_bKeepShown ? BST_CHECKED : BST_UNCHECKED, 0);
    ::EnableWindow(box, !enforced);
}

LONG CSettingDlg::SaveKeepProfile()
{
    HWND box = GetDlgItem(IDC_KEEP_PROFILE);
    const bool checked = ::SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
    if (!::IsWindowEnabled(box) || checked == m_bKeepShown) return ERROR_SUCCESS;
    LONG result = RegWriteDword(HKEY_CURRENT_USER, kSettingsKey, kKeepProfileValue, checked ? 1 : 0);
    if (result != ERROR_SUCCESS) Log(u"CSettingDlg::OnBnClickedOk the choice of keeping the profile could not be saved.");
    return result;
}

BOOL CSettingDlg::PreTranslateMessage(MSG* message)
{
    if (message->message == WM_KEYDOWN && message->wParam == VK_F1 && IsOwnWindow(message->hwnd)) {
        TheApp()->ShowHelp(kHelpTopic);
    }
    return CDialog::PreTranslateMessage(message);
}

void CSettingDlg::InitButton()
{
    bool anyEnforced = false;
    for (int i = 0; i < kLevelButtons; ++i) {
        const int item = ProfileLevelTable[i].item;
        int count = CSettingLevels::CountStatus(item, &m_dwBtnAllSts[i]);
        if (count <= 0) {
            Log(u"CSettingDlg::InitButton failed. nStatusNum is wrong.");
            return;
        }
        CStyleButton& button = m_btnItem[i];
        button.m_nStatusNum = count;
        // A disabled button is skipped by the keyboard and drawn as disabled.
        const bool enforced = IsEnforced(ProfileLevelTable[i]);
        anyEnforced = anyEnforced || enforced;
        ::EnableWindow(button.m_hWnd, !enforced);
        button.SetAccessibleName(LevelButtonName(ProfileLevelTable[i], enforced));
        for (DWORD level = 0; level < LEVEL_COUNT; ++level) {
            if (!(m_dwBtnAllSts[i] & (1u << level))) continue;
            int caption = CSettingLevels::CaptionId(item, level);
            StatusLook look = CSettingLevels::LookOf(caption);
            button.AddStatusBitmap(look.faceBitmap);
            button.AddStatusText(caption);
            button.AddStatusColor(look.textColor);
        }
    }
    if (anyEnforced) {
        SetDlgItemText(IDC_POLICY_NOTE, TheRun().LoadText(IDS_POLICY_NOTE).c_str());
        ::ShowWindow(GetDlgItem(IDC_POLICY_NOTE), SW_SHOWNA);
    }
    SetBtnsStates();
}

void CSettingDlg::SetBtnsStates()
{
    CCorvelChgApp& app = *TheApp();
    ProfileLevels stored[PROFILE_COUNT] = {};
    for (DWORD mode = 0; mode < PROFILE_COUNT; ++mode) {
        if (app.GetProfiles(mode, stored[mode]) != 0) return;
    }
    for (int i = 0; i < kLevelButtons; ++i) {
        const ProfileLevelRow& row = ProfileLevelTable[i];
        UINT status = 0;
        if (!CSettingLevels::ChgItemValToBtnSts(stored[row.mode][row.item], m_dwBtnAllSts[i], &status)) {
            Log(u"CSettingDlg::SetBtnsStates failed. ChgItemValToBtnSts error.");
            return;
        }
        m_nBtnSts[i] = status;
        m_btnItem[i].SetStatus(status);
        InvalidateRect(m_btnItem[i].m_hWnd, nullptr, FALSE);
    }
}

// Every button on its factory level; nothing is saved until OK.
void CSettingDlg::SetDefaultInfo()
{
    for (int i = 0; i < kLevelButtons; ++i) {
        const ProfileLevelRow& row = ProfileLevelTable[i];
        if (!IsMode(static_cast<DWORD>(row.mode))) {
            Log(u"CSettingDlg::SetDefaultInfo unknow mode : %d.", row.mode);
            return;
        }
        DWORD level = static_cast<DWORD>(row.level);
        if (!FactoryLevel(static_cast<DWORD>(row.mode), row.item, &level)) level = static_cast<DWORD>(row.level);
        UINT status = 0;
        if (!CSettingLevels::ChgItemValToBtnSts(level, m_dwBtnAllSts[i], &status)) {
            Log(u"CSettingDlg::SetDefaultInfo failed. ChgItemValToBtnSts error.");
            status = 0;
        }
        m_btnItem[i].SetStatus(status);
        InvalidateRect(m_btnItem[i].m_hWnd, nullptr, FALSE);
    }
}

DWORD CSettingDlg::SaveSettings()
{
    UINT statuses[kLevelButtons];
    bool changed = false;
    for (int i = 0; i < kLevelButtons; ++i) {
        statuses[i] = m_btnItem[i].m_nStatus;
        changed = changed || statuses[i] != m_nBtnSts[i];
    }
    if (!changed) return 0;
    ProfileLevels profiles[PROFILE_COUNT];
    if (!CSettingLevels::BuildProfiles(statuses, m_dwBtnAllSts, profiles)) return static_cast<DWORD>(-1);
    CSettingLevels::KeepOwnWhereEnforced(profiles);
    CCorvelChgApp& app = *TheApp();
    DWORD first = 0;
    for (DWORD mode = 0; mode < PROFILE_COUNT; ++mode) {
        DWORD failed = app.SaveSettings(mode, profiles[mode]);
        if (!first) first = failed;
    }
    return first;
}

void CSettingDlg::OnBnClickedOk()
{
    const bool levelsSaved = SaveSettings() == 0;
    const bool keepSaved = SaveKeepProfile() == ERROR_SUCCESS;
    if (!levelsSaved || !keepSaved) ShowMessage(m_hWnd, IDS_SAVE_FAILED, MB_ICONWARNING);
    EndDialog(0);
}

void CSettingDlg::OnBnClickedCancel() { EndDialog(0); }

void CSettingDlg::OnBnClickedDefault()
{
    if (ShowMessage(m_hWnd, IDS_RESET_QUESTION, MB_YESNO | MB_ICONQUESTION) != IDYES) return;
    SetDefaultInfo();
    ShowMessage(m_hWnd, IDS_RESET_DONE, MB_ICONINFORMATION);
}

void CSettingDlg::OnBnClickedHelp() { TheApp()->ShowHelp(kHelpTopic); }
