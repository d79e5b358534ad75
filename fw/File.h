// The file class that the log derives from: one open handle, closed on every
// path. Failures come back as results with the Win32 error, not exceptions.
#pragma once

#include "platform/Platform.h"
#include "platform/ScopedHandle.h"

// A log file handle, closed through the platform.
struct FileTraits : NullMeansNone {
    using Handle = IFileSystem::FileId;
    static void Close(IFileSystem::FileId file) { Plat().files.Close(file); }
};

class CFile {
public:
    CFile() = default;
    virtual ~CFile() = default;
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    static bool GetStatus(const char16_t* path) { return Plat().files.Exists(path); }

    // Opens for appending: every write lands at the end of the file.
    [[nodiscard]] bool Open(const char16_t* path, bool create, DWORD* error)
    {
        m_hFile.Reset(Plat().files.OpenAppend(path, create, error));
        return IsOpen();
    }
    bool Write(const void* data, DWORD size, DWORD* error)
    {
        if (!m_hFile) {
            *error = ERROR_INVALID_HANDLE;
            return false;
        }
        return Plat().files.Write(m_hFile.Get(), data, size, error);
    }
    void Close() { m_hFile.Reset(); }
    bool IsOpen() const { return static_cast<bool>(m_hFile); }

private:
    ScopedHandle<FileTraits> m_hFile;
};
