#include "switch/ChangeLock.h"

#include "log/RunContext.h"
#include "platform/Platform.h"

void CChangeDeadline::Start()
{
    m_bStarted = true;
    m_ullEnd = Plat().clock.Ticks() + kChangeWait;
}

DWORD CChangeDeadline::Left() const
{
    if (!m_bStarted) return kChangeWait;
    const std::uint64_t now = Plat().clock.Ticks();
    return now >= m_ullEnd ? 0 : static_cast<DWORD>(m_ullEnd - now);
}

LockResult CHeldMutex::Lock(const char16_t* name, DWORD milliseconds)
{
    Unlock();
    DWORD created = m_mutex.Create(name, false);
    if (!m_mutex) {
        Log(u"CHeldMutex::Lock %s could not be opened, code: %d.", name, created);
        return LOCK_NOT_OPENED;
    }
    const DWORD waited = m_sync.Wait(m_mutex.Get(), milliseconds);
    if (waited == WAIT_FAILED) {
        Log(u"CHeldMutex::Lock %s could not be waited for.", name);
        m_mutex.Close();
        return LOCK_NOT_OPENED;
    }
    m_bHeld = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
    if (!m_bHeld) {
        m_mutex.Close();
        return LOCK_TIMED_OUT;
    }
    return waited == WAIT_ABANDONED ? LOCK_ABANDONED : LOCK_HELD;
}

void CHeldMutex::Unlock()
{
    if (m_bHeld) m_sync.Release(m_mutex.Get());
    m_bHeld = false;
    m_mutex.Close();
}

bool MayGoOn(LockResult result, const char16_t* prefix)
{
    if (result == LOCK_ABANDONED) {
        Log(u"%s the previous change ended without finishing; this one goes on.", prefix);
    } else if (result == LOCK_NOT_OPENED) {
        Log(u"%s the exclusion of other changes could not be had, nothing was changed.", prefix);
    }
    return result == LOCK_HELD || result == LOCK_ABANDONED;
}
