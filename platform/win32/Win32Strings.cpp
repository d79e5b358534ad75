#include "platform/win32/Win32Platform.h"

int Win32Strings::LoadText(UINT id, char16_t* buffer, int capacity, DWORD* lastError)
{
    if (capacity <= 0) return 0;  // 0 would ask LoadStringW for a pointer instead
    SetLastError(0);
    int n = LoadStringW(GetModuleHandleW(nullptr), id, Wide(buffer), capacity);
    if (n == 0) *lastError = GetLastError();
    return n;
}
