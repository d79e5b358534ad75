// The program's string table, read from the same resource script that the
// Windows build compiles, so both builds show the same texts.
#pragma once

#include <map>

#include "platform/IStrings.h"

class FakeStrings : public IStrings {
public:
    FakeStrings();  // loads the tool's string table
    int LoadText(UINT id, char16_t* buffer, int capacity, DWORD* lastError) override;

    // Parses the STRINGTABLE entries of a UTF-8 resource script.
    static std::map<UINT, String16> ParseStringTable(std::string_view script);

    std::map<UINT, String16> table;

private:
    // Whether a string of the id's block of 16 is there.
    bool HasBlockOf(UINT id) const;
};
