// The DPI in effect, the DPI of the next sign-in, and the text caret.
#include "app/CorvelChg.h"
#include "engine/SwitchMode.h"
#include "fw/StringFormat.h"
#include "settings/RegControl.h"

namespace {
constexpr char16_t kDesktopKey[] = u"Control Panel\\Desktop";
constexpr char16_t kWindowMetricsKey[] = u"Control Panel\\Desktop\\WindowMetrics";
}  // namespace

BOOL CSwitchMode::GetDpi(DWORD* dpi)
{
    if (RegReadDword(HKEY_CURRENT_USER, kWindowMetricsKey, u"AppliedDPI", dpi) == ERROR_SUCCESS) return TRUE;
    Log(u"CSwitchMode::GetDpi the RegReadDword is failed.");
    return FALSE;
}

BOOL CSwitchMode::GetSettingDpi(DWORD* dpi)
{
    if (RegReadDword(HKEY_CURRENT_USER, kDesktopKey, u"LogPixels", dpi) == ERROR_SUCCESS) return TRUE;
    Log(u"CSwitchMode::GetSettingDpi the RegReadDword is failed.");
    return FALSE;
}

// Windows picks the new DPI up at the next sign-in; nothing is broadcast.
BOOL CSwitchMode::SetDpi(DWORD dpi)
{
    Log(u"CSwitchMode::SetDpi Dpi: %d", dpi);
    if (RegWriteDword(HKEY_CURRENT_USER, kDesktopKey, u"LogPixels", dpi) == ERROR_SUCCESS) return TRUE;
    Log(u"CSwitchMode::SetDpi the RegWriteDword is failed.");
    return FALSE;
}

BOOL CSwitchMode::SetCaretWidth(DWORD width)
{
    Log(u"CSwitchMode::SetCaretWidth CaretWidth: %d", width);
    IDisplay& display = Plat().display;
    // The width travels in the pointer argument itself.
    void* widthParam = reinterpret_cast<void*>(static_cast<std::uintptr_t>(width));
    if (display.SystemParameters(SPI_SETCARETWIDTH, 0, widthParam, kSpiFlags)) return TRUE;
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
