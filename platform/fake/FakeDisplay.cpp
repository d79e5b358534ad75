#include "platform/fake/FakeDisplay.h"

#include <algorithm>
#include <cstring>

FakeDisplay::FakeDisplay()
{
    // Distinct values in every field, so a test sees which ones changed.
    std::memset(&metrics, 0, sizeof(metrics));
    metrics.cbSize = sizeof(metrics);
    metrics.iBorderWidth = 1;
    metrics.iScrollWidth = 17;
    metrics.iScrollHeight = 18;
    metrics.iCaptionWidth = 19;
    metrics.iCaptionHeight = 20;
    metrics.lfCaptionFont.lfHeight = -11;
    metrics.lfCaptionFont.lfWeight = 700;
    metrics.iSmCaptionWidth = 13;
    metrics.iSmCaptionHeight = 14;
    metrics.lfSmCaptionFont.lfHeight = -10;
    metrics.iMenuWidth = 21;
    metrics.iMenuHeight = 22;
    metrics.lfMenuFont.lfHeight = -13;
    metrics.lfStatusFont.lfHeight = -14;
    metrics.lfMessageFont.lfHeight = -15;
    metrics.iPaddedBorderWidth = 3;
    const char16_t face[] = u"Test Sans";
    std::memcpy(metrics.lfMessageFont.lfFaceName, face, sizeof(face));
}

BOOL FakeDisplay::Fail(DWORD code)
{
    m_lastError = code;
    return FALSE;
}

BOOL FakeDisplay::SystemParameters(UINT action, UINT uiParam, void* pvParam, UINT winIni)
{
    calls.push_back(Call{action, uiParam, reinterpret_cast<std::uintptr_t>(pvParam), winIni});
    switch (action) {
    case SPI_GETNONCLIENTMETRICS: {
        auto* out = static_cast<NONCLIENTMETRICSW*>(pvParam);
        if (!out || uiParam != sizeof(metrics) || out->cbSize != sizeof(metrics)) return Fail(ERROR_INVALID_PARAMETER);
        if (failGet) return Fail(failureCode);
        std::memcpy(out, &metrics, sizeof(metrics));
        return TRUE;
    }
    case SPI_SETNONCLIENTMETRICS: {
        auto* in = static_cast<const NONCLIENTMETRICSW*>(pvParam);
        if (!in || uiParam != sizeof(metrics) || in->cbSize != sizeof(metrics)) return Fail(ERROR_INVALID_PARAMETER);
        if (failSet) return Fail(failureCode);
        std::memcpy(&metrics, in, sizeof(metrics));
        ++metricsWrites;
        return TRUE;
    }
    case SPI_SETCARETWIDTH:
        if (failCaretWidth) return Fail(failureCode);
        caretWidth = static_cast<DWORD>(reinterpret_cast<std::uintptr_t>(pvParam));
        return TRUE;
    case SPI_GETCARETWIDTH:
        *static_cast<DWORD*>(pvParam) = caretWidth;
        return TRUE;
    case SPI_SETCURSORS:
        if (onSetCursors) onSetCursors();
        if (failCursors) return Fail(failureCode);
        return uiParam == 0 && !pvParam ? TRUE : Fail(ERROR_INVALID_PARAMETER);
    case SPI_GETHIGHCONTRAST: {
        auto* out = static_cast<HIGHCONTRASTW*>(pvParam);
        if (!out || out->cbSize != sizeof(HIGHCONTRASTW)) return Fail(ERROR_INVALID_PARAMETER);
        out->dwFlags = highContrast ? HCF_HIGHCONTRASTON : 0;
        return TRUE;
    }
    default:
        return Fail(ERROR_INVALID_SPI_VALUE);
    }
}

int FakeDisplay::AnnounceChange(UINT action, const char16_t* area, DWORD waitMs, DWORD* waited)
{
    announcements.push_back(Announcement{action, area ? String16(area) : String16(), waitMs});
    *waited = 0;
    if (failAnnounce) {
        Fail(failureCode);
        return ANNOUNCE_FAILED;
    }
    *waited = announceTakes < waitMs ? announceTakes : waitMs;
    if (announceTakes <= waitMs) return ANNOUNCE_DONE;
    goingOut.emplace_back(action, announceTakes - waitMs);
    return ANNOUNCE_STILL_RUNNING;
}

std::vector<UINT> FakeDisplay::FinishAnnouncements(DWORD waitMs)
{
    std::vector<UINT> cut;
    finishWaited = 0;
    for (const auto& [action, left] : goingOut) {
        finishWaited = std::max(finishWaited, std::min(left, waitMs));
        if (left > waitMs) cut.push_back(action);
    }
    goingOut.clear();
    return cut;
}

UINT FakeDisplay::CaretBlinkTime()
{
    if (!failGetBlink) return blinkTime;
    Fail(failureCode);
    return 0;
}

BOOL FakeDisplay::SetCaretBlinkTime(UINT milliseconds)
{
    if (failBlink) return Fail(failureCode);
    blinkTime = milliseconds;
    return TRUE;
}
