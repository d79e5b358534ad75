#include "platform/fake/FakeCursors.h"

#include <string>

HCURSOR FakeCursors::NewCursor(const String16& source)
{
    HCURSOR cursor = reinterpret_cast<HCURSOR>(m_next);
    m_next += 4;
    m_owned[cursor] = State::Owned;
    m_source[cursor] = source;
    return cursor;
}

HCURSOR FakeCursors::LoadFromFile(const char16_t* path)
{
    fileLoads.push_back(path);
    return existingFiles.count(path) ? NewCursor(path) : nullptr;
}

// A copy of the shared image of the id, recorded as "shared:<id>".
// Only the predefined cursors' OCR_ ids load (Windows 10's pin and person
// included); any other id loads nothing.
HCURSOR FakeCursors::CopyShared(DWORD id)
{
    const bool predefined = (id >= 32512 && id <= 32516) || (id >= 32640 && id <= 32651 && id != 32647) ||
                            id == 32671 || id == 32672;
    if (!predefined) return nullptr;
    std::string digits = std::to_string(id);
    return NewCursor(u"shared:" + String16(digits.begin(), digits.end()));
}

BOOL FakeCursors::SetSystemCursor(HCURSOR cursor, DWORD id)
{
    auto it = m_owned.find(cursor);
    if (it == m_owned.end() || it->second != State::Owned) {
        ++refusedSets;
        return FALSE;
    }
    if (refuseSet) return FALSE;
    it->second = State::TakenOver;
    sets.push_back(Set{id, m_source[cursor]});
    return TRUE;
}

BOOL FakeCursors::DestroyCursor(HCURSOR cursor)
{
    auto it = m_owned.find(cursor);
    if (it == m_owned.end()) return FALSE;
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
    for (const auto& entry : m_owned) leaked += entry.second == State::Owned;
    return leaked;
}
