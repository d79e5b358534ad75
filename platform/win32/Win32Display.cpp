#include "platform/win32/Win32Platform.h"

#include "platform/win32/SystemLibrary.h"

BOOL Win32Display::SystemParameters(UINT action, UINT uiParam, void* pvParam, UINT winIni)
{
    return ::SystemParametersInfoW(action, uiParam, pvParam, winIni);
}

BOOL Win32Display::SetCaretBlinkTime(UINT milliseconds) { return ::SetCaretBlinkTime(milliseconds); }

// The theme service is loaded from the system folder, not imported: an
// imported library is looked for beside the program first.
BOOL Win32Display::IsThemeActive()
{
    using IsThemeActiveFunction = BOOL(WINAPI*)();
    static IsThemeActiveFunction isThemeActive =
        SystemFunction<IsThemeActiveFunction>(LoadSystemLibrary(L"uxtheme.dll"), "IsThemeActive");
    return isThemeActive ? isThemeActive() : FALSE;
}

DWORD Win32Display::LastError() { return GetLastError(); }
