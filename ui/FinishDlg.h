// The sign-out prompt after a switch that changed the DPI: it ends with
// PROMPT_SIGN_OUT_NOW or PROMPT_LATER.
#pragma once

#include "app/IToolWindows.h"
#include "fw/Dialog.h"

class CFinishDlg : public CDialog {
public:
    CFinishDlg();
    BOOL OnInitDialog() override;
    void OnCancel() override { EndDialog(PROMPT_LATER); }

    void OnBnClickedSignOutNow() { EndDialog(PROMPT_SIGN_OUT_NOW); }
    void OnBnClickedSignOutLater() { OnCancel(); }
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT type);
    void SetSignOutWording(int osVersion);

    int m_nSwitchType = 0;

    DECLARE_MESSAGE_MAP()
};
