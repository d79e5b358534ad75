// The system calls (version, the program's path, pauses, threads, the end of
// the logon) and the clock against their stand-ins and, under Wine, the
// Win32 adapters.
//   VerifyVersionInfoW  https://learn.microsoft.com/windows/win32/api/winbase/nf-winbase-verifyversioninfow
//   Targeting your application for Windows (manifest, supportedOS)
//                       https://learn.microsoft.com/windows/win32/sysinfo/targeting-your-application-at-windows-8-1
//   GetModuleFileNameW  https://learn.microsoft.com/windows/win32/api/libloaderapi/nf-libloaderapi-getmodulefilenamew
//   Sleep               https://learn.microsoft.com/windows/win32/api/synchapi/nf-synchapi-sleep
//   _beginthreadex      https://learn.microsoft.com/cpp/c-runtime-library/reference/beginthread-beginthreadex
//   ExitWindowsEx       https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-exitwindowsex
//   localtime           https://learn.microsoft.com/cpp/c-runtime-library/reference/localtime-localtime32-localtime64
//   GetTickCount64      https://learn.microsoft.com/windows/win32/api/sysinfoapi/nf-sysinfoapi-gettickcount64
//   WaitForSingleObject https://learn.microsoft.com/windows/win32/api/synchapi/nf-synchapi-waitforsingleobject
#include <atomic>
#include <cstdint>
#include <future>
#include <memory>
#include <thread>
#include <vector>

#include "platform/fake/FakeClock.h"
#include "platform/fake/FakeSync.h"
#include "platform/fake/FakeSystem.h"
#include "tests/contract/ContractSupport.h"

namespace {

class SystemContract : public ContractTest<ISystem> {};

// What the tool asks of the version: three comparisons with 6.2 (bits 1
// below, 2 equal, 4 above) and whether it is Windows 10 or later (bit 8),
// each as the program calls VerifyVersion.
int VersionAnswers(ISystem& system)
{
    return (system.VerifyVersion(6, 2, VER_LESS) ? 1 : 0) | (system.VerifyVersion(6, 2, VER_EQUAL) ? 2 : 0) |
           (system.VerifyVersion(6, 2, VER_GREATER) ? 4 : 0) |
           ((system.VerifyVersion(10, 0, VER_GREATER) || system.VerifyVersion(10, 0, VER_EQUAL)) ? 8 : 0);
}

#ifdef _WIN32
// A run of this program as a probe: it exits with its version answers
// before the tests start, so that a new process reads the version Wine is
// told.
const bool g_versionProbe = [] {
    if (wcsstr(GetCommandLineW(), L"--tessaly-version-probe")) {
        Win32System system;
        ExitProcess(static_cast<UINT>(VersionAnswers(system)));
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
    return RunProbe(L"--tessaly-version-probe");
}
#endif

// VerifyVersionInfoW compares the version the program is told, and a program
// whose manifest lists Windows 7, 8, 8.1 and 10 is told the real one: 6.1 is
// below 6.2, 6.2 equal, 6.3 and 10.0 above, and only 10.0 is Windows 10.
// Wine is told by "Version" of HKCU\Software\Wine, read as a process starts.
TEST_P(SystemContract, EachWindowsGivesItsVersionAnswers)
{
    const struct {
        const wchar_t* wine;
        DWORD major, minor;
        int answers;  // VersionAnswers
    } versions[] = {{L"win7", 6, 1, 1}, {L"win8", 6, 2, 2}, {L"win81", 6, 3, 4}, {L"win10", 10, 0, 4 | 8}};
    for (const auto& v : versions) {
        SCOPED_TRACE(v.major * 10 + v.minor);
        if (IsStandIn()) {
            auto& fake = StandInAs<FakeSystem>();
            fake.versionMajor = v.major;
            fake.versionMinor = v.minor;
            EXPECT_EQ(VersionAnswers(fake), v.answers);
            continue;
        }
#ifdef _WIN32
        if (!UnderWine()) GTEST_SKIP() << "the version of a real Windows cannot be chosen";
        EXPECT_EQ(ProbeUnder(v.wine), v.answers);
#endif
    }
#ifdef _WIN32
    if (!IsStandIn()) ProbeUnder(L"win10");
#endif
}

// GetModuleFileNameW: the path's length without the terminator.
TEST_P(SystemContract, TheProgramsPath)
{
    char16_t path[260] = {};
    const DWORD length = subject->ModuleFileName(path, 260);
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
    SKIP_WINE_DIFFERENCE(Name(), "GetModuleFileNameW cuts a path without its terminator, as Windows XP did");
    char16_t path[260] = {};
    subject->ModuleFileName(path, 260);
    char16_t cut[6];
    for (char16_t& c : cut) c = u'x';
    EXPECT_EQ(subject->ModuleFileName(cut, 5), 5u);
    EXPECT_EQ(cut[4], u'\0');
    EXPECT_EQ(String16(cut, 4), String16(path, 4));
    EXPECT_EQ(cut[5], u'x');  // nothing past the buffer
}

// Sleep(0): "If there are no other threads ready to run, the function
// returns immediately".
TEST_P(SystemContract, APauseOfNothingReturns) { subject->Sleep(0); }

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
    ASSERT_TRUE(subject->StartThread(fn, &marker));
    if (IsStandIn()) {
        auto& fake = StandInAs<FakeSystem>();
        ASSERT_EQ(fake.threads.size(), 1u);
        fake.threads[0].first(fake.threads[0].second);
    }
    for (int i = 0; i < 500 && runs == 0; ++i) subject->Sleep(10);
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(seen, &marker);
}

// ExitWindowsEx(EWX_LOGOFF) ends the session: under Wine it ends every
// process of the prefix, this test's too, so only the stand-in runs it; the
// sign-out Wine test watches the real call from Linux.
TEST_P(SystemContract, SigningOutIsAskedWithItsFlags)
{
    STAND_IN_ONLY(Name(), "ExitWindowsEx would end the session and this test with it");
    EXPECT_TRUE(subject->EndLogon(EWX_LOGOFF, 0));
    EXPECT_EQ(StandInAs<FakeSystem>().exits, (std::vector<std::pair<UINT, DWORD>>{{EWX_LOGOFF, 0}}));
}

INSTANTIATE_CONTRACT(SystemContract, FakeSystem, Win32System);

// The clock, with the system's pauses and the mutexes' waits beside it: the
// stand-ins' pauses and timed-out waits move the stand-in clock on.
class ClockContract : public ContractTest<IClock> {
protected:
    void SetUp() override
    {
        if (IsStandIn()) {
            auto fakeSystem = std::make_unique<FakeSystem>();
            auto fakeSync = std::make_unique<FakeSync>();
            fakeSystem->clock = &StandInAs<FakeClock>();
            fakeSync->clock = &StandInAs<FakeClock>();
            system = std::move(fakeSystem);
            sync = std::move(fakeSync);
            return;
        }
#ifdef _WIN32
        system = std::make_unique<Win32System>();
        sync = std::make_unique<Win32Sync>();
#endif
    }
    std::unique_ptr<ISystem> system;
    std::unique_ptr<ISync> sync;
};

// time() and localtime() give the local time, every field in its range.
TEST_P(ClockContract, TheLocalTimeIsInRange)
{
    LocalTime now{};
    ASSERT_TRUE(subject->Now(&now));
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

// GetTickCount64: "the number of milliseconds that have elapsed since the
// system was started", so it never goes back; its resolution "is typically
// in the range of 10 milliseconds to 16 milliseconds". Sleep "suspends the
// execution of the current thread until the time-out interval elapses", and
// a wait that times out (WAIT_TIMEOUT: "The time-out interval elapsed")
// has spent its time-out: the count moves on by each, less one tick at most.
TEST_P(ClockContract, TicksMoveOnAcrossPausesAndTimedOutWaits)
{
    constexpr std::uint64_t kPause = 100;
    constexpr std::uint64_t kResolution = 16;
    std::uint64_t last = subject->Ticks();
    for (int i = 0; i < 1000; ++i) {
        const std::uint64_t now = subject->Ticks();
        ASSERT_GE(now, last);
        last = now;
    }
    const std::uint64_t beforePause = subject->Ticks();
    system->Sleep(static_cast<DWORD>(kPause));
    EXPECT_GE(subject->Ticks() - beforePause, kPause - kResolution);

    // A mutex another thread holds until the wait has timed out.
    DWORD error = 0;
    HANDLE mutex = sync->CreateNamedMutex(u"TessalyContract_ticks", false, &error);
    ASSERT_NE(mutex, nullptr);
    std::promise<void> held, waited;
    std::thread holder([&] {
        sync->Wait(mutex, 0);
        held.set_value();
        waited.get_future().wait();
        sync->Release(mutex);
    });
    held.get_future().wait();
    const std::uint64_t beforeWait = subject->Ticks();
    EXPECT_EQ(sync->Wait(mutex, static_cast<DWORD>(kPause)), static_cast<DWORD>(WAIT_TIMEOUT));
    EXPECT_GE(subject->Ticks() - beforeWait, kPause - kResolution);
    waited.set_value();
    holder.join();
    sync->Close(mutex);
}

INSTANTIATE_CONTRACT(ClockContract, FakeClock, Win32Clock);

}  // namespace
