#include "platform/win32/Win32Platform.h"

#include <process.h>

namespace {
struct ThreadStart {
    unsigned int (*fn)(void*);
    void* param;
};

unsigned __stdcall ThreadMain(void* start)
{
    ThreadStart copy = *static_cast<ThreadStart*>(start);
    delete static_cast<ThreadStart*>(start);
    return copy.fn(copy.param);
}
}  // namespace

BOOL Win32System::VerifyVersion(DWORD major, DWORD minor, BYTE condition)
{
    OSVERSIONINFOEXW info{};
    info.dwOSVersionInfoSize = sizeof(info);
    info.dwMajorVersion = major;
    info.dwMinorVersion = minor;
    DWORDLONG mask = 0;
    mask = VerSetConditionMask(mask, VER_MAJORVERSION, condition);
    mask = VerSetConditionMask(mask, VER_MINORVERSION, condition);
    return VerifyVersionInfoW(&info, VER_MAJORVERSION | VER_MINORVERSION, mask);
}

DWORD Win32System::ModuleFileName(char16_t* buffer, DWORD capacity)
{
    return GetModuleFileNameW(nullptr, Wide(buffer), capacity);
}

void Win32System::Sleep(DWORD milliseconds) { ::Sleep(milliseconds); }

BOOL Win32System::EndLogon(UINT flags, DWORD reason) { return ExitWindowsEx(flags, reason); }

BOOL Win32System::StartThread(unsigned int (*fn)(void*), void* param)
{
    auto* start = new ThreadStart{fn, param};
    uintptr_t thread = _beginthreadex(nullptr, 0, ThreadMain, start, 0, nullptr);
    if (!thread) {
        delete start;
        return FALSE;
    }
    ScopedKernelHandle started(reinterpret_cast<HANDLE>(thread));  // nobody waits for it
    return TRUE;
}
