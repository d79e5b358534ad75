// The whole tool as a user drives it: the real program, its real windows,
// clicked from this test program under Wine.
#include <gtest/gtest.h>

#include "tests/wine/WineSupport.h"

namespace {

const wchar_t kProfile0[] = L"Software\\Halden\\CorvelChg\\Profiles\\0\\";

// The factory statuses of the 27 level buttons, in ProfileLevelTable order.
const int kButtons[27] = {1011, 1012, 1023, 1013, 1014, 1024, 1015, 1016, 1031, 1017, 1018, 1032, 1019, 1020,
                          1033, 1021, 1022, 1034, 1025, 1026, 1035, 1027, 1028, 1036, 1029, 1030, 1037};
const wchar_t* const kFactoryCaptions[27] = {
    L"小", L"中", L"大", L"中", L"大", L"大", L"小", L"中", L"大", L"小", L"中", L"大", L"小", L"中",
    L"大", L"小", L"中", L"大", L"普通", L"大", L"大", L"小", L"中", L"大", L"普通", L"普通", L"普通"};

// The level a level button shows: the last word of its accessible name.
std::wstring LevelOf(HWND detail, int id)
{
    std::wstring name = ItemText(detail, id);
    size_t space = name.rfind(L' ');
    return space == std::wstring::npos ? name : name.substr(space + 1);
}

class ToolWine : public ::testing::Test {
protected:
    void SetUp() override
    {
        FreshToolRegistry();
        DeleteTree(HKEY_CURRENT_USER, kRunPath);
        SetDword(HKEY_CURRENT_USER, kDesktopPath, L"LogPixels", 96);
    }
    void TearDown() override { SetWindowsVersion(L"win10"); }

    // Starts the tool and waits for its main window.
    HWND Start()
    {
        m_tool = std::make_unique<Process>(Quoted(kToolExe));
        return WaitForWindow(FindMainWindow);
    }
    long Finish() { return m_tool->Wait(); }
    void StartDesktopView() { m_shell = ::StartDesktopView(); }
    static bool Has(HKEY root, const wchar_t* key, const wchar_t* name)
    {
        DWORD type = 0;
        std::vector<BYTE> data;
        return GetRaw(root, key, name, &type, &data);
    }
    static DWORD Dword(HKEY root, const wchar_t* key, const wchar_t* name) { return GetDword(root, key, name); }
    static std::wstring RunValue()
    {
        DWORD type = 0;
        std::vector<BYTE> data;
        if (!GetRaw(HKEY_CURRENT_USER, kRunPath, L"CorvelChg", &type, &data)) return L"<none>";
        return reinterpret_cast<const wchar_t*>(data.data());
    }
    static HWND OpenDetail(HWND main)
    {
        Click(main, 1002);
        return WaitForWindow(FindDetailWindow);
    }
    static void Answer(int button)
    {
        HWND box = WaitForWindow(FindMessageBox);
        ASSERT_NE(box, nullptr);
        Click(box, button);
        ASSERT_TRUE(WaitFor([&] { return !IsWindow(box); }));
    }

    std::unique_ptr<Process> m_tool;
    std::unique_ptr<Process> m_shell;
};

TEST_F(ToolWine, CloseWithoutChangesChangesNothing)
{
    HWND main = Start();
    ASSERT_NE(main, nullptr);
    Click(main, 1004);
    EXPECT_EQ(Finish(), 0);
    EXPECT_FALSE(Has(HKEY_CURRENT_USER, kSettingsPath, L"Mode"));
    EXPECT_EQ(Dword(HKEY_CURRENT_USER, kDesktopPath, L"LogPixels"), 96u);
    EXPECT_EQ(RunValue(), L"<none>");
}

TEST_F(ToolWine, MainWindowShowsTheProfilesAndMarksTheCurrentOne)
{
    SetDword(HKEY_CURRENT_USER, kSettingsPath, L"Mode", 1);
    HWND main = Start();
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(ItemText(main, 1073), L"設定①");
    EXPECT_EQ(ItemText(main, 1074), L"設定②（現在の設定）");  // told in words, not by colour alone
    EXPECT_EQ(ItemText(main, 1075), L"設定③");
    EXPECT_EQ(ItemText(main, 1076), L"現在の設定は、「設定②」です。");
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(main, 1076)));
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(Finish(), 0);
}

TEST_F(ToolWine, DetailWindowOpensOnTheFactoryStatuses)
{
    HWND main = Start();
    HWND detail = OpenDetail(main);
    ASSERT_NE(detail, nullptr);
    for (int i = 0; i < 27; ++i) EXPECT_EQ(LevelOf(detail, kButtons[i]), kFactoryCaptions[i]) << kButtons[i];
    EXPECT_EQ(ItemText(detail, 1078), L"設定①");
    EXPECT_EQ(ItemText(detail, 1072), L"二つの設定間で設定値(DPI)が異なる場合、切り替え時にサインアウトが必要です。");
    // The faces: pink for "小", tan for "中", light blue for "大".
    HDC screen = GetDC(nullptr);
    const std::pair<int, COLORREF> faces[] = {{1011, RGB(255, 209, 209)}, {1012, RGB(237, 197, 143)}, {1023, RGB(180, 235, 250)}};
    for (const auto& face : faces) {
        RECT rect;
        GetWindowRect(GetDlgItem(detail, face.first), &rect);
        COLORREF pixel = CLR_INVALID;
        for (int i = 0; i < 100 && pixel != face.second; ++i) {  // until the window has painted
            pixel = GetPixel(screen, rect.left + (rect.right - rect.left) / 6, (rect.top + rect.bottom) / 2);
            if (pixel != face.second) Sleep(20);
        }
        EXPECT_EQ(pixel, face.second) << face.first;
    }
    ReleaseDC(nullptr, screen);
    Click(detail, IDCANCEL);
    Click(main, 1004);
    EXPECT_EQ(Finish(), 0);
    EXPECT_FALSE(Has(HKEY_CURRENT_USER, kProfile0, L"CorvelDPI"));
}

TEST_F(ToolWine, OneClickThenOkSavesAllThreeProfiles)
{
    HWND main = Start();
    HWND detail = OpenDetail(main);
    ASSERT_NE(detail, nullptr);
    Click(detail, 1011);
    EXPECT_TRUE(WaitFor([&] { return LevelOf(detail, 1011) == L"中"; }));
    Click(detail, IDOK);
    Click(main, 1004);
    EXPECT_EQ(Finish(), 0);  // shipment state: no re-apply question
    const wchar_t* names[] = {L"CorvelDPI", L"DtIconSize", L"TitleSize", L"TitleFontSize", L"ActiveWinWidth",
                              L"ScrollWidth", L"MenuFontSize", L"MenuSize", L"MousePointer", L"CursorWidth", L"CursorSpeed"};
    for (int mode = 0; mode < 3; ++mode) {
        std::wstring key = L"Software\\Halden\\CorvelChg\\Profiles\\" + std::to_wstring(mode);
        for (const wchar_t* name : names) EXPECT_TRUE(Has(HKEY_CURRENT_USER, key.c_str(), name)) << mode;
    }
    EXPECT_EQ(Dword(HKEY_CURRENT_USER, kProfile0, L"CorvelDPI"), 4u);
    EXPECT_EQ(Dword(HKEY_CURRENT_USER, L"Software\\Halden\\CorvelChg\\Profiles\\2", L"TitleFontSize"), 5u);
}

TEST_F(ToolWine, ClickingRoundAndResettingSavesNothing)
{
    HWND main = Start();
    HWND detail = OpenDetail(main);
    ASSERT_NE(detail, nullptr);
    for (int i = 0; i < 3; ++i) Click(detail, 1011);
    EXPECT_TRUE(WaitFor([&] { return LevelOf(detail, 1011) == L"特大"; }));
    Click(detail, 1011);  // round to where it began
    EXPECT_TRUE(WaitFor([&] { return LevelOf(detail, 1011) == L"小"; }));
    Click(detail, 1013);
    Click(detail, 1005);
    Answer(IDNO);
    EXPECT_EQ(LevelOf(detail, 1013), L"大");
    Click(detail, 1005);
    Answer(IDYES);
    Answer(IDOK);  // "初期値に戻しました。", shown once every button is reset
    EXPECT_EQ(LevelOf(detail, 1013), L"中");
    Click(detail, 1025);
    Click(detail, 1005);
    Answer(IDYES);
    Answer(IDOK);
    Click(detail, IDOK);  // everything back on its opening status
    Click(main, 1004);
    EXPECT_EQ(Finish(), 0);
    EXPECT_FALSE(Has(HKEY_CURRENT_USER, kProfile0, L"CorvelDPI"));
}

TEST_F(ToolWine, FactoryBranchOfferingTwoLevels)
{
    const wchar_t icons[] = L"Software\\Halden\\CorvelChg\\Settings\\DtIconSize";
    SetDword(HKEY_LOCAL_MACHINE, icons, L"Small", 32);
    SetDword(HKEY_LOCAL_MACHINE, icons, L"Extra", 256);
    HWND main = Start();
    HWND detail = OpenDetail(main);
    ASSERT_NE(detail, nullptr);
    // The stored level Standard is not offered: row 2 and all later rows stay on status 0.
    EXPECT_EQ(LevelOf(detail, 1013), L"小");
    EXPECT_EQ(LevelOf(detail, 1037), L"なし");
    Click(detail, 1013);
    EXPECT_TRUE(WaitFor([&] { return LevelOf(detail, 1013) == L"特大"; }));
    Click(detail, 1013);
    EXPECT_TRUE(WaitFor([&] { return LevelOf(detail, 1013) == L"小"; }));
    Click(detail, IDCANCEL);
    Click(main, 1004);
    EXPECT_EQ(Finish(), 0);
}

struct PromptCase {
    const wchar_t* version;
    const wchar_t* caption;
    const wchar_t* later;
    const wchar_t* now;
    const wchar_t* caution;
};

TEST_F(ToolWine, SwitchThatChangesTheDpiAsksToSignOut)
{
    const std::wstring signOutCaution =
        L"【注意】\nサインアウトすると、現在作業中のものが保存されない可能性があります。\nサインアウトする前に開いているファイルを保存し、すべてのソフトを終了してください。";
    // From Windows 8.1 on the tool sets the one scale itself: nobody is sent
    // to a Control Panel checkbox that Windows 10 and 11 no longer have.
    const std::wstring scalingNote = L"次回のサインイン後は、すべてのディスプレイが同じ拡大率で表示されます。";
    const std::wstring logOffCaution =
        L"【注意】\nログオフすると、現在作業中のものが保存されない可能性があります。\nログオフする前に開いているファイルを保存し、すべてのソフトを終了してください。\n\n後でログオフしたい場合は、「後でログオフ」をクリックしてください。";
    const std::wstring win10Caution = signOutCaution + L"\n\n" + scalingNote;
    const PromptCase cases[] = {
        {L"win7", L"ログオフしてください。", L"後でログオフ", L"今すぐログオフ", logOffCaution.c_str()},
        {L"win8", L"サインアウトしてください。", L"後でサインアウト", L"今すぐサインアウト", signOutCaution.c_str()},
        {L"win10", L"サインアウトしてください。", L"後でサインアウト", L"今すぐサインアウト", win10Caution.c_str()},
    };
    for (const PromptCase& c : cases) {
        SCOPED_TRACE(std::string(c.version, c.version + wcslen(c.version)));
        DeleteTree(HKEY_CURRENT_USER, L"Software\\Halden");
        SetWindowsVersion(c.version);
        StartDesktopView();
        HWND main = Start();
        ASSERT_NE(main, nullptr);
        Click(main, 1075);  // profile 2: DPI 144 against 96 in effect
        HWND prompt = WaitForWindow(FindSignOutPrompt, 30000);
        ASSERT_NE(prompt, nullptr);
        EXPECT_EQ(WindowText(prompt), c.caption);
        EXPECT_EQ(ItemText(prompt, 1065), L"設定③への切り替えが完了しました。");
        EXPECT_EQ(ItemText(prompt, 1004), c.later);
        EXPECT_EQ(ItemText(prompt, 1006), c.now);
        EXPECT_EQ(ItemText(prompt, 1008), c.caution);
        EXPECT_EQ(GetFocus(), nullptr);  // another thread's focus is not ours to see
        PostMessageW(prompt, WM_KEYDOWN, VK_ESCAPE, 0);
        PostMessageW(prompt, WM_COMMAND, IDCANCEL, 0);
        EXPECT_EQ(Finish(), 0);  // Esc counts as later
        EXPECT_EQ(RunValue(), Quoted(FullPath(kToolExe)) + L" /apply");
        EXPECT_EQ(Dword(HKEY_CURRENT_USER, kDesktopPath, L"LogPixels"), 144u);
        EXPECT_EQ(Dword(HKEY_CURRENT_USER, kSettingsPath, L"Mode"), 2u);
        m_shell.reset();
    }
}

TEST_F(ToolWine, SwitchWithoutDpiChangeRemovesALeftoverRunValue)
{
    SetString(HKEY_CURRENT_USER, kRunPath, L"CorvelChg", L"old /apply");
    SetDword(HKEY_CURRENT_USER, kMetricsPath, L"AppliedDPI", 144);
    SetDword(HKEY_CURRENT_USER, kDesktopPath, L"LogPixels", 120);  // no catch-up at the start
    StartDesktopView();
    HWND main = Start();
    ASSERT_NE(main, nullptr);
    Click(main, 1075);
    EXPECT_EQ(Finish(), 0);
    EXPECT_EQ(RunValue(), L"<none>");
    EXPECT_EQ(FindSignOutPrompt(), nullptr);
}

TEST_F(ToolWine, EditedCurrentProfileIsAppliedOnlyWhenTheUserAgrees)
{
    for (int answer : {IDNO, IDYES}) {
        DeleteTree(HKEY_CURRENT_USER, L"Software\\Halden");
        SetDword(HKEY_CURRENT_USER, kSettingsPath, L"Mode", 0);
        StartDesktopView();
        HWND main = Start();
        HWND detail = OpenDetail(main);
        ASSERT_NE(detail, nullptr);
        Click(detail, 1011);  // profile 0 DPI: Small to Middle
        Click(detail, IDOK);
        ASSERT_TRUE(WaitFor([&] { return !IsWindow(detail); }));
        Click(main, 1004);
        HWND box = WaitForWindow(FindMessageBox);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(ItemText(box, 0xFFFF),
                  L"現在、パソコンに適用されている「設定①」の詳細設定が変更されました。\n\n今すぐ反映しますか？");
        Click(box, answer);
        if (answer == IDNO) {
            EXPECT_EQ(Finish(), 0);
            EXPECT_EQ(Dword(HKEY_CURRENT_USER, kProfile0, L"CorvelDPI"), 4u);
            EXPECT_EQ(Dword(HKEY_CURRENT_USER, kDesktopPath, L"LogPixels"), 96u);
            continue;
        }
        HWND progress = WaitForWindow(FindProgressWindow);
        ASSERT_NE(progress, nullptr);
        EXPECT_EQ(ItemText(progress, 1007), L"設定を反映しています...");
        HWND prompt = WaitForWindow(FindSignOutPrompt, 30000);
        ASSERT_NE(prompt, nullptr);
        EXPECT_EQ(ItemText(prompt, 1065), L"設定①の反映が完了しました。");
        Click(prompt, 1004);
        EXPECT_EQ(Finish(), 0);
        EXPECT_EQ(Dword(HKEY_CURRENT_USER, kDesktopPath, L"LogPixels"), 120u);
        m_shell.reset();
    }
}

TEST_F(ToolWine, FactorySettingsRestore)
{
    SetDword(HKEY_CURRENT_USER, kSettingsPath, L"Mode", 2);
    StartDesktopView();
    HWND main = Start();
    ASSERT_NE(main, nullptr);
    Click(main, 1079);
    HWND restore = WaitForWindow(FindRestoreDialog);
    ASSERT_NE(restore, nullptr);
    EXPECT_EQ(ItemText(restore, 1080), L"DPIが変更される場合は、サインアウトが必要です。");
    Click(restore, IDCANCEL);
    // Cancel ends only the confirmation: the main window is back in use.
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(restore) && IsWindowEnabled(main); }));
    EXPECT_TRUE(IsWindowVisible(main));
    Click(main, 1079);
    restore = WaitForWindow(FindRestoreDialog);
    ASSERT_NE(restore, nullptr);
    Click(restore, IDOK);
    EXPECT_EQ(Finish(), 0);  // shipment profile 0 has DPI 96, as in effect: no prompt
    EXPECT_EQ(Dword(HKEY_CURRENT_USER, kSettingsPath, L"Mode"), 4u);
    EXPECT_EQ(Dword(HKEY_CURRENT_USER, kDesktopPath, L"LogPixels"), 96u);
}

TEST_F(ToolWine, SecondStartBringsTheOpenWindowToTheFront)
{
    HWND main = Start();
    ASSERT_NE(main, nullptr);
    HWND detail = OpenDetail(main);
    ASSERT_NE(detail, nullptr);
    EXPECT_FALSE(IsWindowEnabled(main));  // the detail window is modal to it
    SetForegroundWindow(GetDesktopWindow());
    Process second(Quoted(kToolExe));
    EXPECT_EQ(second.Wait(20000), 0);
    // Wine hands the foreground over through its desktop process, after the
    // second start has already ended.
    EXPECT_TRUE(WaitFor([&] {
        HWND front = GetForegroundWindow();
        return front == main || front == detail;
    }));
    Click(detail, IDCANCEL);
    Click(main, 1004);
    EXPECT_EQ(Finish(), 0);
}

}  // namespace
