#include "platform/win32/Win32Platform.h"

HWND Win32Desktop::GetDesktopWindow() { return ::GetDesktopWindow(); }

// EnumWindowsCallback has the WNDENUMPROC signature on x64.
BOOL Win32Desktop::EnumChildWindows(HWND parent, EnumWindowsCallback callback, LPARAM data)
{
    return ::EnumChildWindows(parent, reinterpret_cast<WNDENUMPROC>(callback), data);
}

int Win32Desktop::ClassNameOf(HWND window, char16_t* buffer, int capacity)
{
    return GetClassNameW(window, Wide(buffer), capacity);
}

HWND Win32Desktop::FindChild(HWND parent, HWND after, const char16_t* className, const char16_t* title)
{
    return FindWindowExW(parent, after, Wide(className), Wide(title));
}

HWND Win32Desktop::GetFirstChild(HWND window) { return GetWindow(window, GW_CHILD); }

BOOL Win32Desktop::Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return PostMessageW(window, message, wParam, lParam);
}
