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

// "hhctrl.ocx" is loaded on the first call and kept for the life of the process.
HWND Win32Windows::HtmlHelp(HWND owner, const char16_t* file, UINT command, std::uintptr_t data)
{
    using HtmlHelpFunction = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);
    static HtmlHelpFunction htmlHelp = [] {
        HMODULE library = LoadLibraryW(L"hhctrl.ocx");
        FARPROC function = library ? GetProcAddress(library, "HtmlHelpW") : nullptr;
        return reinterpret_cast<HtmlHelpFunction>(reinterpret_cast<void*>(function));
    }();
    return htmlHelp ? htmlHelp(owner, Wide(file), command, data) : nullptr;
}

BOOL Win32Windows::ShowWindow(HWND window, int command) { return ::ShowWindow(window, command); }
