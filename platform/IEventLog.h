// The Windows event log: the tool reports what it did to the Application log
// under an event source of its own, where administrators collect it.
#pragma once

#include <vector>

#include "platform/WinTypes.h"

class IEventLog {
public:
    virtual ~IEventLog() = default;

    // RegisterEventSourceW on this computer: a handle, or null with the error
    // in *lastError.
    virtual HANDLE RegisterSource(const char16_t* source, DWORD* lastError) = 0;
    // ReportEventW with category 0 and no binary data: the full 32-bit event
    // identifier (severity bits included), the user's SID (empty: none) and
    // the inserts. FALSE with the error in *lastError when it fails.
    virtual BOOL Report(HANDLE source, WORD type, DWORD eventId, const std::vector<BYTE>& userSid,
                        const std::vector<String16>& inserts, DWORD* lastError) = 0;
    // DeregisterEventSource.
    virtual BOOL DeregisterSource(HANDLE source) = 0;
    // The SID of the user the process runs as (GetTokenInformation with
    // TokenUser), as its bytes; empty when it cannot be read.
    virtual std::vector<BYTE> UserSid() = 0;
};
