// The detail settings window: the levels of all three profiles as a grid of
// 27 level buttons, saved to the user's branch with OK.
#pragma once

#include "fw/Dialog.h"
#include "fw/Gdi.h"
#include "ui/SettingLevels.h"
#include "ui/StyleButton.h"

class CSettingDlg : public CDialog {
public:
    CSettingDlg();

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* message) override;
    void DoDataExchange() override;

    void InitButton();
    void SetBtnsStates();
    void SetDefaultInfo();
    // 0 when nothing needed saving or every write succeeded.
    DWORD SaveSettings();
    // The check box of keeping the profile at every sign-in: its text in the
    // version's wording, the state in effect, disabled when a policy decides.
    void InitKeepProfile();
    // The user's choice, when it was changed; 0 or the write's error code.
    LONG SaveKeepProfile();

    void OnBnClickedOk();
    void OnBnClickedCancel();
    void OnBnClickedDefault();
    void OnBnClickedHelp();

    UINT m_nBtnSts[kLevelButtons] = {};
    DWORD m_dwBtnAllSts[kLevelButtons] = {};
    CStyleButton m_btnItem[kLevelButtons];
    ScopedFont m_font;
    bool m_bKeepShown = false;

    DECLARE_MESSAGE_MAP()
};
