// System parameters, the caret and the theme service.
#pragma once

#include "platform/WinTypes.h"

#ifndef _WIN32
// The wide NONCLIENTMETRICS structure with its trailing iPaddedBorderWidth,
// laid out as Windows lays it out (504 bytes).
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
#endif

static_assert(sizeof(NONCLIENTMETRICSW) == 504, "the tool reads and writes the 504-byte structure");

class IDisplay {
public:
    virtual ~IDisplay() = default;

    // SystemParametersInfoW.
    virtual BOOL SystemParameters(UINT action, UINT uiParam, void* pvParam, UINT winIni) = 0;
    // SetCaretBlinkTime.
    virtual BOOL SetCaretBlinkTime(UINT milliseconds) = 0;
    // IsThemeActive of the theme service.
    virtual BOOL IsThemeActive() = 0;
    // GetLastError right after a failed call of this interface.
    virtual DWORD LastError() = 0;
};
