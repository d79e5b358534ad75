// System parameters, the caret and announcements against the display
// stand-in and, under Wine, the Win32 adapter: a broadcast that every window
// answers ends within the wait, a wait of 0 never blocks, (Win32) a window
// of the calling thread hears the action and the area while the caller
// waits, and the run's end finishes what is still going out.
//   SystemParametersInfoW https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-systemparametersinfow
//   NONCLIENTMETRICSW     https://learn.microsoft.com/windows/win32/api/winuser/ns-winuser-nonclientmetricsw
//   SetCaretBlinkTime     https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-setcaretblinktime
//   IsThemeActive         https://learn.microsoft.com/windows/win32/api/uxtheme/nf-uxtheme-isthemeactive
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "platform/fake/FakeDisplay.h"
#include "tests/contract/ContractSupport.h"
#ifdef _WIN32
#include "platform/win32/Win32Platform.h"
#endif

namespace {

struct Implementation {
    const char* name;
    std::function<std::unique_ptr<IDisplay>()> make;
};

std::vector<Implementation> Implementations()
{
    std::vector<Implementation> list = {{"Stand_in", [] { return std::make_unique<FakeDisplay>(); }}};
#ifdef _WIN32
    list.push_back({"Win32", [] { return std::make_unique<Win32Display>(); }});
#endif
    return list;
}

class DisplayContract : public ::testing::TestWithParam<Implementation> {};

#ifdef _WIN32
// What a top-level window of this thread hears.
std::vector<std::pair<WPARAM, std::wstring>> g_heard;
LRESULT CALLBACK Listen(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SETTINGCHANGE) {
        g_heard.emplace_back(wParam, lParam ? reinterpret_cast<const wchar_t*>(lParam) : L"(null)");
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
#endif

TEST_P(DisplayContract, AnnouncementEndsWithinItsWait)
{
    std::unique_ptr<IDisplay> display = GetParam().make();
#ifdef _WIN32
    WNDCLASSW wc{};
    wc.lpfnWndProc = Listen;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TessalyContractListener";
    RegisterClassW(&wc);
    HWND listener = CreateWindowW(wc.lpszClassName, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance,
                                  nullptr);
    ASSERT_NE(listener, nullptr);
    g_heard.clear();
#endif
    DWORD waited = 12345;
    EXPECT_EQ(display->AnnounceChange(SPI_SETCARETWIDTH, u"Desktop", 20000, &waited), ANNOUNCE_DONE);
    EXPECT_LE(waited, 20000u);
#ifdef _WIN32
    if (GetParam().name[0] == 'W') {
        EXPECT_EQ(g_heard, (std::vector<std::pair<WPARAM, std::wstring>>{{SPI_SETCARETWIDTH, L"Desktop"}}));
    }
#endif

    waited = 12345;
    int result = display->AnnounceChange(SPI_SETCURSORS, u"Cursors", 0, &waited);
    EXPECT_TRUE(result == ANNOUNCE_DONE || result == ANNOUNCE_STILL_RUNNING) << result;
    EXPECT_EQ(waited, 0u);
#ifdef _WIN32
    DestroyWindow(listener);
#endif
}

// A broadcast left going out is finished, or named, by the run's end; with
// none going out nothing is waited for.
TEST_P(DisplayContract, TheRunsEndFinishesWhatIsGoingOut)
{
    std::unique_ptr<IDisplay> display = GetParam().make();
    EXPECT_TRUE(display->FinishAnnouncements(0).empty());
    DWORD waited = 0;
    display->AnnounceChange(SPI_SETCARETWIDTH, u"Desktop", 0, &waited);
    EXPECT_TRUE(display->FinishAnnouncements(20000).empty());
    EXPECT_TRUE(display->FinishAnnouncements(0).empty());
}

// SPI_GETNONCLIENTMETRICS: "the cbSize member of this structure and the
// uiParam parameter must be set to sizeof(NONCLIENTMETRICS)".
TEST_P(DisplayContract, MetricsAreRead)
{
    std::unique_ptr<IDisplay> display = GetParam().make();
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    EXPECT_TRUE(display->SystemParameters(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0));
    EXPECT_GT(metrics.iCaptionHeight, 0);
}

// A structure of another size fails on Windows (known behaviour; the page
// only asks for the size).
TEST_P(DisplayContract, MetricsOfAnotherSizeFail)
{
    SKIP_WINE_DIFFERENCE(GetParam().name, "SPI_GETNONCLIENTMETRICS fills a structure whose cbSize is wrong");
    std::unique_ptr<IDisplay> display = GetParam().make();
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = 100;
    EXPECT_FALSE(display->SystemParameters(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0));
}

// SPI_SETCARETWIDTH takes the width in pvParam and SPI_GETCARETWIDTH reads
// it back; SetCaretBlinkTime and GetCaretBlinkTime likewise. Without
// SPIF_UPDATEINIFILE nothing is stored; both are put back.
TEST_P(DisplayContract, CaretWidthAndBlinkTimeReadBack)
{
    std::unique_ptr<IDisplay> display = GetParam().make();
    DWORD width = 0;
    ASSERT_TRUE(display->SystemParameters(SPI_GETCARETWIDTH, 0, &width, 0));
    ASSERT_TRUE(display->SystemParameters(SPI_SETCARETWIDTH, 0, reinterpret_cast<void*>(std::uintptr_t{3}), 0));
    DWORD now = 0;
    EXPECT_TRUE(display->SystemParameters(SPI_GETCARETWIDTH, 0, &now, 0));
    EXPECT_EQ(now, 3u);
    display->SystemParameters(SPI_SETCARETWIDTH, 0, reinterpret_cast<void*>(std::uintptr_t{width}), 0);
    const UINT blink = display->CaretBlinkTime();
    ASSERT_NE(blink, 0u);
    EXPECT_TRUE(display->SetCaretBlinkTime(700));
    EXPECT_EQ(display->CaretBlinkTime(), 700u);
    display->SetCaretBlinkTime(blink);
    const BOOL themed = display->IsThemeActive();  // TRUE or FALSE, nothing else
    EXPECT_TRUE(themed == TRUE || themed == FALSE);
}

INSTANTIATE_CONTRACT(DisplayContract, Implementations());

}  // namespace
