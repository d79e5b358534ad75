// The setting items, their levels, the three profiles, the built-in tables
// and the registry layout of the tool's own data.
#pragma once

#include "platform/WinTypes.h"

enum SettingItem {
    ITEM_DPI = 0,
    ITEM_DT_ICON_SIZE = 1,
    ITEM_TITLE_SIZE = 2,
    ITEM_TITLE_FONT_SIZE = 3,
    ITEM_ACTIVE_WIN_WIDTH = 4,
    ITEM_SCROLL_WIDTH = 5,
    ITEM_MENU_FONT_SIZE = 6,
    ITEM_MENU_SIZE = 7,
    ITEM_MOUSE_POINTER = 8,
    ITEM_CURSOR_WIDTH = 9,
    ITEM_CURSOR_SPEED = 10,
};
inline constexpr int ITEM_COUNT = 11;

enum SettingLevel {
    LEVEL_NONE = 0,
    LEVEL_SMALL = 1,
    LEVEL_SLOW = 2,
    LEVEL_STANDARD = 3,
    LEVEL_MIDDLE = 4,
    LEVEL_LARGE = 5,
    LEVEL_FAST = 6,
    LEVEL_EXTRA = 7,
};
inline constexpr int LEVEL_COUNT = 8;

inline constexpr int PROFILE_COUNT = 3;
inline constexpr DWORD MODE_SHIPMENT = 4;  // the user's "Mode" after a factory-settings restore
inline constexpr DWORD MODE_ORIGINAL = 5;  // after a return to the person's own settings: no profile

enum ModeState { MODESTATE_SHIPMENT = 1, MODESTATE_USER = 3 };
enum Action { ACTION_RESTORE = 2, ACTION_SWITCH = 3 };

using ProfileLevels = DWORD[ITEM_COUNT];
using SettingValues = LONG[ITEM_COUNT];

extern const char16_t* const ItemValueNames[ITEM_COUNT];
extern const char16_t* const LevelNames[LEVEL_COUNT];

// item, value, caption string id, level
struct ItemValueRow {
    int item;
    int value;
    int captionId;
    int level;
};
inline constexpr int ITEM_VALUE_ROWS = 43;
extern const ItemValueRow ItemValueTable[ITEM_VALUE_ROWS];

// control id of the detail-window button, item, mode, level
struct ProfileLevelRow {
    int controlId;
    int item;
    int mode;
    int level;
};
inline constexpr int PROFILE_LEVEL_ROWS = 27;
extern const ProfileLevelRow ProfileLevelTable[PROFILE_LEVEL_ROWS];

// Registry layout.
inline constexpr char16_t kSettingsKey[] = u"Software\\Halden\\CorvelChg\\Settings";
extern const char16_t* const ProfileKeys[PROFILE_COUNT];
// The policy branches (Group Policy, Intune), each read under
// HKEY_LOCAL_MACHINE (computer) and then HKEY_CURRENT_USER (user), value by
// value, and never written by the tool:
// - enforced profile levels, which win over the user's own;
// - recommended ones, the defaults of a user who has not saved their own,
//   with the starting profile ("mode") among them.
// The first template's "mode" under kPolicySettingsKey (computer) is still
// read, after the recommended one.
extern const char16_t* const PolicyProfileKeys[PROFILE_COUNT];
extern const char16_t* const RecommendedProfileKeys[PROFILE_COUNT];
inline constexpr char16_t kRecommendedSettingsKey[] = u"Software\\Policies\\Halden\\CorvelChg\\Recommended\\Settings";
inline constexpr char16_t kPolicySettingsKey[] = u"Software\\Policies\\Halden\\CorvelChg\\Settings";
inline constexpr char16_t kModeValue[] = u"mode";
// Whether the chosen profile is put back at every sign-in: the user's own
// choice under kSettingsKey, enforced or recommended by a policy under the
// settings keys of the policy branches; 1 on, 0 off.
inline constexpr char16_t kKeepProfileValue[] = u"KeepProfile";
inline constexpr char16_t kUserModeValue[] = u"Mode";
inline constexpr char16_t kProfilesNameValue[] = u"ProfilesName";

// Only 0 to 7 are levels; anything else stored in the registry is not one.
inline bool IsLevel(DWORD level) { return level < LEVEL_COUNT; }
inline bool IsMode(DWORD mode) { return mode < PROFILE_COUNT; }

// A REG_DWORD a policy wrote under Software\Policies, 0 to last. One out of
// that range counts as not set and gets a line naming the value and the
// range; one of the wrong type gets the registry helper's line.
bool ReadPolicyDword(HKEY root, const char16_t* key, const char16_t* name, DWORD last, DWORD* value);

// The items of a mask (bit n for item n) as the registry and the policy
// template name them, in item order: "CorvelDPI, MousePointer"; "-" for none.
String16 ItemNames(DWORD mask);

// "Software\Halden\CorvelChg\Settings\<value name of the item>".
String16 ItemKey(int item);

// The value of (item, level) from ItemValueTable; false, with *value
// untouched, when the table has no such row.
bool BuiltInValue(int item, DWORD level, LONG* value);
// The shipment level of (item, mode): fixed by the mode for the two font
// sizes, else the first matching row of ProfileLevelTable.
bool BuiltInLevel(int item, DWORD mode, DWORD* level);
// The string id of the caption of (item, level); 0 when there is no row.
int BuiltInCaption(int item, DWORD level);

// The level of (item, mode) stored under root, for a known mode and item. A
// stored level outside 0 to 7 is no level: false, as for a missing one, so
// that the next source applies instead of a meaningless value.
bool StoredLevel(HKEY root, DWORD mode, int item, DWORD* level);
// The level of (item, mode) that an enforced policy sets, computer before
// user, by the same rule; false when none does (not configured, disabled, or
// not a level).
bool EnforcedLevel(DWORD mode, int item, DWORD* level);
// What a user has without a level of their own: a recommended policy's,
// computer before user, else the factory branch's.
bool InheritedLevel(DWORD mode, int item, DWORD* level);
// The factory side (a factory restore, 「初期値に戻す」): enforced, else
// inherited; never the user's own level.
bool FactoryLevel(DWORD mode, int item, DWORD* level);
// Keeping the profile at every sign-in: an enforced policy (computer, user),
// else the user's own choice, else a recommended policy (computer, user),
// else off. *enforced tells whether a policy decides it. A value other than
// a REG_DWORD 0 or 1 counts as none.
bool KeepProfile(bool* enforced);

// The user's level without enforced policies: their own, else inherited,
// else the built-in one. What OK stores for a cell a policy enforces.
bool LevelWithoutEnforced(DWORD mode, int item, DWORD* level);
// The value of (item, level): the factory value under HKEY_LOCAL_MACHINE,
// else the built-in one.
void LevelValue(int item, DWORD level, LONG* value);

// The levels an item offers: one bit per level word present in its key under
// HKEY_LOCAL_MACHINE, else the item's rows of ItemValueTable.
void OfferedLevels(int item, DWORD* mask, int* count);
