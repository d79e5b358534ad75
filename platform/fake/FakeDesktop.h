// A tree of windows under the desktop window, and the messages posted to them.
#pragma once

#include <vector>

#include "platform/IDesktop.h"

class FakeDesktop : public IDesktop {
public:
    struct Posted {
        HWND window;
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };

    // There is always a desktop window; noDesktop leaves it without the
    // shell's windows, as before the shell is up.
    HWND GetDesktopWindow() override { return Root(); }
    BOOL EnumChildWindows(HWND parent, EnumWindowsCallback callback, LPARAM data) override;
    int ClassNameOf(HWND window, char16_t* buffer, int capacity) override;
    HWND FindChild(HWND parent, HWND after, const char16_t* className, const char16_t* title) override;
    HWND GetFirstChild(HWND window) override;
    BOOL Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

    // Adds a window as the last child of parent (the desktop when null):
    // siblings are kept in Z order, the first at the top.
    HWND Add(HWND parent, StringView16 className);
    // Puts the window at the top of the Z order of its siblings, as
    // SetWindowPos with HWND_TOP does.
    void Raise(HWND window);
    HWND Root() const { return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(0x500)); }

    bool noDesktop = false;
    int enumerations = 0;
    std::vector<Posted> posted;

private:
    struct Node {
        HWND handle;
        HWND parent;
        String16 className;
    };
    std::vector<HWND> ChildrenOf(HWND parent) const;
    bool IsWindow(HWND window) const;
    bool Walk(HWND parent, EnumWindowsCallback callback, LPARAM data);
    std::vector<Node> m_nodes;
};
