#include "platform/win32/Win32Platform.h"

#include <uxtheme.h>

BOOL Win32Display::SystemParameters(UINT action, UINT uiParam, void* pvParam, UINT winIni)
{
    return ::SystemParametersInfoW(action, uiParam, pvParam, winIni);
}

BOOL Win32Display::SetCaretBlinkTime(UINT milliseconds) { return ::SetCaretBlinkTime(milliseconds); }

BOOL Win32Display::IsThemeActive() { return ::IsThemeActive(); }

DWORD Win32Display::LastError() { return GetLastError(); }
