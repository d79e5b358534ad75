#include "platform/win32/Win32Platform.h"

HANDLE Win32Sync::CreateNamedMutex(const char16_t* name, bool initialOwner, DWORD* lastError)
{
    HANDLE mutex = CreateMutexW(nullptr, initialOwner, Wide(name));
    *lastError = GetLastError();
    return mutex;
}

DWORD Win32Sync::Wait(HANDLE mutex, DWORD milliseconds) { return WaitForSingleObject(mutex, milliseconds); }

BOOL Win32Sync::Release(HANDLE mutex) { return ReleaseMutex(mutex); }

void Win32Sync::Close(HANDLE mutex) { CloseHandle(mutex); }

DWORD Win32Sync::LastError() { return GetLastError(); }
