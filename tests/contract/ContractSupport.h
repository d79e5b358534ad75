// What the contract tests share: the implementations to run a case against,
// the fixture that makes one for each case, and how a case that Wine answers
// otherwise than Windows is skipped there. Every case says what Windows
// answers and which page of Microsoft's says so; an answer the page does not
// give is marked "not documented; Windows' known answer", and "Wine's
// difference" cases run against the stand-in, which follows Windows.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <type_traits>
#include <vector>
#ifdef _WIN32
#include <windows.h>

#include "platform/win32/Win32Platform.h"
#endif

// The Win32 adapter runs under Wine here: ntdll's wine_get_version says so.
inline bool UnderWine()
{
#ifdef _WIN32
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
#else
    return false;
#endif
}

inline bool IsWin32(const char* implementation) { return std::string(implementation) == "Win32"; }

// For a case Wine answers otherwise than Windows: skipped for the Win32
// adapter under Wine, with the difference in the message.
#define SKIP_WINE_DIFFERENCE(implementation, difference)                           \
    do {                                                                          \
        if (IsWin32(implementation) && UnderWine()) GTEST_SKIP() << "Wine's difference: " << (difference); \
    } while (0)

// A case that only the stand-in can run (the real call would end the session).
#define STAND_IN_ONLY(implementation, why)                                          \
    do {                                                                          \
        if (IsWin32(implementation)) GTEST_SKIP() << "stand-in only: " << (why); \
    } while (0)

#ifdef _WIN32
// Starts this test program again with the flag on its command line, for a
// probe that answers with its exit code before any test runs: a new process
// sees what Wine reads as a process starts. -1 when it cannot be started.
inline int RunProbe(const wchar_t* flag)
{
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring line = L"\"" + std::wstring(self) + L"\" " + flag;
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

// An implementation of an interface: its name ("Stand_in", "Win32") and how
// a case makes one of its own.
template <class Interface>
struct ContractImplementation {
    const char* name;
    std::function<std::unique_ptr<Interface>()> make;
};

// A failed case names the implementation, not its bytes.
template <class Interface>
void PrintTo(const ContractImplementation<Interface>& implementation, std::ostream* out)
{
    *out << implementation.name;
}

// The stand-in, and the Win32 adapter where there is one (void: none).
template <class Interface, class StandIn, class Adapter>
std::vector<ContractImplementation<Interface>> ContractImplementations()
{
    std::vector<ContractImplementation<Interface>> list{
        {"Stand_in", [] { return std::unique_ptr<Interface>(std::make_unique<StandIn>()); }}};
    if constexpr (!std::is_void_v<Adapter>) {
        list.push_back({"Win32", [] { return std::unique_ptr<Interface>(std::make_unique<Adapter>()); }});
    }
    return list;
}

// The fixture: each case gets a new implementation, made before its SetUp.
template <class Interface>
class ContractTest : public ::testing::TestWithParam<ContractImplementation<Interface>> {
public:
    using Subject = Interface;

protected:
    ContractTest() : subject(this->GetParam().make()) {}
    const char* Name() const { return this->GetParam().name; }
    bool IsStandIn() const { return !IsWin32(Name()); }
    // The stand-in behind the interface, for what a case arranges in it.
    template <class StandIn>
    StandIn& StandInAs()
    {
        return static_cast<StandIn&>(*subject);
    }

    std::unique_ptr<Interface> subject;
};

// Runs a suite's cases against the stand-in and, in the Windows build, the
// Win32 adapter, each named by its implementation. The adapter's name is
// dropped unread in the native build, which has none.
#ifdef _WIN32
#define CONTRACT_ADAPTER_(Adapter) Adapter
#else
#define CONTRACT_ADAPTER_(Adapter) void
#endif
#define INSTANTIATE_CONTRACT(Suite, StandIn, Adapter)                                                          \
    INSTANTIATE_TEST_SUITE_P(                                                                                  \
        Both, Suite,                                                                                           \
        ::testing::ValuesIn(ContractImplementations<Suite::Subject, StandIn, CONTRACT_ADAPTER_(Adapter)>()), \
        [](const auto& info) { return std::string(info.param.name); })
