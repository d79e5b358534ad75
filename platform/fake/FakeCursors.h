// Cursors counted by kind, so a test can prove that every cursor loaded from
// a file is either taken over by SetSystemCursor or destroyed, exactly once,
// and that shared standard cursors are never destroyed.
#pragma once

#include <map>
#include <set>
#include <vector>

#include "platform/ICursors.h"

class FakeCursors : public ICursors {
public:
    struct Set {
        DWORD id;
        String16 source;  // the file, or "standard:<id>"
    };

    HCURSOR LoadFromFile(const char16_t* path) override;
    HCURSOR LoadStandard(UINT id) override;
    BOOL SetSystemCursor(HCURSOR cursor, DWORD id) override;
    BOOL DestroyCursor(HCURSOR cursor) override;
    UINT WindowsDirectory(char16_t* buffer, UINT capacity) override;

    // Cursors loaded from files that nobody owns any more: leaked.
    int Leaked() const;

    std::set<String16> existingFiles;  // files that load; none by default
    bool refuseSet = false;            // SetSystemCursor fails
    String16 windowsDirectory = u"C:\\windows";
    std::vector<String16> fileLoads;   // every path asked for
    std::vector<Set> sets;             // successful SetSystemCursor calls
    int doubleReleases = 0;            // destroyed twice, or destroyed after a take-over
    int sharedReleases = 0;            // standard cursors destroyed

private:
    enum class State { Owned, TakenOver, Destroyed };
    std::map<HCURSOR, State> m_fromFile;
    std::map<HCURSOR, UINT> m_standard;
    std::map<HCURSOR, String16> m_source;
    std::uintptr_t m_next = 0x3000;
};
