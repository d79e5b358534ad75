// Named mutexes within one test process, owned by threads as on Windows: a
// mutex that no thread owns is signalled, its owner may wait again and must
// release as often, only the owner may release it, and a thread that ends
// while it owns one leaves it abandoned (the next wait returns
// WAIT_ABANDONED and owns it). A wait for a mutex that another thread of
// the test owns blocks for up to its time-out.
//
// A holder in another process is modelled by HoldElsewhere. A wait on it
// returns at once, as if that holder had just released it, and is counted;
// with stuckElsewhere it times out instead, and with abandonedElsewhere the
// holder ended without releasing it. A wait that times out moves the clock
// on by its time-out. A failed wait or release sets the calling thread's
// last error, as Windows' is kept per thread.
#pragma once

#include <condition_variable>
#include <map>
#include <mutex>
#include <thread>

#include "platform/ISync.h"
#include "platform/fake/FakeClock.h"

class FakeSync : public ISync {
public:
    FakeSync();
    ~FakeSync() override;
    HANDLE CreateNamedMutex(const char16_t* name, bool initialOwner, DWORD* lastError) override;
    DWORD Wait(HANDLE mutex, DWORD milliseconds) override;
    BOOL Release(HANDLE mutex) override;
    void Close(HANDLE mutex) override;
    DWORD LastError() override;

    void HoldElsewhere(StringView16 name);
    void ReleaseElsewhere(StringView16 name);
    bool Exists(StringView16 name) const;
    // Some thread of this process, or the holder elsewhere, owns it.
    bool IsOwned(StringView16 name) const;
    int OpenHandleCount() const;
    int OpenHandleCount(StringView16 name) const;

    DWORD createError = 0;  // nonzero: creation fails with it
    String16 createErrorOf;  // ... of this mutex only; empty: of every one
    bool stuckElsewhere = false;
    bool abandonedElsewhere = false;
    int waits = 0;
    std::map<String16, DWORD> timeouts;  // of the last wait, by mutex name
    int releases = 0;
    FakeClock* clock = nullptr;

    // Called as a thread ends: what it owns is abandoned.
    void ThreadEnded(std::thread::id thread);

private:
    struct Named {
        int handles = 0;
        std::thread::id owner;  // none: no thread of this process owns it
        int count = 0;          // recursive ownership
        bool abandoned = false;
        bool heldElsewhere = false;
    };
    DWORD Take(Named& named);
    DWORD TimedOut(DWORD milliseconds);
    mutable std::mutex m_lock;
    std::condition_variable m_released;
    std::map<String16, Named> m_named;
    std::map<HANDLE, String16> m_handles;
    std::uintptr_t m_next = 0x200;
};
