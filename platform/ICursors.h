// The system cursors of the running logon.
#pragma once

#include "platform/WinTypes.h"

class ICursors {
public:
    virtual ~ICursors() = default;

    // LoadImageW(LR_LOADFROMFILE) of a .cur or .ani at the size the file
    // has (LoadCursorFromFileW would scale a large pointer down to the
    // default size): a cursor the caller owns; null when it cannot be loaded.
    virtual HCURSOR LoadFromFile(const char16_t* path) = 0;
    // A copy (CopyImage, which also copies animated cursors) of Windows'
    // default image of the system cursor id, LoadImageW of the predefined
    // OCR_ image with LR_SHARED: a cursor the caller owns. Not LoadCursorW,
    // which gives the pointer in use for the id, whatever replaced it.
    virtual HCURSOR CopyDefault(DWORD id) = 0;
    // SetSystemCursor: on success Windows takes the cursor over and destroys
    // it later itself, so it must be one the caller owns, never a shared
    // cursor from LoadCursorW.
    virtual BOOL SetSystemCursor(HCURSOR cursor, DWORD id) = 0;
    // DestroyCursor.
    virtual BOOL DestroyCursor(HCURSOR cursor) = 0;
    // GetWindowsDirectoryW: the length copied, 0 on failure.
    virtual UINT WindowsDirectory(char16_t* buffer, UINT capacity) = 0;
};
