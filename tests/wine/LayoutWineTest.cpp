// The tool's windows on a small screen at a DPI the tool itself sets. Run
// by layout_test.sh, which gives the prefix a desktop as tall as the work
// area Windows leaves above its taskbar and sets TESSALY_LAYOUT_DPI; skipped
// in the ordinary run. The progress window switches a profile, and with it
// the DPI of every later process: it comes last.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <vector>

#include "tests/wine/WineSupport.h"

namespace {

const int kFirstLevel = 1011;
const int kLastLevel = 1037;

::testing::AssertionResult Within(HWND window, const RECT& area)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    if (rect.left >= area.left && rect.top >= area.top && rect.right <= area.right && rect.bottom <= area.bottom) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "(" << rect.left << "," << rect.top << ")-(" << rect.right << ","
                                         << rect.bottom << ") outside (" << area.left << "," << area.top << ")-("
                                         << area.right << "," << area.bottom << ")";
}

::testing::AssertionResult InWorkArea(HWND window)
{
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return Within(window, work);
}

// Wholly inside the band's client area: neither under the header, the
// button row nor the scroll bar.
bool InView(HWND band, HWND control)
{
    RECT client{};
    GetClientRect(band, &client);
    MapWindowPoints(band, nullptr, reinterpret_cast<POINT*>(&client), 2);
    return Within(control, client);
}

int TopOf(HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect.top;
}

// The tops of the band's rows, in the order of its children.
std::vector<int> RowTops(HWND band)
{
    std::vector<int> tops;
    for (HWND row = GetWindow(band, GW_CHILD); row; row = GetWindow(row, GW_HWNDNEXT)) tops.push_back(TopOf(row));
    return tops;
}

// How far the rows have moved since `before`, once every one of them has
// moved by the same amount; 0 until then. A scroll moves the rows one window
// after another, and this process may look in between: a single row that has
// moved tells nothing of the others.
int WholeMove(const std::vector<int>& before, const std::vector<int>& now)
{
    if (now.empty() || now.size() != before.size()) return 0;
    const int moved = now.front() - before.front();
    for (size_t i = 1; i < now.size(); ++i) {
        if (now[i] - before[i] != moved) return 0;
    }
    return moved;
}

HWND FocusOf(HWND window)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus : nullptr;
}

class LayoutWine : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char* dpi = std::getenv("TESSALY_LAYOUT_DPI");
        if (!dpi) GTEST_SKIP() << "run by layout_test.sh";
        m_dpi = std::atoi(dpi);
        FreshToolRegistry();
        SetDword(HKEY_CURRENT_USER, kMetricsPath, L"AppliedDPI", static_cast<DWORD>(m_dpi));
    }
    int m_dpi = 96;
};

TEST_F(LayoutWine, TheDetailWindowKeepsItsButtonsAndReachesEveryLevel)
{
    Process helper(Quoted(kHelperExe) + L" show detail");
    HWND detail = WaitForWindow(FindDetailWindow);
    ASSERT_TRUE(detail);
    for (int id : {IDOK, IDCANCEL}) {
        HWND button = GetDlgItem(detail, id);
        RECT rect{};
        GetWindowRect(button, &rect);
        EXPECT_TRUE(InWorkArea(button)) << id;
        EXPECT_NEAR(rect.bottom - rect.top, MulDiv(34, m_dpi, 96), 2) << id;
    }
    HWND band = FindWindowExW(detail, nullptr, L"TessalyScrollBand", nullptr);
    ASSERT_TRUE(band);
    EXPECT_TRUE(GetWindowLongW(band, GWL_STYLE) & WS_VSCROLL);
    // A click in the band still reaches the button's handler: its name shows the next level.
    HWND first = GetDlgItem(band, kFirstLevel);
    const std::wstring before = WindowText(first);
    PostMessageW(first, BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitFor([&] { return WindowText(first) != before; }, 5000));

    // Tab from the first level button to OK: each control is in view when it has the focus.
    HWND focus = FocusOf(detail);
    ASSERT_EQ(GetDlgCtrlID(focus), kFirstLevel);
    std::set<int> reached;
    for (int step = 0; step < 40 && GetDlgCtrlID(focus) != IDOK; ++step) {
        if (GetParent(focus) == band) {
            EXPECT_TRUE(WaitFor([&] { return InView(band, focus); }, 5000)) << GetDlgCtrlID(focus);
            reached.insert(GetDlgCtrlID(focus));
        }
        HWND before = focus;
        PostMessageW(focus, WM_KEYDOWN, VK_TAB, 0);
        ASSERT_TRUE(WaitFor([&] { return (focus = FocusOf(detail)) != before; }, 5000));
    }
    EXPECT_EQ(GetDlgCtrlID(focus), IDOK);
    EXPECT_EQ(reached.size(), 28u);  // the 27 level buttons and the check box of keeping the profile

    // The page keys, the wheel and the scroll bar, each from the other end.
    // A page key moves the rows by one page, the band's height, until the end
    // is in view: a band of more pages takes more than one key. Each key's
    // move is awaited until every row has made it, so that the next key
    // starts from rows that stand still.
    HWND ok = GetDlgItem(detail, IDOK);
    RECT client{};
    GetClientRect(band, &client);
    const int page = client.bottom;
    const struct {
        const char* what;
        HWND to;
        UINT message;
        WPARAM wParam;
        int shows;
    } moves[] = {
        {"Page Up", ok, WM_KEYDOWN, VK_PRIOR, kFirstLevel},
        {"Page Down", ok, WM_KEYDOWN, VK_NEXT, kLastLevel},
        {"wheel up", ok, WM_MOUSEWHEEL, MAKEWPARAM(0, 10 * WHEEL_DELTA), kFirstLevel},
        {"bar to the end", band, WM_VSCROLL, SB_BOTTOM, kLastLevel},
        {"bar to the top", band, WM_VSCROLL, SB_TOP, kFirstLevel},
    };
    for (const auto& move : moves) {
        // Out of view, as the move before has left it.
        HWND level = GetDlgItem(band, move.shows);
        EXPECT_FALSE(InView(band, level)) << move.what;
        const bool pageKey = move.message == WM_KEYDOWN;
        int press = 0;
        for (; press < (pageKey ? 8 : 1) && !InView(band, level); ++press) {
            const std::vector<int> before = RowTops(band);
            PostMessageW(move.to, move.message, move.wParam, 0);
            int moved = 0;
            ASSERT_TRUE(WaitFor([&] { return (moved = WholeMove(before, RowTops(band))) != 0; }, 5000))
                << move.what << " " << press;
            if (pageKey && !InView(band, level)) {
                EXPECT_EQ(std::abs(moved), page) << move.what;
            }
        }
        EXPECT_TRUE(InView(band, level)) << move.what;
        if (pageKey) std::printf("%s: %d key(s) of a %d-pixel page\n", move.what, press, page);
    }
    // Another control's scroll message (lParam is its window) is not the band's.
    const int top = TopOf(first);
    SendMessageW(band, WM_VSCROLL, SB_BOTTOM, reinterpret_cast<LPARAM>(ok));
    EXPECT_EQ(TopOf(first), top);
    PostMessageW(detail, WM_CLOSE, 0, 0);
    EXPECT_EQ(helper.Wait(30000), 0);
}

TEST_F(LayoutWine, EveryWindowLiesInsideTheWorkArea)
{
    const struct {
        const wchar_t* name;
        HWND (*find)();
    } windows[] = {{L"main", FindMainWindow},
                   {L"detail", FindDetailWindow},
                   {L"prompt", FindSignOutPrompt},
                   {L"restore", FindRestoreDialog},
                   {L"original", FindOriginalDialog},
                   {L"progress", FindProgressWindow}};  // last: it switches a profile
    for (const auto& shown : windows) {
        Process helper(Quoted(kHelperExe) + L" show " + shown.name);
        HWND window = WaitForWindow(shown.find);
        ASSERT_TRUE(window) << shown.name;
        EXPECT_TRUE(InWorkArea(window)) << shown.name;
        // Every control of the window in view, the main window's button row
        // with the return to the person's own settings included.
        RECT frame{};
        GetWindowRect(window, &frame);
        for (HWND control = GetWindow(window, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT)) {
            if (!IsWindowVisible(control)) continue;
            EXPECT_TRUE(Within(control, frame)) << shown.name << " " << GetDlgCtrlID(control);
        }
        // The progress window does not close: its helper is ended when it has not.
        PostMessageW(window, WM_CLOSE, 0, 0);
        helper.Wait(5000);
    }
}

}  // namespace
