// Small text helpers shared by the logic, the stand-ins and the tests.
#pragma once

#include <string>

#include "platform/WinTypes.h"

// UTF-8 to UTF-16 and back; malformed input becomes U+FFFD.
String16 Utf8To16(std::string_view text);
std::string Utf16To8(StringView16 text);

// ASCII case folding, as the registry and window classes compare names.
char16_t FoldCase(char16_t c);
bool EqualsNoCase(StringView16 a, StringView16 b);
String16 Folded(StringView16 text);

// Length of a zero-terminated text, never reading past capacity characters.
size_t BoundedLength(const char16_t* text, size_t capacity);
