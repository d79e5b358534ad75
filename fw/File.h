// The file class that the log derives from: one open handle, closed on every
// path. Failures come back as results with the Win32 error, not exceptions.
#pragma once

#include "platform/Platform.h"

class CFile {
public:
    CFile() = default;
    virtual ~CFile() { Close(); }
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    static bool GetStatus(const char16_t* path) { return Plat().files.Exists(path); }

    // Opens for appending: every write lands at the end of the file.
    bool Open(const char16_t* path, bool create, DWORD* error)
    {
        Close();
        m_hFile = Plat().files.OpenAppend(path, create, error);
        return m_hFile != nullptr;
    }
    bool Write(const void* data, DWORD size, DWORD* error)
    {
        if (!m_hFile) {
            *error = ERROR_INVALID_HANDLE;
            return false;
        }
        return Plat().files.Write(m_hFile, data, size, error);
    }
    void Close()
    {
        if (m_hFile) Plat().files.Close(m_hFile);
        m_hFile = nullptr;
    }
    bool IsOpen() const { return m_hFile != nullptr; }

private:
    IFileSystem::FileId m_hFile = nullptr;
};
