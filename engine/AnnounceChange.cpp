// Every change of a system parameter is announced here, and only here: with
// a bound, so that a program that stopped responding cannot hold a switch.
#include "engine/SwitchMode.h"

#include "log/RunContext.h"
#include "platform/Platform.h"

namespace {

// wParam is the action, as in the system's own broadcast that SPIF_SENDCHANGE
// would have made: Microsoft's page asks an application that sends the
// message for 0, but this one stands in for the system's, and programs and
// frameworks decide from the action what to reload. lParam names the area as
// the system's broadcast does, by the registry key that holds the setting
// ("WindowMetrics" is also the text programs look for when the metrics
// change); an empty text, as Wine's own broadcast sends, would tell them
// nothing.
const struct {
    UINT action;
    const char16_t* area;
    const char16_t* operation;  // for the log line
    int line;                   // a fixed text of the log line, as the others are
} kAnnouncedChanges[] = {
    {SPI_SETNONCLIENTMETRICS, u"WindowMetrics", u"CSwitchMode::SetWindowDesign", 205},
    {SPI_SETCURSORS, u"Cursors", u"CSwitchMode::SetMouseStyle", 785},
    {SPI_SETCARETWIDTH, u"Desktop", u"CSwitchMode::SetCaretWidth", 545},
};

}  // namespace

void CSwitchMode::AnnounceChange(UINT action)
{
    for (const auto& change : kAnnouncedChanges) {
        if (change.action != action) continue;
        IDisplay& display = Plat().display;
        DWORD waited = 0;
        int result = display.AnnounceChange(action, change.area, m_dwAnnounceWaitLeft, &waited);
        m_dwAnnounceWaitLeft -= waited < m_dwAnnounceWaitLeft ? waited : m_dwAnnounceWaitLeft;
        if (result != ANNOUNCE_FAILED) return;
        Log(u"%s SendMessageTimeout(WM_SETTINGCHANGE) error, file: %s, line: %d, code: %d.", change.operation,
            kSwitchModeFile, change.line, display.LastError());
        return;
    }
}

void CSwitchMode::FinishAnnouncements()
{
    for (UINT action : Plat().display.FinishAnnouncements(kAnnounceExitBound)) {
        for (const auto& change : kAnnouncedChanges) {
            if (change.action != action) continue;
            Log(u"%s SendMessageTimeout(WM_SETTINGCHANGE) was not finished when the run ended.", change.operation);
        }
    }
}
