// The main window: the three profiles as picture buttons, the factory-settings
// restore, help, detail settings and close. It applies nothing itself: it
// records the choice in the application object and ends with a result code.
#pragma once

#include "fw/Dialog.h"
#include "fw/Gdi.h"
#include "ui/StyleButton.h"

class CCorvelChgDlg : public CDialog {
public:
    CCorvelChgDlg();

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* message) override;
    void DoDataExchange() override;
    void OnCancel() override;

    void OnBnClickedMode0() { ChooseMode(0); }
    void OnBnClickedMode1() { ChooseMode(1); }
    void OnBnClickedMode2() { ChooseMode(2); }
    void OnBnClickedClose();
    void OnBnClickedDetail();
    void OnBnClickedHelp();
    void OnBnClickedRestore();
    void OnBnClickedOriginal();

    CStyleButton m_btnMode[3];
    ScopedFont m_font;

    DECLARE_MESSAGE_MAP()

private:
    void ChooseMode(int mode);
    void ShowTextSizeNote();
};
