// The event log kept in memory: the sources registered and each report, as
// Windows takes them. A report to a handle that is not an open source fails
// with ERROR_INVALID_HANDLE; registering and reporting can be told to fail.
#pragma once

#include <set>
#include <vector>

#include "platform/IEventLog.h"

class FakeEventLog : public IEventLog {
public:
    struct Event {
        String16 source;
        WORD type;
        DWORD id;
        std::vector<BYTE> sid;
        std::vector<String16> inserts;
    };

    HANDLE RegisterSource(const char16_t* source, DWORD* lastError) override;
    BOOL Report(HANDLE source, WORD type, DWORD eventId, const std::vector<BYTE>& userSid,
                const std::vector<String16>& inserts, DWORD* lastError) override;
    BOOL DeregisterSource(HANDLE source) override;
    std::vector<BYTE> UserSid() override { return userSid; }

    std::vector<Event> events;
    DWORD registerError = 0;  // nonzero: RegisterSource fails with it
    DWORD reportError = 0;    // nonzero: Report fails with it (ERROR_LOG_FILE_FULL, say)
    // S-1-5-21-1-2-3-1001: a local account's.
    std::vector<BYTE> userSid = {1, 5, 0, 0, 0, 0, 0, 5, 21, 0, 0, 0, 1, 0, 0, 0,
                                 2, 0, 0, 0, 3, 0, 0, 0, 0xE9, 3, 0, 0};
    int OpenSources() const { return static_cast<int>(m_open.size()); }

private:
    std::set<HANDLE> m_open;
    std::vector<String16> m_names;  // by handle number
};
