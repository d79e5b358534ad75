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

// The set's own values beside the copies of Windows' values: its
// bookkeeping (without which it is not whole) and the settings read from
// Windows rather than from the registry.
constexpr char16_t kComplete[] = u"Complete";
constexpr char16_t kAbsent[] = u"Absent";
constexpr char16_t kNotRead[] = u"NotRead";
// What a return still owes: the items it could not put back, and the window
// metrics while it waits for the sign-in run. Only the return writes it,
// after it has removed the one before, so that the run that finishes a
// return never goes by an earlier return's record.
constexpr char16_t kOwed[] = u"Owed";
// Written by an earlier version while a return waited for the sign-in run;
// not read, and removed with the set.
constexpr char16_t kNotPutBack[] = u"NotPutBack";
constexpr char16_t kAppliedDpi[] = u"AppliedDPI";
constexpr char16_t kMetrics[] = u"NonClientMetrics";
constexpr char16_t kCaretWidth[] = u"CaretWidth";
constexpr char16_t kBlinkTime[] = u"BlinkTime";
constexpr char16_t kIconSize[] = u"IconSize";
const char16_t* const kReadValues[] = {kMetrics, kCaretWidth, kBlinkTime, kIconSize};
const char16_t* const kOwnValues[] = {kAbsent, kNotRead, kOwed, kNotPutBack, kAppliedDpi, kMetrics, kCaretWidth, kBlinkTime,
                                      kIconSize};

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

bool ReadList(const char16_t* name, std::vector<BYTE>* list)
{
    DWORD type = 0;
    return RegReadRaw(HKEY_CURRENT_USER, kOriginalKey, name, &type, list) == ERROR_SUCCESS && type == REG_MULTI_SZ;
}

bool HasValue(const char16_t* name)
{
    DWORD type = 0;
    std::vector<BYTE> data;
    return RegReadRaw(HKEY_CURRENT_USER, kOriginalKey, name, &type, &data) == ERROR_SUCCESS;
}

bool ReadKeptDword(const char16_t* name, DWORD* value)
{
    return RegReadDword(HKEY_CURRENT_USER, kOriginalKey, name, value) == ERROR_SUCCESS;
}

}  // namespace

// Writes the set's values through one open key and keeps the first error
// with the name of what failed; after one, it writes nothing more.
class SetWriter {
public:
    explicit SetWriter(HKEY key) : m_key(key) {}
    void Put(const char16_t* name, DWORD type, const void* data, size_t size)
    {
        if (m_error != ERROR_SUCCESS) return;
        Note(name, Plat().registry.SetValue(m_key, name, type, static_cast<const BYTE*>(data),
                                            static_cast<DWORD>(size)));
    }
    void PutDword(const char16_t* name, DWORD value) { Put(name, REG_DWORD, &value, sizeof(value)); }
    void PutList(const char16_t* name, String16 list)
    {
        list += u'\0';  // the list's end: an empty text
        Put(name, REG_MULTI_SZ, list.data(), list.size() * sizeof(char16_t));
    }
    void Flush(const char16_t* sealing)
    {
        if (m_error == ERROR_SUCCESS) Note(sealing, Plat().registry.FlushKey(m_key));
    }
    void Fail(const char16_t* name, LONG error) { Note(name, error); }
    LONG Error() const { return m_error; }
    const String16& Failed() const { return m_failed; }

private:
    void Note(const char16_t* name, LONG result)
    {
        if (result == ERROR_SUCCESS || m_error != ERROR_SUCCESS) return;
        m_error = result;
        m_failed = name;
    }
    HKEY m_key;
    LONG m_error = ERROR_SUCCESS;
    String16 m_failed;
};

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

// Complete, the two lists and the kept DPI; and, in a set that has the list
// of values not read (every set but those of the first version that kept),
// every other value copied or listed. A damaged copy still counts as there.
String16 COriginalSettings::MissingPart()
{
    DWORD dword = 0;
    if (!ReadKeptDword(kComplete, &dword) || dword != 1) return kComplete;
    std::vector<BYTE> absent;
    if (!ReadList(kAbsent, &absent)) return kAbsent;
    if (!ReadKeptDword(kAppliedDpi, &dword)) return kAppliedDpi;
    std::vector<BYTE> notRead;
    if (!ReadList(kNotRead, &notRead)) return HasValue(kNotRead) ? kNotRead : u"";
    for (const char16_t* name : kReadValues) {
        if (!HasValue(name) && !Contains(notRead, name)) return name;
    }
    for (const KeptValue& value : KeptValues(true)) {
        const String16 copy = CopyName(value.key, value.name);
        if (!HasValue(copy.c_str()) && !Contains(absent, copy) && !Contains(notRead, copy)) return copy;
    }
    return u"";
}

bool COriginalSettings::IsKept()
{
    if (!HasValue(kComplete)) return false;
    const String16 missing = MissingPart();
    if (missing.empty()) return true;
    Log(u"COriginalSettings::IsKept the kept settings are not whole and are ignored: %s is missing or damaged.",
        missing);
    return false;
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

// Nothing of the person's is changed before a whole set is on disk: every
// write and both flushes must succeed. A setting Windows cannot give now
// (no desktop view for the icon size) is listed as not read instead; the
// DPI in effect must be had, from "AppliedDPI" or else the screen, or no
// return could tell when its metrics fit.
KeepResult COriginalSettings::Keep(CSwitchMode& engine, KeepFailure* failure)
{
    if (IsKept()) {
        // This change goes over what a return put back: no run may finish
        // that return later and take what it finds then for the person's.
        const LONG forgotten = ForgetOwed();
        if (forgotten == ERROR_SUCCESS) return KEEP_NOT_NEEDED;
        if (failure) *failure = {kOwed, forgotten};
        return KEEP_FAILED;
    }
    DWORD mode = 0;
    LONG modeRead = RegReadDword(HKEY_CURRENT_USER, kSettingsKey, kUserModeValue, &mode);
    const bool ownSettingsInEffect = modeRead == ERROR_SUCCESS ? mode == MODE_ORIGINAL : modeRead == ERROR_FILE_NOT_FOUND;
    if (!ownSettingsInEffect) return KEEP_NOT_NEEDED;
    Remove();  // what a keeping cut short left

    ScopedRegKey key(Plat().registry);
    const LONG created = key.Create(HKEY_CURRENT_USER, kOriginalKey);
    SetWriter writer(key.Get());
    if (created == ERROR_SUCCESS) {
        WriteSet(engine, writer);
    } else {
        writer.Fail(kOriginalKey, created);
    }
    if (writer.Error() != ERROR_SUCCESS) {
        Log(u"COriginalSettings::Keep %s could not be kept, code: %d.", writer.Failed(), writer.Error());
        if (failure) *failure = {writer.Failed(), writer.Error()};
        key.Close();
        Remove();
        return KEEP_FAILED;
    }
    Log(u"COriginalSettings::Keep the settings before the first switch are kept.");
    return KEEP_KEPT;
}

void COriginalSettings::WriteSet(CSwitchMode& engine, SetWriter& writer)
{
    DWORD dpi = 0;
    LONG dpiError = ERROR_SUCCESS;
    if (!engine.GetDpiInEffect(&dpi, &dpiError)) {
        writer.Fail(kAppliedDpi, dpiError);
        return;
    }
    writer.PutDword(kAppliedDpi, dpi);
    String16 notRead;
    auto notReadNow = [&notRead](const char16_t* name, DWORD code) {
        Log(u"COriginalSettings::Keep %s is not kept, code: %d.", name, code);
        notRead += String16(name) + u'\0';
    };
    IDisplay& display = Plat().display;
    NONCLIENTMETRICSW metrics;
    if (engine.GetMetrics(&metrics)) {
        writer.Put(kMetrics, REG_BINARY, &metrics, sizeof(metrics));
    } else {
        notReadNow(kMetrics, display.LastError());
    }
    DWORD caretWidth = 0;
    if (display.SystemParameters(SPI_GETCARETWIDTH, 0, &caretWidth, 0)) {
        writer.PutDword(kCaretWidth, caretWidth);
    } else {
        notReadNow(kCaretWidth, display.LastError());
    }
    if (UINT blink = display.CaretBlinkTime()) {
        writer.PutDword(kBlinkTime, blink);
    } else {
        notReadNow(kBlinkTime, display.LastError());
    }
    DWORD iconSize = 0;
    if (LONG read = CSwitchMode::IconSizeInEffect(&iconSize); read == ERROR_SUCCESS) {
        writer.PutDword(kIconSize, iconSize);
    } else {
        notReadNow(kIconSize, static_cast<DWORD>(read));
    }

    // Every role, those this Windows lacks too: a set kept before an
    // upgrade of Windows is still whole after it.
    String16 absent;
    for (const KeptValue& value : KeptValues(true)) {
        const String16 copy = CopyName(value.key, value.name);
        DWORD type = 0;
        std::vector<BYTE> data;
        LONG read = RegReadRaw(HKEY_CURRENT_USER, value.key, value.name, &type, &data);
        if (read == ERROR_SUCCESS) {
            writer.Put(copy.c_str(), type, data.data(), data.size());
        } else if (read == ERROR_FILE_NOT_FOUND) {
            absent += copy + u'\0';
        } else {
            notReadNow(copy.c_str(), static_cast<DWORD>(read));
        }
    }
    writer.PutList(kAbsent, absent);
    writer.PutList(kNotRead, notRead);
    // Everything on disk before the mark that makes it whole.
    writer.Flush(kOriginalKey);
    writer.PutDword(kComplete, 1);
    writer.Flush(kComplete);
}

bool COriginalSettings::Read()
{
    if (!HasValue(kComplete)) {
        bool leftovers = false;
        for (const char16_t* name : kOwnValues) leftovers = leftovers || HasValue(name);
        if (leftovers) Log(u"COriginalSettings::Read the kept settings are not whole and are ignored.");
        return false;
    }
    if (!IsKept()) return false;
    ReadKeptDword(kAppliedDpi, &m_dwAppliedDpi);
    m_bHasOwed = ReadKeptDword(kOwed, &m_dwOwed);
    m_bHasDpi = true;
    m_bHasCaretWidth = ReadKeptDword(kCaretWidth, &m_dwCaretWidth);
    m_bHasBlinkTime = ReadKeptDword(kBlinkTime, &m_dwBlinkTime);
    m_bHasIconSize = ReadKeptDword(kIconSize, &m_dwIconSize);
    DWORD type = 0;
    std::vector<BYTE> data;
    m_bHasMetrics = RegReadRaw(HKEY_CURRENT_USER, kOriginalKey, kMetrics, &type, &data) == ERROR_SUCCESS &&
                    type == REG_BINARY && data.size() == sizeof(m_metrics);
    if (m_bHasMetrics) std::memcpy(&m_metrics, data.data(), sizeof(m_metrics));

    std::vector<BYTE> absent;
    ReadList(kAbsent, &absent);
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

LONG COriginalSettings::ForgetOwed()
{
    if (!HasValue(kOwed)) return ERROR_SUCCESS;  // nothing to write to a key that may refuse it
    const LONG deleted = RegDeleteValue(HKEY_CURRENT_USER, kOriginalKey, kOwed);
    if (deleted == ERROR_SUCCESS || deleted == static_cast<LONG>(ERROR_FILE_NOT_FOUND)) return ERROR_SUCCESS;
    Log(u"COriginalSettings::ForgetOwed the record of an earlier return could not be removed, code: %d.", deleted);
    return deleted;
}

bool COriginalSettings::RecordOwed(DWORD owed)
{
    const LONG written = RegWriteDword(HKEY_CURRENT_USER, kOriginalKey, kOwed, owed);
    if (written == ERROR_SUCCESS) return true;
    Log(u"COriginalSettings::RecordOwed what the return still owes could not be recorded, code: %d.", written);
    return false;
}

DWORD COriginalSettings::ApplyOwed(CSwitchMode& engine)
{
    DWORD left = 0;
    for (int item = 0; item < ITEM_COUNT; ++item) {
        if ((m_dwOwed & (1u << item)) && !ApplyItem(engine, item, true)) left |= 1u << item;
    }
    return left;
}
