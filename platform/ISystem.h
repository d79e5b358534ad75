// Process-wide facts and calls: the Windows version check, the program's own
// path, pauses, threads and the end of the logon.
#pragma once

#include "platform/WinTypes.h"

class ISystem {
public:
    virtual ~ISystem() = default;

    // VerifyVersionInfoW comparing major and minor version together, both with
    // the same operator (VER_EQUAL, VER_LESS or VER_GREATER).
    virtual BOOL VerifyVersion(DWORD major, DWORD minor, BYTE condition) = 0;
    // GetModuleFileNameW of the running program: the length copied.
    virtual DWORD ModuleFileName(char16_t* buffer, DWORD capacity) = 0;
    // Sleep.
    virtual void Sleep(DWORD milliseconds) = 0;
    // ExitWindowsEx.
    virtual BOOL EndLogon(UINT flags, DWORD reason) = 0;
    // _beginthreadex: fn(param) on a new thread that nobody waits for.
    virtual BOOL StartThread(unsigned int (*fn)(void*), void* param) = 0;
};
