// One change of display settings at a time, across the tool's processes: a
// switch (main window, "/mode", "/restore", "/original"), the sign-in run
// "/apply", the catch-up at an ordinary start and the sign-in check each hold
// kChangeMutexName while they change settings, and only then. Whatever also
// takes kAutoRunMutexName takes that one first.
#pragma once

#include "platform/ISync.h"

// Per session, as the tool's other mutexes: no "Global\" prefix.
inline constexpr char16_t kChangeMutexName[] = u"CorvelChangeMutex_Change";
inline constexpr char16_t kAutoRunMutexName[] = u"CorvelChangeMutex_AutoRun";
// A change waits this long for the one before it; then it changes nothing.
inline constexpr DWORD kChangeWait = 30000;

// A named mutex that the calling thread holds, released and closed on every
// path. A mutex that nobody owns is signalled, so holding it takes a wait.
class CHeldMutex {
public:
    explicit CHeldMutex(ISync& sync) : m_mutex(sync), m_sync(sync) {}
    ~CHeldMutex() { Unlock(); }
    CHeldMutex(const CHeldMutex&) = delete;
    CHeldMutex& operator=(const CHeldMutex&) = delete;

    // Opens or creates the mutex and waits for it at most milliseconds;
    // true when this thread holds it (an abandoned one included).
    bool Lock(const char16_t* name, DWORD milliseconds);
    void Unlock();
    bool Held() const { return m_bHeld; }

private:
    ScopedMutex m_mutex;
    ISync& m_sync;
    bool m_bHeld = false;
};
