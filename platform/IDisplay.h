// System parameters, the caret and the theme service.
#pragma once

#include "platform/WinTypes.h"


static_assert(sizeof(NONCLIENTMETRICSW) == 504, "the tool reads and writes the 504-byte structure");

class IDisplay {
public:
    virtual ~IDisplay() = default;

    // SystemParametersInfoW.
    virtual BOOL SystemParameters(UINT action, UINT uiParam, void* pvParam, UINT winIni) = 0;
    // SetCaretBlinkTime.
    virtual BOOL SetCaretBlinkTime(UINT milliseconds) = 0;
    // IsThemeActive of the theme service.
    virtual BOOL IsThemeActive() = 0;
    // GetLastError right after a failed call of this interface.
    virtual DWORD LastError() = 0;
};
