// Named mutexes within one test process. "Another process" holding a mutex
// is modelled by HoldElsewhere; a wait on it returns at once, as if that
// holder had just released it, and is counted; with stuckElsewhere it times
// out instead, and with abandonedElsewhere the holder ended without
// releasing it: the wait returns WAIT_ABANDONED and, as on Windows, the
// waiter owns the mutex and must release it.
#pragma once

#include <map>
#include <mutex>
#include <set>

#include "platform/ISync.h"

class FakeSync : public ISync {
public:
    HANDLE CreateNamedMutex(const char16_t* name, bool initialOwner, DWORD* lastError) override;
    DWORD Wait(HANDLE mutex, DWORD milliseconds) override;
    BOOL Release(HANDLE mutex) override;
    void Close(HANDLE mutex) override;

    void HoldElsewhere(StringView16 name);
    void ReleaseElsewhere(StringView16 name);
    bool Exists(StringView16 name) const;
    int OpenHandleCount() const;
    int OpenHandleCount(StringView16 name) const;

    DWORD createError = 0;  // nonzero: creation fails with it
    bool stuckElsewhere = false;
    bool abandonedElsewhere = false;
    int waits = 0;
    std::map<String16, DWORD> timeouts;  // of the last wait, by mutex name
    int releases = 0;

private:
    struct Named {
        int handles = 0;
        bool ownedHere = false;
        bool heldElsewhere = false;
    };
    mutable std::mutex m_lock;
    std::map<String16, Named> m_named;
    std::map<HANDLE, String16> m_handles;
    std::uintptr_t m_next = 0x200;
};
