#include "platform/win32/Win32Platform.h"

// Width and height 0 without LR_DEFAULTSIZE: the size the file has.
HCURSOR Win32Cursors::LoadFromFile(const char16_t* path)
{
    return static_cast<HCURSOR>(LoadImageW(nullptr, Wide(path), IMAGE_CURSOR, 0, 0, LR_LOADFROMFILE));
}

// The shared image is the system's and never destroyed here; the caller
// gets a copy of its own.
HCURSOR Win32Cursors::CopyShared(DWORD id)
{
    HANDLE shared = LoadImageW(nullptr, MAKEINTRESOURCEW(id), IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE | LR_SHARED);
    return shared ? static_cast<HCURSOR>(CopyImage(shared, IMAGE_CURSOR, 0, 0, 0)) : nullptr;
}

BOOL Win32Cursors::SetSystemCursor(HCURSOR cursor, DWORD id) { return ::SetSystemCursor(cursor, id); }

BOOL Win32Cursors::DestroyCursor(HCURSOR cursor) { return ::DestroyCursor(cursor); }

UINT Win32Cursors::WindowsDirectory(char16_t* buffer, UINT capacity)
{
    return GetWindowsDirectoryW(Wide(buffer), capacity);
}
