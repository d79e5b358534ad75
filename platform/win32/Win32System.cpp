#include "platform/win32/Win32Platform.h"

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
