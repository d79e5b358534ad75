// The file calls behind the log file.
#pragma once

#include "platform/WinTypes.h"

class IFileSystem {
public:
    using FileId = void*;

    virtual ~IFileSystem() = default;

    // GetFileAttributesW: true when something exists at the path.
    virtual bool Exists(const char16_t* path) = 0;
    // CreateFileW for appending, shared for reading and writing with every
    // other opener: every write lands at the end of the file as it is then,
    // so two processes appending at once never overwrite each other. With
    // create, a missing file is created. Returns null and the Win32 error
    // on failure. Not a plain pass-through: reparse points are not followed,
    // and anything that is not a plain file, or whose final path is not the
    // named file, is refused with ERROR_ACCESS_DENIED (a link planted at the
    // log's path is never written through).
    virtual FileId OpenAppend(const char16_t* path, bool create, DWORD* error) = 0;
    // WriteFile of the whole buffer; false with the Win32 error on failure.
    virtual bool Write(FileId file, const void* data, DWORD size, DWORD* error) = 0;
    // CloseHandle.
    virtual void Close(FileId file) = 0;
    // FormatMessageW of a system error code; empty when none is available.
    virtual String16 ErrorText(DWORD error) = 0;
};
