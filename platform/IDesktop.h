// The shell's desktop windows.
#pragma once

#include "platform/WinTypes.h"

using EnumWindowsCallback = BOOL (*)(HWND window, LPARAM data);

class IDesktop {
public:
    virtual ~IDesktop() = default;

    virtual HWND GetDesktopWindow() = 0;
    // EnumChildWindows: every descendant of parent, depth first, until the
    // callback returns FALSE.
    virtual BOOL EnumChildWindows(HWND parent, EnumWindowsCallback callback, LPARAM data) = 0;
    // GetClassNameW: the length copied.
    virtual int ClassNameOf(HWND window, char16_t* buffer, int capacity) = 0;
    // FindWindowExW.
    virtual HWND FindChild(HWND parent, HWND after, const char16_t* className, const char16_t* title) = 0;
    // GetWindow(window, GW_CHILD).
    virtual HWND GetFirstChild(HWND window) = 0;
    // PostMessageW.
    virtual BOOL Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam) = 0;
};
