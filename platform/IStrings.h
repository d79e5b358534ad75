// The string table of the program's resources.
#pragma once

#include "platform/WinTypes.h"

class IStrings {
public:
    virtual ~IStrings() = default;

    // LoadStringW: copies entry id into buffer (at most capacity characters
    // including the terminator) and returns its length; 0 when the entry is
    // missing or empty, with GetLastError in *lastError:
    // ERROR_RESOURCE_NAME_NOT_FOUND when no string of its block of 16 is
    // there, 0 for an empty slot of a block.
    virtual int LoadText(UINT id, char16_t* buffer, int capacity, DWORD* lastError) = 0;
};
