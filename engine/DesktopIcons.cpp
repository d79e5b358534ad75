// The desktop icon size: a view command posted to the shell's desktop view,
// which then changes the size itself.
#include "engine/SwitchMode.h"

#include "log/RunContext.h"
#include "platform/Text.h"
#include "settings/RegControl.h"

namespace {

struct IconCommand {
    DWORD size;
    WPARAM command;
};

// The desktop view's own icon-size commands (the view menu's 小/中/大/特大
// アイコン). They are undocumented: no SDK header has them, so nothing can
// check them at build time; this table is their one place.
const IconCommand kIconCommands[] = {
    {32, 0x7050},
    {48, 0x704E},
    {96, 0x704F},
    {256, 0x704D},
};

constexpr int kClassChars = 64;
// Where Explorer keeps the desktop's icon size.
constexpr char16_t kDesktopBagKey[] = u"Software\\Microsoft\\Windows\\Shell\\Bags\\1\\Desktop";

bool HasClass(HWND window, const char16_t* className)
{
    char16_t buffer[kClassChars] = {};
    if (window) Plat().desktop.ClassNameOf(window, buffer, kClassChars);
    return EqualsNoCase(StringView16(buffer, BoundedLength(buffer, kClassChars)), className);
}

// The shell's desktop view among the descendants of the desktop window,
// which Windows always has; null when the shell has none up.
HWND FindDesktopView()
{
    IDesktop& desktop = Plat().desktop;
    HWND view = nullptr;
    desktop.EnumChildWindows(desktop.GetDesktopWindow(), CSwitchMode::FindDesktopViewProc,
                             reinterpret_cast<LPARAM>(&view));
    return view;
}

}  // namespace

BOOL CSwitchMode::ChangeDesktopIconSize(DWORD nSize)
{
    Log(u"CSwitchMode::ChangeDesktopIconSize\u3000nSize = %d", nSize);
    const IconCommand* found = nullptr;
    for (const IconCommand& entry : kIconCommands) {
        if (entry.size == nSize) found = &entry;
    }
    if (!found) {
        Log(u"CSwitchMode::ChangeDesktopIconSize\u3000ERROR_INVALID_PARAMETER.");
        return FALSE;
    }
    HWND view = FindDesktopView();
    if (!view) {
        Log(u"CSwitchMode::ChangeDesktopIconSize\u3000ERROR_INVALID_HANDLE.");
        return FALSE;
    }
    Plat().desktop.Post(view, WM_COMMAND, found->command, 0);
    return TRUE;
}

LONG CSwitchMode::IconSizeInEffect(DWORD* size)
{
    DWORD stored = 0;
    LONG read = RegReadDword(HKEY_CURRENT_USER, kDesktopBagKey, u"IconSize", &stored);
    if (read != ERROR_SUCCESS) return read;
    auto distance = [stored](DWORD candidate) { return candidate > stored ? candidate - stored : stored - candidate; };
    *size = kIconCommands[0].size;
    for (const IconCommand& entry : kIconCommands) {
        if (distance(entry.size) < distance(*size)) *size = entry.size;
    }
    return ERROR_SUCCESS;
}

BOOL CSwitchMode::IsDesktopReady() { return FindDesktopView() != nullptr; }

// A "Progman" or "WorkerW" window whose "SHELLDLL_DefView" child has a list
// view as its first child; the view window is the result.
BOOL CSwitchMode::FindDesktopViewProc(HWND window, LPARAM result)
{
    if (!HasClass(window, u"Progman") && !HasClass(window, u"WorkerW")) return TRUE;
    IDesktop& desktop = Plat().desktop;
    HWND view = desktop.FindChild(window, nullptr, u"SHELLDLL_DefView", nullptr);
    if (!view) return TRUE;
    if (!HasClass(desktop.GetFirstChild(view), u"SysListView32")) return TRUE;
    *reinterpret_cast<HWND*>(result) = view;
    return FALSE;
}
