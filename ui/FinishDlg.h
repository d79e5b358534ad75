// The sign-out prompt after a switch that changed the DPI: 4 to sign out now,
// 0 for later.
#pragma once

#include "fw/Dialog.h"

class CFinishDlg : public CDialog {
public:
    CFinishDlg();
    BOOL OnInitDialog() override;
    void OnCancel() override { EndDialog(0); }

    void OnBnClickedSignOutNow() { EndDialog(4); }
    void OnBnClickedSignOutLater() { OnCancel(); }
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT type);
    void SetSignOutWording(int osVersion);

    int m_nSwitchType = 0;

    DECLARE_MESSAGE_MAP()
};
