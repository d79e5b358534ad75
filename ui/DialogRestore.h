// The factory-settings confirmation, and the one of the return to the
// person's own settings (IDD_ORIGINAL): OK or Cancel.
#pragma once

#include "fw/Dialog.h"
#include "res/resource.h"

class CDialogRestore : public CDialog {
public:
    explicit CDialogRestore(UINT templateId = IDD_RESTORE);
    BOOL OnInitDialog() override;
};
