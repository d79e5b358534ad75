// The Windows types, constants and structures that the portable code uses,
// written out by hand for the native build, with the sizes, values and
// layouts of the SDK. The Windows build takes them from the SDK headers and
// compiles this file only in platform/win32/SdkCheck.cpp, which compares
// every definition here with the SDK's. Include it through WinTypes.h.
//
// It includes nothing itself, so that the check can put it in a namespace
// of its own; the includer provides <cstdint>.
#pragma once

// In <windows.h>: defined here for the native build only.
#if !defined(_WIN32) || defined(TESSALY_SDK_CHECK)

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
constexpr DWORD ERROR_WRITE_FAULT = 29;
constexpr DWORD ERROR_SHARING_VIOLATION = 32;
constexpr DWORD ERROR_DISK_FULL = 112;
constexpr DWORD ERROR_INVALID_PARAMETER = 87;
constexpr DWORD ERROR_ALREADY_EXISTS = 183;
constexpr DWORD ERROR_MORE_DATA = 234;
constexpr DWORD ERROR_NOT_OWNER = 288;
constexpr DWORD ERROR_INVALID_SPI_VALUE = 1439;
constexpr DWORD ERROR_RESOURCE_NAME_NOT_FOUND = 1814;
constexpr UINT MAX_PATH = 260;

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
constexpr DWORD WAIT_TIMEOUT = 258;
constexpr DWORD WAIT_FAILED = 0xFFFFFFFF;

constexpr UINT ICC_LISTVIEW_CLASSES = 0x01;
constexpr UINT ICC_TREEVIEW_CLASSES = 0x02;
constexpr UINT ICC_BAR_CLASSES = 0x04;
constexpr UINT ICC_TAB_CLASSES = 0x08;
constexpr UINT ICC_UPDOWN_CLASS = 0x10;
constexpr UINT ICC_PROGRESS_CLASS = 0x20;
constexpr UINT ICC_HOTKEY_CLASS = 0x40;
constexpr UINT ICC_ANIMATE_CLASS = 0x80;

constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr UINT EWX_LOGOFF = 0;

constexpr int COLOR_HIGHLIGHT = 13;
constexpr int COLOR_HIGHLIGHTTEXT = 14;
constexpr int COLOR_BTNFACE = 15;
constexpr int COLOR_BTNTEXT = 18;
constexpr int COLOR_GRAYTEXT = 17;

struct LOGFONTW {
    LONG lfHeight;
    LONG lfWidth;
    LONG lfEscapement;
    LONG lfOrientation;
    LONG lfWeight;
    BYTE lfItalic;
    BYTE lfUnderline;
    BYTE lfStrikeOut;
    BYTE lfCharSet;
    BYTE lfOutPrecision;
    BYTE lfClipPrecision;
    BYTE lfQuality;
    BYTE lfPitchAndFamily;
    char16_t lfFaceName[32];
};
// The wide NONCLIENTMETRICS structure with its trailing iPaddedBorderWidth,
// laid out as Windows lays it out (504 bytes).
struct NONCLIENTMETRICSW {
    UINT cbSize;
    int iBorderWidth;
    int iScrollWidth;
    int iScrollHeight;
    int iCaptionWidth;
    int iCaptionHeight;
    LOGFONTW lfCaptionFont;
    int iSmCaptionWidth;
    int iSmCaptionHeight;
    LOGFONTW lfSmCaptionFont;
    int iMenuWidth;
    int iMenuHeight;
    LOGFONTW lfMenuFont;
    LOGFONTW lfStatusFont;
    LOGFONTW lfMessageFont;
    int iPaddedBorderWidth;
};
constexpr UINT SPI_GETNONCLIENTMETRICS = 0x0029;
constexpr UINT SPI_SETNONCLIENTMETRICS = 0x002A;
constexpr UINT SPI_GETCARETWIDTH = 0x2006;
constexpr UINT SPI_SETCARETWIDTH = 0x2007;
constexpr UINT SPI_GETHIGHCONTRAST = 0x0042;
constexpr DWORD HCF_HIGHCONTRASTON = 0x00000001;
struct HIGHCONTRASTW {
    UINT cbSize;
    DWORD dwFlags;
    wchar_t* lpszDefaultScheme;
};
constexpr UINT SPIF_UPDATEINIFILE = 0x01;
constexpr UINT SPIF_SENDCHANGE = 0x02;
constexpr UINT SPI_SETCURSORS = 0x0057;

constexpr BYTE SID_REVISION = 1;
constexpr BYTE SID_MAX_SUB_AUTHORITIES = 15;

constexpr WORD EVENTLOG_SUCCESS = 0x0000;
constexpr WORD EVENTLOG_ERROR_TYPE = 0x0001;
constexpr WORD EVENTLOG_WARNING_TYPE = 0x0002;
constexpr WORD EVENTLOG_INFORMATION_TYPE = 0x0004;
#endif

// Not in the headers the tool includes on Windows (<htmlhelp.h>, and the OCR_
// numbers that <windows.h> offers only with OEMRESOURCE): defined here for
// both builds, and checked against the SDK all the same.
constexpr UINT HH_DISPLAY_TOPIC = 0x0000;
constexpr UINT HH_CLOSE_ALL = 0x0012;

constexpr DWORD OCR_NORMAL = 32512;
constexpr DWORD OCR_IBEAM = 32513;
constexpr DWORD OCR_WAIT = 32514;
constexpr DWORD OCR_CROSS = 32515;
constexpr DWORD OCR_UP = 32516;
constexpr DWORD OCR_SIZENWSE = 32642;
constexpr DWORD OCR_SIZENESW = 32643;
constexpr DWORD OCR_SIZEWE = 32644;
constexpr DWORD OCR_SIZENS = 32645;
constexpr DWORD OCR_SIZEALL = 32646;
constexpr DWORD OCR_NO = 32648;
constexpr DWORD OCR_HAND = 32649;
constexpr DWORD OCR_APPSTARTING = 32650;
constexpr DWORD OCR_HELP = 32651;
// Windows 10's "location select" and "person select" pointers.
constexpr DWORD OCR_PIN = 32671;
constexpr DWORD OCR_PERSON = 32672;
