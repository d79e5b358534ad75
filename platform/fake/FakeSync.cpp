#include "platform/fake/FakeSync.h"

HANDLE FakeSync::CreateNamedMutex(const char16_t* name, bool initialOwner, DWORD* lastError)
{
    std::lock_guard<std::mutex> guard(m_lock);
    if (createError) {
        *lastError = createError;
        return nullptr;
    }
    String16 key = name;
    bool existed = m_named.count(key) && (m_named[key].handles > 0 || m_named[key].heldElsewhere);
    Named& named = m_named[key];
    ++named.handles;
    if (!existed && initialOwner) named.ownedHere = true;
    *lastError = existed ? ERROR_ALREADY_EXISTS : 0;
    HANDLE handle = reinterpret_cast<HANDLE>(m_next);
    m_next += 4;
    m_handles[handle] = key;
    return handle;
}

DWORD FakeSync::Wait(HANDLE mutex, DWORD milliseconds)
{
    std::lock_guard<std::mutex> guard(m_lock);
    auto it = m_handles.find(mutex);
    if (it == m_handles.end()) return WAIT_FAILED;
    ++waits;
    timeouts[it->second] = milliseconds;
    Named& named = m_named[it->second];
    if (named.heldElsewhere && stuckElsewhere) return WAIT_TIMEOUT;
    const bool abandoned = named.heldElsewhere && abandonedElsewhere;
    named.heldElsewhere = false;
    named.ownedHere = true;
    return abandoned ? WAIT_ABANDONED : WAIT_OBJECT_0;
}

BOOL FakeSync::Release(HANDLE mutex)
{
    std::lock_guard<std::mutex> guard(m_lock);
    auto it = m_handles.find(mutex);
    if (it == m_handles.end()) return FALSE;
    Named& named = m_named[it->second];
    if (!named.ownedHere) return FALSE;
    named.ownedHere = false;
    ++releases;
    return TRUE;
}

void FakeSync::Close(HANDLE mutex)
{
    std::lock_guard<std::mutex> guard(m_lock);
    auto it = m_handles.find(mutex);
    if (it == m_handles.end()) return;
    Named& named = m_named[it->second];
    if (--named.handles == 0 && !named.heldElsewhere) m_named.erase(it->second);
    m_handles.erase(it);
}

void FakeSync::HoldElsewhere(StringView16 name)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_named[String16(name)].heldElsewhere = true;
}

void FakeSync::ReleaseElsewhere(StringView16 name)
{
    std::lock_guard<std::mutex> guard(m_lock);
    auto it = m_named.find(String16(name));
    if (it == m_named.end()) return;
    it->second.heldElsewhere = false;
    if (it->second.handles == 0) m_named.erase(it);
}

bool FakeSync::Exists(StringView16 name) const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_named.count(String16(name)) != 0;
}

int FakeSync::OpenHandleCount() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return static_cast<int>(m_handles.size());
}

int FakeSync::OpenHandleCount(StringView16 name) const
{
    std::lock_guard<std::mutex> guard(m_lock);
    int count = 0;
    for (const auto& handle : m_handles) count += handle.second == name;
    return count;
}
