// Named mutexes.
#pragma once

#include "platform/WinTypes.h"

class ISync {
public:
    virtual ~ISync() = default;

    // CreateMutexW with no security attributes; *lastError receives
    // GetLastError() right after the call (ERROR_ALREADY_EXISTS when the
    // mutex existed). Returns null on failure.
    virtual HANDLE CreateNamedMutex(const char16_t* name, bool initialOwner, DWORD* lastError) = 0;
    // WaitForSingleObject.
    virtual DWORD Wait(HANDLE mutex, DWORD milliseconds) = 0;
    // ReleaseMutex.
    virtual BOOL Release(HANDLE mutex) = 0;
    // CloseHandle.
    virtual void Close(HANDLE mutex) = 0;
};

// Owns one mutex handle and closes it on every path.
class ScopedMutex {
public:
    explicit ScopedMutex(ISync& sync) : m_sync(sync) {}
    ~ScopedMutex() { Close(); }
    ScopedMutex(const ScopedMutex&) = delete;
    ScopedMutex& operator=(const ScopedMutex&) = delete;

    // Returns the last-error code of the creation.
    DWORD Create(const char16_t* name, bool initialOwner)
    {
        Close();
        DWORD lastError = 0;
        m_handle = m_sync.CreateNamedMutex(name, initialOwner, &lastError);
        return lastError;
    }
    void Close()
    {
        if (m_handle) m_sync.Close(m_handle);
        m_handle = nullptr;
    }
    HANDLE Get() const { return m_handle; }

private:
    ISync& m_sync;
    HANDLE m_handle = nullptr;
};
