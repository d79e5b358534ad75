// "/apply" at sign-in and the catch-up apply of an ordinary start, with the
// real program in real processes.
#include <gtest/gtest.h>

#include "tests/wine/WineSupport.h"

namespace {

class DeferredApplyWine : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeleteTree(HKEY_CURRENT_USER, L"Software\\Halden");
        SetWindowsVersion(L"win10");
        // Profile 2: DPI 144, title bar 50 pixels at 96 DPI.
        SetDword(HKEY_CURRENT_USER, kSettingsPath, L"Mode", 2);
        SetString(HKEY_CURRENT_USER, kRunPath, L"CorvelChg", Quoted(kToolExe) + L" /apply");
        SetCaption(21);
    }
    void TearDown() override { SetWindowsVersion(L"win10"); }

    static void SetCaption(int size)
    {
        Process helper(Quoted(kHelperExe) + L" caption " + std::to_wstring(size));
        helper.Wait();
    }
    // Asked of a new process: Wine keeps system parameters per process.
    static long Caption()
    {
        Process helper(Quoted(kHelperExe) + L" caption");
        return helper.Wait();
    }
    static bool RunValuePresent()
    {
        DWORD type = 0;
        std::vector<BYTE> data;
        return GetRaw(HKEY_CURRENT_USER, kRunPath, L"CorvelChg", &type, &data);
    }
};

TEST_F(DeferredApplyWine, ApplyReappliesAtTheProfileDpi)
{
    SetDword(HKEY_CURRENT_USER, kMetricsPath, L"AppliedDPI", 144);
    EXPECT_EQ(RunTool(L"/apply"), 0);
    EXPECT_EQ(Caption(), 75);
    EXPECT_FALSE(RunValuePresent());
}

TEST_F(DeferredApplyWine, WindowsVersionSelectsTheScaling)
{
    SetDword(HKEY_CURRENT_USER, kMetricsPath, L"AppliedDPI", 144);
    SetWindowsVersion(L"win7");
    EXPECT_EQ(RunTool(L"/apply"), 0);
    EXPECT_EQ(Caption(), 50);
    SetWindowsVersion(L"win8");
    SetString(HKEY_CURRENT_USER, kRunPath, L"CorvelChg", L"x /apply");
    EXPECT_EQ(RunTool(L"/apply"), 0);
    EXPECT_EQ(Caption(), 75);
}

TEST_F(DeferredApplyWine, ApplyAtAnotherDpiOnlyRemovesTheRunValue)
{
    SetDword(HKEY_CURRENT_USER, kMetricsPath, L"AppliedDPI", 120);
    EXPECT_EQ(RunTool(L"/apply /CreateLog"), 0);
    EXPECT_EQ(Caption(), 21);
    EXPECT_FALSE(RunValuePresent());
    EXPECT_NE(ReadLogText().find(L"CCorvelChgApp::DoApply DPI has been chaged by user. Apply cancel.\r\n"),
              std::wstring::npos);
}

TEST_F(DeferredApplyWine, SecondApplyEndsAtOnceWhileTheFirstHoldsTheMutex)
{
    SetDword(HKEY_CURRENT_USER, kMetricsPath, L"AppliedDPI", 144);
    HANDLE held = CreateMutexW(nullptr, TRUE, L"CorvelChangeMutex_AutoRun");
    ASSERT_NE(held, nullptr);
    EXPECT_EQ(RunTool(L"/apply", 15000), 0);
    EXPECT_TRUE(RunValuePresent());
    EXPECT_EQ(Caption(), 21);
    ReleaseMutex(held);
    CloseHandle(held);
}

// A sign-in run that never ends (here: this process holds its mutex) delays
// an ordinary start by 30 s at most.
TEST_F(DeferredApplyWine, StuckApplyDoesNotKeepTheToolFromStarting)
{
    HANDLE held = CreateMutexW(nullptr, TRUE, L"CorvelChangeMutex_AutoRun");
    ASSERT_NE(held, nullptr);
    Process tool(Quoted(kToolExe));
    HWND main = WaitForWindow(FindMainWindow, 45000);
    EXPECT_NE(main, nullptr);
    if (main) Click(main, 1004);
    EXPECT_EQ(tool.Wait(30000), 0);
    EXPECT_TRUE(RunValuePresent());
    ReleaseMutex(held);
    CloseHandle(held);
}

TEST_F(DeferredApplyWine, OrdinaryStartCatchesUpAfterSignIn)
{
    SetDword(HKEY_CURRENT_USER, kMetricsPath, L"AppliedDPI", 144);
    SetDword(HKEY_CURRENT_USER, kDesktopPath, L"LogPixels", 144);
    EXPECT_EQ(RunToolAndClose(L""), 0);
    EXPECT_FALSE(RunValuePresent());
    EXPECT_EQ(Caption(), 75);
}

TEST_F(DeferredApplyWine, OrdinaryStartBeforeSignOutLeavesTheRunValue)
{
    SetDword(HKEY_CURRENT_USER, kMetricsPath, L"AppliedDPI", 96);
    SetDword(HKEY_CURRENT_USER, kDesktopPath, L"LogPixels", 144);
    EXPECT_EQ(RunToolAndClose(L""), 0);
    EXPECT_TRUE(RunValuePresent());
    EXPECT_EQ(Caption(), 21);
}

TEST_F(DeferredApplyWine, BadDpiValuesFallBackWithoutHarm)
{
    const BYTE four[4] = {144, 0, 0, 0};
    const BYTE eight[8] = {144, 0, 0, 0, 0, 0, 0, 0};
    SetRaw(HKEY_CURRENT_USER, kMetricsPath, L"AppliedDPI", REG_BINARY, four, 4);
    SetRaw(HKEY_CURRENT_USER, kDesktopPath, L"LogPixels", REG_QWORD, eight, 8);
    DeleteFileW(kLogFile);
    EXPECT_EQ(RunTool(L"/apply /CreateLog"), 0);
    std::wstring log = ReadLogText();
    EXPECT_NE(log.find(L"RegReadDword error, file: .\\RegControl, line: 29, code: 87.\r\n"), std::wstring::npos);
    EXPECT_NE(log.find(L"CCorvelChgApp::DoApply getting the current dpi is failed.\r\n"), std::wstring::npos);
    EXPECT_NE(log.find(L"Apply:Run Apply Failed.\r\n"), std::wstring::npos);
    EXPECT_EQ(Caption(), 21);
    EXPECT_FALSE(RunValuePresent());
}

}  // namespace
