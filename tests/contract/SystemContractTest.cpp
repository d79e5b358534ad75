// The system calls (version, the program's path, pauses, threads, the end of
// the logon) and the clock against their stand-ins and, under Wine, the
// Win32 adapters.
//   VerifyVersionInfoW  https://learn.microsoft.com/windows/win32/api/winbase/nf-winbase-verifyversioninfow
//   Targeting your application for Windows (manifest, supportedOS)
//                       https://learn.microsoft.com/windows/win32/sysinfo/targeting-your-application-at-windows-8-1
//   GetModuleFileNameW  https://learn.microsoft.com/windows/win32/api/libloaderapi/nf-libloaderapi-getmodulefilenamew
//   _beginthreadex      https://learn.microsoft.com/cpp/c-runtime-library/reference/beginthread-beginthreadex
//   ExitWindowsEx       https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-exitwindowsex
//   localtime           https://learn.microsoft.com/cpp/c-runtime-library/reference/localtime-localtime32-localtime64
#include <atomic>
#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>

#include "platform/fake/FakeClock.h"
#include "platform/fake/FakeSystem.h"
#include "tests/contract/ContractSupport.h"
#ifdef _WIN32
#include "platform/win32/Win32Platform.h"
#endif

namespace {

struct Implementation {
    const char* name;
    std::function<std::unique_ptr<ISystem>()> make;
};

std::vector<Implementation> Implementations()
{
    std::vector<Implementation> list = {{"Stand_in", [] { return std::make_unique<FakeSystem>(); }}};
#ifdef _WIN32
    list.push_back({"Win32", [] { return std::make_unique<Win32System>(); }});
#endif
    return list;
}

class SystemContract : public ::testing::TestWithParam<Implementation> {
protected:
    void SetUp() override { system = GetParam().make(); }
    std::unique_ptr<ISystem> system;
};

// The classes the tool computes from three comparisons with 6.2.
int VersionClass(ISystem& system)
{
    return (system.VerifyVersion(6, 2, VER_LESS) ? 1 : 0) | (system.VerifyVersion(6, 2, VER_EQUAL) ? 2 : 0) |
           (system.VerifyVersion(6, 2, VER_GREATER) ? 4 : 0);
}

#ifdef _WIN32
// A run of this program as a probe: it exits with its version class before
// the tests start, so that a new process reads the version Wine is told.
const bool g_probe = [] {
    if (wcsstr(GetCommandLineW(), L"--tessaly-version-probe")) {
        Win32System system;
        ExitProcess(static_cast<UINT>(VersionClass(system)));
    }
    return false;
}();

int ProbeUnder(const wchar_t* version)
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Wine", 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr)) {
        return -1;
    }
    RegSetValueExW(key, L"Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version),
                   static_cast<DWORD>((wcslen(version) + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring line = L"\"" + std::wstring(self) + L"\" --tessaly-version-probe";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) return -1;
    WaitForSingleObject(info.hProcess, 30000);
    DWORD code = 0;
    GetExitCodeProcess(info.hProcess, &code);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return static_cast<int>(code);
}
#endif

// VerifyVersionInfoW compares the version the program is told, and a program
// whose manifest lists Windows 7, 8, 8.1 and 10 is told the real one: 6.1 is
// below 6.2, 6.2 equal, 10.0 above. Wine is told by "Version" of
// HKCU\Software\Wine, read as a process starts.
TEST_P(SystemContract, EachWindowsGivesItsVersionClass)
{
    const struct {
        const wchar_t* wine;
        DWORD major, minor;
        int classBits;  // 1 below, 2 equal, 4 above 6.2
    } versions[] = {{L"win7", 6, 1, 1}, {L"win8", 6, 2, 2}, {L"win10", 10, 0, 4}};
    for (const auto& v : versions) {
        SCOPED_TRACE(v.major * 10 + v.minor);
        if (!IsWin32(GetParam().name)) {
            auto& fake = static_cast<FakeSystem&>(*system);
            fake.versionMajor = v.major;
            fake.versionMinor = v.minor;
            EXPECT_EQ(VersionClass(fake), v.classBits);
            continue;
        }
#ifdef _WIN32
        if (!UnderWine()) GTEST_SKIP() << "the version of a real Windows cannot be chosen";
        EXPECT_EQ(ProbeUnder(v.wine), v.classBits);
#endif
    }
#ifdef _WIN32
    if (IsWin32(GetParam().name)) ProbeUnder(L"win10");
#endif
}

// GetModuleFileNameW: the path's length without the terminator.
TEST_P(SystemContract, TheProgramsPath)
{
    char16_t path[260] = {};
    const DWORD length = system->ModuleFileName(path, 260);
    ASSERT_GT(length, 4u);
    ASSERT_LT(length, 260u);
    EXPECT_EQ(path[length], u'\0');
    EXPECT_EQ(String16(path + length - 4), u".exe");
}

// A buffer too small: from Windows Vista on, the path is cut to nSize
// characters with its terminator and the result is nSize
// (ERROR_INSUFFICIENT_BUFFER). Wine cuts it as Windows XP did, without the
// terminator; the tool bounds every read of the buffer by its size.
TEST_P(SystemContract, ACutPathEndsWithItsTerminator)
{
    SKIP_WINE_DIFFERENCE(GetParam().name, "GetModuleFileNameW cuts a path without its terminator, as Windows XP did");
    char16_t path[260] = {};
    system->ModuleFileName(path, 260);
    char16_t cut[6];
    for (char16_t& c : cut) c = u'x';
    EXPECT_EQ(system->ModuleFileName(cut, 5), 5u);
    EXPECT_EQ(cut[4], u'\0');
    EXPECT_EQ(String16(cut, 4), String16(path, 4));
    EXPECT_EQ(cut[5], u'x');  // nothing past the buffer
}

// Sleep(0) gives up the rest of the time slice and returns.
TEST_P(SystemContract, APauseOfNothingReturns) { system->Sleep(0); }

// _beginthreadex runs the function once with its parameter on a new thread
// that nobody waits for. The stand-in records it instead, and a test runs it
// when it wants to, as a scheduler could.
TEST_P(SystemContract, AThreadRunsItsFunctionOnce)
{
    static std::atomic<int> runs{0};
    static std::atomic<void*> seen{nullptr};
    runs = 0;
    int marker = 0;
    auto fn = [](void* param) -> unsigned int {
        seen = param;
        ++runs;
        return 0;
    };
    ASSERT_TRUE(system->StartThread(fn, &marker));
    if (!IsWin32(GetParam().name)) {
        auto& fake = static_cast<FakeSystem&>(*system);
        ASSERT_EQ(fake.threads.size(), 1u);
        fake.threads[0].first(fake.threads[0].second);
    }
    for (int i = 0; i < 500 && runs == 0; ++i) system->Sleep(10);
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(seen, &marker);
}

// ExitWindowsEx(EWX_LOGOFF) ends the session: under Wine it ends every
// process of the prefix, this test's too, so only the stand-in runs it; the
// sign-out Wine test watches the real call from Linux.
TEST_P(SystemContract, SigningOutIsAskedWithItsFlags)
{
    STAND_IN_ONLY(GetParam().name, "ExitWindowsEx would end the session and this test with it");
    EXPECT_TRUE(system->EndLogon(EWX_LOGOFF, 0));
    EXPECT_EQ(static_cast<FakeSystem&>(*system).exits, (std::vector<std::pair<UINT, DWORD>>{{EWX_LOGOFF, 0}}));
}

INSTANTIATE_CONTRACT(SystemContract, Implementations());

// The clock: time() and localtime() give the local time, every field in its
// range.
struct ClockImplementation {
    const char* name;
    std::function<std::unique_ptr<IClock>()> make;
};

std::vector<ClockImplementation> Clocks()
{
    std::vector<ClockImplementation> list = {{"Stand_in", [] { return std::make_unique<FakeClock>(); }}};
#ifdef _WIN32
    list.push_back({"Win32", [] { return std::make_unique<Win32Clock>(); }});
#endif
    return list;
}

class ClockContract : public ::testing::TestWithParam<ClockImplementation> {};

TEST_P(ClockContract, TheLocalTimeIsInRange)
{
    std::unique_ptr<IClock> clock = GetParam().make();
    LocalTime now{};
    ASSERT_TRUE(clock->Now(&now));
    EXPECT_GE(now.month, 1);
    EXPECT_LE(now.month, 12);
    EXPECT_GE(now.day, 1);
    EXPECT_LE(now.day, 31);
    EXPECT_GE(now.hour, 0);
    EXPECT_LE(now.hour, 23);
    EXPECT_GE(now.minute, 0);
    EXPECT_LE(now.minute, 59);
    EXPECT_GE(now.second, 0);
    EXPECT_LE(now.second, 60);  // a leap second
}

INSTANTIATE_CONTRACT(ClockContract, Clocks());

}  // namespace
