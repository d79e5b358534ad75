#include "switch/ProfileCheck.h"

#include <cstring>
#include <vector>

#include "fw/StringFormat.h"
#include "log/RunContext.h"
#include "settings/RegControl.h"
#include "switch/OriginalSettings.h"

namespace {

constexpr char16_t kDesktopKey[] = u"Control Panel\\Desktop";

// What one look found of an item: in effect as the profile gives it, to be
// put back, or not known (left as it is).
enum Finding { FOUND_EQUAL, FOUND_DIFFERENT, FOUND_UNKNOWN };

// The text size stored for the session: "LogPixels", and "Win8DpiScaling"
// from Windows 8.1 on. A missing LogPixels is Windows' own scaling, which is
// not the profile's.
Finding TextSize(CSwitchMode& engine, const LONG* values, String16* had)
{
    DWORD dpi = 0;
    if (RegReadDword(HKEY_CURRENT_USER, kDesktopKey, u"LogPixels", &dpi) != ERROR_SUCCESS) {
        *had = u"none";
        return FOUND_DIFFERENT;
    }
    *had = Format(u"%d", dpi);
    return dpi == static_cast<DWORD>(values[ITEM_DPI]) && !engine.WillTurnOnOneScale() ? FOUND_EQUAL
                                                                                         : FOUND_DIFFERENT;
}

// Explorer's own record; without one nothing tells the size in effect.
Finding IconSize(CSwitchMode&, const LONG* values, String16* had)
{
    DWORD size = 0;
    if (CSwitchMode::IconSizeInEffect(&size) != ERROR_SUCCESS) return FOUND_UNKNOWN;
    *had = Format(u"%d", size);
    return size == static_cast<DWORD>(values[ITEM_DT_ICON_SIZE]) ? FOUND_EQUAL : FOUND_DIFFERENT;
}

bool SameFont(const LOGFONTW& a, const LOGFONTW& b) { return std::memcmp(&a, &b, sizeof(a)) == 0; }

// The fields a switch sets, against what Windows reported back after it. No
// record (a switch of an earlier version): put back, which records one.
Finding Metrics(CSwitchMode& engine, const LONG*, String16* had)
{
    NONCLIENTMETRICSW now;
    if (!engine.GetMetrics(&now)) return FOUND_UNKNOWN;
    *had = Format(u"caption %d, menu %d, border %d, scroll bar %d", now.iCaptionHeight, now.iMenuHeight,
                  now.iBorderWidth, now.iScrollWidth);
    DWORD type = 0;
    std::vector<BYTE> data;
    NONCLIENTMETRICSW applied;
    if (RegReadRaw(HKEY_CURRENT_USER, kSettingsKey, kAppliedMetricsValue, &type, &data) != ERROR_SUCCESS ||
        type != REG_BINARY || data.size() != sizeof(applied)) {
        return FOUND_DIFFERENT;
    }
    std::memcpy(&applied, data.data(), sizeof(applied));
    const bool same = now.iBorderWidth == applied.iBorderWidth && now.iScrollWidth == applied.iScrollWidth &&
                      now.iScrollHeight == applied.iScrollHeight && now.iCaptionWidth == applied.iCaptionWidth &&
                      now.iCaptionHeight == applied.iCaptionHeight && now.iMenuWidth == applied.iMenuWidth &&
                      now.iMenuHeight == applied.iMenuHeight && now.iPaddedBorderWidth == applied.iPaddedBorderWidth &&
                      SameFont(now.lfCaptionFont, applied.lfCaptionFont) && SameFont(now.lfMenuFont, applied.lfMenuFont);
    return same ? FOUND_EQUAL : FOUND_DIFFERENT;
}

Finding Pointers(CSwitchMode& engine, const LONG* values, String16* had)
{
    *had = u"none";
    return engine.IsMouseStyleInEffect(static_cast<DWORD>(values[ITEM_MOUSE_POINTER]), had) ? FOUND_EQUAL
                                                                                             : FOUND_DIFFERENT;
}

Finding CaretWidth(CSwitchMode&, const LONG* values, String16* had)
{
    DWORD width = 0;
    if (!Plat().display.SystemParameters(SPI_GETCARETWIDTH, 0, &width, 0)) return FOUND_UNKNOWN;
    *had = Format(u"%d", width);
    return width == static_cast<DWORD>(values[ITEM_CURSOR_WIDTH]) ? FOUND_EQUAL : FOUND_DIFFERENT;
}

// "CursorBlinkRate", which Windows loads into the session at every sign-in,
// as SetBlinkTime writes it: signed decimal text. A missing one is Windows'
// default, not the profile's.
Finding BlinkTime(CSwitchMode&, const LONG* values, String16* had)
{
    char16_t text[kTextChars] = {};
    LONG read = RegReadStr(HKEY_CURRENT_USER, kDesktopKey, u"CursorBlinkRate", text, sizeof(text) - sizeof(char16_t));
    if (read == ERROR_FILE_NOT_FOUND) {
        *had = u"none";
        return FOUND_DIFFERENT;
    }
    if (read != ERROR_SUCCESS) return FOUND_UNKNOWN;
    *had = text;
    return *had == Format(u"%d", values[ITEM_CURSOR_SPEED]) ? FOUND_EQUAL : FOUND_DIFFERENT;
}

bool PutTextSize(CSwitchMode& engine, const LONG* values) { return engine.SetDpi(static_cast<DWORD>(values[ITEM_DPI])); }
bool PutIconSize(CSwitchMode& engine, const LONG* values)
{
    return engine.ChangeDesktopIconSize(static_cast<DWORD>(values[ITEM_DT_ICON_SIZE]));
}
bool PutMetrics(CSwitchMode& engine, const LONG* values) { return engine.SetWindowDesign(values); }
bool PutPointers(CSwitchMode& engine, const LONG* values)
{
    return engine.SetMouseStyle(static_cast<DWORD>(values[ITEM_MOUSE_POINTER]));
}
bool PutCaretWidth(CSwitchMode& engine, const LONG* values)
{
    return engine.SetCaretWidth(static_cast<DWORD>(values[ITEM_CURSOR_WIDTH]));
}
bool PutBlinkTime(CSwitchMode& engine, const LONG* values)
{
    return engine.SetBlinkTime(static_cast<UINT>(values[ITEM_CURSOR_SPEED]));
}

// The items in the order of a switch; the log names what was put back.
const struct {
    int item;
    const char16_t* what;
    Finding (*find)(CSwitchMode& engine, const LONG* values, String16* had);
    bool (*put)(CSwitchMode& engine, const LONG* values);
} kChecks[] = {
    {ITEM_DPI, u"text size", TextSize, PutTextSize},
    {ITEM_DT_ICON_SIZE, u"desktop icons", IconSize, PutIconSize},
    {ITEM_TITLE_SIZE, u"window metrics", Metrics, PutMetrics},
    {ITEM_MOUSE_POINTER, u"mouse pointers", Pointers, PutPointers},
    {ITEM_CURSOR_WIDTH, u"caret width", CaretWidth, PutCaretWidth},
    {ITEM_CURSOR_SPEED, u"caret blink time", BlinkTime, PutBlinkTime},
};

// What was put back, as the log says it.
String16 Wanted(int item, const LONG* values)
{
    if (item == ITEM_TITLE_SIZE) {
        return Format(u"title bar %d, menu %d, border %d, scroll bar %d", values[ITEM_TITLE_SIZE],
                      values[ITEM_MENU_SIZE], values[ITEM_ACTIVE_WIN_WIDTH], values[ITEM_SCROLL_WIDTH]);
    }
    if (item == ITEM_MOUSE_POINTER) return Format(u"style %d", values[item]);
    return Format(u"%d", values[item]);
}

}  // namespace

ProfileCheckResult CheckProfile(CSwitchMode& engine, const SettingValues& values, DWORD skip)
{
    ProfileCheckResult result;
    bool changing = false;
    for (const auto& check : kChecks) {
        if (skip & (1u << check.item)) continue;
        String16 had;
        if (check.find(engine, values, &had) != FOUND_DIFFERENT) continue;
        // The first change keeps the person's own settings first, as a switch does.
        if (!changing && COriginalSettings::Keep(engine, &result.keepFailure) == KEEP_FAILED) {
            result.keepFailed = true;
            return result;
        }
        changing = true;
        Log(u"CProfileCheck::Check %s: Windows had %s, put back %s.", check.what, had, Wanted(check.item, values));
        if (!check.put(engine, values)) {
            result.failed |= 1u << check.item;
            continue;
        }
        result.putBack |= 1u << check.item;
        if (check.item == ITEM_DPI) result.textSizeStored = true;
    }
    return result;
}

DWORD NotToLookAtAgain(const ProfileCheckResult& first) { return first.putBack & (1u << ITEM_DT_ICON_SIZE); }
