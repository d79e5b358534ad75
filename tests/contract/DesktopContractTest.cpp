// The shell's desktop windows against the desktop stand-in and, under Wine,
// the Win32 adapter, in a tree of windows the test makes itself (Wine has no
// shell view of its own).
//   GetDesktopWindow  https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-getdesktopwindow
//   EnumChildWindows  https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-enumchildwindows
//   GetClassNameW     https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-getclassnamew
//   FindWindowExW     https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-findwindowexw
//   GetWindow         https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-getwindow
//   PostMessageW      https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-postmessagew
#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

#include "platform/fake/FakeDesktop.h"
#include "tests/contract/ContractSupport.h"
#ifdef _WIN32
#include "platform/win32/Win32Platform.h"
#endif

namespace {

struct Implementation {
    const char* name;
    std::function<std::unique_ptr<IDesktop>()> make;
    // A window of the class under parent; a top-level one without a parent.
    std::function<HWND(IDesktop&, HWND parent, const char16_t* className)> add;
};

std::vector<Implementation> Implementations()
{
    std::vector<Implementation> list = {{"Stand_in", [] { return std::make_unique<FakeDesktop>(); },
                                         [](IDesktop& desktop, HWND parent, const char16_t* className) {
                                             return static_cast<FakeDesktop&>(desktop).Add(parent, className);
                                         }}};
#ifdef _WIN32
    list.push_back({"Win32", [] { return std::make_unique<Win32Desktop>(); },
                    [](IDesktop&, HWND parent, const char16_t* className) {
                        WNDCLASSW wc{};
                        wc.lpfnWndProc = DefWindowProcW;
                        wc.hInstance = GetModuleHandleW(nullptr);
                        wc.lpszClassName = Wide(className);
                        RegisterClassW(&wc);  // once a class; later calls fail harmlessly
                        return CreateWindowW(Wide(className), L"", parent ? WS_CHILD : WS_POPUP, 0, 0, 10, 10, parent,
                                             nullptr, wc.hInstance, nullptr);
                    }});
#endif
    return list;
}

// A top window with a view and a list in it, and a second child beside the
// view: the shape of the shell's desktop.
class DesktopContract : public ::testing::TestWithParam<Implementation> {
protected:
    void SetUp() override
    {
        desktop = GetParam().make();
        top = GetParam().add(*desktop, nullptr, u"TessalyContractTop");
        view = GetParam().add(*desktop, top, u"TessalyContractView");
        list = GetParam().add(*desktop, view, u"TessalyContractList");
        other = GetParam().add(*desktop, top, u"TessalyContractOther");
        ASSERT_TRUE(top && view && list && other);
    }
#ifdef _WIN32
    void TearDown() override
    {
        if (IsWin32(GetParam().name)) DestroyWindow(top);
    }
#endif
    static BOOL Collect(HWND window, LPARAM data)
    {
        reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
        return TRUE;
    }
    static BOOL StopAtFirst(HWND window, LPARAM data)
    {
        reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
        return FALSE;
    }
    std::unique_ptr<IDesktop> desktop;
    HWND top = nullptr, view = nullptr, list = nullptr, other = nullptr;
};

// GetDesktopWindow: "The return value is a handle to the desktop window";
// it has no failure.
TEST_P(DesktopContract, ThereIsAlwaysADesktopWindow) { EXPECT_NE(desktop->GetDesktopWindow(), nullptr); }

// EnumChildWindows: every descendant, "If a child window has created child
// windows of its own, EnumChildWindows enumerates those windows as well",
// until the callback returns FALSE.
TEST_P(DesktopContract, EveryDescendantUntilTheCallbackStops)
{
    std::vector<HWND> seen;
    desktop->EnumChildWindows(top, Collect, reinterpret_cast<LPARAM>(&seen));
    EXPECT_EQ(seen.size(), 3u);
    for (HWND window : {view, list, other}) EXPECT_NE(std::find(seen.begin(), seen.end(), window), seen.end());
    seen.clear();
    desktop->EnumChildWindows(top, StopAtFirst, reinterpret_cast<LPARAM>(&seen));
    EXPECT_EQ(seen.size(), 1u);
}

// GetClassNameW: the characters copied without the terminator; a name longer
// than the buffer is cut to nMaxCount - 1 characters and terminated; a
// window that does not exist gives 0.
TEST_P(DesktopContract, TheClassNameWholeOrCut)
{
    char16_t name[64] = {};
    ASSERT_EQ(desktop->ClassNameOf(list, name, 64), 19);
    EXPECT_EQ(String16(name), u"TessalyContractList");
    char16_t cut[8];
    EXPECT_EQ(desktop->ClassNameOf(list, cut, 8), 7);
    EXPECT_EQ(String16(cut), u"Tessaly");
    EXPECT_EQ(desktop->ClassNameOf(reinterpret_cast<HWND>(static_cast<std::uintptr_t>(0x7ff0)), name, 64), 0);
}

// FindWindowExW: the next child of parent after hwndChildAfter with the
// class (not case-sensitive, as class names are), or NULL.
TEST_P(DesktopContract, AChildFoundByItsClass)
{
    EXPECT_EQ(desktop->FindChild(top, nullptr, u"TessalyContractView", nullptr), view);
    EXPECT_EQ(desktop->FindChild(top, nullptr, u"tessalycontractview", nullptr), view);
    EXPECT_EQ(desktop->FindChild(top, view, u"TessalyContractView", nullptr), nullptr);
    EXPECT_EQ(desktop->FindChild(top, nullptr, u"TessalyContractList", nullptr), nullptr);  // a grandchild
    EXPECT_EQ(desktop->FindChild(top, nullptr, u"NoSuchClass", nullptr), nullptr);
}

// GetWindow(GW_CHILD): the child at the top of the Z order, or NULL for a
// window without children. A child made later is placed at the top, so the
// first one made is not always the first child: only a window's one child
// is compared.
TEST_P(DesktopContract, TheFirstChildOrNone)
{
    EXPECT_EQ(desktop->GetFirstChild(view), list);
    EXPECT_EQ(desktop->GetFirstChild(list), nullptr);
    const HWND first = desktop->GetFirstChild(top);
    EXPECT_TRUE(first == view || first == other);
}

// PostMessageW: TRUE for a window that exists; a window handle that names
// none fails (ERROR_INVALID_WINDOW_HANDLE).
TEST_P(DesktopContract, PostedOnlyToAWindowThatExists)
{
    EXPECT_TRUE(desktop->Post(list, WM_COMMAND, 0, 0));
    EXPECT_FALSE(desktop->Post(reinterpret_cast<HWND>(static_cast<std::uintptr_t>(0x7ff0)), WM_COMMAND, 0, 0));
}

INSTANTIATE_CONTRACT(DesktopContract, Implementations());

}  // namespace
