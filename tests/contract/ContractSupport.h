// What the contract tests share: the implementations to run a case against,
// and how a case that Wine answers otherwise than Windows is skipped there.
// Every case says what Windows answers and which page of Microsoft's says
// so; "undocumented" cases name their source, and "Wine's difference" cases
// run against the stand-in, which follows Windows.
#pragma once

#include <gtest/gtest.h>

#include <string>
#ifdef _WIN32
#include <windows.h>
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

// Runs a suite's cases once for each implementation in the list, each
// named by its implementation ("Stand_in", "Win32").
#define INSTANTIATE_CONTRACT(Suite, implementations)                                 \
    INSTANTIATE_TEST_SUITE_P(Both, Suite, ::testing::ValuesIn(implementations),       \
                             [](const auto& info) { return std::string(info.param.name); })
