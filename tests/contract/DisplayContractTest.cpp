// Announcements against the display stand-in and, under Wine, the Win32
// adapter: a broadcast that every window answers ends within the wait, a
// wait of 0 never blocks, and (Win32) a window of the calling thread hears
// the action and the area while the caller waits.
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

INSTANTIATE_CONTRACT(DisplayContract, Implementations());

}  // namespace
