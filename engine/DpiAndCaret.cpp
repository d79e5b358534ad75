// The DPI in effect, the DPI of the next sign-in, and the text caret.
#include "engine/SwitchMode.h"

#include "fw/StringFormat.h"
#include "log/RunContext.h"
#include "settings/RegControl.h"

namespace {
constexpr char16_t kDesktopKey[] = u"Control Panel\\Desktop";
constexpr char16_t kWindowMetricsKey[] = u"Control Panel\\Desktop\\WindowMetrics";

// Windows offers 100 % to 500 %. Anything else would scale every window
// metric with it (a caption of 0 pixels, or of thousands).
bool IsSaneDpi(DWORD dpi) { return dpi >= kMinDpi && dpi <= kMaxDpi; }

// What a DPI read found when it gave no DPI: the registry's error, or a
// number no display uses.
constexpr LONG kDpiOutOfRange = -1;

// A DPI read like RegReadDword, that also refuses a number no display uses;
// *dpi is written only with a sane DPI, *value gets what was stored.
LONG ReadDpi(const char16_t* key, const char16_t* name, const char16_t* rangeLine, DWORD* dpi, DWORD* value)
{
    const LONG read = RegReadDword(HKEY_CURRENT_USER, key, name, value);
    if (read != ERROR_SUCCESS) return read;
    if (!IsSaneDpi(*value)) {
        Log(rangeLine, *value);
        return kDpiOutOfRange;
    }
    *dpi = *value;
    return ERROR_SUCCESS;
}
}  // namespace

BOOL CSwitchMode::GetDpi(DWORD* dpi)
{
    DWORD value = 0;
    if (ReadDpi(kWindowMetricsKey, u"AppliedDPI", u"CSwitchMode::GetDpi the dpi is out of range: %d.", dpi, &value) ==
        ERROR_SUCCESS) {
        return TRUE;
    }
    Log(u"CSwitchMode::GetDpi the RegReadDword is failed.");
    return FALSE;
}

// "AppliedDPI" is Windows' record, which Microsoft does not document and a
// profile may lack; GDI's answer is documented and never missing.
BOOL CSwitchMode::GetDpiInEffect(DWORD* dpi, LONG* appliedDpiError)
{
    DWORD value = 0;
    const LONG read = ReadDpi(kWindowMetricsKey, u"AppliedDPI",
                              u"CSwitchMode::GetDpiInEffect the AppliedDPI is out of range: %d.", dpi, &value);
    // A number that is no DPI is no valid parameter.
    const LONG error = read == kDpiOutOfRange ? static_cast<LONG>(ERROR_INVALID_PARAMETER) : read;
    if (appliedDpiError) *appliedDpiError = error;
    if (read == ERROR_SUCCESS) return TRUE;
    const UINT screen = Plat().display.ScreenDpi();
    if (!IsSaneDpi(screen)) {
        Log(u"CSwitchMode::GetDpiInEffect the AppliedDPI cannot be used, code: %d, nor the screen's dpi: %d.",
            error, screen);
        return FALSE;
    }
    Log(u"CSwitchMode::GetDpiInEffect the AppliedDPI cannot be used, code: %d; the screen's dpi %d is taken.",
        error, screen);
    *dpi = screen;
    return TRUE;
}

BOOL CSwitchMode::GetSettingDpi(DWORD* dpi)
{
    DWORD value = 0;
    if (ReadDpi(kDesktopKey, u"LogPixels", u"CSwitchMode::GetSettingDpi the dpi is out of range: %d.", dpi, &value) ==
        ERROR_SUCCESS) {
        return TRUE;
    }
    Log(u"CSwitchMode::GetSettingDpi the RegReadDword is failed.");
    return FALSE;
}

// Windows picks the new DPI up at the next sign-in; nothing is broadcast.
// From Windows 8.1 on, "LogPixels" is the scale of the whole session only
// while "Win8DpiScaling" is 1; without it the new DPI would silently not
// take effect, so a failed write of it fails the item.
BOOL CSwitchMode::SetDpi(DWORD dpi)
{
    Log(u"CSwitchMode::SetDpi Dpi: %d", dpi);
    if (!IsSaneDpi(dpi)) {
        Log(u"CSwitchMode::SetDpi the dpi is out of range: %d.", dpi);
        return FALSE;
    }
    if (RegWriteDword(HKEY_CURRENT_USER, kDesktopKey, u"LogPixels", dpi) != ERROR_SUCCESS) {
        Log(u"CSwitchMode::SetDpi the RegWriteDword is failed.");
        return FALSE;
    }
    if (TheRun().m_nOsVersion != OSVER_AFTER_6_2) return TRUE;
    Log(u"CSwitchMode::SetDpi Win8DpiScaling: %d", 1);
    if (RegWriteDword(HKEY_CURRENT_USER, kDesktopKey, u"Win8DpiScaling", 1) == ERROR_SUCCESS) return TRUE;
    Log(u"CSwitchMode::SetDpi the RegWriteDword of Win8DpiScaling is failed.");
    return FALSE;
}

BOOL CSwitchMode::WillTurnOnOneScale()
{
    if (TheRun().m_nOsVersion != OSVER_AFTER_6_2) return FALSE;
    DWORD scaling = 0;
    return RegReadDword(HKEY_CURRENT_USER, kDesktopKey, u"Win8DpiScaling", &scaling) != ERROR_SUCCESS || scaling != 1;
}

BOOL CSwitchMode::SetCaretWidth(DWORD width)
{
    Log(u"CSwitchMode::SetCaretWidth CaretWidth: %d", width);
    IDisplay& display = Plat().display;
    // The width travels in the pointer argument itself.
    void* widthParam = reinterpret_cast<void*>(static_cast<std::uintptr_t>(width));
    if (display.SystemParameters(SPI_SETCARETWIDTH, 0, widthParam, kSpiChangeFlags)) {
        AnnounceChange(SPI_SETCARETWIDTH);
        return TRUE;
    }
    Log(u"CSwitchMode::SetCaretWidth SystemParametersInfo() error, file: %s, line: %d, code: %d.", kSwitchModeFile,
        540, display.LastError());
    return FALSE;
}

// The running logon gets the blink time at once; "CursorBlinkRate" keeps it
// for later sign-ins, as signed decimal text ("-1" for no blinking).
BOOL CSwitchMode::SetBlinkTime(UINT blinkTime)
{
    Log(u"CSwitchMode::SetBlinkTime BlinkTime: %d", blinkTime);
    IDisplay& display = Plat().display;
    if (!display.SetCaretBlinkTime(blinkTime)) {
        Log(u"CSwitchMode::SetBlinkTime SetCaretBlinkTime() error, file: %s, line: %d, code: %d.", kSwitchModeFile,
            565, display.LastError());
        return FALSE;
    }
    String16 text = SignedDecimal(blinkTime);
    RegWriteStr(HKEY_CURRENT_USER, kDesktopKey, u"CursorBlinkRate", REG_SZ, text.c_str());
    return TRUE;
}
