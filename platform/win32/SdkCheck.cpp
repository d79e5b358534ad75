// Compile-time proof that every Windows type, constant and structure that
// platform/WinDefs.h writes out by hand for the native build is the SDK's:
// the same size and signedness, the same value, the same field offsets.
// A mismatch stops the Windows build. Add a line here with each new
// definition there (a test checks that none is missing).
#include <cstddef>
#include <cstdint>
#include <type_traits>

#define TESSALY_SDK_CHECK
namespace hand {
#include "platform/WinDefs.h"
}  // namespace hand

// Every value, once. Each is copied out of the namespace here, before the SDK
// headers make its name a macro; "##" keeps the name from being expanded.
#define HAND_VALUES(X) \
    X(ERROR_SUCCESS) \
    X(ERROR_FILE_NOT_FOUND) \
    X(ERROR_PATH_NOT_FOUND) \
    X(ERROR_ACCESS_DENIED) \
    X(ERROR_INVALID_HANDLE) \
    X(ERROR_NOT_ENOUGH_MEMORY) \
    X(ERROR_WRITE_FAULT) \
    X(ERROR_SHARING_VIOLATION) \
    X(ERROR_DISK_FULL) \
    X(ERROR_INVALID_PARAMETER) \
    X(ERROR_ALREADY_EXISTS) \
    X(ERROR_MORE_DATA) \
    X(ERROR_NOT_OWNER) \
    X(ERROR_INVALID_SPI_VALUE) \
    X(ERROR_RESOURCE_NAME_NOT_FOUND) \
    X(MAX_PATH) \
    X(REG_NONE) \
    X(REG_SZ) \
    X(REG_EXPAND_SZ) \
    X(REG_BINARY) \
    X(REG_DWORD) \
    X(REG_MULTI_SZ) \
    X(REG_QWORD) \
    X(KEY_QUERY_VALUE) \
    X(KEY_SET_VALUE) \
    X(KEY_READ) \
    X(KEY_WRITE) \
    X(KEY_ALL_ACCESS) \
    X(MB_OK) \
    X(MB_YESNO) \
    X(MB_ICONQUESTION) \
    X(MB_ICONWARNING) \
    X(MB_ICONINFORMATION) \
    X(IDOK) \
    X(IDCANCEL) \
    X(IDYES) \
    X(IDNO) \
    X(VER_EQUAL) \
    X(VER_GREATER) \
    X(VER_LESS) \
    X(WM_COMMAND) \
    X(INFINITE) \
    X(WAIT_OBJECT_0) \
    X(WAIT_ABANDONED) \
    X(SID_REVISION) \
    X(SID_MAX_SUB_AUTHORITIES) \
    X(EVENTLOG_SUCCESS) \
    X(EVENTLOG_ERROR_TYPE) \
    X(EVENTLOG_WARNING_TYPE) \
    X(EVENTLOG_INFORMATION_TYPE) \
    X(WAIT_TIMEOUT) \
    X(WAIT_FAILED) \
    X(ICC_LISTVIEW_CLASSES) \
    X(ICC_TREEVIEW_CLASSES) \
    X(ICC_BAR_CLASSES) \
    X(ICC_TAB_CLASSES) \
    X(ICC_UPDOWN_CLASS) \
    X(ICC_PROGRESS_CLASS) \
    X(ICC_HOTKEY_CLASS) \
    X(ICC_ANIMATE_CLASS) \
    X(SW_HIDE) \
    X(SW_SHOWNORMAL) \
    X(EWX_LOGOFF) \
    X(COLOR_HIGHLIGHT) \
    X(COLOR_HIGHLIGHTTEXT) \
    X(COLOR_BTNFACE) \
    X(COLOR_BTNTEXT) \
    X(COLOR_GRAYTEXT) \
    X(SPI_GETNONCLIENTMETRICS) \
    X(SPI_SETNONCLIENTMETRICS) \
    X(SPI_GETCARETWIDTH) \
    X(SPI_SETCARETWIDTH) \
    X(SPI_GETHIGHCONTRAST) \
    X(HCF_HIGHCONTRASTON) \
    X(SPIF_UPDATEINIFILE) \
    X(SPIF_SENDCHANGE) \
    X(SPI_SETCURSORS) \
    X(HH_DISPLAY_TOPIC) \
    X(HH_CLOSE_ALL) \
    X(OCR_NORMAL) \
    X(OCR_IBEAM) \
    X(OCR_WAIT) \
    X(OCR_CROSS) \
    X(OCR_UP) \
    X(OCR_SIZENWSE) \
    X(OCR_SIZENESW) \
    X(OCR_SIZEWE) \
    X(OCR_SIZENS) \
    X(OCR_SIZEALL) \
    X(OCR_NO) \
    X(OCR_HAND) \
    X(OCR_APPSTARTING) \

#define KEEP(name) constexpr auto hand_##name = hand::name;
HAND_VALUES(KEEP)
constexpr int kHandTrue = TRUE;
constexpr int kHandFalse = FALSE;
#undef HKEY_CURRENT_USER
#undef HKEY_LOCAL_MACHINE
#undef TRUE
#undef FALSE

#define OEMRESOURCE  // the OCR_ numbers
// IDC_PIN and IDC_PERSON exist from Windows 10's SDK on; raised for this file
// only, which calls nothing.
#undef WINVER
#undef _WIN32_WINNT
#define WINVER 0x0A00
#define _WIN32_WINNT 0x0A00
#include <windows.h>
#include <commctrl.h>
#include <htmlhelp.h>

#define SAME_TYPE(name)                                                              \
    static_assert(sizeof(hand::name) == sizeof(::name) &&                            \
                      std::is_signed_v<hand::name> == std::is_signed_v<::name>,      \
                  #name)
#define SAME_VALUE(name) static_assert(hand_##name == (name), #name);
#define SAME_FIELD(type, field)                                                      \
    static_assert(offsetof(hand::type, field) == offsetof(::type, field) &&          \
                      sizeof(hand::type::field) == sizeof(::type::field),            \
                  #type "." #field)
#define SAME_SIZE(type) static_assert(sizeof(hand::type) == sizeof(::type), #type)

static_assert(kHandTrue == TRUE && kHandFalse == FALSE, "TRUE, FALSE");
HAND_VALUES(SAME_VALUE)
// The toolchain's <winuser.h> has no OCR_ names for these system cursors; a
// cursor's OCR_ number is its IDC_ number, which the SDK gives as a
// MAKEINTRESOURCE pointer: compared as numbers.
#undef MAKEINTRESOURCEW
#undef MAKEINTRESOURCEA
#define MAKEINTRESOURCEW(i) (i)
#define MAKEINTRESOURCEA(i) (i)
static_assert(hand::OCR_HELP == IDC_HELP, "OCR_HELP");
static_assert(hand::OCR_PIN == IDC_PIN, "OCR_PIN");
static_assert(hand::OCR_PERSON == IDC_PERSON, "OCR_PERSON");

SAME_TYPE(BYTE);
SAME_TYPE(WORD);
SAME_TYPE(DWORD);
SAME_TYPE(LONG);
SAME_TYPE(UINT);
SAME_TYPE(BOOL);
SAME_TYPE(REGSAM);
SAME_TYPE(HRESULT);
SAME_TYPE(WPARAM);
SAME_TYPE(LPARAM);
SAME_TYPE(LRESULT);
SAME_SIZE(HKEY);
SAME_SIZE(HWND);
SAME_SIZE(HCURSOR);
SAME_SIZE(HANDLE);


SAME_SIZE(LOGFONTW);
SAME_FIELD(LOGFONTW, lfHeight);
SAME_FIELD(LOGFONTW, lfWidth);
SAME_FIELD(LOGFONTW, lfEscapement);
SAME_FIELD(LOGFONTW, lfOrientation);
SAME_FIELD(LOGFONTW, lfWeight);
SAME_FIELD(LOGFONTW, lfItalic);
SAME_FIELD(LOGFONTW, lfUnderline);
SAME_FIELD(LOGFONTW, lfStrikeOut);
SAME_FIELD(LOGFONTW, lfCharSet);
SAME_FIELD(LOGFONTW, lfOutPrecision);
SAME_FIELD(LOGFONTW, lfClipPrecision);
SAME_FIELD(LOGFONTW, lfQuality);
SAME_FIELD(LOGFONTW, lfPitchAndFamily);
SAME_FIELD(LOGFONTW, lfFaceName);
SAME_SIZE(NONCLIENTMETRICSW);
SAME_FIELD(NONCLIENTMETRICSW, cbSize);
SAME_FIELD(NONCLIENTMETRICSW, iBorderWidth);
SAME_FIELD(NONCLIENTMETRICSW, iScrollWidth);
SAME_FIELD(NONCLIENTMETRICSW, iScrollHeight);
SAME_FIELD(NONCLIENTMETRICSW, iCaptionWidth);
SAME_FIELD(NONCLIENTMETRICSW, iCaptionHeight);
SAME_FIELD(NONCLIENTMETRICSW, lfCaptionFont);
SAME_FIELD(NONCLIENTMETRICSW, iSmCaptionWidth);
SAME_FIELD(NONCLIENTMETRICSW, iSmCaptionHeight);
SAME_FIELD(NONCLIENTMETRICSW, lfSmCaptionFont);
SAME_FIELD(NONCLIENTMETRICSW, iMenuWidth);
SAME_FIELD(NONCLIENTMETRICSW, iMenuHeight);
SAME_FIELD(NONCLIENTMETRICSW, lfMenuFont);
SAME_FIELD(NONCLIENTMETRICSW, lfStatusFont);
SAME_FIELD(NONCLIENTMETRICSW, lfMessageFont);
SAME_FIELD(NONCLIENTMETRICSW, iPaddedBorderWidth);
SAME_SIZE(HIGHCONTRASTW);
SAME_FIELD(HIGHCONTRASTW, cbSize);
SAME_FIELD(HIGHCONTRASTW, dwFlags);
SAME_FIELD(HIGHCONTRASTW, lpszDefaultScheme);
