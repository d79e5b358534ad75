// The factory-settings confirmation: OK or Cancel.
#pragma once

#include "fw/Dialog.h"

class CDialogRestore : public CDialog {
public:
    CDialogRestore();
    BOOL OnInitDialog() override;
};
