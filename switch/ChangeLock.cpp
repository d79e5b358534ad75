#include "switch/ChangeLock.h"

#include "log/RunContext.h"

bool CHeldMutex::Lock(const char16_t* name, DWORD milliseconds)
{
    Unlock();
    DWORD created = m_mutex.Create(name, false);
    if (!m_mutex) {
        Log(u"CHeldMutex::Lock %s could not be opened, code: %d.", name, created);
        return false;
    }
    const DWORD waited = m_sync.Wait(m_mutex.Get(), milliseconds);
    m_bHeld = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
    if (!m_bHeld) m_mutex.Close();
    return m_bHeld;
}

void CHeldMutex::Unlock()
{
    if (m_bHeld) m_sync.Release(m_mutex.Get());
    m_bHeld = false;
    m_mutex.Close();
}
