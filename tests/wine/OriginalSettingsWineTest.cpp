// The return to the person's own settings through the real program: after
// switches to profiles, every value the person had is back byte for byte.
// Wine has no desktop view to read the icon size from: these tests leave the
// icon size out (the tool logs that it was not kept).
#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "engine/PointerRoles.h"
#include "tests/wine/KeyAcl.h"
#include "tests/wine/WineSupport.h"

namespace {

const wchar_t kCursorsPath[] = L"Control Panel\\Cursors";
const wchar_t kOriginalPath[] = L"Software\\Halden\\CorvelChg\\Original";
const wchar_t kPolicyPath[] = L"Software\\Policies\\Halden\\CorvelChg\\Settings";

// A run of the program with stop points that stops just before the write it
// is told, and waits there until the test ends it.
class StoppedRun {
public:
    StoppedRun(const std::wstring& arguments, const wchar_t* stopBefore)
        : m_stopped(CreateEventW(nullptr, TRUE, FALSE, L"TessalyStopped"))
    {
        ResetEvent(m_stopped);
        SetEnvironmentVariableW(L"TESSALY_STOP_BEFORE", stopBefore);
        m_process = std::make_unique<Process>(Quoted(kStopsExe) + L" " + arguments);
        SetEnvironmentVariableW(L"TESSALY_STOP_BEFORE", nullptr);
    }
    ~StoppedRun() { CloseHandle(m_stopped); }
    // It stopped there (and did not end, or fail to come that far).
    bool Stopped()
    {
        WaitFor([&] { return IsSet() || m_process->Ended(); }, 30000);
        return IsSet() && !m_process->Ended();
    }
    void Kill() { m_process->Kill(); }

private:
    bool IsSet() const { return WaitForSingleObject(m_stopped, 0) == WAIT_OBJECT_0; }
    HANDLE m_stopped;
    std::unique_ptr<Process> m_process;
};

// Every value of the kept set with its type and bytes, by name.
std::map<std::wstring, std::vector<BYTE>> KeptSet()
{
    std::map<std::wstring, std::vector<BYTE>> set;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kOriginalPath, 0, KEY_READ, &key) != ERROR_SUCCESS) return set;
    for (DWORD index = 0;; ++index) {
        wchar_t name[512] = {};
        DWORD chars = 512;
        DWORD type = 0;
        BYTE data[4096] = {};
        DWORD size = sizeof(data);
        if (RegEnumValueW(key, index, name, &chars, nullptr, &type, data, &size) != ERROR_SUCCESS) break;
        std::vector<BYTE> value(data, data + size);
        value.insert(value.begin(), static_cast<BYTE>(type));
        set[name] = value;
    }
    RegCloseKey(key);
    return set;
}

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

    static void DenyWritingTheSet(bool deny) { ASSERT_TRUE(DenyWritingKey(HKEY_CURRENT_USER, kOriginalPath, deny)); }
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

// A first switch ended at any instant, as Task Manager or a power cut ends
// it: before the keep, during it, before it is whole, before its last
// flush, at the first item, during the pointers and before the mode. The
// next switch runs (not refused with 4), and the return gives back exactly
// what the person had.
TEST_F(OriginalSettingsWine, AFirstSwitchEndedAtAnyInstantLosesNothing)
{
    const wchar_t* const stops[] = {L"AppliedDPI", L"Control Panel\\Cursors\\Arrow", L"#flush", L"Complete",
                                    L"#flush#2",   L"LogPixels",                        L"Arrow",  L"Mode"};
    for (const wchar_t* stop : stops) {
        SCOPED_TRACE(testing::Message() << std::string(stop, stop + wcslen(stop)));
        {
            auto shell = StartDesktopView();
            StoppedRun run(L"/quiet /mode 3", stop);
            ASSERT_TRUE(run.Stopped());
            run.Kill();
        }
        EXPECT_EQ(Switch(L"/quiet /mode 1"), 0);
        EXPECT_EQ(RunTool(L"/quiet /original", 30000), 0);
        ExpectOwnSettings();
        RegDeleteKeyValueW(HKEY_CURRENT_USER, kSettingsPath, L"Mode");  // as before any switch
    }
}

// A change that waits for the exclusion while its holder is ended midway
// takes the abandoned exclusion over, says so and does its work; the next
// switch runs, and nothing of the person's is lost.
TEST_F(OriginalSettingsWine, AChangeWhoseHolderIsEndedGoesOn)
{
    auto shell = StartDesktopView();
    StoppedRun holder(L"/quiet /mode 1", L"LogPixels");
    ASSERT_TRUE(holder.Stopped());
    HANDLE waiting = CreateEventW(nullptr, TRUE, FALSE, L"TessalyWaiting");
    ResetEvent(waiting);
    DeleteFileW(kLogFile);
    SetEnvironmentVariableW(L"TESSALY_SIGNAL_WAIT", L"CorvelChangeMutex_Change");
    Process signInRun(Quoted(kStopsExe) + L" /apply /CreateLog");
    SetEnvironmentVariableW(L"TESSALY_SIGNAL_WAIT", nullptr);
    // Windows tells a waiter that a holder was abandoned only while it holds
    // a handle to the mutex: the waiter is in place first.
    EXPECT_EQ(WaitForSingleObject(waiting, 30000), WAIT_OBJECT_0);
    CloseHandle(waiting);
    holder.Kill();
    EXPECT_EQ(signInRun.Wait(30000), 0);
    EXPECT_EQ(CountLogLines(L"Apply: the previous change ended without finishing; this one goes on."), 1);
    EXPECT_EQ(CountLogLines(L"Apply:Run Apply Succeeded."), 1);
    EXPECT_EQ(Switch(L"/quiet /mode 1"), 0);
    EXPECT_EQ(RunTool(L"/quiet /original", 30000), 0);
    ExpectOwnSettings();
}

// A Windows profile without "AppliedDPI" (as a new Wine prefix): the keep
// takes the screen's DPI and says so, the switch goes on with its DPI item
// failed, and the return is exact.
TEST_F(OriginalSettingsWine, WithoutAppliedDpiTheKeepTakesTheScreens)
{
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kMetricsPath, L"AppliedDPI");
    DeleteFileW(kLogFile);
    EXPECT_EQ(Switch(L"/quiet /mode 1 /CreateLog"), 2);
    EXPECT_EQ(CountLogLines(L"CSwitchMode::GetDpiInEffect the AppliedDPI cannot be used, code: 2; the screen's dpi 96 "
                            L"is taken."),
              1);
    EXPECT_EQ(GetDword(HKEY_CURRENT_USER, kOriginalPath, L"AppliedDPI"), 96u);
    EXPECT_EQ(RunTool(L"/quiet /original", 30000), 0);
    ExpectOwnSettings();
}

// A policy that keeps the profile, enforced after the person's return: the
// sign-in check and the sign-in run give them the starting profile and leave
// their kept set as it is; lifted, it leaves an exact return.
TEST_F(OriginalSettingsWine, APolicyThatComesLaterKeepsTheSetAsItIs)
{
    EXPECT_EQ(Switch(L"/quiet /mode 1"), 0);
    EXPECT_EQ(RunTool(L"/quiet /original", 30000), 0);
    SetDword(HKEY_LOCAL_MACHINE, kPolicyPath, L"KeepProfile", 1);
    EXPECT_EQ(Switch(L"/keep"), 1);  // no LogPixels: the profile's text size stored again
    const auto set = KeptSet();
    EXPECT_EQ(GetDword(HKEY_CURRENT_USER, kOriginalPath, L"Complete"), 1u);
    SignIn(96);
    EXPECT_EQ(Switch(L"/keep"), 0);
    EXPECT_EQ(KeptSet(), set);
    EXPECT_EQ(RunTool(L"/quiet /original", 30000), 5);
    DeleteTree(HKEY_LOCAL_MACHINE, L"Software\\Policies\\Halden");
    EXPECT_EQ(RunTool(L"/quiet /original", 30000), 0);
    ExpectOwnSettings();
}

}  // namespace
