// The progress window with its worker, as real windows under Wine.
#include <gtest/gtest.h>

#include "tests/wine/WineSupport.h"

#include <commctrl.h>

namespace {

class ProgressWine : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeleteTree(HKEY_CURRENT_USER, L"Software\\Halden");
        DeleteTree(HKEY_CURRENT_USER, kRunPath);
        SetDword(HKEY_CURRENT_USER, kMetricsPath, L"AppliedDPI", 96);
    }
    static std::wstring RunValue()
    {
        DWORD type = 0;
        std::vector<BYTE> data;
        if (!GetRaw(HKEY_CURRENT_USER, kRunPath, L"CorvelChg", &type, &data)) return L"<none>";
        return std::wstring(reinterpret_cast<const wchar_t*>(data.data()));
    }
};

// The helper copied to a folder with a blank in its name runs the window, so
// the Run value must carry that path in quotation marks.
TEST_F(ProgressWine, SwitchWithDpiChangeEndsWith4AndIgnoresClosing)
{
    const std::wstring folder = L"C:\\Program Files\\Tessaly Test";
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring copy = folder + L"\\helper copy.exe";
    ASSERT_TRUE(CopyFileW(kHelperExe, copy.c_str(), FALSE));

    HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, L"TessalyHelperReady");
    ResetEvent(ready);
    Process shell(Quoted(kHelperExe) + L" desktop-view");  // a desktop view for the icon size
    ASSERT_EQ(WaitForSingleObject(ready, 30000), WAIT_OBJECT_0);

    Process progress(Quoted(copy) + L" progress 1 1");  // profile 1: DPI 120
    HWND window = WaitForWindow(FindProgressWindow);
    ASSERT_NE(window, nullptr);
    PostMessageW(window, WM_KEYDOWN, VK_ESCAPE, 0);
    PostMessageW(window, WM_KEYDOWN, VK_RETURN, 0);
    PostMessageW(window, WM_CLOSE, 0, 0);
    PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    // Any of them closing the window would end it with another result than
    // the worker's 4, which comes after 1.75 s of pauses.
    EXPECT_EQ(progress.Wait(), 4);
    EXPECT_EQ(shell.Wait(), 28751);  // the icon size of profile 1: 96
    EXPECT_EQ(RunValue(), L"\"" + copy + L"\" /apply");
    CloseHandle(ready);
}

TEST_F(ProgressWine, FailureIsReportedInABoxOwnedByTheProgressWindow)
{
    // Profile 2, not the current one; no desktop view here, so the icon size fails.
    Process progress(Quoted(kHelperExe) + L" progress 1 2");
    HWND box = WaitForWindow(FindMessageBox);
    ASSERT_NE(box, nullptr);
    HWND owner = GetWindow(box, GW_OWNER);
    EXPECT_EQ(owner, FindProgressWindow());
    wchar_t text[1024] = {};
    GetDlgItemTextW(box, 0xFFFF, text, 1024);
    EXPECT_EQ(std::wstring(text),
              L"表示の切り替えに失敗しました。\nすべてのソフトを終了した後で、再度 表示の切り替えをおこなってください。\n\n"
              L"次の設定値の切り替えに失敗しました。\n　・デスクトップのアイコンのサイズ\n");
    PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    // Profile 2's DPI (120) was stored all the same: the sign-in run that
    // re-applies the window metrics for it is registered, and the window ends
    // for the sign-out prompt.
    EXPECT_EQ(progress.Wait(), 4);
    EXPECT_NE(RunValue().find(L" /apply"), std::wstring::npos);
}

TEST_F(ProgressWine, ReapplyShowsItsOwnText)
{
    SetDword(HKEY_CURRENT_USER, kSettingsPath, L"Mode", 0);
    Process progress(Quoted(kHelperExe) + L" progress 2 0");
    HWND window = WaitForWindow(FindProgressWindow);
    ASSERT_NE(window, nullptr);
    wchar_t text[256] = {};
    GetDlgItemTextW(window, 1007, text, 256);
    EXPECT_EQ(std::wstring(text), L"設定を反映しています...");
    EXPECT_EQ(SendMessageW(GetDlgItem(window, 1064), PBM_GETRANGE, FALSE, 0), 11);
    HWND box = WaitForWindow(FindMessageBox);
    if (box) PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    EXPECT_EQ(progress.Wait(), 0);
}

}  // namespace
