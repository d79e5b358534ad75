// Title bar, border, scroll bar and menu metrics: one read-modify-write of
// the whole NONCLIENTMETRICS structure, so every other field stays as the
// user had it.
#include "engine/SwitchMode.h"

#include <cstring>

#include "engine/MulDiv.h"
#include "log/RunContext.h"
#include "settings/RegControl.h"
#include "settings/SettingModel.h"

namespace {

bool ReadMetrics(NONCLIENTMETRICSW* metrics)
{
    std::memset(metrics, 0, sizeof(*metrics));
    metrics->cbSize = sizeof(*metrics);
    return Plat().display.SystemParameters(SPI_GETNONCLIENTMETRICS, sizeof(*metrics), metrics, kSpiReadFlags);
}

// Point size to a character height in pixels at 96 DPI.
int FontHeight(LONG points) { return -MulDiv32(points, 96, 72); }

struct LoggedField {
    const char16_t* name;
    int (*get)(const NONCLIENTMETRICSW&);
};

const LoggedField kLoggedFields[] = {
    {u"iBorderWidth", [](const NONCLIENTMETRICSW& m) { return m.iBorderWidth; }},
    {u"iCaptionHeight", [](const NONCLIENTMETRICSW& m) { return m.iCaptionHeight; }},
    {u"iCaptionWidth", [](const NONCLIENTMETRICSW& m) { return m.iCaptionWidth; }},
    {u"iMenuHeight", [](const NONCLIENTMETRICSW& m) { return m.iMenuHeight; }},
    {u"iMenuWidth", [](const NONCLIENTMETRICSW& m) { return m.iMenuWidth; }},
    {u"iPaddedBorderWidth", [](const NONCLIENTMETRICSW& m) { return m.iPaddedBorderWidth; }},
    {u"iScrollHeight", [](const NONCLIENTMETRICSW& m) { return m.iScrollHeight; }},
    {u"iScrollWidth", [](const NONCLIENTMETRICSW& m) { return m.iScrollWidth; }},
    {u"iSmCaptionHeight", [](const NONCLIENTMETRICSW& m) { return m.iSmCaptionHeight; }},
    {u"iSmCaptionWidth", [](const NONCLIENTMETRICSW& m) { return m.iSmCaptionWidth; }},
    {u"lfCaptionFont.lfHeight", [](const NONCLIENTMETRICSW& m) { return static_cast<int>(m.lfCaptionFont.lfHeight); }},
    {u"lfMenuFont.lfHeight", [](const NONCLIENTMETRICSW& m) { return static_cast<int>(m.lfMenuFont.lfHeight); }},
    {u"lfMessageFont.lfHeight", [](const NONCLIENTMETRICSW& m) { return static_cast<int>(m.lfMessageFont.lfHeight); }},
    {u"lfSmCaptionFont.lfHeight",
     [](const NONCLIENTMETRICSW& m) { return static_cast<int>(m.lfSmCaptionFont.lfHeight); }},
    {u"lfStatusFont.lfHeight", [](const NONCLIENTMETRICSW& m) { return static_cast<int>(m.lfStatusFont.lfHeight); }},
};

// What Windows made of the change, for the sign-in check to compare with.
void RecordAppliedMetrics()
{
    NONCLIENTMETRICSW applied;
    if (!ReadMetrics(&applied)) return;
    const auto* bytes = reinterpret_cast<const BYTE*>(&applied);
    if (RegWriteRaw(HKEY_CURRENT_USER, kSettingsKey, kAppliedMetricsValue, REG_BINARY,
                    std::vector<BYTE>(bytes, bytes + sizeof(applied))) != ERROR_SUCCESS) {
        Log(u"CSwitchMode::SetWindowDesign the applied metrics could not be recorded.");
    }
}

}  // namespace

BOOL CSwitchMode::SetWindowDesign(const LONG* values)
{
    const CRunContext& run = TheRun();
    const bool logging = run.m_bCreateLog;
    NONCLIENTMETRICSW metrics;
    if (!ReadMetrics(&metrics)) {
        Log(u"CSwitchMode::SetWindowDesign SystemParametersInfo() GetDate Failed, file: %s, line: %d, code: %d.",
            kSwitchModeFile, 128, Plat().display.LastError());
        return FALSE;
    }
    if (logging) LogOutWinDesign(&metrics, 0);
    if (Plat().display.IsThemeActive()) metrics.iPaddedBorderWidth = 4;

    const LONG titleSize = values[ITEM_TITLE_SIZE];
    const LONG titleFont = values[ITEM_TITLE_FONT_SIZE];
    const LONG border = values[ITEM_ACTIVE_WIN_WIDTH];
    const LONG scroll = values[ITEM_SCROLL_WIDTH];
    const LONG menuSize = values[ITEM_MENU_SIZE];
    const LONG menuFont = values[ITEM_MENU_FONT_SIZE];
    if (!titleSize || !titleFont || !border || !scroll || !menuSize || !menuFont) {
        Log(u"CSwitchMode::SetWindowDesign ERROR_INVALID_PARAMETER.");
        return FALSE;
    }

    if (run.m_nOsVersion >= OSVER_6_2) {
        DWORD dpi = 96;
        GetDpi(&dpi);
        const int d = static_cast<int>(dpi);
        // 19 for 20 is the scaled branch's own value, kept as the tool has always set it.
        const LONG menu = menuSize == 20 ? 19 : menuSize;
        metrics.iCaptionWidth = metrics.iCaptionHeight = MulDiv32(titleSize, d, 96);
        metrics.lfCaptionFont.lfHeight = MulDiv32(FontHeight(titleFont), d, 96);
        metrics.iBorderWidth = MulDiv32(border, d, 96);
        metrics.iScrollWidth = metrics.iScrollHeight = MulDiv32(scroll, d, 96);
        metrics.iMenuWidth = metrics.iMenuHeight = MulDiv32(menu, d, 96);
        metrics.lfMenuFont.lfHeight = MulDiv32(FontHeight(menuFont), d, 96);
    } else {
        metrics.iCaptionWidth = metrics.iCaptionHeight = titleSize;
        metrics.lfCaptionFont.lfHeight = FontHeight(titleFont);
        metrics.iBorderWidth = border;
        metrics.iScrollWidth = metrics.iScrollHeight = scroll;
        metrics.iMenuWidth = metrics.iMenuHeight = menuSize;
        metrics.lfMenuFont.lfHeight = FontHeight(menuFont);
    }

    if (logging) LogOutWinDesign(&metrics, 1);
    if (!Plat().display.SystemParameters(SPI_SETNONCLIENTMETRICS, sizeof(metrics), &metrics, kSpiChangeFlags)) {
        Log(u"CSwitchMode::SetWindowDesign SystemParametersInfo() SetData Failed, file: %s, line: %d, code: %d.",
            kSwitchModeFile, 200, Plat().display.LastError());
        return FALSE;
    }
    AnnounceChange(SPI_SETNONCLIENTMETRICS);
    RecordAppliedMetrics();
    if (logging) LogOutWinDesign(&metrics, 2);
    return TRUE;
}

BOOL CSwitchMode::GetMetrics(NONCLIENTMETRICSW* metrics)
{
    if (ReadMetrics(metrics)) return TRUE;
    Log(u"CSwitchMode::GetMetrics SystemParametersInfo() GetData Failed, file: %s, line: %d, code: %d.", kSwitchModeFile,
        150, Plat().display.LastError());
    return FALSE;
}

// A structure kept from an earlier read, every field as it was.
BOOL CSwitchMode::SetMetrics(const NONCLIENTMETRICSW& metrics)
{
    NONCLIENTMETRICSW copy = metrics;
    copy.cbSize = sizeof(copy);
    if (!Plat().display.SystemParameters(SPI_SETNONCLIENTMETRICS, sizeof(copy), &copy, kSpiChangeFlags)) {
        Log(u"CSwitchMode::SetMetrics SystemParametersInfo() SetData Failed, file: %s, line: %d, code: %d.",
            kSwitchModeFile, 210, Plat().display.LastError());
        return FALSE;
    }
    AnnounceChange(SPI_SETNONCLIENTMETRICS);
    return TRUE;
}

// Stage 0 before the change, 1 while it is being set, 2 after it (read back
// from Windows).
void CSwitchMode::LogOutWinDesign(const NONCLIENTMETRICSW* metrics, int stage)
{
    NONCLIENTMETRICSW local;
    if (stage == 2) {
        if (!ReadMetrics(&local)) {
            Log(u"CSwitchMode::LogOutWinDesign SystemParametersInfo() GetDate Failed, file: %s, line: %d, code: %d.",
                kSwitchModeFile, 226, Plat().display.LastError());
            return;
        }
    } else {
        if (!metrics) {
            Log(u"CSwitchMode::LogOutWinDesign() CopyData Failed.");
            return;
        }
        std::memcpy(&local, metrics, sizeof(local));
    }
    const char16_t* label = stage == 0 ? u"Before setting" : stage == 1 ? u"Be setting" : u"After setting";
    String16 line = Format(u"CSwitchMode::SetWindowDesign NONCLIENTMETRICS's data(%s) ", label);
    const size_t count = sizeof(kLoggedFields) / sizeof(kLoggedFields[0]);
    for (size_t i = 0; i < count; ++i) {
        line += Format(u"\r\n\t\t\t\t  ncms.%s: %d", kLoggedFields[i].name, kLoggedFields[i].get(local));
        if (i + 1 < count) line += u',';
    }
    Log(u"%s", line);
}
