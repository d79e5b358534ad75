// What the tool reports to the Application event log, under the event
// source "Tessaly" that the MSI registers, where administrators collect it.
// One row an event: its name, its identifier as Event Viewer shows it (the
// low 16 bits), its level and how many inserts its text takes. The texts,
// in Japanese and English, are in res/events.mc, whose identifiers carry the
// level's severity bits above these (the Windows build checks each against
// the message compiler's header).
#pragma once

#include "platform/WinTypes.h"

// X(name, identifier, level, inserts)
#define TESSALY_EVENTS(X)                                        \
    X(SWITCHED, 1000, EVENTLOG_INFORMATION_TYPE, 2)              \
    X(SWITCHED_SIGN_IN, 1001, EVENTLOG_INFORMATION_TYPE, 2)      \
    X(SWITCH_ITEMS_FAILED, 1002, EVENTLOG_WARNING_TYPE, 3)       \
    X(SWITCH_NOT_KEPT, 1003, EVENTLOG_ERROR_TYPE, 4)             \
    X(SWITCH_BUSY, 1004, EVENTLOG_WARNING_TYPE, 2)               \
    X(SWITCH_NOT_RUN, 1005, EVENTLOG_ERROR_TYPE, 2)              \
    X(RETURNED, 1100, EVENTLOG_INFORMATION_TYPE, 0)              \
    X(RETURNED_SIGN_IN, 1101, EVENTLOG_INFORMATION_TYPE, 0)      \
    X(RETURN_ITEMS_FAILED, 1102, EVENTLOG_WARNING_TYPE, 1)       \
    X(RETURN_BUSY, 1103, EVENTLOG_WARNING_TYPE, 0)               \
    X(RETURN_NOT_RUN, 1104, EVENTLOG_ERROR_TYPE, 0)              \
    X(CHECK_PUT_BACK, 1200, EVENTLOG_INFORMATION_TYPE, 3)        \
    X(CHECK_ITEMS_FAILED, 1201, EVENTLOG_WARNING_TYPE, 4)        \
    X(CHECK_NO_DESKTOP, 1202, EVENTLOG_WARNING_TYPE, 0)          \
    X(CHECK_NO_SIGN_IN_RUN, 1203, EVENTLOG_WARNING_TYPE, 0)      \
    X(CHECK_NOT_KEPT, 1204, EVENTLOG_ERROR_TYPE, 2)              \
    X(CHECK_BUSY, 1205, EVENTLOG_WARNING_TYPE, 0)                \
    X(CHECK_NOT_RUN, 1206, EVENTLOG_ERROR_TYPE, 0)               \
    X(POLICY_OUT_OF_RANGE, 1300, EVENTLOG_WARNING_TYPE, 3)       \
    X(POLICY_WRONG_TYPE, 1301, EVENTLOG_WARNING_TYPE, 1)         \
    X(SIGN_IN_RUN_DONE, 1400, EVENTLOG_INFORMATION_TYPE, 3)      \
    X(SIGN_IN_RUN_RETURNED, 1401, EVENTLOG_INFORMATION_TYPE, 0)  \
    X(SIGN_IN_RUN_CANCELLED, 1402, EVENTLOG_WARNING_TYPE, 2)     \
    X(SIGN_IN_RUN_FAILED, 1403, EVENTLOG_WARNING_TYPE, 2)        \
    X(SIGN_IN_RUN_RETURN_LEFT, 1404, EVENTLOG_WARNING_TYPE, 1)   \
    X(SIGN_IN_RUN_HELD_OFF, 1405, EVENTLOG_WARNING_TYPE, 0)

enum EventKind {
#define TESSALY_EVENT_KIND(name, id, level, inserts) EVENT_##name,
    TESSALY_EVENTS(TESSALY_EVENT_KIND)
#undef TESSALY_EVENT_KIND
};

struct EventDefinition {
    WORD id;
    WORD level;
    int inserts;
};

inline constexpr EventDefinition kEvents[] = {
#define TESSALY_EVENT_ROW(name, id, level, inserts) {id, level, inserts},
    TESSALY_EVENTS(TESSALY_EVENT_ROW)
#undef TESSALY_EVENT_ROW
};

// The identifier ReportEvent takes: the level's severity bits (the message
// compiler's Informational 01, Warning 10, Error 11) above the 16 bits.
constexpr DWORD FullEventId(WORD id, WORD level)
{
    const DWORD severity = level == EVENTLOG_ERROR_TYPE ? 3 : level == EVENTLOG_WARNING_TYPE ? 2 : 1;
    return severity << 30 | id;
}
