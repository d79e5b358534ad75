// System parameters, the caret, the screen's DPI and announcements against
// the display stand-in and, under Wine, the Win32 adapter, with the inputs
// the program passes.
//   SystemParametersInfoW https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-systemparametersinfow
//   NONCLIENTMETRICSW     https://learn.microsoft.com/windows/win32/api/winuser/ns-winuser-nonclientmetricsw
//   HIGHCONTRASTW         https://learn.microsoft.com/windows/win32/api/winuser/ns-winuser-highcontrastw
//   SetCaretBlinkTime     https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-setcaretblinktime
//   IsThemeActive         https://learn.microsoft.com/windows/win32/api/uxtheme/nf-uxtheme-isthemeactive
//   GetDeviceCaps         https://learn.microsoft.com/windows/win32/api/wingdi/nf-wingdi-getdevicecaps
//   SendMessageTimeoutW   https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-sendmessagetimeoutw
//   WM_SETTINGCHANGE      https://learn.microsoft.com/windows/win32/winmsg/wm-settingchange
#include <vector>

#include "platform/fake/FakeDisplay.h"
#include "tests/contract/ContractSupport.h"

namespace {

class DisplayContract : public ContractTest<IDisplay> {};

constexpr UINT kNoSuchAction = 0x7FFF;  // no SPI_ action has this number

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

// A run of this program as a probe exits with the screen's DPI before the
// tests start, so that a new process shows the DPI it was given.
const bool g_dpiProbe = [] {
    if (wcsstr(GetCommandLineW(), L"--tessaly-dpi-probe")) ExitProcess(Win32Display().ScreenDpi());
    return false;
}();

// The "LogPixels" of the user's desktop: 0 removes it.
void SetLogPixels(DWORD dpi)
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr)) {
        return;
    }
    if (dpi) {
        RegSetValueExW(key, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof(dpi));
    } else {
        RegDeleteValueW(key, L"LogPixels");
    }
    RegCloseKey(key);
}

DWORD LogPixels()
{
    DWORD dpi = 0, size = sizeof(dpi);
    if (RegGetValueW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"LogPixels", RRF_RT_REG_DWORD, nullptr, &dpi,
                     &size)) {
        return 0;
    }
    return dpi;
}
#endif

// SendMessageTimeoutW with HWND_BROADCAST "does not return until each window
// has timed out", so AnnounceChange sends it from a thread of its own and
// waits at most its bound; a wait of 0 never blocks. The message carries
// what the system's own WM_SETTINGCHANGE for a SystemParametersInfo call
// carries: wParam "the value of the uiAction parameter", lParam "a pointer
// to a string that indicates the area" (the page asks an application that
// sends the message for a NULL wParam). (Win32) A window of the calling
// thread hears both while the caller waits.
TEST_P(DisplayContract, AnnouncementEndsWithinItsWait)
{
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
    EXPECT_EQ(subject->AnnounceChange(SPI_SETCARETWIDTH, u"Desktop", 20000, &waited), ANNOUNCE_DONE);
    EXPECT_LE(waited, 20000u);
#ifdef _WIN32
    if (!IsStandIn()) {
        EXPECT_EQ(g_heard, (std::vector<std::pair<WPARAM, std::wstring>>{{SPI_SETCARETWIDTH, L"Desktop"}}));
    }
#endif

    waited = 12345;
    int result = subject->AnnounceChange(SPI_SETCURSORS, u"Cursors", 0, &waited);
    EXPECT_TRUE(result == ANNOUNCE_DONE || result == ANNOUNCE_STILL_RUNNING) << result;
    EXPECT_EQ(waited, 0u);
#ifdef _WIN32
    DestroyWindow(listener);
#endif
}

// The adapter's own bookkeeping, no call of Windows': a broadcast left going
// out is finished, or named, by the run's end; with none going out nothing
// is waited for.
TEST_P(DisplayContract, TheRunsEndFinishesWhatIsGoingOut)
{
    EXPECT_TRUE(subject->FinishAnnouncements(0).empty());
    DWORD waited = 0;
    subject->AnnounceChange(SPI_SETCARETWIDTH, u"Desktop", 0, &waited);
    EXPECT_TRUE(subject->FinishAnnouncements(20000).empty());
    EXPECT_TRUE(subject->FinishAnnouncements(0).empty());
}

// SPI_GETNONCLIENTMETRICS: "the cbSize member of this structure and the
// uiParam parameter must be set to sizeof(NONCLIENTMETRICS)".
TEST_P(DisplayContract, MetricsAreRead)
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    EXPECT_TRUE(subject->SystemParameters(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0));
    EXPECT_GT(metrics.iCaptionHeight, 0);
}

// A structure of another size fails with ERROR_INVALID_PARAMETER (not
// documented; Windows' known answer: the page only asks for the size).
TEST_P(DisplayContract, MetricsOfAnotherSizeFail)
{
    SKIP_WINE_DIFFERENCE(Name(), "SPI_GETNONCLIENTMETRICS fills a structure whose cbSize is wrong");
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = 100;
    EXPECT_FALSE(subject->SystemParameters(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0));
    EXPECT_EQ(subject->LastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

// SPI_SETNONCLIENTMETRICS, as the switch calls it (uiParam and cbSize
// sizeof(NONCLIENTMETRICS), SPIF_UPDATEINIFILE): "Sets the metrics
// associated with the nonclient area of nonminimized windows", which the
// next read gives back; the old ones are put back. A structure of another
// size changes nothing (not documented; Windows' known answer).
TEST_P(DisplayContract, MetricsAreWrittenAndReadBack)
{
    NONCLIENTMETRICSW before{};
    before.cbSize = sizeof(before);
    ASSERT_TRUE(subject->SystemParameters(SPI_GETNONCLIENTMETRICS, sizeof(before), &before, 0));
    NONCLIENTMETRICSW wider = before;
    wider.iScrollWidth = before.iScrollWidth + 3;
    ASSERT_TRUE(subject->SystemParameters(SPI_SETNONCLIENTMETRICS, sizeof(wider), &wider, SPIF_UPDATEINIFILE));
    NONCLIENTMETRICSW now{};
    now.cbSize = sizeof(now);
    ASSERT_TRUE(subject->SystemParameters(SPI_GETNONCLIENTMETRICS, sizeof(now), &now, 0));
    EXPECT_EQ(now.iScrollWidth, before.iScrollWidth + 3);

    NONCLIENTMETRICSW wrong = before;
    wrong.cbSize = 100;
    EXPECT_FALSE(subject->SystemParameters(SPI_SETNONCLIENTMETRICS, sizeof(wrong), &wrong, SPIF_UPDATEINIFILE));
    now.cbSize = sizeof(now);
    ASSERT_TRUE(subject->SystemParameters(SPI_GETNONCLIENTMETRICS, sizeof(now), &now, 0));
    EXPECT_EQ(now.iScrollWidth, before.iScrollWidth + 3);
    EXPECT_TRUE(subject->SystemParameters(SPI_SETNONCLIENTMETRICS, sizeof(before), &before, SPIF_UPDATEINIFILE));
}

// SPI_SETCARETWIDTH takes the width in pvParam and SPI_GETCARETWIDTH reads
// it back; SetCaretBlinkTime and GetCaretBlinkTime likewise. Without
// SPIF_UPDATEINIFILE nothing is stored; both are put back.
TEST_P(DisplayContract, CaretWidthAndBlinkTimeReadBack)
{
    DWORD width = 0;
    ASSERT_TRUE(subject->SystemParameters(SPI_GETCARETWIDTH, 0, &width, 0));
    ASSERT_TRUE(subject->SystemParameters(SPI_SETCARETWIDTH, 0, reinterpret_cast<void*>(std::uintptr_t{3}), 0));
    DWORD now = 0;
    EXPECT_TRUE(subject->SystemParameters(SPI_GETCARETWIDTH, 0, &now, 0));
    EXPECT_EQ(now, 3u);
    subject->SystemParameters(SPI_SETCARETWIDTH, 0, reinterpret_cast<void*>(std::uintptr_t{width}), 0);
    const UINT blink = subject->CaretBlinkTime();
    ASSERT_NE(blink, 0u);
    EXPECT_TRUE(subject->SetCaretBlinkTime(700));
    EXPECT_EQ(subject->CaretBlinkTime(), 700u);
    subject->SetCaretBlinkTime(blink);
    const BOOL themed = subject->IsThemeActive();  // TRUE or FALSE, nothing else
    EXPECT_TRUE(themed == TRUE || themed == FALSE);
}

// SPI_SETCURSORS, as the pointer scheme calls it: "Reloads the system
// cursors. Set the uiParam parameter to zero and the pvParam parameter to
// NULL." It succeeds.
TEST_P(DisplayContract, TheSystemCursorsAreReloaded)
{
    SKIP_WINE_DIFFERENCE(Name(), "SPI_SETCURSORS is not implemented and fails with 1439 (ERROR_INVALID_SPI_VALUE)");
    EXPECT_TRUE(subject->SystemParameters(SPI_SETCURSORS, 0, nullptr, 0));
}

// SPI_GETHIGHCONTRAST, as the style button calls it: "Set the cbSize member
// of this structure and the uiParam parameter to sizeof(HIGHCONTRAST)"; the
// call "fills the remaining members" (HIGHCONTRASTW), HCF_HIGHCONTRASTON
// among the flags when the feature is on.
TEST_P(DisplayContract, HighContrastIsRead)
{
    for (bool on : {false, true}) {
        if (IsStandIn()) {
            StandInAs<FakeDisplay>().highContrast = on;
        } else if (on) {
            break;  // the real setting is whatever the session has
        }
        HIGHCONTRASTW contrast{};
        contrast.cbSize = sizeof(contrast);
        contrast.dwFlags = 0xFFFFFFFF;
        ASSERT_TRUE(subject->SystemParameters(SPI_GETHIGHCONTRAST, sizeof(contrast), &contrast, 0));
        EXPECT_NE(contrast.dwFlags, 0xFFFFFFFFu);
        if (IsStandIn()) {
            EXPECT_EQ((contrast.dwFlags & HCF_HIGHCONTRASTON) != 0, on);
        }
    }
}

// An action the system does not know fails, and GetLastError gives
// ERROR_INVALID_SPI_VALUE ("Invalid system-wide (SPI_*) parameter", System
// Error Codes; not documented on SystemParametersInfoW's page; Windows'
// known answer).
TEST_P(DisplayContract, AnUnknownActionFailsWithItsCode)
{
    DWORD any = 0;
    EXPECT_FALSE(subject->SystemParameters(kNoSuchAction, 0, &any, 0));
    EXPECT_EQ(subject->LastError(), static_cast<DWORD>(ERROR_INVALID_SPI_VALUE));
}

// GetDeviceCaps(LOGPIXELSX) of the screen: "Number of pixels per logical
// inch along the screen width. In a system with multiple display monitors,
// this value is the same for all monitors." It stays for the process: the
// session's DPI on Windows (not documented; Windows' known answer), under
// Wine the "LogPixels" of the user's desktop as the process started (96
// without one), which a probe process started with 144 shows.
TEST_P(DisplayContract, TheScreenDpiIsTheSessions)
{
    if (IsStandIn()) {
        StandInAs<FakeDisplay>().screenDpi = 144;
        EXPECT_EQ(subject->ScreenDpi(), 144u);
        return;
    }
    const UINT dpi = subject->ScreenDpi();
    EXPECT_GE(dpi, 96u);
    EXPECT_EQ(subject->ScreenDpi(), dpi);
#ifdef _WIN32
    if (!UnderWine()) return;
    const DWORD stored = LogPixels();
    EXPECT_EQ(dpi, stored ? stored : 96u);
    SetLogPixels(144);
    EXPECT_EQ(RunProbe(L"--tessaly-dpi-probe"), 144);
    SetLogPixels(stored);
#endif
}

INSTANTIATE_CONTRACT(DisplayContract, FakeDisplay, Win32Display);

}  // namespace
