// printf-style formatting of UTF-16 text, the same on every build: "%s" takes
// a UTF-16 text, "%d" a number shown as a signed 32-bit value (so 0xFFFFFFFF
// reads -1), "%u" as an unsigned one, "%%" a percent sign. Any other
// directive, or one without an argument, is copied as it stands; an argument
// of the wrong kind prints as empty text or 0. The format is always the
// program's own text: texts from the registry or the string table travel as
// arguments only.
#pragma once

#include <concepts>
#include <cstdint>
#include <initializer_list>

#include "platform/WinTypes.h"

class FormatArg {
public:
    template <std::integral T>
    FormatArg(T value) : m_isText(false), m_number(static_cast<std::int64_t>(value)) {}
    FormatArg(const char16_t* text) : m_isText(true), m_text(text ? StringView16(text) : StringView16()) {}
    FormatArg(char16_t* text) : FormatArg(static_cast<const char16_t*>(text)) {}
    FormatArg(const String16& text) : m_isText(true), m_text(text) {}
    FormatArg(StringView16 text) : m_isText(true), m_text(text) {}

    bool IsText() const { return m_isText; }
    std::int64_t Number() const { return m_isText ? 0 : m_number; }
    StringView16 Text() const { return m_isText ? m_text : StringView16(); }

private:
    bool m_isText;
    std::int64_t m_number = 0;
    StringView16 m_text;
};

String16 FormatText(StringView16 format, std::initializer_list<FormatArg> args);

template <class... Args>
String16 Format(const char16_t* format, const Args&... args)
{
    return FormatText(format, {FormatArg(args)...});
}

// Decimal text of a number as a signed 32-bit value (radix 10, like _itow).
String16 SignedDecimal(std::int64_t value);
