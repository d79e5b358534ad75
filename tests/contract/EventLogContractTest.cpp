// The event log against the event-log stand-in and, under Wine, the Win32
// adapter: a source registered on this computer, a report with the user's
// SID and inserts, the source deregistered.
//   RegisterEventSourceW  https://learn.microsoft.com/windows/win32/api/winbase/nf-winbase-registereventsourcew
//   ReportEventW          https://learn.microsoft.com/windows/win32/api/winbase/nf-winbase-reporteventw
//   DeregisterEventSource https://learn.microsoft.com/windows/win32/api/winbase/nf-winbase-deregistereventsource
//   GetTokenInformation   https://learn.microsoft.com/windows/win32/api/securitybaseapi/nf-securitybaseapi-gettokeninformation
//   SID                   https://learn.microsoft.com/windows/win32/api/winnt/ns-winnt-sid
//   IsValidSid            https://learn.microsoft.com/windows/win32/api/securitybaseapi/nf-securitybaseapi-isvalidsid
#include <vector>

#include "platform/fake/FakeEventLog.h"
#include "tests/contract/ContractSupport.h"

namespace {

constexpr char16_t kSource[] = u"TessalyContract";
constexpr DWORD kEventId = 0x40000064;  // informational, 100

class EventLogContract : public ContractTest<IEventLog> {};

// The layout of the SID structure: Revision, SubAuthorityCount, a 6-byte
// IdentifierAuthority, then SubAuthorityCount 32-bit SubAuthority values.
// IsValidSid checks "that the revision number is within a known range, and
// that the number of subauthorities is less than the maximum".
bool IsWholeSid(const std::vector<BYTE>& sid)
{
    return sid.size() >= 8 && sid[0] == SID_REVISION && sid[1] >= 1 && sid[1] <= SID_MAX_SUB_AUTHORITIES &&
           sid.size() == 8u + 4u * sid[1];
}

// GetTokenInformation with TokenUser gives the SID of the user the process
// runs as: a whole, valid SID.
TEST_P(EventLogContract, TheUsersSidIsValid)
{
    const std::vector<BYTE> sid = subject->UserSid();
    EXPECT_TRUE(IsWholeSid(sid)) << sid.size();
#ifdef _WIN32
    if (!IsStandIn()) {
        EXPECT_TRUE(IsValidSid(const_cast<BYTE*>(sid.data())));
    }
#endif
    EXPECT_EQ(subject->UserSid(), sid);
}

// RegisterEventSourceW on this computer: "If the function succeeds, the
// return value is a handle to the event log" (a source not registered
// under the Eventlog key still gets one: "the event logging service uses
// the Application log"). ReportEventW with the user's SID and two inserts:
// "If the function succeeds, the return value is nonzero, indicating that
// the entry was written to the log." DeregisterEventSource: "If the function
// succeeds, the return value is nonzero."
TEST_P(EventLogContract, ASourceTakesAReportWithTheUsersSid)
{
    DWORD error = 12345;
    HANDLE source = subject->RegisterSource(kSource, &error);
    ASSERT_NE(source, nullptr) << error;
    EXPECT_EQ(error, 0u);
    const std::vector<BYTE> sid = subject->UserSid();
    error = 12345;
    EXPECT_TRUE(subject->Report(source, EVENTLOG_INFORMATION_TYPE, kEventId, sid, {u"設定②", u"2"}, &error));
    EXPECT_EQ(error, 0u);
    EXPECT_TRUE(subject->Report(source, EVENTLOG_WARNING_TYPE, kEventId + 1, {}, {}, &error));
    if (IsStandIn()) {
        const auto& events = StandInAs<FakeEventLog>().events;
        ASSERT_EQ(events.size(), 2u);
        EXPECT_EQ(events[0].source, kSource);
        EXPECT_EQ(events[0].type, EVENTLOG_INFORMATION_TYPE);
        EXPECT_EQ(events[0].id, kEventId);
        EXPECT_EQ(events[0].sid, sid);
        EXPECT_EQ(events[0].inserts, (std::vector<String16>{u"設定②", u"2"}));
    }
    EXPECT_TRUE(subject->DeregisterSource(source));
}

// A report to no source fails, with ERROR_INVALID_HANDLE (not documented:
// the page names other codes; Windows' known answer).
TEST_P(EventLogContract, AReportToNoSourceFails)
{
    SKIP_WINE_DIFFERENCE(Name(), "ReportEventW is a stub that returns TRUE, even for a null handle");
    DWORD error = 0;
    EXPECT_FALSE(subject->Report(nullptr, EVENTLOG_ERROR_TYPE, kEventId, {}, {u"x"}, &error));
    EXPECT_EQ(error, static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

// A source deregistered is closed: a report to it fails with
// ERROR_INVALID_HANDLE (not documented; Windows' known answer).
TEST_P(EventLogContract, ADeregisteredSourceTakesNoReport)
{
    SKIP_WINE_DIFFERENCE(Name(), "RegisterEventSourceW gives a dummy handle, which ReportEventW takes even "
                                 "after DeregisterEventSource");
    DWORD error = 0;
    HANDLE source = subject->RegisterSource(kSource, &error);
    ASSERT_NE(source, nullptr);
    ASSERT_TRUE(subject->DeregisterSource(source));
    EXPECT_FALSE(subject->Report(source, EVENTLOG_INFORMATION_TYPE, kEventId, {}, {}, &error));
    EXPECT_EQ(error, static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

INSTANTIATE_CONTRACT(EventLogContract, FakeEventLog, Win32EventLog);

}  // namespace
