// Several copies of the tool at once, as real processes.
#include <gtest/gtest.h>

#include "tests/wine/WineSupport.h"

namespace {

BOOL CALLBACK CountMainWindows(HWND window, LPARAM count)
{
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    if (std::wstring(className) == L"MainWindowClass" && IsWindowVisible(window)) ++*reinterpret_cast<int*>(count);
    return TRUE;
}

TEST(ConcurrencyWine, TenStartsAtOnceShowOneMainWindow)
{
    DeleteTree(HKEY_CURRENT_USER, L"Software\\Halden");
    std::vector<std::unique_ptr<Process>> starts;
    for (int i = 0; i < 10; ++i) starts.push_back(std::make_unique<Process>(Quoted(kToolExe)));
    HWND main = WaitForWindow(FindMainWindow);
    ASSERT_NE(main, nullptr);
    // Every other start has looked, found the first one and ended.
    auto othersEnded = [&] {
        int ended = 0;
        for (auto& start : starts) ended += start->Ended();
        return ended == 9;
    };
    ASSERT_TRUE(WaitFor(othersEnded, 60000));
    int windows = 0;
    EnumWindows(CountMainWindows, reinterpret_cast<LPARAM>(&windows));
    EXPECT_EQ(windows, 1);
    Click(main, 1004);
    for (auto& start : starts) EXPECT_EQ(start->Wait(30000), 0);
}

TEST(ConcurrencyWine, SignInRunsAndAStartAtOnce)
{
    DeleteTree(HKEY_CURRENT_USER, L"Software\\Halden");
    SetDword(HKEY_CURRENT_USER, kSettingsPath, L"Mode", 2);
    SetDword(HKEY_CURRENT_USER, kMetricsPath, L"AppliedDPI", 144);
    SetDword(HKEY_CURRENT_USER, kDesktopPath, L"LogPixels", 144);
    SetString(HKEY_CURRENT_USER, kRunPath, L"CorvelChg", L"x /apply");
    std::vector<std::unique_ptr<Process>> applies;
    for (int i = 0; i < 4; ++i) applies.push_back(std::make_unique<Process>(Quoted(kToolExe) + L" /apply"));
    Process start(Quoted(kToolExe));
    for (auto& apply : applies) EXPECT_EQ(apply->Wait(30000), 0);
    HWND main = WaitForWindow(FindMainWindow);
    ASSERT_NE(main, nullptr);
    Click(main, 1004);
    EXPECT_EQ(start.Wait(30000), 0);

    DWORD type = 0;
    std::vector<BYTE> data;
    EXPECT_FALSE(GetRaw(HKEY_CURRENT_USER, kRunPath, L"CorvelChg", &type, &data));
    Process caption(Quoted(kHelperExe) + L" caption");
    EXPECT_EQ(caption.Wait(), 75);  // profile 2's title bar, 50 at 96 DPI, at 144 DPI
}

}  // namespace
