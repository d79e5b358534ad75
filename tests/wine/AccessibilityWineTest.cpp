// Names for screen readers, keys that do only what they say, and help that
// listens only to the tool's own windows: the real tool under Wine.
#include <gtest/gtest.h>

#include "tests/wine/WineSupport.h"

namespace {

class AccessibilityWine : public ::testing::Test {
protected:
    void SetUp() override { FreshToolRegistry(); }
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
    ASSERT_TRUE(WaitFor([&] { return ItemText(detail, 1012) == clicked; }));
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
    EXPECT_FALSE(GetRaw(HKEY_CURRENT_USER, kSettingsPath, L"Mode", &type, &data)) << "a profile was switched to";
}

// F1 in another window of the tool's thread (the help viewer's, say) does not
// jump help back to the main window's topic; the viewer is closed at the end.
TEST_F(AccessibilityWine, F1OpensHelpOnlyFromTheToolsOwnWindow)
{
    Process helper(Quoted(kHelperExe) + L" help-keys");
    EXPECT_EQ(helper.Wait(30000), 11);
}

// The colour at a point of a control, as the screen shows it.
COLORREF PixelAt(HWND dialog, int id, int xSixths, int yQuarters)
{
    RECT rect;
    GetWindowRect(GetDlgItem(dialog, id), &rect);
    HDC screen = GetDC(nullptr);
    COLORREF pixel = GetPixel(screen, rect.left + (rect.right - rect.left) * xSixths / 6,
                              rect.top + (rect.bottom - rect.top) * yQuarters / 4);
    ReleaseDC(nullptr, screen);
    return pixel;
}

// Whether any pixel of the middle row of a control has the colour.
bool RowHasColour(HWND dialog, int id, COLORREF colour)
{
    RECT rect;
    GetWindowRect(GetDlgItem(dialog, id), &rect);
    HDC screen = GetDC(nullptr);
    bool found = false;
    for (int x = rect.left; x < rect.right && !found; ++x) found = GetPixel(screen, x, (rect.top + rect.bottom) / 2) == colour;
    ReleaseDC(nullptr, screen);
    return found;
}

// Wine cannot switch high contrast on; the helper's display answers as the
// test says, and the real windows draw with that answer. The switch while the
// window is open comes as Windows announces it: WM_SETTINGCHANGE.
TEST_F(AccessibilityWine, HighContrastDrawsInSystemColours)
{
    SetDword(HKEY_CURRENT_USER, kSettingsPath, L"Mode", 1);
    SetDword(HKEY_CURRENT_USER, L"Software\\TessalyTest", L"HighContrast", 0);
    Process helper(Quoted(kHelperExe) + L" show-contrast");
    HWND main = WaitForWindow(FindMainWindow);
    ASSERT_NE(main, nullptr);
    // The faces: light grey for profile 1, turquoise for the current profile 2,
    // with the caption in black on both.
    EXPECT_TRUE(WaitFor([&] { return PixelAt(main, 1073, 1, 1) == RGB(239, 239, 239); }));
    EXPECT_NE(PixelAt(main, 1074, 1, 1), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_TRUE(RowHasColour(main, 1073, RGB(0, 0, 0)));
    EXPECT_TRUE(RowHasColour(main, 1074, RGB(0, 0, 0)));

    SetDword(HKEY_CURRENT_USER, L"Software\\TessalyTest", L"HighContrast", 1);
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(main, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0, SMTO_BLOCK, 5000, &ignored);
    // The system's colours, and the current profile in the highlight colours.
    EXPECT_TRUE(WaitFor([&] { return PixelAt(main, 1073, 1, 1) == GetSysColor(COLOR_BTNFACE); }));
    EXPECT_TRUE(WaitFor([&] { return PixelAt(main, 1074, 1, 1) == GetSysColor(COLOR_HIGHLIGHT); }));
    EXPECT_TRUE(RowHasColour(main, 1073, GetSysColor(COLOR_BTNTEXT)));
    EXPECT_TRUE(RowHasColour(main, 1074, GetSysColor(COLOR_HIGHLIGHTTEXT)));

    Click(main, 1004);
    EXPECT_EQ(helper.Wait(30000), 0);
    DeleteTree(HKEY_CURRENT_USER, L"Software\\TessalyTest");
}

}  // namespace
