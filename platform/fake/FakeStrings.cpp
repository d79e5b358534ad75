#include "platform/fake/FakeStrings.h"

#include <fstream>
#include <sstream>

#include "platform/Text.h"

#ifndef STRING_TABLE_RC
#error "STRING_TABLE_RC must name the resource script with the string table"
#endif

// The script is read once per process; each stand-in starts from a copy.
FakeStrings::FakeStrings()
{
    static const std::map<UINT, String16> parsed = [] {
        std::ifstream in(STRING_TABLE_RC, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return ParseStringTable(text.str());
    }();
    table = parsed;
}

// Entries look like:  10001 "Tessaly"  with \n, \t, \\ and "" escapes.
std::map<UINT, String16> FakeStrings::ParseStringTable(std::string_view script)
{
    std::map<UINT, String16> result;
    bool inTable = false;
    size_t pos = 0;
    while (pos < script.size()) {
        size_t end = script.find('\n', pos);
        if (end == std::string_view::npos) end = script.size();
        std::string_view line = script.substr(pos, end - pos);
        pos = end + 1;
        size_t first = line.find_first_not_of(" \t\r");
        if (first == std::string_view::npos) continue;
        line = line.substr(first);
        if (line.rfind("STRINGTABLE", 0) == 0) inTable = true;
        if (line.rfind("END", 0) == 0) inTable = false;
        if (!inTable || line[0] < '0' || line[0] > '9') continue;
        UINT id = 0;
        size_t i = 0;
        while (i < line.size() && line[i] >= '0' && line[i] <= '9') id = id * 10 + (line[i++] - '0');
        size_t open = line.find('"', i);
        if (open == std::string_view::npos) continue;
        std::string value;
        for (size_t k = open + 1; k < line.size(); ++k) {
            char c = line[k];
            if (c == '"') {
                if (k + 1 < line.size() && line[k + 1] == '"') {
                    value += '"';
                    ++k;
                    continue;
                }
                break;
            }
            if (c == '\\' && k + 1 < line.size()) {
                char e = line[++k];
                value += e == 'n' ? '\n' : e == 't' ? '\t' : e == 'r' ? '\r' : e;
                continue;
            }
            value += c;
        }
        result[id] = Utf8To16(value);
    }
    return result;
}

// Resources keep strings in blocks of 16 ids: LoadStringW finds the block
// of the id, or fails with ERROR_RESOURCE_NAME_NOT_FOUND when the module has
// none; an id of a block without a string of its own is an empty slot,
// which gives 0 and sets no error (Wine's answer, measured by the contract
// test; Windows' is not documented).
bool FakeStrings::HasBlockOf(UINT id) const
{
    for (const auto& entry : table) {
        if (entry.first / 16 == id / 16 && !entry.second.empty()) return true;
    }
    return false;
}

// As LoadStringW: copies at most capacity - 1 characters and terminates.
int FakeStrings::LoadText(UINT id, char16_t* buffer, int capacity, DWORD* lastError)
{
    auto it = table.find(id);
    if (it == table.end() || it->second.empty()) {
        *lastError = HasBlockOf(id) ? ERROR_SUCCESS : ERROR_RESOURCE_NAME_NOT_FOUND;
        if (capacity > 0) buffer[0] = 0;
        return 0;
    }
    if (capacity <= 0) return 0;
    int n = static_cast<int>(it->second.size());
    if (n > capacity - 1) n = capacity - 1;
    it->second.copy(buffer, n);
    buffer[n] = 0;
    return n;
}
