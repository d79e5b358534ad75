#include "platform/fake/FakeEventLog.h"

namespace {
// Handles are 1-based indices into the names, never null.
HANDLE HandleOf(size_t index) { return reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(index + 1) * 4); }
size_t IndexOf(HANDLE handle) { return reinterpret_cast<std::uintptr_t>(handle) / 4 - 1; }
}  // namespace

HANDLE FakeEventLog::RegisterSource(const char16_t* source, DWORD* lastError)
{
    if (registerError) {
        *lastError = registerError;
        return nullptr;
    }
    m_names.push_back(source);
    HANDLE handle = HandleOf(m_names.size() - 1);
    m_open.insert(handle);
    *lastError = ERROR_SUCCESS;
    return handle;
}

BOOL FakeEventLog::Report(HANDLE source, WORD type, DWORD eventId, const std::vector<BYTE>& userSid,
                          const std::vector<String16>& inserts, DWORD* lastError)
{
    if (!m_open.count(source)) {
        *lastError = ERROR_INVALID_HANDLE;
        return FALSE;
    }
    if (reportError) {
        *lastError = reportError;
        return FALSE;
    }
    events.push_back({m_names[IndexOf(source)], type, eventId, userSid, inserts});
    *lastError = ERROR_SUCCESS;
    return TRUE;
}

BOOL FakeEventLog::DeregisterSource(HANDLE source) { return m_open.erase(source) == 1; }
