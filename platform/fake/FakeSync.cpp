#include "platform/fake/FakeSync.h"

#include <chrono>
#include <set>

namespace {

// The stand-ins alive now, so that a thread that ends after its stand-in
// never reaches a destroyed one.
std::mutex g_liveLock;
std::set<FakeSync*> g_live;

// One per thread that ever owned a mutex of a stand-in: at the thread's end
// it abandons what the thread still owns, as Windows does.
struct ThreadEnd {
    std::set<FakeSync*> touched;
    ~ThreadEnd()
    {
        std::lock_guard<std::mutex> guard(g_liveLock);
        for (FakeSync* sync : touched) {
            if (g_live.count(sync)) sync->ThreadEnded(std::this_thread::get_id());
        }
    }
};
thread_local ThreadEnd t_threadEnd;

// GetLastError's value: one per thread.
thread_local DWORD t_lastError = ERROR_SUCCESS;

DWORD Failed(DWORD result, DWORD error)
{
    t_lastError = error;
    return result;
}

}  // namespace

FakeSync::FakeSync()
{
    std::lock_guard<std::mutex> guard(g_liveLock);
    g_live.insert(this);
}

FakeSync::~FakeSync()
{
    std::lock_guard<std::mutex> guard(g_liveLock);
    g_live.erase(this);
}

// The calling thread takes a mutex that nobody owns, or owns it once more.
DWORD FakeSync::Take(Named& named)
{
    const bool abandoned = named.abandoned;
    named.abandoned = false;
    named.owner = std::this_thread::get_id();
    ++named.count;
    t_threadEnd.touched.insert(this);
    return abandoned ? WAIT_ABANDONED : WAIT_OBJECT_0;
}

DWORD FakeSync::TimedOut(DWORD milliseconds)
{
    if (clock) clock->Advance(milliseconds);
    return WAIT_TIMEOUT;
}

HANDLE FakeSync::CreateNamedMutex(const char16_t* name, bool initialOwner, DWORD* lastError)
{
    std::lock_guard<std::mutex> guard(m_lock);
    if (createError && (createErrorOf.empty() || createErrorOf == name)) {
        *lastError = createError;
        return nullptr;
    }
    String16 key = name;
    auto found = m_named.find(key);
    bool existed = found != m_named.end() && (found->second.handles > 0 || found->second.heldElsewhere);
    Named& named = m_named[key];
    ++named.handles;
    // Of an existing mutex initialOwner is ignored, as CreateMutexW does.
    if (!existed && initialOwner) Take(named);
    *lastError = existed ? ERROR_ALREADY_EXISTS : 0;
    HANDLE handle = reinterpret_cast<HANDLE>(m_next);
    m_next += 4;
    m_handles[handle] = key;
    return handle;
}

DWORD FakeSync::Wait(HANDLE mutex, DWORD milliseconds)
{
    std::unique_lock<std::mutex> guard(m_lock);
    auto it = m_handles.find(mutex);
    if (it == m_handles.end()) return Failed(WAIT_FAILED, ERROR_INVALID_HANDLE);
    const String16 key = it->second;
    ++waits;
    timeouts[key] = milliseconds;
    Named& named = m_named[key];
    if (named.heldElsewhere) {
        if (stuckElsewhere) return TimedOut(milliseconds);
        named.heldElsewhere = false;
        named.abandoned = abandonedElsewhere;
    }
    const std::thread::id self = std::this_thread::get_id();
    auto free = [&] { return named.count == 0 || named.owner == self; };
    if (milliseconds == INFINITE) {
        m_released.wait(guard, free);
    } else if (!m_released.wait_for(guard, std::chrono::milliseconds(milliseconds), free)) {
        return TimedOut(milliseconds);
    }
    return Take(named);
}

BOOL FakeSync::Release(HANDLE mutex)
{
    std::lock_guard<std::mutex> guard(m_lock);
    auto it = m_handles.find(mutex);
    if (it == m_handles.end()) return Failed(FALSE, ERROR_INVALID_HANDLE);
    Named& named = m_named[it->second];
    if (named.count == 0 || named.owner != std::this_thread::get_id()) return Failed(FALSE, ERROR_NOT_OWNER);
    if (--named.count == 0) {
        named.owner = std::thread::id();
        m_released.notify_all();
    }
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

DWORD FakeSync::LastError() { return t_lastError; }

void FakeSync::ThreadEnded(std::thread::id thread)
{
    std::lock_guard<std::mutex> guard(m_lock);
    for (auto& entry : m_named) {
        Named& named = entry.second;
        if (named.count == 0 || named.owner != thread) continue;
        named.count = 0;
        named.owner = std::thread::id();
        named.abandoned = true;
    }
    m_released.notify_all();
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

bool FakeSync::IsOwned(StringView16 name) const
{
    std::lock_guard<std::mutex> guard(m_lock);
    auto it = m_named.find(String16(name));
    return it != m_named.end() && (it->second.count > 0 || it->second.heldElsewhere);
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
