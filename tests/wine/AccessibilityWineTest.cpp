// Names for screen readers, keys that do only what they say, and help that
// listens only to the tool's own windows: the real tool under Wine.
#include <gtest/gtest.h>

#include "tests/wine/WineSupport.h"

namespace {

const wchar_t kSettings[] = L"Software\\Halden\\CorvelChg\\Settings";

class AccessibilityWine : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeleteTree(HKEY_CURRENT_USER, L"Software\\Halden");
        DeleteTree(HKEY_LOCAL_MACHINE, L"Software\\Halden");
        SetString(HKEY_CURRENT_USER, L"Software\\Wine", L"Version", L"win10");
        SetDword(HKEY_CURRENT_USER, L"Control Panel\\Desktop\\WindowMetrics", L"AppliedDPI", 96);
    }
    void TearDown() override { DeleteTree(HKEY_LOCAL_MACHINE, L"Software\\Halden"); }
};

// After one click every level button still says its row, profile and level.
TEST_F(AccessibilityWine, LevelButtonNamesFollowEveryClick)
{
    const int buttons[27] = {1011, 1012, 1023, 1013, 1014, 1024, 1015, 1016, 1031, 1017, 1018, 1032, 1019, 1020,
                             1033, 1021, 1022, 1034, 1025, 1026, 1035, 1027, 1028, 1036, 1029, 1030, 1037};
    const wchar_t* const rows[9] = {L"文字の大きさ", L"デスクトップのアイコン", L"タイトルバー", L"ウィンドウの境界",
                                    L"スクロールバー", L"メニュー", L"マウスのポインター", L"カーソルのサイズ",
                                    L"カーソルの点滅速度"};
    const wchar_t* const levels[27] = {L"小", L"中", L"大", L"中", L"大", L"大", L"小", L"中", L"大",
                                       L"小", L"中", L"大", L"小", L"中", L"大", L"小", L"中", L"大",
                                       L"普通", L"大", L"大", L"小", L"中", L"大", L"普通", L"普通", L"普通"};
    const wchar_t* const profiles[3] = {L"設定①", L"設定②", L"設定③"};
    Process tool(Quoted(kToolExe));
    HWND main = WaitForWindow(FindMainWindow);
    ASSERT_NE(main, nullptr);
    Click(main, 1002);  // 詳細設定
    HWND detail = WaitForWindow(FindDetailWindow);
    ASSERT_NE(detail, nullptr);
    const std::wstring clicked = L"文字の大きさ 設定② 大";
    Click(detail, 1012);
    for (int i = 0; i < 500 && ItemText(detail, 1012) != clicked; ++i) Sleep(10);
    for (int i = 0; i < 27; ++i) {
        std::wstring expected = std::wstring(rows[i / 3]) + L" " + profiles[i % 3] + L" " + levels[i];
        if (buttons[i] == 1012) expected = clicked;
        EXPECT_EQ(ItemText(detail, buttons[i]), expected) << buttons[i];
    }
    Click(detail, IDCANCEL);
    Click(main, 1004);
    EXPECT_EQ(tool.Wait(30000), 0);
}

// A profile name with "&" is no keyboard shortcut: pressing the letter after
// it switches nothing, and the name is read as it stands.
TEST_F(AccessibilityWine, AmpersandInAProfileNameIsNoShortcut)
{
    const wchar_t* const names[3] = {L"X", L"A&B", L"Z"};
    for (int mode = 0; mode < 3; ++mode) {
        SetString(HKEY_LOCAL_MACHINE, (L"Software\\Halden\\CorvelChg\\Profiles\\" + std::to_wstring(mode)).c_str(),
                  L"ProfilesName", names[mode]);
    }
    Process tool(Quoted(kToolExe));
    HWND main = WaitForWindow(FindMainWindow);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(ItemText(main, 1074), L"A&&B");  // one "&" to a screen reader, and no mnemonic
    for (wchar_t key : {L'b', L'B'}) {
        PostMessageW(GetDlgItem(main, 1073), WM_CHAR, key, 0);
        PostMessageW(GetDlgItem(main, 1073), WM_SYSCHAR, key, 0);
    }
    Click(main, 1004);  // queued after the keys
    EXPECT_EQ(tool.Wait(30000), 0);
    EXPECT_EQ(FindProgressWindow(), nullptr);
    DWORD type = 0;
    std::vector<BYTE> data;
    EXPECT_FALSE(GetRaw(HKEY_CURRENT_USER, kSettings, L"Mode", &type, &data)) << "a profile was switched to";
}

// F1 in another window of the tool's thread (the help viewer's, say) does not
// jump help back to the main window's topic; the viewer is closed at the end.
TEST_F(AccessibilityWine, F1OpensHelpOnlyFromTheToolsOwnWindow)
{
    Process helper(Quoted(kHelperExe) + L" help-keys");
    EXPECT_EQ(helper.Wait(30000), 11);
}

}  // namespace
