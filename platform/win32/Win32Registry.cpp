#include "platform/win32/Win32Platform.h"

LONG Win32Registry::OpenKey(HKEY root, const char16_t* subKey, REGSAM access, HKEY* result)
{
    return RegOpenKeyExW(root, Wide(subKey), 0, access, result);
}

LONG Win32Registry::CreateKey(HKEY root, const char16_t* subKey, HKEY* result)
{
    return RegCreateKeyW(root, Wide(subKey), result);
}

LONG Win32Registry::QueryValue(HKEY key, const char16_t* name, DWORD* type, BYTE* data, DWORD* size)
{
    return RegQueryValueExW(key, Wide(name), nullptr, type, data, size);
}

LONG Win32Registry::SetValue(HKEY key, const char16_t* name, DWORD type, const BYTE* data, DWORD size)
{
    return RegSetValueExW(key, Wide(name), 0, type, data, size);
}

LONG Win32Registry::DeleteValue(HKEY key, const char16_t* name) { return RegDeleteValueW(key, Wide(name)); }

LONG Win32Registry::FlushKey(HKEY key) { return RegFlushKey(key); }

LONG Win32Registry::CloseKey(HKEY key) { return RegCloseKey(key); }
