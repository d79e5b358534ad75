// The Windows types and constants that the portable code uses. On Windows they
// come from <windows.h>; elsewhere platform/WinDefs.h defines the same names
// with the same sizes and values, so that the logic compiles unchanged on Linux.
#pragma once

#include <cstdint>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#include <commctrl.h>
// Our registry helper of the same name is a function, not this macro.
#undef RegDeleteValue
#endif
#include "platform/WinDefs.h"

// The string type used throughout the tool:
// every text is UTF-16, held as char16_t so that it has the same size on
// both builds (wchar_t is 32 bits wide on Linux).
#include <string>
#include <string_view>
using String16 = std::u16string;
using StringView16 = std::u16string_view;
