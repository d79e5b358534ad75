#include "platform/fake/FakeWindows.h"

#include "platform/Text.h"

BOOL FakeWindows::RegisterDialogClass(const char16_t* className)
{
    if (refusedClasses.count(className)) return FALSE;
    for (const String16& name : registered) {
        if (EqualsNoCase(name, className)) return FALSE;  // ERROR_CLASS_ALREADY_EXISTS
    }
    registered.push_back(className);
    return TRUE;
}

BOOL FakeWindows::InitCommonControls(DWORD classes)
{
    commonControls = classes;
    return TRUE;
}

HWND FakeWindows::FindTopWindow(const char16_t* className, const char16_t* title)
{
    lookups.emplace_back(className ? className : u"", title ? title : u"");
    for (const Window& w : m_windows) {
        if (className && !EqualsNoCase(w.className, className)) continue;
        if (title && !EqualsNoCase(w.title, title)) continue;
        return w.handle;
    }
    return nullptr;
}

BOOL FakeWindows::BringToFront(HWND window)
{
    if (!window) return FALSE;
    broughtToFront.push_back(window);
    return TRUE;
}

int FakeWindows::ShowMessageBox(HWND owner, const char16_t* text, const char16_t* caption, UINT type)
{
    boxes.push_back(Box{owner, text ? text : u"", caption ? caption : u"", type});
    return boxAnswer;
}

HWND FakeWindows::AddWindow(StringView16 className, StringView16 title)
{
    HWND handle = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(0x10000 + 4 * m_windows.size()));
    m_windows.push_back(Window{String16(className), String16(title), handle});
    return handle;
}

// Windows acts on every command it knows, with data of the command's own
// type: a command the tool has no business sending is refused here, so that
// a test fails where Windows would misbehave.
HWND FakeWindows::HtmlHelp(HWND owner, const char16_t* file, UINT command, std::uintptr_t data)
{
    if (command != HH_DISPLAY_TOPIC && command != HH_CLOSE_ALL) {
        ++refusedHelpCommands;
        return nullptr;
    }
    helpCalls.push_back(HelpCall{owner, file ? file : u"", command, data});
    return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(0x7000));
}

// The window's visibility before the call, as ShowWindow returns it; a
// window the stand-in does not know counts as hidden.
BOOL FakeWindows::ShowWindow(HWND window, int command)
{
    shown.emplace_back(window, command);
    for (Window& w : m_windows) {
        if (w.handle != window) continue;
        const bool was = w.visible;
        w.visible = command != SW_HIDE;
        return was;
    }
    return FALSE;
}
