// The string table of the program's resources.
#pragma once

#include "platform/WinTypes.h"

class IStrings {
public:
    virtual ~IStrings() = default;

    // LoadStringW: copies entry id into buffer (at most capacity characters
    // including the terminator) and returns its length; 0 when the entry is
    // missing or empty, with the error in *lastError.
    virtual int LoadText(UINT id, char16_t* buffer, int capacity, DWORD* lastError) = 0;
};
