#pragma once

#include "platform/IClock.h"

class FakeClock : public IClock {
public:
    bool Now(LocalTime* result) override
    {
        if (fail) return false;
        *result = now;
        return true;
    }

    LocalTime now{12, 6, 14, 22, 5};
    bool fail = false;
};
