// The return to the person's own settings through the real program: after
// switches to profiles, every value the person had is back byte for byte.
// Wine has no desktop view to read the icon size from: these tests leave the
// icon size out (the tool logs that it was not kept).
#include <aclapi.h>
#include <gtest/gtest.h>

#include "engine/PointerRoles.h"
#include "tests/wine/WineSupport.h"

namespace {

const wchar_t kCursorsPath[] = L"Control Panel\\Cursors";
const wchar_t kOriginalPath[] = L"Software\\Halden\\CorvelChg\\Original";

class OriginalSettingsWine : public ::testing::Test {
protected:
    // Settings of a person's own that no profile has: caption and menu sizes
    // and fonts, an own pointer scheme with "Scheme Source" 1, caret width 3
    // and no LogPixels (Windows' recommended text size).
    void SetUp() override
    {
        FreshToolRegistry();
        DeleteTree(HKEY_CURRENT_USER, kRunPath);
        DeleteTree(HKEY_CURRENT_USER, kCursorsPath);
        SetDword(HKEY_CURRENT_USER, kDesktopPath, L"Win8DpiScaling", 1);
        RegDeleteKeyValueW(HKEY_CURRENT_USER, kDesktopPath, L"LogPixels");
        SetString(HKEY_CURRENT_USER, kCursorsPath, L"Arrow", L"%USERPROFILE%\\Cursors\\own_arrow.cur", REG_EXPAND_SZ);
        SetString(HKEY_CURRENT_USER, kCursorsPath, L"Hand", L"C:\\Own\\hand.cur");
        SetString(HKEY_CURRENT_USER, kCursorsPath, L"", L"Own scheme");
        SetDword(HKEY_CURRENT_USER, kCursorsPath, L"Scheme Source", 1);
        ASSERT_EQ(Process(Quoted(kHelperExe) + L" metrics " + Quoted(MetricsFile()) + L" own").Wait(), 0);
        m_own = Snapshot();
    }
    void TearDown() override { DeleteFileW(MetricsFile().c_str()); }
    static std::wstring MetricsFile()
    {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        return std::wstring(temp) + L"tessaly-metrics.bin";
    }
    // Every value a switch writes, with its type, or absent; then the
    // metrics and the caret width as a new process sees them.
    static std::vector<std::pair<std::wstring, std::vector<BYTE>>> Snapshot()
    {
        std::vector<std::pair<std::wstring, std::vector<BYTE>>> values;
        auto add = [&](const wchar_t* path, const std::wstring& name) {
            DWORD type = 0;
            std::vector<BYTE> data;
            bool present = GetRaw(HKEY_CURRENT_USER, path, name.c_str(), &type, &data);
            data.insert(data.begin(), static_cast<BYTE>(present ? type : 0xFF));
            values.emplace_back(name, data);
        };
        for (const wchar_t* name : {L"LogPixels", L"Win8DpiScaling", L"CursorBlinkRate"}) add(kDesktopPath, name);
        for (const PointerRole& role : kPointerRoles) {
            add(kCursorsPath, reinterpret_cast<const wchar_t*>(role.valueName));
        }
        add(kCursorsPath, L"");
        add(kCursorsPath, L"Scheme Source");
        Process(Quoted(kHelperExe) + L" metrics " + Quoted(MetricsFile())).Wait();
        values.emplace_back(L"NONCLIENTMETRICS and caret width", ReadFileBytes(MetricsFile().c_str()));
        return values;
    }
    void ExpectOwnSettings()
    {
        const auto now = Snapshot();
        ASSERT_EQ(now.size(), m_own.size());
        for (size_t i = 0; i < now.size(); ++i) EXPECT_EQ(now[i].second, m_own[i].second) << now[i].first.c_str();
        EXPECT_EQ(GetDword(HKEY_CURRENT_USER, kOriginalPath, L"Complete"), 0xDEADu);  // the set is gone
        EXPECT_EQ(GetDword(HKEY_CURRENT_USER, kSettingsPath, L"Mode"), 5u);
    }
    static long Switch(const wchar_t* line)
    {
        auto shell = StartDesktopView();
        return RunTool(line, 30000);
    }
    // What Windows does at the next sign-in: the stored text size takes
    // effect, and the Run value's command runs.
    static void SignIn(DWORD dpi)
    {
        SetDword(HKEY_CURRENT_USER, kMetricsPath, L"AppliedDPI", dpi);
        DWORD type = 0;
        std::vector<BYTE> data;
        ASSERT_TRUE(GetRaw(HKEY_CURRENT_USER, kRunPath, L"CorvelChg", &type, &data));
        std::wstring command(reinterpret_cast<const wchar_t*>(data.data()));
        Process run(command);
        EXPECT_EQ(run.Wait(30000), 0);
    }

    // The kept set's key with a protected DACL: Everyone may do anything but,
    // with deny, set values or make subkeys, as a locked-down profile or a
    // full disk refuses writes. Wine honours the deny entry.
    static void DenyWritingTheSet(bool deny)
    {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kOriginalPath, 0, nullptr, 0, READ_CONTROL | WRITE_DAC, nullptr,
                                  &key, nullptr),
                  ERROR_SUCCESS);
        BYTE sid[SECURITY_MAX_SID_SIZE];
        DWORD sidSize = sizeof(sid);
        ASSERT_TRUE(CreateWellKnownSid(WinWorldSid, nullptr, sid, &sidSize));
        EXPLICIT_ACCESS_W entries[2] = {};
        for (EXPLICIT_ACCESS_W& entry : entries) {
            entry.Trustee.TrusteeForm = TRUSTEE_IS_SID;
            entry.Trustee.TrusteeType = TRUSTEE_IS_WELL_KNOWN_GROUP;
            entry.Trustee.ptstrName = reinterpret_cast<LPWSTR>(sid);
        }
        entries[0].grfAccessPermissions = KEY_ALL_ACCESS;
        entries[0].grfAccessMode = GRANT_ACCESS;
        entries[1].grfAccessPermissions = KEY_SET_VALUE | KEY_CREATE_SUB_KEY;
        entries[1].grfAccessMode = DENY_ACCESS;
        PACL acl = nullptr;
        ASSERT_EQ(SetEntriesInAclW(deny ? 2 : 1, entries, nullptr, &acl), static_cast<DWORD>(ERROR_SUCCESS));
        EXPECT_EQ(SetSecurityInfo(key, SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION,
                                  nullptr, nullptr, acl, nullptr),
                  static_cast<DWORD>(ERROR_SUCCESS));
        LocalFree(acl);
        RegCloseKey(key);
    }
    static int CountLogLines(const std::wstring& line)
    {
        const std::wstring log = ReadLogText();
        int count = 0;
        for (size_t at = log.find(line); at != std::wstring::npos; at = log.find(line, at + 1)) ++count;
        return count;
    }

    std::vector<std::pair<std::wstring, std::vector<BYTE>>> m_own;
};

TEST_F(OriginalSettingsWine, QuietReturnAfterTwoSwitches)
{
    EXPECT_EQ(Switch(L"/quiet /mode 3"), 1);
    EXPECT_EQ(GetDword(HKEY_CURRENT_USER, kOriginalPath, L"Complete"), 1u);
    EXPECT_EQ(Switch(L"/quiet /mode 1"), 0);
    const auto profile = Snapshot();
    for (size_t i : {size_t{4}, size_t{5}, profile.size() - 1}) {  // Arrow, Crosshair, the metrics
        EXPECT_NE(profile[i].second, m_own[i].second) << profile[i].first.c_str();
    }
    EXPECT_EQ(RunTool(L"/quiet /original", 30000), 0);
    ExpectOwnSettings();
    EXPECT_EQ(RunTool(L"/quiet /original", 30000), 5);  // nothing kept any more
}

TEST_F(OriginalSettingsWine, ReturnThroughTheMainWindow)
{
    EXPECT_EQ(Switch(L"/quiet /mode 1"), 0);
    Process tool(Quoted(kToolExe));
    HWND main = WaitForWindow(FindMainWindow);
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(main, 1081)));
    EXPECT_EQ(ItemText(main, 1081), L"元の設定に戻す");
    Click(main, 1081);
    HWND confirm = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        auto found = DialogsTitled(L"元の設定に戻す");
        confirm = found.empty() ? nullptr : found[0];
        return confirm != nullptr;
    }));
    Click(confirm, IDOK);
    EXPECT_EQ(tool.Wait(30000), 0);
    ExpectOwnSettings();
}

// Across a change of the text size the window metrics come back at the
// sign-in run, at the person's own text size.
TEST_F(OriginalSettingsWine, ReturnAcrossATextSizeChange)
{
    EXPECT_EQ(Switch(L"/quiet /mode 3"), 1);
    SignIn(144);
    EXPECT_EQ(RunTool(L"/quiet /original", 30000), 1);
    EXPECT_EQ(GetDword(HKEY_CURRENT_USER, kOriginalPath, L"Complete"), 1u);  // until the sign-in run
    SignIn(96);
    ExpectOwnSettings();
}

// A kept set that cannot be written: no switch changes anything, quiet or
// through the main window with its box; once it can be written, the next
// switch keeps and the return gives everything back.
TEST_F(OriginalSettingsWine, ASwitchThatCannotKeepChangesNothing)
{
    DenyWritingTheSet(true);
    DeleteFileW(kLogFile);
    EXPECT_EQ(Switch(L"/quiet /mode 3 /CreateLog"), 2);
    // RegCreateKey opens the key with what the ACL allows: the first write fails.
    EXPECT_EQ(CountLogLines(L"COriginalSettings::Keep AppliedDPI could not be kept, code: 5."), 1);
    {
        auto shell = StartDesktopView();
        Process tool(Quoted(kToolExe));
        HWND main = WaitForWindow(FindMainWindow);
        ASSERT_NE(main, nullptr);
        Click(main, 1075);  // 設定③
        HWND box = WaitForWindow(FindMessageBox);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(ItemText(box, 0xFFFF), L"元の設定を保存できなかったため、切り替えませんでした。\n\n設定は何も変更していません。");
        Click(box, IDOK);
        EXPECT_EQ(tool.Wait(30000), 0);
    }
    const auto now = Snapshot();
    for (size_t i = 0; i < now.size(); ++i) EXPECT_EQ(now[i].second, m_own[i].second) << now[i].first.c_str();
    EXPECT_EQ(GetDword(HKEY_CURRENT_USER, kSettingsPath, L"Mode"), 0xDEADu);

    DenyWritingTheSet(false);
    EXPECT_EQ(Switch(L"/quiet /mode 1"), 0);
    EXPECT_EQ(GetDword(HKEY_CURRENT_USER, kOriginalPath, L"Complete"), 1u);
    EXPECT_EQ(RunTool(L"/quiet /original", 30000), 0);
    ExpectOwnSettings();
}

}  // namespace
