// The display settings engine: one operation per setting that changes
// Windows. It holds no state but the time its announcements may still take;
// callers make one on the stack per switch.
#pragma once

#include <vector>

#include "platform/IDisplay.h"
#include "platform/WinTypes.h"

// The window metrics SetWindowDesign last applied, as Windows reported them
// back: a REG_BINARY NONCLIENTMETRICSW under the user's settings key.
inline constexpr char16_t kAppliedMetricsValue[] = u"AppliedMetrics";

// How long one switch may wait for its announcements in all. A window may
// take kAnnounceWindowTimeout, a broadcast that times the number of windows;
// each announcement waits for what is left of this bound, and once it is
// spent the rest are sent without waiting.
inline constexpr DWORD kAnnounceSwitchBound = 5000;
// How long a run waits at its end for the announcements still going out.
inline constexpr DWORD kAnnounceExitBound = 10000;

class CSwitchMode {
public:
    // DPI and text caret.
    BOOL GetDpi(DWORD* dpi);
    // The DPI in effect for the person's kept settings and their return:
    // "AppliedDPI", else the screen's as GDI gives this system-DPI-aware
    // process, logged with why (*appliedDpiError: the registry's error, or
    // ERROR_INVALID_PARAMETER for a number no display uses; 0 when it was
    // used). FALSE when neither gives one.
    BOOL GetDpiInEffect(DWORD* dpi, LONG* appliedDpiError = nullptr);
    BOOL GetSettingDpi(DWORD* dpi);
    BOOL SetDpi(DWORD dpi);
    // Whether SetDpi is about to turn "Win8DpiScaling" on, which changes how
    // every display is scaled from the next sign-in: Windows 8.1 and later,
    // and the value is not 1 yet (a missing value is not 1).
    BOOL WillTurnOnOneScale();
    BOOL SetCaretWidth(DWORD width);
    BOOL SetBlinkTime(UINT blinkTime);

    // Window metrics: items 2 to 7 of the profile's values.
    BOOL SetWindowDesign(const LONG* values);
    // The whole structure as Windows has it now, and one put back whole.
    // SetWindowDesign records what Windows reported back after its change
    // (kAppliedMetricsValue), which may differ from what was asked (a
    // caption raised to fit its font).
    BOOL GetMetrics(NONCLIENTMETRICSW* metrics);
    BOOL SetMetrics(const NONCLIENTMETRICSW& metrics);
    void LogOutWinDesign(const NONCLIENTMETRICSW* metrics, int stage);

    // Mouse pointer scheme: 0 standard, 1 large, 2 extra large.
    BOOL SetMouseStyle(DWORD mouseStyle);
    BOOL GetMousePointerFromReg(const char16_t* keyPath, std::vector<String16>* scheme);
    // Loads the pointers as "Control Panel\Cursors" holds them now into the
    // running logon, and announces it.
    BOOL ReloadPointers();
    // Whether "Control Panel\Cursors" holds exactly what SetMouseStyle
    // writes for the style; *schemeInEffect gets the name stored now.
    BOOL IsMouseStyleInEffect(DWORD mouseStyle, String16* schemeInEffect);

    // Desktop icon size in pixels: 32, 48, 96 or 256.
    BOOL ChangeDesktopIconSize(DWORD nSize);
    // The shell's desktop view exists: the desktop is up.
    static BOOL IsDesktopReady();
    // The icon size Explorer keeps for the desktop (its record under
    // "Shell\Bags"), as the nearest of the sizes ChangeDesktopIconSize sets;
    // the registry's error code when there is no record.
    static LONG IconSizeInEffect(DWORD* size);
    static BOOL FindDesktopViewProc(HWND window, LPARAM result);

    // Tells the programs that the setting of a SystemParametersInfo action
    // changed, within what is left of kAnnounceSwitchBound. A failure is
    // logged and fails nothing: the setting itself has changed.
    void AnnounceChange(UINT action);
    // Before the process ends: waits for the announcements still going out,
    // kAnnounceExitBound in all, and logs each one that is cut.
    static void FinishAnnouncements();

private:
    DWORD m_dwAnnounceWaitLeft = kAnnounceSwitchBound;
};

// The file and the "line" numbers in the log lines are fixed texts of the
// log, which readers of old logs know, not this source's: never __LINE__.
inline constexpr char16_t kSwitchModeFile[] = u".\\SwitchMode";
// The DPIs a display can have: 100 % to 500 %.
inline constexpr DWORD kMinDpi = 96;
inline constexpr DWORD kMaxDpi = 480;
// A change is stored in the user profile and announced by AnnounceChange,
// never by SPIF_SENDCHANGE, whose broadcast waits without a limit.
inline constexpr UINT kSpiChangeFlags = SPIF_UPDATEINIFILE;
// A read gets no flags. Windows uses them only when a parameter is set (the
// fWinIni of SystemParametersInfo), so there they change nothing; Wine
// broadcasts on a read with SPIF_SENDCHANGE, with its own wait, and a program
// that stopped responding held a switch there for seconds.
inline constexpr UINT kSpiReadFlags = 0;
