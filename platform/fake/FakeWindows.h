// Top-level windows, class registration and message boxes, recorded.
#pragma once

#include <functional>
#include <set>
#include <vector>

#include "platform/IWindows.h"

class FakeWindows : public IWindows {
public:
    struct Window {
        String16 className;
        String16 title;
        HWND handle;
        bool visible = true;
    };
    struct Box {
        HWND owner;
        String16 text;
        String16 caption;
        UINT type;
    };

    BOOL RegisterDialogClass(const char16_t* className) override;
    BOOL InitCommonControls(DWORD classes) override;
    HWND FindTopWindow(const char16_t* className, const char16_t* title) override;
    BOOL BringToFront(HWND window) override;
    int ShowMessageBox(HWND owner, const char16_t* text, const char16_t* caption, UINT type) override;

    HWND HtmlHelp(HWND owner, const char16_t* file, UINT command, std::uintptr_t data) override;
    BOOL ShowWindow(HWND window, int command) override;

    HWND AddWindow(StringView16 className, StringView16 title);

    std::set<String16> refusedClasses;   // registration of these fails
    std::vector<String16> registered;
    DWORD commonControls = 0;
    std::vector<std::pair<String16, String16>> lookups;  // (class, title) in call order
    std::vector<HWND> broughtToFront;
    std::vector<Box> boxes;
    int boxAnswer = IDOK;
    struct HelpCall {
        HWND owner;
        String16 file;
        UINT command;
        std::uintptr_t data;
    };
    std::vector<HelpCall> helpCalls;  // displays and closes
    int refusedHelpCommands = 0;      // any other command
    std::vector<std::pair<HWND, int>> shown;
    // A new process: the classes it registered go with the one before.
    void NewProcess() { registered.clear(); }

private:
    std::vector<Window> m_windows;
};
