// Keeping the profile at every sign-in, through the real program: turned on
// in the detail window, a switch, then Windows' defaults put back behind the
// tool's back, then what Windows runs at the next sign-in ("/keep", the
// command of the MSI's Run value): the profile's values are back, with one
// log line for each item put back. With keeping off the same run changes
// nothing.
#include <gtest/gtest.h>

#include "engine/PointerRoles.h"
#include "tests/wine/WineSupport.h"

namespace {

const wchar_t kCursorsPath[] = L"Control Panel\\Cursors";
constexpr int kKeepBox = 1083;

class KeepProfileWine : public ::testing::Test {
protected:
    void SetUp() override
    {
        FreshToolRegistry();
        DeleteTree(HKEY_CURRENT_USER, kRunPath);
        DeleteTree(HKEY_LOCAL_MACHINE, L"Software\\Policies\\Halden");
        SetDword(HKEY_CURRENT_USER, kDesktopPath, L"LogPixels", 96);
        SetDword(HKEY_CURRENT_USER, kDesktopPath, L"Win8DpiScaling", 1);
        DeleteFileW(kLogFile);
    }
    // Later programs of the prefix start at 96 DPI again.
    void TearDown() override
    {
        DeleteTree(HKEY_LOCAL_MACHINE, L"Software\\Policies\\Halden");
        SetDword(HKEY_CURRENT_USER, kDesktopPath, L"LogPixels", 96);
        SetDword(HKEY_CURRENT_USER, kMetricsPath, L"AppliedDPI", 96);
    }
    static std::wstring MetricsFile()
    {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        return std::wstring(temp) + L"tessaly-keep-metrics.bin";
    }
    // The metrics and caret width a new process sees, and the pointer values.
    static std::vector<std::vector<BYTE>> Snapshot()
    {
        std::vector<std::vector<BYTE>> values;
        Process(Quoted(kHelperExe) + L" metrics " + Quoted(MetricsFile())).Wait();
        values.push_back(ReadFileBytes(MetricsFile().c_str()));
        for (const PointerRole& role : kPointerRoles) {
            DWORD type = 0;
            std::vector<BYTE> data;
            GetRaw(HKEY_CURRENT_USER, kCursorsPath, reinterpret_cast<const wchar_t*>(role.valueName), &type, &data);
            values.push_back(data);
        }
        return values;
    }
    // The first item that differs, if any.
    static ::testing::AssertionResult Same(const std::vector<std::vector<BYTE>>& a,
                                           const std::vector<std::vector<BYTE>>& b)
    {
        for (size_t i = 0; i < a.size() && i < b.size(); ++i) {
            if (a[i] != b[i]) return ::testing::AssertionFailure() << "item " << i << " differs";
        }
        if (a.size() != b.size()) return ::testing::AssertionFailure() << "sizes differ";
        return ::testing::AssertionSuccess();
    }
    static int CountLines(const std::wstring& start)
    {
        std::wstring log = ReadLogText();
        int count = 0;
        for (size_t at = log.find(start); at != std::wstring::npos; at = log.find(start, at + 1)) ++count;
        return count;
    }
    // Keeping on, 設定③ switched to and signed in with: its settings.
    static std::vector<std::vector<BYTE>> InProfileThree()
    {
        SetDword(HKEY_CURRENT_USER, kSettingsPath, L"KeepProfile", 1);
        {
            auto shell = StartDesktopView();
            EXPECT_EQ(RunTool(L"/quiet /mode 3", 30000), 1);
        }
        SetDword(HKEY_CURRENT_USER, kMetricsPath, L"AppliedDPI", 144);
        EXPECT_EQ(RunTool(L"/apply", 30000), 0);
        return Snapshot();
    }
    static bool RunValueExists()
    {
        DWORD type = 0;
        std::vector<BYTE> data;
        return GetRaw(HKEY_CURRENT_USER, kRunPath, L"CorvelChg", &type, &data);
    }
    // Windows' defaults behind the tool's back, then the sign-in check.
    static long ResetAndCheck()
    {
        EXPECT_EQ(Process(Quoted(kHelperExe) + L" defaults").Wait(), 0);
        DeleteFileW(kLogFile);
        auto shell = StartDesktopView();
        return RunTool(L"/keep /CreateLog", 60000);
    }
};

TEST_F(KeepProfileWine, TheChosenProfileComesBackAtSignIn)
{
    // Turned on in the detail window.
    Process tool(Quoted(kToolExe));
    HWND main = WaitForWindow(FindMainWindow);
    ASSERT_NE(main, nullptr);
    Click(main, 1002);
    HWND detail = WaitForWindow(FindDetailWindow);
    ASSERT_NE(detail, nullptr);
    EXPECT_EQ(ItemText(detail, kKeepBox), L"サインインのたびに、選んだ設定に戻す");
    Click(detail, kKeepBox);
    ASSERT_TRUE(WaitFor([&] { return SendMessageW(GetDlgItem(detail, kKeepBox), BM_GETCHECK, 0, 0) == BST_CHECKED; }));
    Click(detail, IDOK);
    ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(main) != FALSE; }));
    Click(main, 1004);
    EXPECT_EQ(tool.Wait(30000), 0);
    EXPECT_EQ(GetDword(HKEY_CURRENT_USER, kSettingsPath, L"KeepProfile"), 1u);

    {
        auto shell = StartDesktopView();
        EXPECT_EQ(RunTool(L"/quiet /mode 3", 30000), 1);  // 設定③: 144 DPI from the next sign-in
    }
    // That sign-in: the text size in effect, and the sign-in run of the switch.
    SetDword(HKEY_CURRENT_USER, kMetricsPath, L"AppliedDPI", 144);
    EXPECT_EQ(RunTool(L"/apply", 30000), 0);
    const auto profile = Snapshot();
    // Nothing changed since the switch: nothing to put back.
    DeleteFileW(kLogFile);
    {
        auto shell = StartDesktopView();
        EXPECT_EQ(RunTool(L"/keep /CreateLog", 60000), 0);
    }
    EXPECT_EQ(CountLines(L"CProfileCheck::Check "), 0);

    EXPECT_EQ(ResetAndCheck(), 0);
    EXPECT_TRUE(Same(Snapshot(), profile));
    for (const wchar_t* item : {L"CProfileCheck::Check window metrics: Windows had caption ",
                                L"CProfileCheck::Check mouse pointers: Windows had Windows Default",
                                L"CProfileCheck::Check caret width: Windows had 1"}) {
        EXPECT_EQ(CountLines(item), 1) << item;
    }
    EXPECT_EQ(CountLines(L"CProfileCheck::Check "), 3);

    // Keeping off: the same run ends at once and changes nothing.
    SetDword(HKEY_CURRENT_USER, kSettingsPath, L"KeepProfile", 0);
    EXPECT_EQ(ResetAndCheck(), 0);
    EXPECT_EQ(CountLines(L"CProfileCheck::Check "), 0);
    EXPECT_FALSE(Same(Snapshot(), profile));
    EXPECT_EQ(GetDword(HKEY_CURRENT_USER, kCursorsPath, L"Scheme Source"), 2u);

    // Kept by a policy alone, whatever the user chose.
    SetDword(HKEY_LOCAL_MACHINE, L"Software\\Policies\\Halden\\CorvelChg\\Settings", L"KeepProfile", 1);
    EXPECT_EQ(ResetAndCheck(), 0);
    EXPECT_TRUE(Same(Snapshot(), profile));
    EXPECT_EQ(CountLines(L"CProfileCheck::Check "), 3);
}

// A switch made while the check waits for the desktop is the one it checks:
// 設定① stays, nothing of 設定③ comes back.
TEST_F(KeepProfileWine, TheCheckKeepsASwitchMadeWhileItWaited)
{
    InProfileThree();
    DeleteFileW(kLogFile);
    Process check(Quoted(kToolExe) + L" /keep /CreateLog");  // no desktop yet
    ASSERT_TRUE(WaitFor([] { return GetFileAttributesW(kLogFile) != INVALID_FILE_ATTRIBUTES; }));
    EXPECT_EQ(RunTool(L"/quiet /mode 1", 30000), 2);  // no desktop: only the icon size fails
    // That switch's own sign-in run is another case's.
    DeleteTree(HKEY_CURRENT_USER, kRunPath);
    const auto profileOne = Snapshot();
    auto shell = StartDesktopView();
    EXPECT_NE(check.Wait(60000), -1);
    EXPECT_TRUE(Same(Snapshot(), profileOne));
    EXPECT_EQ(CountLines(L"CProfileCheck::Check mouse pointers"), 0);
    EXPECT_EQ(CountLines(L"CProfileCheck::Check text size"), 0);
}

// The first sign-in after a text-size switch: the sign-in run and the check
// start together. The run's work is done once, and what Windows put back at
// that sign-in is put back too.
TEST_F(KeepProfileWine, TheSignInRunAndTheCheckStartedTogether)
{
    const auto profile = InProfileThree();
    SetString(HKEY_CURRENT_USER, kRunPath, L"CorvelChg", Quoted(kToolExe) + L" /apply");
    EXPECT_EQ(Process(Quoted(kHelperExe) + L" defaults").Wait(), 0);
    DeleteFileW(kLogFile);
    auto shell = StartDesktopView();
    Process apply(Quoted(kToolExe) + L" /apply /CreateLog");
    Process keep(Quoted(kToolExe) + L" /keep /CreateLog");
    EXPECT_EQ(apply.Wait(60000), 0);
    EXPECT_EQ(keep.Wait(60000), 0);
    EXPECT_TRUE(Same(Snapshot(), profile));
    EXPECT_EQ(CountLines(L"Apply:Run Apply Succeeded.") + CountLines(L"CCorvelChgApp:Run Apply Succeeded."), 1);
    EXPECT_EQ(CountLines(L"CProfileCheck::Check mouse pointers"), 1);
    EXPECT_FALSE(RunValueExists());
}

// A Run value of a removed copy never runs: the check waits for it, then
// does its work and puts the profile back, within a minute.
TEST_F(KeepProfileWine, AStaleSignInRunValueDoesNotTurnTheCheckOff)
{
    const auto profile = InProfileThree();
    SetString(HKEY_CURRENT_USER, kRunPath, L"CorvelChg", L"\"C:\\Program Files\\Removed\\CorvelChg.exe\" /apply");
    EXPECT_EQ(ResetAndCheck(), 0);
    EXPECT_TRUE(Same(Snapshot(), profile));
    EXPECT_EQ(CountLines(L"CCorvelChgApp::RunKeepCheck the sign-in run did not come."), 1);
    EXPECT_FALSE(RunValueExists());
}

// Keeping enforced: a user back at their own settings before the policy came
// gets the starting profile, their own settings kept first.
TEST_F(KeepProfileWine, EnforcedKeepingReachesAUserInTheirOwnSettings)
{
    SetDword(HKEY_LOCAL_MACHINE, L"Software\\Policies\\Halden\\CorvelChg\\Settings", L"KeepProfile", 1);
    SetDword(HKEY_CURRENT_USER, kSettingsPath, L"Mode", 5);
    EXPECT_EQ(Process(Quoted(kHelperExe) + L" metrics " + Quoted(MetricsFile()) + L" own").Wait(), 0);
    DeleteFileW(kLogFile);
    {
        auto shell = StartDesktopView();
        EXPECT_EQ(RunTool(L"/keep /CreateLog", 60000), 0);
    }
    const wchar_t original[] = L"Software\\Halden\\CorvelChg\\Original";
    EXPECT_EQ(GetDword(HKEY_CURRENT_USER, original, L"Complete"), 1u);
    EXPECT_EQ(GetDword(HKEY_CURRENT_USER, original, L"CaretWidth"), 3u);
    EXPECT_EQ(CountLines(L"CProfileCheck::Check caret width: Windows had 3, put back 1."), 1);
    EXPECT_EQ(GetDword(HKEY_CURRENT_USER, kSettingsPath, L"Mode"), 5u);
}

}  // namespace
