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

}  // namespace
