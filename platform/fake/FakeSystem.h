#pragma once

#include <functional>
#include <vector>

#include "platform/ISystem.h"
#include "platform/fake/FakeClock.h"

// Answers the version check for a configured Windows version.
class FakeSystem : public ISystem {
public:
    BOOL VerifyVersion(DWORD major, DWORD minor, BYTE condition) override
    {
        long long mine = static_cast<long long>(versionMajor) * 1000 + versionMinor;
        long long asked = static_cast<long long>(major) * 1000 + minor;
        switch (condition) {
        case VER_EQUAL: return mine == asked;
        case VER_LESS: return mine < asked;
        case VER_GREATER: return mine > asked;
        default: return FALSE;
        }
    }

    // As GetModuleFileNameW from Vista on: a path cut to the buffer, with its
    // terminator, gives the buffer's size.
    DWORD ModuleFileName(char16_t* buffer, DWORD capacity) override
    {
        if (capacity == 0) return 0;
        DWORD n = static_cast<DWORD>(modulePath.size());
        const bool cut = n >= capacity;
        if (cut) n = capacity - 1;
        modulePath.copy(buffer, n);
        buffer[n] = 0;
        return cut ? capacity : n;
    }
    void Sleep(DWORD milliseconds) override
    {
        sleeps.push_back(milliseconds);
        if (clock) clock->Advance(milliseconds);
        if (onSleep) onSleep(milliseconds);
    }
    BOOL EndLogon(UINT flags, DWORD reason) override
    {
        exits.push_back({flags, reason});
        return TRUE;
    }

    // Records the thread; a test runs it when it wants to.
    BOOL StartThread(unsigned int (*fn)(void*), void* param) override
    {
        if (!threadsStart) return FALSE;
        threads.push_back({fn, param});
        return TRUE;
    }

    DWORD versionMajor = 10;
    DWORD versionMinor = 0;
    String16 modulePath = u"C:\\Program Files\\Halden\\CorvelChg\\CorvelChg.exe";
    std::vector<DWORD> sleeps;
    std::function<void(DWORD)> onSleep;  // what changes while the caller sleeps
    FakeClock* clock = nullptr;          // moved on by each pause
    std::vector<std::pair<UINT, DWORD>> exits;
    bool threadsStart = true;
    std::vector<std::pair<unsigned int (*)(void*), void*>> threads;
};
