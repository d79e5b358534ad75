// The local clock, for the log's time stamps, and the time since the system
// started, for bounds on waits.
#pragma once

#include <cstdint>

struct LocalTime {
    int month;  // 1-12
    int day;    // 1-31
    int hour;
    int minute;
    int second;
};

class IClock {
public:
    virtual ~IClock() = default;

    // time() and localtime(): false when the local time cannot be determined.
    virtual bool Now(LocalTime* result) = 0;
    // GetTickCount64: milliseconds since the system started; never goes back.
    virtual std::uint64_t Ticks() = 0;
};
