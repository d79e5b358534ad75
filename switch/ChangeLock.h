// One change of display settings at a time, across the tool's processes: a
// switch (main window, "/mode", "/restore", "/original"), the sign-in run
// "/apply", the catch-up at an ordinary start and the sign-in check each hold
// kChangeMutexName while they change settings, and only then. Whatever also
// takes kAutoRunMutexName takes that one first.
#pragma once

#include <cstdint>

#include "platform/ISync.h"

// Per session, as the tool's other mutexes: no "Global\" prefix.
inline constexpr char16_t kChangeMutexName[] = u"CorvelChangeMutex_Change";
inline constexpr char16_t kAutoRunMutexName[] = u"CorvelChangeMutex_AutoRun";
// A change waits at most this long for the ones before it; then it changes
// nothing. Waits with no person in between share it (CChangeDeadline).
inline constexpr DWORD kChangeWait = 30000;

// The time a run may still wait for other changes: kChangeWait from its
// start, which the run's waits share, or from a person's click. One never
// started gives each wait the whole of kChangeWait.
class CChangeDeadline {
public:
    void Start();
    DWORD Left() const;

private:
    bool m_bStarted = false;
    std::uint64_t m_ullEnd = 0;
};

// How a wait for a named mutex ended.
enum LockResult {
    LOCK_HELD,
    LOCK_ABANDONED,   // held: its last holder ended without releasing it
    LOCK_TIMED_OUT,   // another holder kept it for the whole wait
    LOCK_NOT_OPENED,  // the mutex could not be opened or created (logged)
};

// A named mutex that the calling thread holds, released and closed on every
// path. A mutex that nobody owns is signalled, so holding it takes a wait.
class CHeldMutex {
public:
    explicit CHeldMutex(ISync& sync) : m_mutex(sync), m_sync(sync) {}
    ~CHeldMutex() { Unlock(); }
    CHeldMutex(const CHeldMutex&) = delete;
    CHeldMutex& operator=(const CHeldMutex&) = delete;

    // Opens or creates the mutex and waits for it at most milliseconds.
    LockResult Lock(const char16_t* name, DWORD milliseconds);
    void Unlock();
    bool Held() const { return m_bHeld; }

private:
    ScopedMutex m_mutex;
    ISync& m_sync;
    bool m_bHeld = false;
};

// Whether a change may go on after its wait: held, or abandoned by a run that
// ended midway (a crash, Task Manager, a power cut), which is logged with
// the caller's prefix. A mutex that could not be opened is logged too.
bool MayGoOn(LockResult result, const char16_t* prefix);
