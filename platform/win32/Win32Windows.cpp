#include "platform/win32/Win32Platform.h"

#include <commctrl.h>

#include "platform/win32/SystemLibrary.h"

BOOL Win32Windows::RegisterDialogClass(const char16_t* className)
{
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW wc{};
    GetClassInfoW(instance, L"#32770", &wc);
    wc.lpszClassName = Wide(className);
    wc.hInstance = instance;
    return RegisterClassW(&wc) != 0;
}

// Loaded, not imported: an imported library is looked for beside the
// program, and so are the libraries it imports itself (the theme library).
// The manifest's activation context still gives version 6.
BOOL Win32Windows::InitCommonControls(DWORD classes)
{
    using InitFunction = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    static InitFunction init = SystemFunction<InitFunction>(LoadSystemLibrary(L"comctl32.dll"), "InitCommonControlsEx");
    INITCOMMONCONTROLSEX icc{sizeof(icc), classes};
    return init ? init(&icc) : FALSE;
}

HWND Win32Windows::FindTopWindow(const char16_t* className, const char16_t* title)
{
    return FindWindowW(Wide(className), Wide(title));
}

// A window with a modal dialog open is disabled behind it: the one the user
// can use is its last active popup (the window itself when it has none).
BOOL Win32Windows::BringToFront(HWND window)
{
    HWND popup = GetLastActivePopup(window);
    return SetForegroundWindow(popup ? popup : window);
}

int Win32Windows::ShowMessageBox(HWND owner, const char16_t* text, const char16_t* caption, UINT type)
{
    return MessageBoxW(owner, Wide(text), Wide(caption), type);
}

// "hhctrl.ocx" is loaded from the system folder on the first call and kept
// for the life of the process.
HWND Win32Windows::HtmlHelp(HWND owner, const char16_t* file, UINT command, std::uintptr_t data)
{
    using HtmlHelpFunction = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);
    static HtmlHelpFunction htmlHelp =
        SystemFunction<HtmlHelpFunction>(LoadSystemLibrary(L"hhctrl.ocx"), "HtmlHelpW");
    return htmlHelp ? htmlHelp(owner, Wide(file), command, data) : nullptr;
}

BOOL Win32Windows::ShowWindow(HWND window, int command) { return ::ShowWindow(window, command); }
