#include "platform/fake/FakeCursors.h"

#include <string>

HCURSOR FakeCursors::LoadFromFile(const char16_t* path)
{
    fileLoads.push_back(path);
    if (!existingFiles.count(path)) return nullptr;
    HCURSOR cursor = reinterpret_cast<HCURSOR>(m_next);
    m_next += 4;
    m_fromFile[cursor] = State::Owned;
    m_source[cursor] = path;
    return cursor;
}

HCURSOR FakeCursors::LoadStandard(UINT id)
{
    for (const auto& entry : m_standard) {
        if (entry.second == id) return entry.first;
    }
    HCURSOR cursor = reinterpret_cast<HCURSOR>(static_cast<std::uintptr_t>(0x100000 + id));
    m_standard[cursor] = id;
    std::string digits = std::to_string(id);
    m_source[cursor] = u"standard:" + String16(digits.begin(), digits.end());
    return cursor;
}

BOOL FakeCursors::SetSystemCursor(HCURSOR cursor, DWORD id)
{
    if (refuseSet || !cursor) return FALSE;
    auto it = m_fromFile.find(cursor);
    if (it != m_fromFile.end()) {
        if (it->second != State::Owned) return FALSE;
        it->second = State::TakenOver;
    } else if (!m_standard.count(cursor)) {
        return FALSE;
    }
    sets.push_back(Set{id, m_source[cursor]});
    return TRUE;
}

BOOL FakeCursors::DestroyCursor(HCURSOR cursor)
{
    if (m_standard.count(cursor)) {
        ++sharedReleases;
        return TRUE;
    }
    auto it = m_fromFile.find(cursor);
    if (it == m_fromFile.end()) return FALSE;
    if (it->second != State::Owned) {
        ++doubleReleases;
        return FALSE;
    }
    it->second = State::Destroyed;
    return TRUE;
}

UINT FakeCursors::WindowsDirectory(char16_t* buffer, UINT capacity)
{
    if (windowsDirectory.size() + 1 > capacity) return static_cast<UINT>(windowsDirectory.size() + 1);
    windowsDirectory.copy(buffer, windowsDirectory.size());
    buffer[windowsDirectory.size()] = 0;
    return static_cast<UINT>(windowsDirectory.size());
}

int FakeCursors::Leaked() const
{
    int leaked = 0;
    for (const auto& entry : m_fromFile) leaked += entry.second == State::Owned;
    return leaked;
}
