// The five registry operations of the tool. Each opens its key, acts and
// closes it again, and returns a Win32 error code (0 on success, 87 for a
// value of the wrong type).
#pragma once

#include <vector>

#include "platform/WinTypes.h"

// A REG_DWORD value. *value is written only when the value is a REG_DWORD.
LONG RegReadDword(HKEY root, const char16_t* subKey, const char16_t* name, DWORD* value);
// A REG_SZ value of at most bufferBytes bytes into a zero-filled buffer; no
// terminator is added, so readers bound the text by the buffer's size.
LONG RegReadStr(HKEY root, const char16_t* subKey, const char16_t* name, char16_t* buffer, DWORD bufferBytes);
LONG RegWriteDword(HKEY root, const char16_t* subKey, const char16_t* name, DWORD value);
// type is REG_SZ or REG_EXPAND_SZ; the terminator is stored with the text.
LONG RegWriteStr(HKEY root, const char16_t* subKey, const char16_t* name, DWORD type, const char16_t* text);
// 2 when the value does not exist.
LONG RegDeleteValue(HKEY root, const char16_t* subKey, const char16_t* name);
// A value as it is stored, of any type, byte for byte; at most kRawValueBytes.
inline constexpr DWORD kRawValueBytes = 64 * 1024;
LONG RegReadRaw(HKEY root, const char16_t* subKey, const char16_t* name, DWORD* type, std::vector<BYTE>* data);
LONG RegWriteRaw(HKEY root, const char16_t* subKey, const char16_t* name, DWORD type, const std::vector<BYTE>& data);
