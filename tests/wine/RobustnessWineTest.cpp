// Faults that must never leave the desktop unusable or the tool hung: a DPI
// no display has, a worker that cannot start or whose end message is lost,
// texts that cannot be loaded. Real processes, real registry.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "tests/wine/WineSupport.h"

namespace {

// The number that profile 2's DPI level ("Large") stands for.
const wchar_t kDpiValuesKey[] = L"Software\\Halden\\CorvelChg\\Settings\\CorvelDPI";

class RobustnessWine : public ::testing::Test {
protected:
    void SetUp() override
    {
        FreshToolRegistry();
        DeleteFileW(kLogFile);
        SetDword(HKEY_CURRENT_USER, kSettingsPath, L"Mode", 2);
    }
    void TearDown() override
    {
        DeleteTree(HKEY_LOCAL_MACHINE, L"Software\\Halden");
        SetWindowsVersion(L"win10");
        RegDeleteKeyValueW(HKEY_CURRENT_USER, kDesktopPath, L"LogPixels");
        RegDeleteKeyValueW(HKEY_CURRENT_USER, kDesktopPath, L"Win8DpiScaling");
        SetDword(HKEY_CURRENT_USER, kMetricsPath, L"AppliedDPI", 96);
    }
    // Asked of a new process: Wine keeps system parameters per process.
    static long Caption()
    {
        Process helper(Quoted(kHelperExe) + L" caption");
        return helper.Wait();
    }
    static void SetCaption(int size)
    {
        Process helper(Quoted(kHelperExe) + L" caption " + std::to_wstring(size));
        helper.Wait();
    }
    // A switch to profile 2 in the progress window; a failure box, if any,
    // is answered as a user would.
    static long SwitchToProfile2(const std::wstring& extra = L"")
    {
        Process dismiss(Quoted(kHelperExe) + L" dismiss Tessaly");
        Process progress(Quoted(kHelperExe) + L" progress 1 2" + extra);
        long result = progress.Wait();
        HANDLE stop = CreateEventW(nullptr, TRUE, FALSE, L"TessalyDismissStop");
        SetEvent(stop);  // the window has ended: no box can follow
        dismiss.Wait();
        CloseHandle(stop);
        return result;
    }
    static bool Stored(const wchar_t* key, const wchar_t* name, DWORD* value)
    {
        DWORD type = 0;
        std::vector<BYTE> data;
        if (!GetRaw(HKEY_CURRENT_USER, key, name, &type, &data)) return false;
        EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
        EXPECT_EQ(data.size(), 4u);
        if (data.size() == 4) std::memcpy(value, data.data(), 4);
        return true;
    }
};

// A DPI of 0 or of thousands, in effect and in the profile alike, never
// scales the window metrics: they stay as a sane switch left them.
TEST_F(RobustnessWine, DpiNoDisplayHasLeavesTheMetricsAlone)
{
    SetDword(HKEY_LOCAL_MACHINE, kDpiValuesKey, L"Large", 96);
    SwitchToProfile2();
    const long before = Caption();
    ASSERT_GT(before, 0);

    for (DWORD dpi : {0u, 0xFFFFFFFFu, 9600u}) {
        SCOPED_TRACE(dpi);
        SetDword(HKEY_LOCAL_MACHINE, kDpiValuesKey, L"Large", dpi);
        SetDword(HKEY_CURRENT_USER, kMetricsPath, L"AppliedDPI", dpi);
        RegDeleteKeyValueW(HKEY_CURRENT_USER, kDesktopPath, L"LogPixels");

        EXPECT_EQ(RunTool(L"/CreateLog /apply"), 0);
        EXPECT_EQ(Caption(), before);
        EXPECT_EQ(SwitchToProfile2(), 0);
        EXPECT_EQ(Caption(), before);
        DWORD logPixels = 0;
        EXPECT_FALSE(Stored(kDesktopPath, L"LogPixels", &logPixels)) << logPixels;
        EXPECT_NE(ReadLogText().find(L"CSwitchMode::GetDpi the dpi is out of range: " +
                                     std::to_wstring(static_cast<long>(static_cast<std::int32_t>(dpi))) + L"."),
                  std::wstring::npos);
        DeleteFileW(kLogFile);
    }
}

// From Windows 8.1 on, the profile's DPI counts at the next sign-in only
// with "Win8DpiScaling" = 1; before, nothing else is written.
TEST_F(RobustnessWine, DpiSwitchSetsOneScaleForAllDisplaysOnlyAfterWindows8)
{
    const struct {
        const wchar_t* version;
        bool scaling;
    } cases[] = {{L"win7", false}, {L"win8", false}, {L"win10", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.version);
        SetWindowsVersion(c.version);
        RegDeleteKeyValueW(HKEY_CURRENT_USER, kDesktopPath, L"LogPixels");
        RegDeleteKeyValueW(HKEY_CURRENT_USER, kDesktopPath, L"Win8DpiScaling");
        // 144 DPI against 96 in effect; the icon size fails without a desktop,
        // and the stored DPI still ends the window for the sign-out prompt.
        EXPECT_EQ(SwitchToProfile2(), 4);
        DWORD logPixels = 0;
        DWORD scaling = 0;
        EXPECT_TRUE(Stored(kDesktopPath, L"LogPixels", &logPixels));
        EXPECT_EQ(logPixels, 144u);
        EXPECT_EQ(Stored(kDesktopPath, L"Win8DpiScaling", &scaling), c.scaling);
        if (c.scaling) {
            EXPECT_EQ(scaling, 1u);
        }
    }
}

TEST_F(RobustnessWine, ProgressWindowWithoutAWorkerEndsAsASwitchThatDidNotRun)
{
    Process progress(Quoted(kHelperExe) + L" progress 1 2 no-thread /CreateLog");
    EXPECT_EQ(progress.Wait(30000), 2);
    EXPECT_NE(ReadLogText().find(L"CProgressDlg::OnInitDialog AfxBeginThread is failed."), std::wstring::npos);
}

TEST_F(RobustnessWine, ProgressWindowEndsWhenTheWorkersMessageIsLost)
{
    EXPECT_EQ(SwitchToProfile2(L" lost-end"), 4);  // the icon size failed, the new DPI is stored
}

// Texts that cannot be loaded keep the template's words.
TEST_F(RobustnessWine, SignOutPromptKeepsItsTemplateTexts)
{
    Process prompt(Quoted(kHelperExe) + L" prompt-no-text");
    HWND window = WaitForWindow(FindSignOutPrompt);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(WindowText(window), L"ログオフしてください。");
    EXPECT_EQ(ItemText(window, 1004), L"後でログオフ");
    EXPECT_EQ(ItemText(window, 1006), L"今すぐログオフ");
    EXPECT_EQ(ItemText(window, 10052), L"DPIの変更を有効にするためには、ログオフが必要です。");
    EXPECT_FALSE(ItemText(window, 1008).empty());
    Click(window, 1004);
    EXPECT_EQ(prompt.Wait(), 0);
}

}  // namespace
