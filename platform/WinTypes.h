// The Windows types and constants that the portable code uses. On Windows they
// come from <windows.h>; elsewhere this header defines the same names with the
// same sizes and values, so that the logic compiles unchanged on Linux.
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
#else

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using LONG = std::int32_t;
using UINT = unsigned int;
using BOOL = int;
using REGSAM = DWORD;
using HRESULT = std::int32_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;

struct HKEY__;
struct HWND__;
struct HICON__;
using HKEY = HKEY__*;
using HWND = HWND__*;
using HCURSOR = HICON__*;
using HANDLE = void*;

#define TRUE 1
#define FALSE 0

#define HKEY_CURRENT_USER (reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x80000001u)))
#define HKEY_LOCAL_MACHINE (reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x80000002u)))

constexpr LONG ERROR_SUCCESS = 0;
constexpr DWORD ERROR_FILE_NOT_FOUND = 2;
constexpr DWORD ERROR_PATH_NOT_FOUND = 3;
constexpr DWORD ERROR_ACCESS_DENIED = 5;
constexpr DWORD ERROR_INVALID_HANDLE = 6;
constexpr DWORD ERROR_NOT_ENOUGH_MEMORY = 8;
constexpr DWORD ERROR_INVALID_PARAMETER = 87;
constexpr DWORD ERROR_ALREADY_EXISTS = 183;
constexpr DWORD ERROR_MORE_DATA = 234;
constexpr DWORD ERROR_RESOURCE_NAME_NOT_FOUND = 1814;

constexpr DWORD REG_NONE = 0;
constexpr DWORD REG_SZ = 1;
constexpr DWORD REG_EXPAND_SZ = 2;
constexpr DWORD REG_BINARY = 3;
constexpr DWORD REG_DWORD = 4;
constexpr DWORD REG_MULTI_SZ = 7;
constexpr DWORD REG_QWORD = 11;

constexpr REGSAM KEY_QUERY_VALUE = 0x0001;
constexpr REGSAM KEY_SET_VALUE = 0x0002;
constexpr REGSAM KEY_READ = 0x20019;
constexpr REGSAM KEY_WRITE = 0x20006;
constexpr REGSAM KEY_ALL_ACCESS = 0xF003F;

constexpr UINT MB_OK = 0x00;
constexpr UINT MB_YESNO = 0x04;
constexpr UINT MB_ICONQUESTION = 0x20;
constexpr UINT MB_ICONWARNING = 0x30;
constexpr UINT MB_ICONINFORMATION = 0x40;
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

constexpr BYTE VER_EQUAL = 1;
constexpr BYTE VER_GREATER = 2;
constexpr BYTE VER_LESS = 4;

constexpr UINT WM_COMMAND = 0x0111;

constexpr DWORD INFINITE = 0xFFFFFFFF;
constexpr DWORD WAIT_OBJECT_0 = 0;
constexpr DWORD WAIT_ABANDONED = 0x80;
constexpr DWORD WAIT_FAILED = 0xFFFFFFFF;

constexpr UINT ICC_LISTVIEW_CLASSES = 0x01;
constexpr UINT ICC_TREEVIEW_CLASSES = 0x02;
constexpr UINT ICC_BAR_CLASSES = 0x04;
constexpr UINT ICC_TAB_CLASSES = 0x08;
constexpr UINT ICC_UPDOWN_CLASS = 0x10;
constexpr UINT ICC_PROGRESS_CLASS = 0x20;
constexpr UINT ICC_HOTKEY_CLASS = 0x40;
constexpr UINT ICC_ANIMATE_CLASS = 0x80;

#endif

// The string type used throughout the tool:
// every text is UTF-16, held as char16_t so that it has the same size on
// both builds (wchar_t is 32 bits wide on Linux).
#include <string>
#include <string_view>
using String16 = std::u16string;
using StringView16 = std::u16string_view;
