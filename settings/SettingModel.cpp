#include "settings/SettingModel.h"

#include "log/RunContext.h"
#include "res/resource.h"
#include "settings/RegControl.h"

const char16_t* const ItemValueNames[ITEM_COUNT] = {
    u"CorvelDPI",     u"DtIconSize",   u"TitleSize",    u"TitleFontSize", u"ActiveWinWidth", u"ScrollWidth",
    u"MenuFontSize",  u"MenuSize",     u"MousePointer", u"CursorWidth",   u"CursorSpeed",
};

const char16_t* const LevelNames[LEVEL_COUNT] = {
    u"None", u"Small", u"Slow", u"Standard", u"Middle", u"Large", u"Fast", u"Extra",
};

const ItemValueRow ItemValueTable[ITEM_VALUE_ROWS] = {
    {ITEM_DPI, 96, IDS_CAPTION_SMALL, LEVEL_SMALL},
    {ITEM_DPI, 120, IDS_CAPTION_MIDDLE, LEVEL_MIDDLE},
    {ITEM_DPI, 144, IDS_CAPTION_LARGE, LEVEL_LARGE},
    {ITEM_DPI, 192, IDS_CAPTION_EXTRA, LEVEL_EXTRA},
    {ITEM_DT_ICON_SIZE, 32, IDS_CAPTION_SMALL, LEVEL_SMALL},
    {ITEM_DT_ICON_SIZE, 48, IDS_CAPTION_MIDDLE, LEVEL_STANDARD},
    {ITEM_DT_ICON_SIZE, 96, IDS_CAPTION_LARGE, LEVEL_LARGE},
    {ITEM_DT_ICON_SIZE, 256, IDS_CAPTION_EXTRA, LEVEL_EXTRA},
    {ITEM_TITLE_SIZE, 21, IDS_CAPTION_SMALL, LEVEL_STANDARD},
    {ITEM_TITLE_SIZE, 40, IDS_CAPTION_MIDDLE, LEVEL_MIDDLE},
    {ITEM_TITLE_SIZE, 50, IDS_CAPTION_LARGE, LEVEL_LARGE},
    {ITEM_TITLE_SIZE, 60, IDS_CAPTION_EXTRA, LEVEL_EXTRA},
    {ITEM_TITLE_FONT_SIZE, 9, IDS_CAPTION_SMALL, LEVEL_STANDARD},
    {ITEM_TITLE_FONT_SIZE, 14, IDS_CAPTION_MIDDLE, LEVEL_MIDDLE},
    {ITEM_TITLE_FONT_SIZE, 19, IDS_CAPTION_LARGE, LEVEL_LARGE},
    {ITEM_TITLE_FONT_SIZE, 24, IDS_CAPTION_EXTRA, LEVEL_EXTRA},
    {ITEM_ACTIVE_WIN_WIDTH, 1, IDS_CAPTION_SMALL, LEVEL_STANDARD},
    {ITEM_ACTIVE_WIN_WIDTH, 10, IDS_CAPTION_MIDDLE, LEVEL_MIDDLE},
    {ITEM_ACTIVE_WIN_WIDTH, 15, IDS_CAPTION_LARGE, LEVEL_LARGE},
    {ITEM_ACTIVE_WIN_WIDTH, 20, IDS_CAPTION_EXTRA, LEVEL_EXTRA},
    {ITEM_SCROLL_WIDTH, 16, IDS_CAPTION_SMALL, LEVEL_STANDARD},
    {ITEM_SCROLL_WIDTH, 30, IDS_CAPTION_MIDDLE, LEVEL_MIDDLE},
    {ITEM_SCROLL_WIDTH, 40, IDS_CAPTION_LARGE, LEVEL_LARGE},
    {ITEM_SCROLL_WIDTH, 50, IDS_CAPTION_EXTRA, LEVEL_EXTRA},
    {ITEM_MENU_FONT_SIZE, 9, IDS_CAPTION_SMALL, LEVEL_STANDARD},
    {ITEM_MENU_FONT_SIZE, 14, IDS_CAPTION_MIDDLE, LEVEL_MIDDLE},
    {ITEM_MENU_FONT_SIZE, 19, IDS_CAPTION_LARGE, LEVEL_LARGE},
    {ITEM_MENU_FONT_SIZE, 24, IDS_CAPTION_EXTRA, LEVEL_EXTRA},
    {ITEM_MENU_SIZE, 20, IDS_CAPTION_SMALL, LEVEL_STANDARD},
    {ITEM_MENU_SIZE, 30, IDS_CAPTION_MIDDLE, LEVEL_MIDDLE},
    {ITEM_MENU_SIZE, 40, IDS_CAPTION_LARGE, LEVEL_LARGE},
    {ITEM_MENU_SIZE, 50, IDS_CAPTION_EXTRA, LEVEL_EXTRA},
    {ITEM_MOUSE_POINTER, 0, IDS_CAPTION_NORMAL, LEVEL_STANDARD},
    {ITEM_MOUSE_POINTER, 1, IDS_CAPTION_LARGE, LEVEL_LARGE},
    {ITEM_MOUSE_POINTER, 2, IDS_CAPTION_EXTRA, LEVEL_EXTRA},
    {ITEM_CURSOR_WIDTH, 1, IDS_CAPTION_SMALL, LEVEL_STANDARD},
    {ITEM_CURSOR_WIDTH, 4, IDS_CAPTION_MIDDLE, LEVEL_MIDDLE},
    {ITEM_CURSOR_WIDTH, 6, IDS_CAPTION_LARGE, LEVEL_LARGE},
    {ITEM_CURSOR_WIDTH, 8, IDS_CAPTION_EXTRA, LEVEL_EXTRA},
    {ITEM_CURSOR_SPEED, -1, IDS_CAPTION_NONE, LEVEL_NONE},
    {ITEM_CURSOR_SPEED, 800, IDS_CAPTION_SLOW, LEVEL_SLOW},
    {ITEM_CURSOR_SPEED, 600, IDS_CAPTION_NORMAL, LEVEL_STANDARD},
    {ITEM_CURSOR_SPEED, 400, IDS_CAPTION_FAST, LEVEL_FAST},
};

const ProfileLevelRow ProfileLevelTable[PROFILE_LEVEL_ROWS] = {
    {1011, ITEM_DPI, 0, LEVEL_SMALL},
    {1012, ITEM_DPI, 1, LEVEL_MIDDLE},
    {1023, ITEM_DPI, 2, LEVEL_LARGE},
    {1013, ITEM_DT_ICON_SIZE, 0, LEVEL_STANDARD},
    {1014, ITEM_DT_ICON_SIZE, 1, LEVEL_LARGE},
    {1024, ITEM_DT_ICON_SIZE, 2, LEVEL_LARGE},
    {1015, ITEM_TITLE_SIZE, 0, LEVEL_STANDARD},
    {1016, ITEM_TITLE_SIZE, 1, LEVEL_MIDDLE},
    {1031, ITEM_TITLE_SIZE, 2, LEVEL_LARGE},
    {1017, ITEM_ACTIVE_WIN_WIDTH, 0, LEVEL_STANDARD},
    {1018, ITEM_ACTIVE_WIN_WIDTH, 1, LEVEL_MIDDLE},
    {1032, ITEM_ACTIVE_WIN_WIDTH, 2, LEVEL_LARGE},
    {1019, ITEM_SCROLL_WIDTH, 0, LEVEL_STANDARD},
    {1020, ITEM_SCROLL_WIDTH, 1, LEVEL_MIDDLE},
    {1033, ITEM_SCROLL_WIDTH, 2, LEVEL_LARGE},
    {1021, ITEM_MENU_SIZE, 0, LEVEL_STANDARD},
    {1022, ITEM_MENU_SIZE, 1, LEVEL_MIDDLE},
    {1034, ITEM_MENU_SIZE, 2, LEVEL_LARGE},
    {1025, ITEM_MOUSE_POINTER, 0, LEVEL_STANDARD},
    {1026, ITEM_MOUSE_POINTER, 1, LEVEL_LARGE},
    {1035, ITEM_MOUSE_POINTER, 2, LEVEL_LARGE},
    {1027, ITEM_CURSOR_WIDTH, 0, LEVEL_STANDARD},
    {1028, ITEM_CURSOR_WIDTH, 1, LEVEL_MIDDLE},
    {1036, ITEM_CURSOR_WIDTH, 2, LEVEL_LARGE},
    {1029, ITEM_CURSOR_SPEED, 0, LEVEL_STANDARD},
    {1030, ITEM_CURSOR_SPEED, 1, LEVEL_STANDARD},
    {1037, ITEM_CURSOR_SPEED, 2, LEVEL_STANDARD},
};

const char16_t* const ProfileKeys[PROFILE_COUNT] = {
    u"Software\\Halden\\CorvelChg\\Profiles\\0\\",
    u"Software\\Halden\\CorvelChg\\Profiles\\1\\",
    u"Software\\Halden\\CorvelChg\\Profiles\\2\\",
};

const char16_t* const PolicyProfileKeys[PROFILE_COUNT] = {
    u"Software\\Policies\\Halden\\CorvelChg\\Profiles\\0\\",
    u"Software\\Policies\\Halden\\CorvelChg\\Profiles\\1\\",
    u"Software\\Policies\\Halden\\CorvelChg\\Profiles\\2\\",
};

const char16_t* const RecommendedProfileKeys[PROFILE_COUNT] = {
    u"Software\\Policies\\Halden\\CorvelChg\\Recommended\\Profiles\\0\\",
    u"Software\\Policies\\Halden\\CorvelChg\\Recommended\\Profiles\\1\\",
    u"Software\\Policies\\Halden\\CorvelChg\\Recommended\\Profiles\\2\\",
};

String16 ItemKey(int item) { return String16(kSettingsKey) + u"\\" + ItemValueNames[item]; }

bool BuiltInValue(int item, DWORD level, LONG* value)
{
    bool found = false;
    for (const ItemValueRow& row : ItemValueTable) {
        if (row.item != item || static_cast<DWORD>(row.level) != level) continue;
        *value = row.value;
        found = true;
    }
    return found;
}

bool BuiltInLevel(int item, DWORD mode, DWORD* level)
{
    if (item == ITEM_TITLE_FONT_SIZE || item == ITEM_MENU_FONT_SIZE) {
        if (!IsMode(mode)) return false;
        *level = LEVEL_STANDARD + mode;
        return true;
    }
    for (const ProfileLevelRow& row : ProfileLevelTable) {
        if (row.item != item || static_cast<DWORD>(row.mode) != mode) continue;
        *level = static_cast<DWORD>(row.level);
        return true;
    }
    return false;
}

// A value written by an administrator, reported where they look when it
// cannot be used.
bool ReadPolicyDword(HKEY root, const char16_t* key, const char16_t* name, DWORD last, DWORD* value)
{
    String16 path = root == HKEY_LOCAL_MACHINE ? u"HKLM\\" : u"HKCU\\";
    path += key;
    if (path.back() != u'\\') path += u'\\';
    DWORD stored = 0;
    const LONG read = RegReadDword(root, key, name, &stored);
    if (read == static_cast<LONG>(ERROR_INVALID_PARAMETER) || read == static_cast<LONG>(ERROR_MORE_DATA)) {
        ReportEvent<EVENT_POLICY_WRONG_TYPE>(path + name);
    }
    if (read != ERROR_SUCCESS) return false;
    if (stored > last) {
        Log(u"ReadPolicyDword the policy value %s%s is %u, out of the range 0 to %u; it counts as not set.", path, name,
            stored, last);
        ReportEvent<EVENT_POLICY_OUT_OF_RANGE>(path + name, Format(u"%u", stored), Format(u"%u", last));
        return false;
    }
    *value = stored;
    return true;
}

String16 ItemNames(DWORD mask)
{
    String16 names;
    for (int item = 0; item < ITEM_COUNT; ++item) {
        if (!(mask & (1u << item))) continue;
        if (!names.empty()) names += u", ";
        names += ItemValueNames[item];
    }
    return names.empty() ? u"-" : names;
}

namespace {
bool LevelAt(HKEY root, const char16_t* key, int item, DWORD* level)
{
    DWORD stored = 0;
    if (RegReadDword(root, key, ItemValueNames[item], &stored) != ERROR_SUCCESS) return false;
    if (!IsLevel(stored)) return false;
    *level = stored;
    return true;
}

bool PolicyLevelAt(HKEY root, const char16_t* key, int item, DWORD* level)
{
    return ReadPolicyDword(root, key, ItemValueNames[item], LEVEL_COUNT - 1, level);
}
}  // namespace

bool StoredLevel(HKEY root, DWORD mode, int item, DWORD* level) { return LevelAt(root, ProfileKeys[mode], item, level); }

bool EnforcedLevel(DWORD mode, int item, DWORD* level)
{
    return PolicyLevelAt(HKEY_LOCAL_MACHINE, PolicyProfileKeys[mode], item, level) ||
           PolicyLevelAt(HKEY_CURRENT_USER, PolicyProfileKeys[mode], item, level);
}

bool InheritedLevel(DWORD mode, int item, DWORD* level)
{
    return PolicyLevelAt(HKEY_LOCAL_MACHINE, RecommendedProfileKeys[mode], item, level) ||
           PolicyLevelAt(HKEY_CURRENT_USER, RecommendedProfileKeys[mode], item, level) ||
           StoredLevel(HKEY_LOCAL_MACHINE, mode, item, level);
}

bool FactoryLevel(DWORD mode, int item, DWORD* level)
{
    return EnforcedLevel(mode, item, level) || InheritedLevel(mode, item, level);
}

bool KeepProfile(bool* enforced)
{
    const struct {
        HKEY root;
        const char16_t* key;
        bool enforced;
        bool policy;  // written by a policy: a value out of range is logged
    } sources[] = {{HKEY_LOCAL_MACHINE, kPolicySettingsKey, true, true},
                   {HKEY_CURRENT_USER, kPolicySettingsKey, true, true},
                   {HKEY_CURRENT_USER, kSettingsKey, false, false},
                   {HKEY_LOCAL_MACHINE, kRecommendedSettingsKey, false, true},
                   {HKEY_CURRENT_USER, kRecommendedSettingsKey, false, true}};
    *enforced = false;
    for (const auto& source : sources) {
        DWORD value = 0;
        const bool read = source.policy
                              ? ReadPolicyDword(source.root, source.key, kKeepProfileValue, 1, &value)
                              : RegReadDword(source.root, source.key, kKeepProfileValue, &value) == ERROR_SUCCESS && value <= 1;
        if (!read) continue;
        *enforced = source.enforced;
        return value == 1;
    }
    return false;
}

bool LevelWithoutEnforced(DWORD mode, int item, DWORD* level)
{
    return StoredLevel(HKEY_CURRENT_USER, mode, item, level) || InheritedLevel(mode, item, level) ||
           BuiltInLevel(item, mode, level);
}

void LevelValue(int item, DWORD level, LONG* value)
{
    DWORD stored = 0;
    String16 key = ItemKey(item);
    if (RegReadDword(HKEY_LOCAL_MACHINE, key.c_str(), LevelNames[level], &stored) == ERROR_SUCCESS) {
        *value = static_cast<LONG>(stored);
        return;
    }
    BuiltInValue(item, level, value);
}

int BuiltInCaption(int item, DWORD level)
{
    for (const ItemValueRow& row : ItemValueTable) {
        if (row.item == item && static_cast<DWORD>(row.level) == level) return row.captionId;
    }
    return 0;
}

void OfferedLevels(int item, DWORD* mask, int* count)
{
    *mask = 0;
    *count = 0;
    String16 key = ItemKey(item);
    for (int level = 0; level < LEVEL_COUNT; ++level) {
        DWORD value = 0;
        if (RegReadDword(HKEY_LOCAL_MACHINE, key.c_str(), LevelNames[level], &value) != ERROR_SUCCESS) continue;
        *mask |= 1u << level;
        ++*count;
    }
    if (*mask && *count) return;
    *mask = 0;
    *count = 0;
    for (const ItemValueRow& row : ItemValueTable) {
        if (row.item != item) continue;
        *mask |= 1u << row.level;
        ++*count;
    }
}
