// The window-system calls of start-up: class registration, common controls,
// finding another instance's window, and the plain message box.
#pragma once

#include "platform/WinTypes.h"

class IWindows {
public:
    virtual ~IWindows() = default;

    // GetClassInfoW of the dialog class "#32770", renamed and registered
    // (RegisterClassW) under the given name for this module.
    virtual BOOL RegisterDialogClass(const char16_t* className) = 0;
    // InitCommonControlsEx with the given ICC_ flags.
    virtual BOOL InitCommonControls(DWORD classes) = 0;
    // FindWindowW.
    virtual HWND FindTopWindow(const char16_t* className, const char16_t* title) = 0;
    // SetForegroundWindow of the window's last active popup: the window the
    // user can use, a modal dialog it has open or else the window itself.
    virtual BOOL BringToFront(HWND window) = 0;
    // MessageBoxW.
    virtual int ShowMessageBox(HWND owner, const char16_t* text, const char16_t* caption, UINT type) = 0;
    // HtmlHelpW of "hhctrl.ocx", loaded on first use and kept; null without it.
    virtual HWND HtmlHelp(HWND owner, const char16_t* file, UINT command, std::uintptr_t data) = 0;
    // ShowWindow.
    virtual BOOL ShowWindow(HWND window, int command) = 0;
};
