#include "switch/OriginalSettings.h"

#include <cstring>

#include "engine/PointerRoles.h"
#include "log/RunContext.h"
#include "platform/Text.h"
#include "settings/RegControl.h"
#include "settings/SettingModel.h"

namespace {

constexpr char16_t kDesktopKey[] = u"Control Panel\\Desktop";
constexpr char16_t kCursorsKey[] = u"Control Panel\\Cursors";

// The set's own values beside the copies of Windows' values.
constexpr char16_t kComplete[] = u"Complete";
constexpr char16_t kAbsent[] = u"Absent";
constexpr char16_t kAppliedDpi[] = u"AppliedDPI";
constexpr char16_t kMetrics[] = u"NonClientMetrics";
constexpr char16_t kCaretWidth[] = u"CaretWidth";
constexpr char16_t kBlinkTime[] = u"BlinkTime";
constexpr char16_t kIconSize[] = u"IconSize";
const char16_t* const kOwnValues[] = {kAbsent, kAppliedDpi, kMetrics, kCaretWidth, kBlinkTime, kIconSize};

// A copy's name in the set: the key under HKEY_CURRENT_USER, a backslash
// and the value's name ("Control Panel\Cursors\" for the default value).
String16 CopyName(const char16_t* key, const char16_t* name) { return String16(key) + u"\\" + name; }

bool Contains(const std::vector<BYTE>& multiText, const String16& name)
{
    const auto* text = reinterpret_cast<const char16_t*>(multiText.data());
    const size_t chars = multiText.size() / sizeof(char16_t);
    for (size_t start = 0; start < chars;) {
        size_t end = start;
        while (end < chars && text[end] != u'\0') ++end;
        if (end > start && EqualsNoCase(StringView16(text + start, end - start), name)) return true;
        start = end + 1;
    }
    return false;
}

// Writes the set's values through one open key and keeps the first error.
class SetWriter {
public:
    explicit SetWriter(HKEY key) : m_key(key) {}
    void Put(const char16_t* name, DWORD type, const void* data, size_t size)
    {
        LONG result = Plat().registry.SetValue(m_key, name, type, static_cast<const BYTE*>(data),
                                               static_cast<DWORD>(size));
        if (result != ERROR_SUCCESS && m_error == ERROR_SUCCESS) m_error = result;
    }
    void PutDword(const char16_t* name, DWORD value) { Put(name, REG_DWORD, &value, sizeof(value)); }
    void Flush()
    {
        LONG result = Plat().registry.FlushKey(m_key);
        if (result != ERROR_SUCCESS && m_error == ERROR_SUCCESS) m_error = result;
    }
    LONG Error() const { return m_error; }

private:
    HKEY m_key;
    LONG m_error = ERROR_SUCCESS;
};

bool ReadKeptDword(const char16_t* name, DWORD* value)
{
    return RegReadDword(HKEY_CURRENT_USER, kOriginalKey, name, value) == ERROR_SUCCESS;
}

}  // namespace

// The values a switch writes: the text size, the pointer scheme (the roles of
// this Windows, or every role, its name, "Scheme Source") and the blink rate.
std::vector<COriginalSettings::KeptValue> COriginalSettings::KeptValues(bool everyRole)
{
    std::vector<KeptValue> values = {{kDesktopKey, u"LogPixels", ITEM_DPI},
                                     {kDesktopKey, u"Win8DpiScaling", ITEM_DPI}};
    for (const PointerRole& role : kPointerRoles) {
        if (everyRole || RoleApplies(role)) values.push_back({kCursorsKey, role.valueName, ITEM_MOUSE_POINTER});
    }
    values.push_back({kCursorsKey, u"", ITEM_MOUSE_POINTER});
    values.push_back({kCursorsKey, u"Scheme Source", ITEM_MOUSE_POINTER});
    values.push_back({kDesktopKey, u"CursorBlinkRate", ITEM_CURSOR_SPEED});
    return values;
}

bool COriginalSettings::IsKept()
{
    DWORD complete = 0;
    return ReadKeptDword(kComplete, &complete) && complete == 1;
}

void COriginalSettings::Remove()
{
    ScopedRegKey key(Plat().registry);
    if (key.Open(HKEY_CURRENT_USER, kOriginalKey, KEY_ALL_ACCESS) != ERROR_SUCCESS) return;
    IRegistry& registry = Plat().registry;
    registry.DeleteValue(key.Get(), kComplete);
    for (const char16_t* name : kOwnValues) registry.DeleteValue(key.Get(), name);
    // Every role, whatever Windows kept them: the set may be older than an upgrade.
    for (const KeptValue& value : KeptValues(true)) {
        registry.DeleteValue(key.Get(), CopyName(value.key, value.name).c_str());
    }
}

bool COriginalSettings::Keep(CSwitchMode& engine)
{
    if (IsKept()) return false;
    DWORD mode = 0;
    LONG modeRead = RegReadDword(HKEY_CURRENT_USER, kSettingsKey, kUserModeValue, &mode);
    const bool ownSettingsInEffect = modeRead == ERROR_SUCCESS ? mode == MODE_ORIGINAL : modeRead == ERROR_FILE_NOT_FOUND;
    if (!ownSettingsInEffect) return false;
    Remove();  // what a keeping cut short left

    ScopedRegKey key(Plat().registry);
    LONG result = key.Create(HKEY_CURRENT_USER, kOriginalKey);
    if (result != ERROR_SUCCESS) {
        Log(u"COriginalSettings::Keep the settings could not be kept, code: %d.", result);
        return false;
    }
    SetWriter writer(key.Get());
    IDisplay& display = Plat().display;
    DWORD dpi = 0;
    if (engine.GetDpi(&dpi)) writer.PutDword(kAppliedDpi, dpi);
    NONCLIENTMETRICSW metrics;
    if (engine.GetMetrics(&metrics)) writer.Put(kMetrics, REG_BINARY, &metrics, sizeof(metrics));
    DWORD caretWidth = 0;
    if (display.SystemParameters(SPI_GETCARETWIDTH, 0, &caretWidth, 0)) {
        writer.PutDword(kCaretWidth, caretWidth);
    } else {
        Log(u"COriginalSettings::Keep %s is not kept, code: %d.", kCaretWidth, display.LastError());
    }
    if (UINT blink = display.CaretBlinkTime()) {
        writer.PutDword(kBlinkTime, blink);
    } else {
        Log(u"COriginalSettings::Keep %s is not kept, code: %d.", kBlinkTime, display.LastError());
    }
    DWORD iconSize = 0;
    if (LONG read = CSwitchMode::IconSizeInEffect(&iconSize); read == ERROR_SUCCESS) {
        writer.PutDword(kIconSize, iconSize);
    } else {
        Log(u"COriginalSettings::Keep %s is not kept, code: %d.", kIconSize, read);
    }

    String16 absent;
    for (const KeptValue& value : KeptValues(false)) {
        const String16 copy = CopyName(value.key, value.name);
        DWORD type = 0;
        std::vector<BYTE> data;
        LONG read = RegReadRaw(HKEY_CURRENT_USER, value.key, value.name, &type, &data);
        if (read == ERROR_SUCCESS) {
            writer.Put(copy.c_str(), type, data.data(), data.size());
        } else if (read == ERROR_FILE_NOT_FOUND) {
            absent += copy + u'\0';
        } else {
            Log(u"COriginalSettings::Keep %s is not kept, code: %d.", copy, read);
        }
    }
    absent += u'\0';
    writer.Put(kAbsent, REG_MULTI_SZ, absent.data(), absent.size() * sizeof(char16_t));
    // Everything on disk before the mark that makes it whole.
    writer.Flush();
    if (writer.Error() == ERROR_SUCCESS) {
        writer.PutDword(kComplete, 1);
        writer.Flush();
    }
    if (writer.Error() != ERROR_SUCCESS) {
        Log(u"COriginalSettings::Keep the settings could not be kept, code: %d.", writer.Error());
        Remove();
        return false;
    }
    Log(u"COriginalSettings::Keep the settings before the first switch are kept.");
    return true;
}

bool COriginalSettings::Read()
{
    if (!IsKept()) {
        bool leftovers = false;
        for (const char16_t* name : kOwnValues) {
            DWORD type = 0;
            std::vector<BYTE> data;
            leftovers = leftovers || RegReadRaw(HKEY_CURRENT_USER, kOriginalKey, name, &type, &data) == ERROR_SUCCESS;
        }
        if (leftovers) Log(u"COriginalSettings::Read the kept settings are not whole and are ignored.");
        return false;
    }
    m_bHasDpi = ReadKeptDword(kAppliedDpi, &m_dwAppliedDpi);
    m_bHasCaretWidth = ReadKeptDword(kCaretWidth, &m_dwCaretWidth);
    m_bHasBlinkTime = ReadKeptDword(kBlinkTime, &m_dwBlinkTime);
    m_bHasIconSize = ReadKeptDword(kIconSize, &m_dwIconSize);
    DWORD type = 0;
    std::vector<BYTE> data;
    m_bHasMetrics = RegReadRaw(HKEY_CURRENT_USER, kOriginalKey, kMetrics, &type, &data) == ERROR_SUCCESS &&
                    type == REG_BINARY && data.size() == sizeof(m_metrics);
    if (m_bHasMetrics) std::memcpy(&m_metrics, data.data(), sizeof(m_metrics));

    std::vector<BYTE> absent;
    if (RegReadRaw(HKEY_CURRENT_USER, kOriginalKey, kAbsent, &type, &absent) != ERROR_SUCCESS || type != REG_MULTI_SZ) {
        absent.clear();
    }
    m_values = KeptValues(false);
    for (KeptValue& value : m_values) {
        const String16 copy = CopyName(value.key, value.name);
        if (RegReadRaw(HKEY_CURRENT_USER, kOriginalKey, copy.c_str(), &value.type, &value.data) == ERROR_SUCCESS) {
            value.state = KeptValue::PRESENT;
        } else if (Contains(absent, copy)) {
            value.state = KeptValue::ABSENT;
        }
    }
    return true;
}

bool COriginalSettings::NeedsSignIn(DWORD dpiInEffect) const { return m_bHasDpi && dpiInEffect != m_dwAppliedDpi; }

// Every kept value of the item back as it was: the same type and bytes, or
// removed again where there was none.
bool COriginalSettings::PutBack(int item)
{
    bool done = true;
    for (const KeptValue& value : m_values) {
        if (value.item != item) continue;
        const String16 copy = CopyName(value.key, value.name);
        LONG result = ERROR_SUCCESS;
        if (value.state == KeptValue::PRESENT) {
            result = RegWriteRaw(HKEY_CURRENT_USER, value.key, value.name, value.type, value.data);
        } else if (value.state == KeptValue::ABSENT) {
            result = RegDeleteValue(HKEY_CURRENT_USER, value.key, value.name);
            if (result == ERROR_FILE_NOT_FOUND) result = ERROR_SUCCESS;
        } else {
            Log(u"COriginalSettings::ApplyItem %s was not kept and is left as it is.", copy);
        }
        if (result == ERROR_SUCCESS) continue;
        Log(u"COriginalSettings::ApplyItem %s could not be put back, code: %d.", copy, result);
        done = false;
    }
    return done;
}

bool COriginalSettings::ApplyItem(CSwitchMode& engine, int item, bool metricsNow)
{
    auto notKept = [](const char16_t* name) {
        Log(u"COriginalSettings::ApplyItem %s was not kept and is left as it is.", name);
        return true;
    };
    switch (item) {
    case ITEM_DPI: return PutBack(ITEM_DPI);
    case ITEM_DT_ICON_SIZE: return m_bHasIconSize ? engine.ChangeDesktopIconSize(m_dwIconSize) : notKept(kIconSize);
    case ITEM_TITLE_SIZE:
        if (!metricsNow) return true;
        return m_bHasMetrics ? engine.SetMetrics(m_metrics) : notKept(kMetrics);
    case ITEM_MOUSE_POINTER: {
        const bool written = PutBack(ITEM_MOUSE_POINTER);
        return engine.ReloadPointers() && written;
    }
    case ITEM_CURSOR_WIDTH: return m_bHasCaretWidth ? engine.SetCaretWidth(m_dwCaretWidth) : notKept(kCaretWidth);
    case ITEM_CURSOR_SPEED: {
        // SetBlinkTime also writes "CursorBlinkRate"; the kept one follows.
        const bool blink = m_bHasBlinkTime ? engine.SetBlinkTime(m_dwBlinkTime) : notKept(kBlinkTime);
        return PutBack(ITEM_CURSOR_SPEED) && blink;
    }
    default: return true;  // items 3 to 7 go with item 2
    }
}
