// Start-up, the single instance and the log, with real processes under Wine.
#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <string>

#include "tests/wine/WineSupport.h"

namespace {

class StartupWine : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeleteTree(HKEY_CURRENT_USER, L"Software\\Halden");
        DeleteFileW(kLogFile);
    }
};

std::string Narrow(const std::wstring& text)
{
    std::string out;
    for (wchar_t c : text) out += c < 0x80 ? static_cast<char>(c) : '?';
    return out;
}

LRESULT CALLBACK PlainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcW(window, message, wParam, lParam);
}

TEST_F(StartupWine, SecondStartBringsTheRunningInstanceToTheFront)
{
    HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, L"TessalyHelperReady");
    ResetEvent(ready);  // another helper may have left it set
    Process holder(Quoted(kHelperExe) + L" hold");
    ASSERT_TRUE(holder.Started());
    ASSERT_EQ(WaitForSingleObject(ready, 30000), WAIT_OBJECT_0);
    HWND first = FindWindowW(L"MainWindowClass", L"Tessaly");
    ASSERT_NE(first, nullptr);

    WNDCLASSW wc{};
    wc.lpfnWndProc = PlainProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TessalyTestFront";
    RegisterClassW(&wc);
    HWND other = CreateWindowW(wc.lpszClassName, L"other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 200, 200, 300, 200,
                               nullptr, nullptr, wc.hInstance, nullptr);
    SetForegroundWindow(other);
    ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == other; }, 5000));

    // Under Wine the focus moves through the X server: the foreground can be
    // nobody's for a moment after the second start has ended.
    EXPECT_EQ(RunTool(L"/CreateLog"), 0);
    EXPECT_TRUE(WaitFor([&] { return GetForegroundWindow() == first; }, 5000));
    EXPECT_NE(ReadLogText().find(L"CCorvelChgApp::InitInstance() tool is running now.\r\n"), std::wstring::npos);

    DestroyWindow(other);
    PostMessageW(first, WM_CLOSE, 0, 0);
    EXPECT_EQ(holder.Wait(), 0);
    CloseHandle(ready);
}

TEST_F(StartupWine, CreateLogWritesTheExactBytes)
{
    SetString(HKEY_CURRENT_USER, kSettingsPath, L"mode", L"1");  // a wrong type gives one log line
    EXPECT_EQ(RunToolAndClose(L"/CreateLog"), 0);
    std::vector<BYTE> bytes = ReadFileBytes(kLogFile);
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes[0], '[');
    EXPECT_EQ(bytes[1], 0);
    std::string text = Narrow(ReadLogText());
    // The wrong-typed "mode", then the missing profile names of the main window.
    std::regex expected(R"(\[\d\d/\d\d \d\d:\d\d:\d\d\]\[CorvelChg\.exe\]RegReadDword error, file: \.\\RegControl, line: 29, code: 87\.\r\n)"
                        R"(\[\d\d/\d\d \d\d:\d\d:\d\d\]\[CorvelChg\.exe\]CCorvelChgApp::GetProfileFromReg failed\. RegReadStr error\.\r\n)"
                        R"(-{75}\r\n)");
    EXPECT_TRUE(std::regex_match(text, expected)) << text;

    // A second run appends after the first.
    EXPECT_EQ(RunToolAndClose(L"/CreateLog"), 0);
    EXPECT_EQ(ReadFileBytes(kLogFile).size(), bytes.size() * 2);
}

TEST_F(StartupWine, WithoutCreateLogNoFileAppears)
{
    SetString(HKEY_CURRENT_USER, kSettingsPath, L"mode", L"1");
    EXPECT_EQ(RunToolAndClose(L"/createlog"), 0);
    EXPECT_EQ(GetFileAttributesW(kLogFile), INVALID_FILE_ATTRIBUTES);
}

TEST_F(StartupWine, TwoProcessesAppendingAtOnceLoseNoLine)
{
    const int count = 400;
    {
        Process a(Quoted(kHelperExe) + L" append A " + std::to_wstring(count));
        Process b(Quoted(kHelperExe) + L" append B " + std::to_wstring(count));
        EXPECT_EQ(a.Wait(), 0);
        EXPECT_EQ(b.Wait(), 0);
    }
    std::wstring text = ReadLogText();
    std::wregex line(LR"(\[\d\d/\d\d \d\d:\d\d:\d\d\]\[CorvelChg\.exe\]([AB]) line (\d+))");
    std::set<std::wstring> seen;
    int separators = 0;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(L"\r\n", start);
        ASSERT_NE(end, std::wstring::npos) << "a line without its end";
        std::wstring one = text.substr(start, end - start);
        std::wsmatch match;
        if (one == std::wstring(75, L'-')) {
            ++separators;
        } else {
            ASSERT_TRUE(std::regex_match(one, match, line)) << Narrow(one);
            EXPECT_TRUE(seen.insert(match[1].str() + L":" + match[2].str()).second);
        }
        start = end + 2;
    }
    EXPECT_EQ(seen.size(), 2u * count);
    EXPECT_EQ(separators, 2);
}

TEST_F(StartupWine, VersionClassFollowsTheWindowsVersion)
{
    const struct {
        const wchar_t* version;
        long expected;
    } cases[] = {{L"win7", 1}, {L"win8", 2}, {L"win10", 3}};
    for (const auto& c : cases) {
        SetWindowsVersion(c.version);
        Process helper(Quoted(kHelperExe) + L" version");
        EXPECT_EQ(helper.Wait(), c.expected) << Narrow(c.version);
    }
    SetWindowsVersion(L"win10");
}

}  // namespace
