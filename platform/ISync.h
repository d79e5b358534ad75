// Named mutexes.
#pragma once

#include "platform/ScopedHandle.h"
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
    // GetLastError on the calling thread, right after a failed Wait or
    // Release of this interface (ERROR_NOT_OWNER for a release by a thread
    // that does not own the mutex).
    virtual DWORD LastError() = 0;
};

struct MutexTraits : NullMeansNone {
    using Handle = HANDLE;
    ISync* sync;
    void Close(HANDLE mutex) { sync->Close(mutex); }
};

// Owns one mutex handle and closes it on every path.
class ScopedMutex : public ScopedHandle<MutexTraits> {
public:
    explicit ScopedMutex(ISync& sync) : ScopedHandle(MutexTraits{{}, &sync}) {}

    // Returns the last-error code of the creation.
    [[nodiscard]] DWORD Create(const char16_t* name, bool initialOwner)
    {
        DWORD lastError = 0;
        ISync& sync = *traits().sync;
        HANDLE* slot = Receive();
        *slot = sync.CreateNamedMutex(name, initialOwner, &lastError);
        return lastError;
    }
    void Close() { Reset(); }
};
