// What the whole run shares below the application object: the log, the
// Windows version class, whether the window metrics are dumped, and the
// string table. The application object is the run context of the program;
// a test makes one of its own. One is in effect per process.
#pragma once

#include <vector>

#include "fw/ProcessWide.h"
#include "log/ErrorLog.h"
#include "log/EventReport.h"

// The version class: below 6.2 (Windows 7), 6.2 (Windows 8), and above 6.2,
// which is Windows 8.1 (6.3) and later, Windows 10 and 11 included.
enum OsVersion { OSVER_OTHER = 0, OSVER_BEFORE_6_2 = 1, OSVER_6_2 = 2, OSVER_AFTER_6_2 = 3 };

inline constexpr int kTextChars = 260;  // every fixed text buffer of the tool

class CRunContext : public CProcessWide<CRunContext> {
public:
    CRunContext() = default;
    virtual ~CRunContext();

    // Copies a string-table text into buffer, at most min(size, 260)
    // characters with the terminator; FALSE (logged) when it cannot.
    BOOL LoadResString(UINT id, char16_t* buffer, int size);
    // A string-table text; empty when it cannot be loaded.
    String16 LoadText(UINT id);

    CErrorLog* m_pErrorLog = nullptr;  // owned; null when it could not be made
    // "/CreateLog": the log is on, and the window metrics are dumped into it.
    BOOL m_bCreateLog = FALSE;
    int m_nOsVersion = OSVER_OTHER;
    // Windows 10 or later (major version 10; OSVER_AFTER_6_2 also covers
    // 8.1): the pointer roles "Pin" and "Person" exist.
    BOOL m_bWindows10 = FALSE;
    // The run's reports to the Application event log, and those that wait
    // while the run holds them.
    CEventReport m_events;
    bool m_bHoldEvents = false;
    std::vector<std::pair<EventKind, std::vector<String16>>> m_heldEvents;
};

// The run context in effect. There is one wherever the tool runs: the
// application object from its start to its end, or a test's own. Code that
// runs outside both meets an empty one: no log, the version class unknown.
CRunContext& TheRun();

// Reports one event of the run to the Application event log, with as many
// inserts as its text takes; a report that fails is written to the log.
// Outside a run (no run context) nothing is reported.
void ReportEventOf(EventKind kind, std::vector<String16> inserts);
// The run's reports wait from now on: a run that then finds it has nothing
// to do reports nothing of what it met on the way. ReleaseEvents reports
// what waited (report) or drops it, and later reports go at once again.
void HoldEvents();
void ReleaseEvents(bool report);
template <EventKind kind, class... Inserts>
void ReportEvent(const Inserts&... inserts)
{
    static_assert(sizeof...(Inserts) == kEvents[kind].inserts, "an event takes as many inserts as its text has");
    ReportEventOf(kind, {String16(inserts)...});
}

// Writes one line to the log when logging is on.
template <class... Args>
void Log(const char16_t* format, const Args&... args)
{
    CErrorLog* log = TheRun().m_pErrorLog;
    if (log) log->WriteLog(format, args...);
}
