// The system cursors of the running logon.
#pragma once

#include "platform/WinTypes.h"

class ICursors {
public:
    virtual ~ICursors() = default;

    // LoadCursorFromFileW: a cursor the caller owns; null when the file
    // cannot be loaded.
    virtual HCURSOR LoadFromFile(const char16_t* path) = 0;
    // LoadCursorW(NULL, id): a shared standard cursor, never to be destroyed.
    virtual HCURSOR LoadStandard(UINT id) = 0;
    // SetSystemCursor: on success Windows takes the cursor over and destroys
    // it later itself.
    virtual BOOL SetSystemCursor(HCURSOR cursor, DWORD id) = 0;
    // DestroyCursor.
    virtual BOOL DestroyCursor(HCURSOR cursor) = 0;
    // GetWindowsDirectoryW: the length copied, 0 on failure.
    virtual UINT WindowsDirectory(char16_t* buffer, UINT capacity) = 0;
};
