#pragma once

#include <atomic>

#include "platform/IClock.h"

// The local time as a test sets it, and a tick count that moves only when a
// stand-in spends time (a pause, a wait that times out) or a test moves it.
class FakeClock : public IClock {
public:
    bool Now(LocalTime* result) override
    {
        if (fail) return false;
        *result = now;
        return true;
    }
    std::uint64_t Ticks() override { return ticks; }
    void Advance(std::uint64_t milliseconds) { ticks += milliseconds; }

    LocalTime now{12, 6, 14, 22, 5};
    bool fail = false;
    std::atomic<std::uint64_t> ticks{1000000};
};
