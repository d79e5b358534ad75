#include "platform/win32/Win32Platform.h"

#include <commctrl.h>

BOOL Win32Windows::RegisterDialogClass(const char16_t* className)
{
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW wc{};
    GetClassInfoW(instance, L"#32770", &wc);
    wc.lpszClassName = Wide(className);
    wc.hInstance = instance;
    return RegisterClassW(&wc) != 0;
}

BOOL Win32Windows::InitCommonControls(DWORD classes)
{
    INITCOMMONCONTROLSEX icc{sizeof(icc), classes};
    return InitCommonControlsEx(&icc);
}

HWND Win32Windows::FindTopWindow(const char16_t* className, const char16_t* title)
{
    return FindWindowW(Wide(className), Wide(title));
}

BOOL Win32Windows::BringToFront(HWND window) { return SetForegroundWindow(window); }

int Win32Windows::ShowMessageBox(HWND owner, const char16_t* text, const char16_t* caption, UINT type)
{
    return MessageBoxW(owner, Wide(text), Wide(caption), type);
}
