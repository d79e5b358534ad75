// System parameters kept in memory: a whole NONCLIENTMETRICSW, the caret
// width and blink time; each call can be told to fail. Inputs are refused
// as Windows refuses them: a structure of another size with
// ERROR_INVALID_PARAMETER, an action it does not know with
// ERROR_INVALID_SPI_VALUE.
#pragma once

#include <functional>
#include <vector>

#include "platform/IDisplay.h"

class FakeDisplay : public IDisplay {
public:
    struct Call {
        UINT action;
        UINT uiParam;
        std::uintptr_t pvParam;  // the pointer, or the number passed in its place
        UINT winIni;
    };

    struct Announcement {
        UINT action;
        String16 area;
        DWORD waitMs;
    };

    FakeDisplay();
    BOOL SystemParameters(UINT action, UINT uiParam, void* pvParam, UINT winIni) override;
    // Records the announcement; the broadcast takes announceTakes
    // milliseconds, and the caller waits for it at most waitMs.
    int AnnounceChange(UINT action, const char16_t* area, DWORD waitMs, DWORD* waited) override;
    // The broadcasts still going out all take their time together: those
    // with more left than waitMs are cut.
    std::vector<UINT> FinishAnnouncements(DWORD waitMs) override;
    BOOL SetCaretBlinkTime(UINT milliseconds) override;
    UINT CaretBlinkTime() override;
    BOOL IsThemeActive() override { return themeActive; }
    UINT ScreenDpi() override { return screenDpi; }
    DWORD LastError() override { return m_lastError; }

    NONCLIENTMETRICSW metrics;
    bool highContrast = false;
    DWORD caretWidth = 1;
    UINT blinkTime = 530;
    BOOL themeActive = FALSE;
    UINT screenDpi = 96;  // 0: no screen DC
    bool failGet = false;
    bool failSet = false;
    bool failCaretWidth = false;
    bool failBlink = false;
    bool failGetBlink = false;
    bool failCursors = false;            // SPI_SETCURSORS, as Wine 8 (1439)
    std::function<void()> onSetCursors;  // runs as SPI_SETCURSORS is called
    // What a call told to fail leaves in LastError(): by default the code
    // Windows gives SystemParametersInfoW for a structure of another size.
    DWORD failureCode = ERROR_INVALID_PARAMETER;
    std::vector<Call> calls;
    std::vector<Announcement> announcements;
    DWORD announceTakes = 0;
    // Of each broadcast still going out: its action and the time it still takes.
    std::vector<std::pair<UINT, DWORD>> goingOut;
    DWORD finishWaited = 0;  // what the last FinishAnnouncements waited
    bool failAnnounce = false;
    int metricsWrites = 0;

private:
    BOOL Fail(DWORD code);
    DWORD m_lastError = 0;
};
