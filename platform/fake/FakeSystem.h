#pragma once

#include "platform/ISystem.h"

// Answers the version check for a configured Windows version.
class FakeSystem : public ISystem {
public:
    BOOL VerifyVersion(DWORD major, DWORD minor, BYTE condition) override
    {
        long long mine = static_cast<long long>(versionMajor) * 1000 + versionMinor;
        long long asked = static_cast<long long>(major) * 1000 + minor;
        switch (condition) {
        case VER_EQUAL: return mine == asked;
        case VER_LESS: return mine < asked;
        case VER_GREATER: return mine > asked;
        default: return FALSE;
        }
    }

    DWORD versionMajor = 10;
    DWORD versionMinor = 0;
};
