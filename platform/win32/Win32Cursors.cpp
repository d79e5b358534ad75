#include "platform/win32/Win32Platform.h"

HCURSOR Win32Cursors::LoadFromFile(const char16_t* path) { return LoadCursorFromFileW(Wide(path)); }

HCURSOR Win32Cursors::LoadStandard(UINT id) { return LoadCursorW(nullptr, MAKEINTRESOURCEW(id)); }

BOOL Win32Cursors::SetSystemCursor(HCURSOR cursor, DWORD id) { return ::SetSystemCursor(cursor, id); }

BOOL Win32Cursors::DestroyCursor(HCURSOR cursor) { return ::DestroyCursor(cursor); }

UINT Win32Cursors::WindowsDirectory(char16_t* buffer, UINT capacity)
{
    return GetWindowsDirectoryW(Wide(buffer), capacity);
}
