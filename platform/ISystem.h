// Process-wide facts and calls: the Windows version check.
#pragma once

#include "platform/WinTypes.h"

class ISystem {
public:
    virtual ~ISystem() = default;

    // VerifyVersionInfoW comparing major and minor version together, both with
    // the same operator (VER_EQUAL, VER_LESS or VER_GREATER).
    virtual BOOL VerifyVersion(DWORD major, DWORD minor, BYTE condition) = 0;
};
