// Reports to the Application event log under the source "Tessaly", each
// event with the SID of the user the run belongs to, on the calling thread,
// so that the end of the run never cuts a report off.
#pragma once

#include <set>
#include <utility>
#include <vector>

#include "log/Events.h"
#include "platform/ScopedHandle.h"

inline constexpr char16_t kEventSource[] = u"Tessaly";

// The registered event source, deregistered through the platform.
struct EventSourceTraits : NullMeansNone {
    using Handle = HANDLE;
    static void Close(HANDLE source);
};

class CEventReport {
public:
    // Reports one event now: 0, or the error of the call that failed, named
    // in *failedCall. A policy value's event goes once a run for each value:
    // the others are passed over (0).
    DWORD Report(EventKind kind, const std::vector<String16>& inserts, const char16_t** failedCall);

private:
    // The source is registered at the first report, and again after one
    // that could not be.
    HANDLE Source(DWORD* error);

    ScopedHandle<EventSourceTraits> m_source;
    std::vector<BYTE> m_sid;
    std::set<std::pair<int, std::vector<String16>>> m_reported;
};
