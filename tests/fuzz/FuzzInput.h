// Reads a fuzzer's bytes as a stream of small numbers and texts.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/WinTypes.h"

class FuzzInput {
public:
    FuzzInput(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
    bool Empty() const { return m_pos >= m_size; }
    uint8_t Byte() { return m_pos < m_size ? m_data[m_pos++] : 0; }
    uint32_t Dword()
    {
        uint32_t value = 0;
        for (int i = 0; i < 4; ++i) value |= static_cast<uint32_t>(Byte()) << (8 * i);
        return value;
    }
    std::vector<BYTE> Bytes(size_t count)
    {
        std::vector<BYTE> out;
        while (count-- && !Empty()) out.push_back(Byte());
        return out;
    }
    String16 Text(size_t maxChars)
    {
        String16 out;
        size_t n = Byte() % (maxChars + 1);
        while (n-- && !Empty()) out += static_cast<char16_t>(Byte() | (Byte() << 8));
        return out;
    }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_pos = 0;
};
