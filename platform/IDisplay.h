// System parameters, the caret and the theme service.
#pragma once

#include <vector>

#include "platform/WinTypes.h"


static_assert(sizeof(NONCLIENTMETRICSW) == 504, "the tool reads and writes the 504-byte structure");

// How long an announcement waits for one window. A window that takes longer
// still gets the message, later; the wait only ends. Every top-level window
// of a program that stopped answering costs this much until Windows counts
// it as hung (5 s) and SMTO_ABORTIFHUNG passes it over.
inline constexpr UINT kAnnounceWindowTimeout = 500;

// What AnnounceChange did.
enum AnnounceResult {
    ANNOUNCE_DONE,           // every window answered, timed out or was passed over as hung
    ANNOUNCE_STILL_RUNNING,  // the wait ended first; the broadcast goes on without the caller
    ANNOUNCE_FAILED,         // LastError() says why
};

class IDisplay {
public:
    virtual ~IDisplay() = default;

    // SystemParametersInfoW. A change goes without SPIF_SENDCHANGE, which
    // would broadcast with SendMessage and wait without a limit for a program
    // that stopped responding; AnnounceChange tells the windows instead.
    virtual BOOL SystemParameters(UINT action, UINT uiParam, void* pvParam, UINT winIni) = 0;
    // Tells every top-level window that a system parameter changed:
    // SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, action, area) with
    // SMTO_ABORTIFHUNG and kAnnounceWindowTimeout for each window, on a thread
    // of its own, since a broadcast may take that time-out times the number
    // of windows. The caller waits for it at most waitMs, answering messages
    // sent to its own windows meanwhile; *waited gets the time it waited.
    // area must live as long as the process: the broadcast may outlive the
    // call.
    virtual int AnnounceChange(UINT action, const char16_t* area, DWORD waitMs, DWORD* waited) = 0;
    // Waits for the broadcasts that AnnounceChange left going out, waitMs in
    // all at most, answering messages sent to the caller's windows; the
    // actions of those still going out then, one entry each. The process's
    // end would cut them.
    virtual std::vector<UINT> FinishAnnouncements(DWORD waitMs) = 0;
    // SetCaretBlinkTime.
    virtual BOOL SetCaretBlinkTime(UINT milliseconds) = 0;
    // GetCaretBlinkTime: INFINITE for no blinking, 0 when it fails.
    virtual UINT CaretBlinkTime() = 0;
    // IsThemeActive of the theme service.
    virtual BOOL IsThemeActive() = 0;
    // GetDeviceCaps(LOGPIXELSX) of the screen's DC (GetDC of no window): the
    // DPI Windows gives this system-DPI-aware process, the session's; 0 when
    // no DC can be had.
    virtual UINT ScreenDpi() = 0;
    // GetLastError right after a failed call of this interface.
    virtual DWORD LastError() = 0;
};
