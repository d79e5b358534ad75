#include "log/EventReport.h"

#include "platform/Platform.h"

void EventSourceTraits::Close(HANDLE source) { Plat().events.DeregisterSource(source); }

namespace {

// Read once a run for each value, they would be reported once a read.
bool OnceARun(EventKind kind) { return kind == EVENT_POLICY_OUT_OF_RANGE || kind == EVENT_POLICY_WRONG_TYPE; }

}  // namespace

HANDLE CEventReport::Source(DWORD* error)
{
    *error = ERROR_SUCCESS;
    if (m_source) return m_source.Get();
    IEventLog& events = Plat().events;
    m_source.Reset(events.RegisterSource(kEventSource, error));
    if (m_source) m_sid = events.UserSid();
    return m_source.Get();
}

DWORD CEventReport::Report(EventKind kind, const std::vector<String16>& inserts, const char16_t** failedCall)
{
    *failedCall = u"";
    if (OnceARun(kind) && !m_reported.insert({kind, inserts}).second) return ERROR_SUCCESS;
    DWORD error = ERROR_SUCCESS;
    HANDLE source = Source(&error);
    if (!source) {
        *failedCall = u"RegisterEventSource";
        return error;
    }
    const EventDefinition& event = kEvents[kind];
    if (Plat().events.Report(source, event.level, FullEventId(event.id, event.level), m_sid, inserts, &error)) {
        return ERROR_SUCCESS;
    }
    *failedCall = u"ReportEvent";
    return error;
}
