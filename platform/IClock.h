// The local clock, for the log's time stamps.
#pragma once

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
};
