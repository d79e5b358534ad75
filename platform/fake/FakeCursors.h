// Cursors counted by kind, so a test can prove that every cursor the tool
// loads or copies is either taken over by SetSystemCursor or destroyed,
// exactly once. SetSystemCursor refuses a cursor the tool does not own, as
// Windows' contract does (a shared LoadCursorW cursor would be destroyed).
#pragma once

#include <map>
#include <set>
#include <vector>

#include "platform/ICursors.h"

class FakeCursors : public ICursors {
public:
    struct Set {
        DWORD id;
        String16 source;  // the file, or "shared:<id>" (a copy of the shared image)
    };

    HCURSOR LoadFromFile(const char16_t* path) override;
    HCURSOR CopyShared(DWORD id) override;
    BOOL SetSystemCursor(HCURSOR cursor, DWORD id) override;
    BOOL DestroyCursor(HCURSOR cursor) override;
    UINT WindowsDirectory(char16_t* buffer, UINT capacity) override;

    // Cursors loaded or copied that nobody owns any more: leaked.
    int Leaked() const;

    std::set<String16> existingFiles;  // files that load; none by default
    bool refuseSet = false;            // SetSystemCursor fails
    String16 windowsDirectory = u"C:\\windows";
    std::vector<String16> fileLoads;   // every path asked for
    std::vector<Set> sets;             // successful SetSystemCursor calls
    int doubleReleases = 0;            // destroyed twice, or destroyed after a take-over
    int refusedSets = 0;               // SetSystemCursor with a cursor not owned

private:
    enum class State { Owned, TakenOver, Destroyed };
    HCURSOR NewCursor(const String16& source);
    std::map<HCURSOR, State> m_owned;
    std::map<HCURSOR, String16> m_source;
    std::uintptr_t m_next = 0x3000;
};
