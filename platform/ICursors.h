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
    // A copy (CopyImage, which also copies animated cursors) of the shared
    // image that LoadImageW of the predefined OCR_ id with LR_SHARED gives:
    // a cursor the caller owns, since SetSystemCursor takes over what it is
    // given. That image is what LoadCursorW gives for the id, at the default
    // size (LR_SHARED ignores any size asked for); nothing documented makes
    // it Windows' original image rather than one that SetSystemCursor put
    // there before.
    virtual HCURSOR CopyShared(DWORD id) = 0;
    // SetSystemCursor: on success Windows takes the cursor over and destroys
    // it later itself, so it must be one the caller owns, never a shared
    // cursor from LoadCursorW.
    virtual BOOL SetSystemCursor(HCURSOR cursor, DWORD id) = 0;
    // DestroyCursor.
    virtual BOOL DestroyCursor(HCURSOR cursor) = 0;
    // GetWindowsDirectoryW: the length copied, 0 on failure.
    virtual UINT WindowsDirectory(char16_t* buffer, UINT capacity) = 0;
};
