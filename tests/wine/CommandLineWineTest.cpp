// The command-line switches through the real program: exit codes, registry
// and log as a script or a shortcut would see them.
#include <gtest/gtest.h>

#include <cstdio>

#include "tests/wine/WineSupport.h"

namespace {

class CommandLineWine : public ::testing::Test {
protected:
    void SetUp() override
    {
        FreshToolRegistry();
        DeleteTree(HKEY_CURRENT_USER, kRunPath);
        SetDword(HKEY_CURRENT_USER, kDesktopPath, L"LogPixels", 96);
        SetDword(HKEY_CURRENT_USER, kMetricsPath, L"AppliedDPI", 96);
        SetDword(HKEY_CURRENT_USER, kDesktopPath, L"Win8DpiScaling", 1);
        DeleteFileW(kLogFile);
        m_shell = StartDesktopView();
    }
    static bool RunValuePresent()
    {
        DWORD type = 0;
        std::vector<BYTE> data;
        return GetRaw(HKEY_CURRENT_USER, kRunPath, L"CorvelChg", &type, &data);
    }
    std::unique_ptr<Process> m_shell;
};

// Profile 2 (設定②) has DPI 120, profile 1 the 96 in effect; the factory
// profile is profile 1.
TEST_F(CommandLineWine, QuietSwitchesEndByThemselves)
{
    const struct {
        const wchar_t* line;
        long exitCode;
        DWORD mode;
        DWORD dpi;
        bool runValue;
    } cases[] = {
        {L"/quiet /mode 1 /CreateLog", 0, 0, 96, false},
        {L"-QUIET -Mode 2 /CreateLog", 1, 1, 120, true},
        {L"/quiet /restore /CreateLog", 0, 4, 96, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.line, c.line + wcslen(c.line)));
        DeleteFileW(kLogFile);
        m_shell.reset();
        m_shell = StartDesktopView();
        EXPECT_EQ(RunTool(c.line, 30000), c.exitCode);
        EXPECT_EQ(GetDword(HKEY_CURRENT_USER, kSettingsPath, L"Mode"), c.mode);
        EXPECT_EQ(GetDword(HKEY_CURRENT_USER, kDesktopPath, L"LogPixels"), c.dpi);
        EXPECT_EQ(RunValuePresent(), c.runValue);
        EXPECT_NE(ReadLogText().find(L"ProcessProc:OnDoSwitchMode Succeeded.\r\n"), std::wstring::npos);
        EXPECT_EQ(FindProgressWindow(), nullptr);
        SetDword(HKEY_CURRENT_USER, kDesktopPath, L"LogPixels", 96);
    }
}

TEST_F(CommandLineWine, BadLinesChangeNothing)
{
    for (const wchar_t* line : {L"/quiet /mode", L"/quiet /mode 4", L"/quiet /mode 1 /restore", L"/quiet /bogus"}) {
        EXPECT_EQ(RunTool(line, 30000), 3);
    }
    EXPECT_EQ(GetDword(HKEY_CURRENT_USER, kSettingsPath, L"Mode"), 0xDEADu);
    EXPECT_EQ(GetDword(HKEY_CURRENT_USER, kDesktopPath, L"LogPixels"), 96u);

    // Without /quiet a box says in Japanese how to use the switches.
    Process tool(Quoted(kToolExe) + L" /mode 9");
    HWND box = WaitForWindow(FindMessageBox);
    ASSERT_NE(box, nullptr);
    EXPECT_NE(ItemText(box, 65535).find(L"CorvelChg.exe /mode N\n　　設定N（1、2、3）に切り替えます。"), std::wstring::npos);
    Click(box, IDOK);
    EXPECT_EQ(tool.Wait(30000), 3);
}

// Without /quiet: the progress window and the sign-out prompt, never the
// main window.
TEST_F(CommandLineWine, SwitchShowsProgressAndPromptOnly)
{
    Process tool(Quoted(kToolExe) + L" /mode 2");
    HWND prompt = WaitForWindow(FindSignOutPrompt, 30000);
    ASSERT_NE(prompt, nullptr);
    EXPECT_EQ(ItemText(prompt, 1065), L"設定②への切り替えが完了しました。");
    EXPECT_EQ(FindMainWindow(), nullptr);
    PostMessageW(prompt, WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(tool.Wait(30000), 1);
    EXPECT_EQ(GetDword(HKEY_CURRENT_USER, kSettingsPath, L"Mode"), 1u);
}

TEST_F(CommandLineWine, OpenMainWindowMakesASwitchWait)
{
    Process main(Quoted(kToolExe));
    HWND window = WaitForWindow(FindMainWindow);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(RunTool(L"/quiet /mode 2", 30000), 4);
    EXPECT_EQ(GetDword(HKEY_CURRENT_USER, kSettingsPath, L"Mode"), 0xDEADu);
    EXPECT_EQ(GetDword(HKEY_CURRENT_USER, kDesktopPath, L"LogPixels"), 96u);
    Click(window, 1004);
    EXPECT_EQ(main.Wait(30000), 0);
}

// What the listener heard, a line each.
std::vector<std::string> Heard(const std::wstring& file)
{
    std::vector<BYTE> bytes = ReadFileBytes(file.c_str());
    std::vector<std::string> lines;
    std::string line;
    for (BYTE b : bytes) {
        if (b != '\n') {
            line += static_cast<char>(b);
            continue;
        }
        lines.push_back(line);
        line.clear();
    }
    return lines;
}

// A program in a second process hears every change of a switch once, with
// the action and the area, and a window that stopped answering holds the
// switch no longer than its bound. The text size, the blink rate and the
// icons are not announced: Windows does not announce them either.
TEST_F(CommandLineWine, EveryChangeIsHeardBesideAFrozenWindow)
{
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring heard = std::wstring(temp) + L"tessaly-heard.txt";
    const std::vector<std::string> expected = {"42 WindowMetrics", "87 Cursors", "8199 Desktop"};
    for (bool frozen : {false, true}) {
        SCOPED_TRACE(frozen ? "beside a frozen window" : "alone");
        DeleteFileW(heard.c_str());
        SetDword(HKEY_CURRENT_USER, kDesktopPath, L"LogPixels", 96);
        DeleteTree(HKEY_CURRENT_USER, kRunPath);
        m_shell.reset();
        m_shell = StartDesktopView();
        auto listener = StartHelper(L"listen " + Quoted(heard));
        std::unique_ptr<Process> freezer;
        if (frozen) freezer = StartHelper(L"freeze");  // above the listener
        const ULONGLONG start = GetTickCount64();
        EXPECT_EQ(RunTool(L"/quiet /mode 3", 60000), 1);
        std::printf("/quiet /mode 3 %s took %llu ms\n", frozen ? "beside a frozen window" : "alone",
                    GetTickCount64() - start);
        EXPECT_TRUE(WaitFor([&] { return Heard(heard).size() >= expected.size(); }, 10000));
        EXPECT_EQ(Heard(heard), expected);
    }
    DeleteFileW(heard.c_str());
    SetDword(HKEY_CURRENT_USER, kDesktopPath, L"LogPixels", 96);  // later programs start at 96 DPI
}

// The batch recipe of the docs: the lines after the program's, from "set
// code=%errorlevel%" to the last "if %code% equ N", as the page shows them.
std::vector<std::string> BatchRecipe(const wchar_t* page)
{
    std::vector<BYTE> bytes = ReadFileBytes(page);
    std::string text(bytes.begin(), bytes.end());
    std::vector<std::string> recipe;
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(at, end - at);
        at = end + 1;
        line.erase(0, line.find_first_not_of(' '));
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const bool first = line.rfind("set code=%errorlevel%", 0) == 0;
        const bool test = line.rfind("if %code% equ ", 0) == 0;
        if (first && !recipe.empty()) break;  // the page's next recipe
        if (first || (test && !recipe.empty())) recipe.push_back(line);
        else if (!recipe.empty()) break;
    }
    return recipe;
}

// What the recipe prints after the program with these arguments.
std::string RunBatchRecipe(const std::wstring& arguments, const std::vector<std::string>& recipe)
{
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring script = std::wstring(temp) + L"tessaly-switch.cmd";
    const std::wstring result = std::wstring(temp) + L"tessaly-code.txt";
    DeleteFileW(result.c_str());
    // A subroutine, so that its lines are read one by one (a block in
    // parentheses would be expanded as a whole) and its output goes to a file.
    const std::wstring call = L"@echo off\r\ncall :recipe > " + Quoted(result) + L"\r\ngoto :eof\r\n:recipe\r\n" +
                              Quoted(kToolExe) + L" " + arguments + L"\r\n";
    std::string bytes(call.begin(), call.end());  // the paths are ASCII
    for (const std::string& line : recipe) bytes += line + "\r\n";
    HANDLE file = CreateFileW(script.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "(no script)";
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    Process cmd(L"cmd.exe /c " + Quoted(script));
    if (cmd.Wait(60000) == -1) return "(cmd did not end)";
    std::vector<BYTE> printed = ReadFileBytes(result.c_str());
    DeleteFileW(script.c_str());
    DeleteFileW(result.c_str());
    return std::string(printed.begin(), printed.end());
}

// Every page shows the same recipe, one test for each code of the table,
// and it tells the codes apart where "if errorlevel 2" would not.
TEST_F(CommandLineWine, BatchRecipeTellsEveryCodeApart)
{
    const std::vector<std::string> recipe = BatchRecipe(COMMAND_LINE_DOC);
    ASSERT_EQ(recipe.size(), 7u);  // the set, then codes 0 to 5
    EXPECT_EQ(BatchRecipe(ADMINISTRATORS_DOC), recipe);
    EXPECT_EQ(BatchRecipe(HELP_PAGE), recipe);

    EXPECT_EQ(RunBatchRecipe(L"/quiet /mode 2", recipe), "Done; the text size changes at the next sign-in.\r\n");
    EXPECT_EQ(GetDword(HKEY_CURRENT_USER, kSettingsPath, L"Mode"), 1u);
    EXPECT_EQ(RunBatchRecipe(L"/quiet /mode 9", recipe), "The command line was not understood; nothing changed.\r\n");
    DeleteTree(HKEY_CURRENT_USER, L"Software\\Halden\\CorvelChg\\Original");
    EXPECT_EQ(RunBatchRecipe(L"/quiet /original", recipe), "No settings of your own are kept; nothing changed.\r\n");

    Process main(Quoted(kToolExe));
    HWND window = WaitForWindow(FindMainWindow);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(RunBatchRecipe(L"/quiet /mode 1", recipe), "Another Tessaly is open or changing settings; nothing changed.\r\n");
    Click(window, 1004);
    EXPECT_EQ(main.Wait(30000), 0);
}

// A second start while the detail window is open brings the window the user
// can use to the front: the detail window, not the disabled main window.
TEST_F(CommandLineWine, SecondStartBringsTheUsableWindowToTheFront)
{
    Process first(Quoted(kToolExe));
    HWND main = WaitForWindow(FindMainWindow);
    ASSERT_NE(main, nullptr);
    Click(main, 1002);
    HWND detail = WaitForWindow(FindDetailWindow);
    ASSERT_NE(detail, nullptr);
    // Something else in front first.
    HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                 nullptr, nullptr);
    SetForegroundWindow(other);
    ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == other; }, 5000));

    EXPECT_EQ(RunTool(L"", 30000), 0);
    EXPECT_TRUE(WaitFor([&] { return GetForegroundWindow() == detail; }, 5000));
    EXPECT_TRUE(IsWindowEnabled(detail));
    EXPECT_FALSE(IsWindowEnabled(main));
    DestroyWindow(other);
    PostMessageW(detail, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(main) != FALSE; }, 10000));
    Click(main, 1004);
    EXPECT_EQ(first.Wait(30000), 0);
}

}  // namespace
