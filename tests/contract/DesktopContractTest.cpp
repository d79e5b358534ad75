// The shell's desktop windows against the desktop stand-in and, under Wine,
// the Win32 adapter, in a tree of windows the test makes itself (Wine has no
// shell view of its own).
//   GetDesktopWindow  https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-getdesktopwindow
//   EnumChildWindows  https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-enumchildwindows
//   GetClassNameW     https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-getclassnamew
//   FindWindowExW     https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-findwindowexw
//   GetWindow         https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-getwindow
//   PostMessageW      https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-postmessagew
//   SetWindowPos      https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-setwindowpos
#include <algorithm>
#include <vector>

#include "platform/fake/FakeDesktop.h"
#include "tests/contract/ContractSupport.h"

namespace {

// A top window with a view and a list in it, and a second child beside the
// view: the shape of the shell's desktop.
class DesktopContract : public ContractTest<IDesktop> {
protected:
    void SetUp() override
    {
        top = Add(nullptr, u"TessalyContractTop");
        view = Add(top, u"TessalyContractView");
        list = Add(view, u"TessalyContractList");
        other = Add(top, u"TessalyContractOther");
        ASSERT_TRUE(top && view && list && other);
    }
    void TearDown() override
    {
#ifdef _WIN32
        if (!IsStandIn()) DestroyWindow(top);
#endif
    }
    // A window of the class under parent; a top-level one without a parent.
    HWND Add(HWND parent, const char16_t* className)
    {
        if (IsStandIn()) return StandInAs<FakeDesktop>().Add(parent, className);
#ifdef _WIN32
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = Wide(className);
        RegisterClassW(&wc);  // once a class; later calls fail harmlessly
        return CreateWindowW(Wide(className), L"", parent ? WS_CHILD : WS_POPUP, 0, 0, 10, 10, parent, nullptr,
                             wc.hInstance, nullptr);
#else
        return nullptr;
#endif
    }
    // Puts the child at the top of the Z order of its siblings:
    // SetWindowPos with HWND_TOP, "Places the window at the top of the Z
    // order".
    void Raise(HWND child)
    {
        if (IsStandIn()) {
            StandInAs<FakeDesktop>().Raise(child);
            return;
        }
#ifdef _WIN32
        SetWindowPos(child, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
#endif
    }
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
    HWND top = nullptr, view = nullptr, list = nullptr, other = nullptr;
};

// GetDesktopWindow: "The return value is a handle to the desktop window";
// it has no failure.
TEST_P(DesktopContract, ThereIsAlwaysADesktopWindow) { EXPECT_NE(subject->GetDesktopWindow(), nullptr); }

// EnumChildWindows: every descendant, "If a child window has created child
// windows of its own, EnumChildWindows enumerates those windows as well",
// until the callback returns FALSE.
TEST_P(DesktopContract, EveryDescendantUntilTheCallbackStops)
{
    std::vector<HWND> seen;
    subject->EnumChildWindows(top, Collect, reinterpret_cast<LPARAM>(&seen));
    EXPECT_EQ(seen.size(), 3u);
    for (HWND window : {view, list, other}) EXPECT_NE(std::find(seen.begin(), seen.end(), window), seen.end());
    seen.clear();
    subject->EnumChildWindows(top, StopAtFirst, reinterpret_cast<LPARAM>(&seen));
    EXPECT_EQ(seen.size(), 1u);
}

// GetClassNameW: the characters copied without the terminator; a name longer
// than the buffer is cut to nMaxCount - 1 characters and terminated; a
// window that does not exist gives 0.
TEST_P(DesktopContract, TheClassNameWholeOrCut)
{
    char16_t name[64] = {};
    ASSERT_EQ(subject->ClassNameOf(list, name, 64), 19);
    EXPECT_EQ(String16(name), u"TessalyContractList");
    char16_t cut[8];
    EXPECT_EQ(subject->ClassNameOf(list, cut, 8), 7);
    EXPECT_EQ(String16(cut), u"Tessaly");
    EXPECT_EQ(subject->ClassNameOf(reinterpret_cast<HWND>(static_cast<std::uintptr_t>(0x7ff0)), name, 64), 0);
}

// FindWindowExW: the next child of parent after hwndChildAfter with the
// class, or NULL; "This function does not perform a case-sensitive search."
TEST_P(DesktopContract, AChildFoundByItsClass)
{
    EXPECT_EQ(subject->FindChild(top, nullptr, u"TessalyContractView", nullptr), view);
    EXPECT_EQ(subject->FindChild(top, nullptr, u"tessalycontractview", nullptr), view);
    EXPECT_EQ(subject->FindChild(top, view, u"TessalyContractView", nullptr), nullptr);
    EXPECT_EQ(subject->FindChild(top, nullptr, u"TessalyContractList", nullptr), nullptr);  // a grandchild
    EXPECT_EQ(subject->FindChild(top, nullptr, u"NoSuchClass", nullptr), nullptr);
}

// GetWindow(GW_CHILD): "the child window at the top of the Z order, if the
// specified window is a parent window; otherwise, the retrieved handle is
// NULL". Each of the two children is put at the top in turn, so the case
// tells them apart whatever order they were made in.
TEST_P(DesktopContract, TheFirstChildOrNone)
{
    EXPECT_EQ(subject->GetFirstChild(view), list);
    EXPECT_EQ(subject->GetFirstChild(list), nullptr);
    Raise(other);
    EXPECT_EQ(subject->GetFirstChild(top), other);
    Raise(view);
    EXPECT_EQ(subject->GetFirstChild(top), view);
}

// PostMessageW: "If the function succeeds, the return value is nonzero" for
// a window that exists; a window handle that names none fails, with
// ERROR_INVALID_WINDOW_HANDLE (1400) (not documented; Windows' known
// answer).
TEST_P(DesktopContract, PostedOnlyToAWindowThatExists)
{
    EXPECT_TRUE(subject->Post(list, WM_COMMAND, 0, 0));
    EXPECT_FALSE(subject->Post(reinterpret_cast<HWND>(static_cast<std::uintptr_t>(0x7ff0)), WM_COMMAND, 0, 0));
}

INSTANTIATE_CONTRACT(DesktopContract, FakeDesktop, Win32Desktop);

}  // namespace
