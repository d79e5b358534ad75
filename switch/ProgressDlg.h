// The progress window: stands while the worker applies a profile, and
// cannot be closed by the user; only the worker ends it.
#pragma once

#include "fw/Dialog.h"
#include "switch/SwitchWorker.h"

class CProgressDlg : public CDialog, public CSwitchWorker {
public:
    CProgressDlg();

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* message) override;
    void DoDataExchange() override;
    // Esc, Enter and every other way to cancel are ignored while the worker runs.
    void OnOK() override {}
    void OnCancel() override {}
    void OnClose() {}

    void SetProgressPos(int position) override;
    void SetStatusText(const char16_t* text) override;
    int ShowFailureMessage(const String16& text) override;
    void EndFromWorker(int result) override;

    CWnd m_progress;

    DECLARE_MESSAGE_MAP()
};
