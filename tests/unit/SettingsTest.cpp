#include "settings/RegControl.h"
#include "ui/SettingLevels.h"
#include "tests/unit/TestSupport.h"

namespace {

using Values = std::vector<LONG>;

const Values kProfile0 = {96, 48, 21, 9, 1, 16, 9, 20, 0, 1, 600};
const Values kProfile1 = {120, 96, 40, 14, 10, 30, 14, 30, 1, 4, 600};
const Values kProfile2 = {144, 96, 50, 19, 15, 40, 19, 40, 1, 6, 600};

class SettingsTest : public AppTest {
protected:
    void SetUp() override { EnableLog(); }
    Values User(DWORD mode)
    {
        SettingValues values = {};
        EXPECT_EQ(app.GetSettings(mode, values), 0);
        return Values(values, values + ITEM_COUNT);
    }
    Values Shipment(DWORD mode)
    {
        SettingValues values = {};
        EXPECT_EQ(app.GetShipmentSettings(mode, values), 0);
        return Values(values, values + ITEM_COUNT);
    }
    void Factory(DWORD mode, const char16_t* item, DWORD level)
    {
        fake.registry.PutDword(HKEY_LOCAL_MACHINE, ProfileKeys[mode], item, level);
    }
    void UserLevel(DWORD mode, const char16_t* item, DWORD level)
    {
        fake.registry.PutDword(HKEY_CURRENT_USER, ProfileKeys[mode], item, level);
    }
};

TEST(SettingModel, TablesHaveTheirShape)
{
    EXPECT_EQ(sizeof(ItemValueTable) / sizeof(ItemValueTable[0]), 43u);
    EXPECT_EQ(sizeof(ProfileLevelTable) / sizeof(ProfileLevelTable[0]), 27u);
    // Rows grouped by item in item order, levels ascending within an item.
    for (int i = 1; i < ITEM_VALUE_ROWS; ++i) {
        const auto& a = ItemValueTable[i - 1];
        const auto& b = ItemValueTable[i];
        EXPECT_TRUE(a.item < b.item || (a.item == b.item && a.level < b.level)) << i;
    }
    EXPECT_EQ(String16(LevelNames[LEVEL_EXTRA]), u"Extra");
    EXPECT_EQ(String16(ItemValueNames[ITEM_CURSOR_SPEED]), u"CursorSpeed");
    EXPECT_EQ(BuiltInCaption(ITEM_DT_ICON_SIZE, LEVEL_STANDARD), 10062);
    EXPECT_EQ(BuiltInCaption(ITEM_TITLE_SIZE, LEVEL_STANDARD), 10045);
}

TEST_F(SettingsTest, EmptyRegistryResolvesToTheBuiltInProfiles)
{
    const Values* expected[] = {&kProfile0, &kProfile1, &kProfile2};
    for (DWORD mode = 0; mode < 3; ++mode) {
        EXPECT_EQ(User(mode), *expected[mode]) << mode;
        EXPECT_EQ(Shipment(mode), *expected[mode]) << mode;
    }
    EXPECT_TRUE(Messages().empty());
}

TEST_F(SettingsTest, FactoryDataOverridesLevelsAndValues)
{
    Factory(0, u"CorvelDPI", LEVEL_EXTRA);     // no "Extra" value: built-in 192
    Factory(0, u"CursorSpeed", LEVEL_NONE);    // -1
    Factory(1, u"DtIconSize", LEVEL_SMALL);
    fake.registry.PutDword(HKEY_LOCAL_MACHINE, ItemKey(ITEM_DT_ICON_SIZE), u"Small", 40);
    Values p0 = Shipment(0);
    EXPECT_EQ(p0[ITEM_DPI], 192);
    EXPECT_EQ(p0[ITEM_CURSOR_SPEED], -1);
    EXPECT_EQ(Shipment(1)[ITEM_DT_ICON_SIZE], 40);
    EXPECT_EQ(User(1)[ITEM_DT_ICON_SIZE], 40);
}

TEST_F(SettingsTest, LevelWithoutAnyValueResolvesToZero)
{
    UserLevel(0, u"CorvelDPI", LEVEL_SLOW);
    EXPECT_EQ(User(0)[ITEM_DPI], 0);
}

TEST_F(SettingsTest, UserLevelsOverrideFactoryLevelsItemByItem)
{
    Factory(0, u"CorvelDPI", LEVEL_MIDDLE);
    UserLevel(0, u"CorvelDPI", LEVEL_LARGE);
    Factory(0, u"ScrollWidth", LEVEL_EXTRA);
    Values p0 = User(0);
    EXPECT_EQ(p0[ITEM_DPI], 144);
    EXPECT_EQ(p0[ITEM_SCROLL_WIDTH], 50);
    EXPECT_EQ(p0[ITEM_TITLE_SIZE], 21);
    EXPECT_EQ(Shipment(0)[ITEM_DPI], 120);  // the factory side ignores the user's level

    // A user who saved only profile 1 still sees the factory levels of profile 0.
    UserLevel(1, u"MenuSize", LEVEL_EXTRA);
    ProfileLevels levels = {};
    EXPECT_EQ(app.GetProfiles(1, levels), 0);
    EXPECT_EQ(levels[ITEM_MENU_SIZE], static_cast<DWORD>(LEVEL_EXTRA));
    EXPECT_EQ(app.GetProfiles(0, levels), 0);
    EXPECT_EQ(levels[ITEM_MENU_SIZE], static_cast<DWORD>(LEVEL_STANDARD));
}

// Bad stored levels fall through to the next source; only a type error whose
// data fit the 4-byte read is logged.
TEST_F(SettingsTest, BadStoredLevelsFallBack)
{
    const struct {
        const char* name;
        DWORD type;
        std::vector<BYTE> data;
        int typeLines;
    } cases[] = {
        {"REG_SZ", REG_SZ, {'5', 0, 0, 0}, 1},
        {"REG_BINARY", REG_BINARY, {5, 0, 0, 0}, 1},
        {"REG_QWORD", REG_QWORD, {5, 0, 0, 0, 0, 0, 0, 0}, 0},
        {"long REG_SZ", REG_SZ, std::vector<BYTE>(1200, 'x'), 0},
        {"level 8", REG_DWORD, {8, 0, 0, 0}, 0},
        {"level -1", REG_DWORD, {0xFF, 0xFF, 0xFF, 0xFF}, 0},
    };
    Factory(2, u"CorvelDPI", LEVEL_MIDDLE);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fake.files.SetContents(kLogPath, {});
        fake.registry.Put(HKEY_CURRENT_USER, ProfileKeys[2], u"CorvelDPI", c.type, c.data);
        fake.registry.Put(HKEY_LOCAL_MACHINE, ProfileKeys[2], u"TitleSize", c.type, c.data);
        Values p2 = User(2);
        EXPECT_EQ(p2[ITEM_DPI], 120);         // the factory level
        EXPECT_EQ(p2[ITEM_TITLE_SIZE], 50);   // the built-in level
        EXPECT_EQ(CountMessage("RegReadDword error, file: .\\RegControl, line: 29, code: 87."), 2 * c.typeLines);
    }
}

TEST_F(SettingsTest, BadLevelValuesFallBackToBuiltIn)
{
    fake.registry.PutString(HKEY_LOCAL_MACHINE, ItemKey(ITEM_DPI), u"Large", u"200");
    EXPECT_EQ(User(2)[ITEM_DPI], 144);
}

TEST_F(SettingsTest, UnknownModesFailWithTheirLines)
{
    for (DWORD mode : {3u, 5u, 0xFFFFFFFFu}) {
        SCOPED_TRACE(mode);
        fake.files.SetContents(kLogPath, {});
        ProfileLevels levels = {};
        EXPECT_EQ(app.GetProfiles(mode, levels), -1);
        std::string unknown = "CCorvelChgApp::GetProfileFromReg unknow mode : " + std::to_string(int(mode)) + ".";
        EXPECT_EQ(Messages(), (std::vector<std::string>{unknown, "CCorvelChgApp::GetSettings failed. GetProfileFromReg error."}));

        fake.files.SetContents(kLogPath, {});
        SettingValues values = {};
        EXPECT_EQ(app.GetShipmentSettings(mode, values), -1);
        EXPECT_EQ(Messages(), (std::vector<std::string>{
                                  "CCorvelChgApp::GetShipmentProfileFromReg unknow mode : " + std::to_string(int(mode)) + ".",
                                  "CCorvelChgApp::GetShipmentSettingFromReg failed. GetShipmentSettingFromReg error.",
                                  "CCorvelChgApp::GetShipmentSettings failed. GetShipmentSettingFromReg error."}));
        EXPECT_EQ(fake.registry.CallCount(), 0);  // nothing was read
    }
}

TEST_F(SettingsTest, MissingArraysAreRefused)
{
    EXPECT_EQ(app.GetProfiles(0, nullptr), -1);
    EXPECT_EQ(app.GetSettings(0, nullptr), -1);
    EXPECT_EQ(app.SaveSettings(0, nullptr), 0xFFFFFFFFu);
    EXPECT_EQ(Messages(), (std::vector<std::string>{
                              "CCorvelChgApp::GetSettings　ERROR_INVALID_PARAMETER file: .\\CorvelChg, line: 751.",
                              "CCorvelChgApp::GetSettings　ERROR_INVALID_PARAMETER file: .\\CorvelChg, line: 695.",
                              "CCorvelChgApp::SaveSettings ERROR_INVALID_PARAMETER file: .\\CorvelChg, line: 974."}));
}

TEST_F(SettingsTest, SaveSettingsGoesOnAfterARefusedWrite)
{
    fake.registry.SetFault([](FakeRegistry::Op op, const String16&, const String16& name) {
        return op == FakeRegistry::Op::Set && name == u"ActiveWinWidth" ? 5 : 0;
    });
    ProfileLevels levels = {5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 6};
    levels[ITEM_MOUSE_POINTER] = 0xFFFFFFFF;
    EXPECT_EQ(app.SaveSettings(1, levels), (1u << 4) | (1u << 8));
    for (int item = 0; item < ITEM_COUNT; ++item) {
        DWORD type = 0;
        std::vector<BYTE> data;
        bool stored = fake.registry.Get(HKEY_CURRENT_USER, ProfileKeys[1], ItemValueNames[item], &type, &data);
        EXPECT_EQ(stored, item != 4 && item != 8) << item;
    }
    EXPECT_EQ(Messages(), (std::vector<std::string>{"CCorvelChgApp::SaveSettings Failed. item index: 4, error code: 5",
                                                   "CCorvelChgApp::SaveSettings Failed. item index: 8, error code: -1"}));
    EXPECT_EQ(app.SaveRegisterItem(3, 0, 1), -1);
    EXPECT_EQ(Messages().back(), "CCorvelChgApp::SaveRegisterItem failed. Unknown mode.");
}

TEST_F(SettingsTest, IsSettingsChangedComparesWithTheLevelsReadAtStart)
{
    app.m_nMode = 1;
    app.m_nModeState = MODESTATE_USER;
    ASSERT_EQ(app.GetProfiles(1, app.m_dwProfile), 0);
    EXPECT_FALSE(app.IsSettingsChanged());
    UserLevel(1, u"CursorWidth", LEVEL_EXTRA);
    EXPECT_TRUE(app.IsSettingsChanged());
    app.m_nModeState = MODESTATE_SHIPMENT;  // no profile of the user's own in effect
    EXPECT_FALSE(app.IsSettingsChanged());
}

TEST_F(SettingsTest, OfferedLevels)
{
    DWORD mask = 0;
    int count = 0;
    OfferedLevels(ITEM_DT_ICON_SIZE, &mask, &count);
    EXPECT_EQ(mask, 0xAAu);  // Small, Standard, Large, Extra
    EXPECT_EQ(count, 4);
    fake.registry.PutDword(HKEY_LOCAL_MACHINE, ItemKey(ITEM_DT_ICON_SIZE), u"Small", 32);
    fake.registry.PutDword(HKEY_LOCAL_MACHINE, ItemKey(ITEM_DT_ICON_SIZE), u"Extra", 256);
    OfferedLevels(ITEM_DT_ICON_SIZE, &mask, &count);
    EXPECT_EQ(mask, 0x82u);
    EXPECT_EQ(count, 2);
    OfferedLevels(ITEM_CURSOR_SPEED, &mask, &count);
    EXPECT_EQ(mask, 0x4Du);  // None, Slow, Standard, Fast
}

TEST_F(SettingsTest, ProfileNames)
{
    const String16 long200(200, u'名');
    fake.registry.PutString(HKEY_LOCAL_MACHINE, ProfileKeys[0], u"ProfilesName", u"ふつう");
    fake.registry.PutString(HKEY_LOCAL_MACHINE, ProfileKeys[1], u"ProfilesName", long200);
    fake.registry.PutString(HKEY_LOCAL_MACHINE, ProfileKeys[2], u"ProfilesName", u"%s%d");
    app.GetProfilesName();
    EXPECT_EQ(app.m_strProfilesName[0], u"ふつう");
    EXPECT_EQ(app.m_strProfilesName[1], long200);
    EXPECT_EQ(app.m_strProfilesName[2], u"%s%d");
    EXPECT_EQ(app.ProfileName(2), u"%s%d");
    EXPECT_EQ(app.ProfileName(3), u"");  // the first index past the end

    // One name missing: all three come from the string table.
    fake.registry.Put(HKEY_LOCAL_MACHINE, ProfileKeys[2], u"ProfilesName", REG_EXPAND_SZ, {'a', 0, 0, 0});
    app.GetProfilesName();
    EXPECT_EQ(U8(app.m_strProfilesName[0]), "設定①");
    EXPECT_EQ(U8(app.m_strProfilesName[1]), "設定②");
    EXPECT_EQ(U8(app.m_strProfilesName[2]), "設定③");
    EXPECT_EQ(CountMessage("CCorvelChgApp::GetProfileFromReg failed. RegReadStr error."), 1);
}

// A factory level outside 0 to 7 is passed over for the built-in level, so
// that a restore never indexes the level names with it.
TEST_F(SettingsTest, FactoryLevelOutOfRangeTakesTheBuiltInLevel)
{
    for (DWORD level : {8u, 0xFFFFFFFFu}) {
        Factory(1, u"CorvelDPI", level);
        EXPECT_EQ(Shipment(1), kProfile1);
    }
}

// A name of exactly 520 bytes has no terminator in the 260-character buffer.
TEST_F(SettingsTest, UnterminatedNameIsBoundedByItsBuffer)
{
    for (DWORD mode = 0; mode < 3; ++mode) {
        fake.registry.Put(HKEY_LOCAL_MACHINE, ProfileKeys[mode], u"ProfilesName", REG_SZ, std::vector<BYTE>(520, 0x41));
    }
    app.GetProfilesName();
    EXPECT_EQ(app.m_strProfilesName[0], String16(260, u'\x4141'));
}

}  // namespace

namespace {

// The policy branch comes first, value by value: a level or "mode" there
// wins over the factory one, which wins over the built-in one; a policy
// value that is not a DWORD (logged as a factory one is) or not a level
// counts as none.
TEST_F(SettingsTest, PolicyThenFactoryThenBuiltIn)
{
    const struct {
        const char* what;
        std::vector<BYTE> policy;  // "TitleSize" of profile 2 under the policy branch; empty: none
        DWORD policyType;
        bool factory;              // the factory branch says Extra (60)
        LONG title;
        int typeLines;
    } cases[] = {
        {"policy Middle over factory Extra", {LEVEL_MIDDLE, 0, 0, 0}, REG_DWORD, true, 40, 0},
        {"policy alone", {LEVEL_MIDDLE, 0, 0, 0}, REG_DWORD, false, 40, 0},
        {"no policy: factory", {}, REG_NONE, true, 60, 0},
        {"no policy, no factory: built-in Large", {}, REG_NONE, false, 50, 0},
        {"policy out of range", {8, 0, 0, 0}, REG_DWORD, true, 60, 0},
        {"policy as text", {'4', 0, 0, 0}, REG_SZ, true, 60, 1},
        {"policy of 2 bytes", {4, 0}, REG_DWORD, false, 50, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fake.files.SetContents(kLogPath, {});
        fake.registry.Remove(HKEY_LOCAL_MACHINE, PolicyProfileKeys[2], u"TitleSize");
        fake.registry.Remove(HKEY_LOCAL_MACHINE, ProfileKeys[2], u"TitleSize");
        if (!c.policy.empty()) fake.registry.Put(HKEY_LOCAL_MACHINE, PolicyProfileKeys[2], u"TitleSize", c.policyType, c.policy);
        if (c.factory) Factory(2, u"TitleSize", LEVEL_EXTRA);
        EXPECT_EQ(Shipment(2)[ITEM_TITLE_SIZE], c.title);
        EXPECT_EQ(User(2)[ITEM_TITLE_SIZE], c.title);  // a user without a level of their own
        EXPECT_EQ(CountMessage("RegReadDword error, file: .\\RegControl, line: 29, code: 87."), 2 * c.typeLines);
    }
    // The user's own level still comes first.
    UserLevel(2, u"TitleSize", LEVEL_STANDARD);
    EXPECT_EQ(User(2)[ITEM_TITLE_SIZE], 21);
    // The rest of the profile is untouched by a policy on one row.
    Values rest = Shipment(2);
    EXPECT_EQ(Values(rest.begin(), rest.begin() + ITEM_TITLE_SIZE), Values(kProfile2.begin(), kProfile2.begin() + ITEM_TITLE_SIZE));
}

TEST_F(SettingsTest, PolicyModeBeforeFactoryMode)
{
    const struct {
        const char* what;
        std::vector<BYTE> policy;
        DWORD policyType;
        DWORD mode;
    } cases[] = {{"policy 2", {2, 0, 0, 0}, REG_DWORD, 2},
                 {"policy 3 is no mode", {3, 0, 0, 0}, REG_DWORD, 1},
                 {"policy as text", {'2', 0, 0, 0}, REG_SZ, 1},
                 {"no policy", {}, REG_NONE, 1}};
    fake.registry.PutDword(HKEY_LOCAL_MACHINE, kSettingsKey, u"mode", 1);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fake.registry.Remove(HKEY_LOCAL_MACHINE, kPolicySettingsKey, u"mode");
        if (!c.policy.empty()) fake.registry.Put(HKEY_LOCAL_MACHINE, kPolicySettingsKey, u"mode", c.policyType, c.policy);
        EXPECT_EQ(app.GetShipmentMode(), c.mode);
    }
}

// The six places a level of a profile's row comes from, in the order the
// user's read takes them, each with a level of its own.
struct LevelSource {
    const char* name;
    HKEY root;
    const char16_t* const* keys;
    DWORD level;
    bool factorySide;  // the factory restore and 「初期値に戻す」 take it too
};
const LevelSource kLevelSources[] = {
    {"enforced, computer", HKEY_LOCAL_MACHINE, PolicyProfileKeys, LEVEL_SMALL, true},
    {"enforced, user", HKEY_CURRENT_USER, PolicyProfileKeys, LEVEL_SLOW, true},
    {"the user's own", HKEY_CURRENT_USER, ProfileKeys, LEVEL_STANDARD, false},
    {"recommended, computer", HKEY_LOCAL_MACHINE, RecommendedProfileKeys, LEVEL_MIDDLE, true},
    {"recommended, user", HKEY_CURRENT_USER, RecommendedProfileKeys, LEVEL_FAST, true},
    {"factory", HKEY_LOCAL_MACHINE, ProfileKeys, LEVEL_EXTRA, true},
};
constexpr int kSources = sizeof(kLevelSources) / sizeof(kLevelSources[0]);
constexpr DWORD kBuiltInTitle2 = LEVEL_LARGE;  // 設定③'s title bar in the built-in table

class PolicyOrderTest : public SettingsTest {
protected:
    void Put(int source, std::vector<BYTE> data, DWORD type = REG_DWORD)
    {
        const LevelSource& s = kLevelSources[source];
        fake.registry.Put(s.root, s.keys[2], u"TitleSize", type, std::move(data));
    }
    void Clear()
    {
        for (const LevelSource& s : kLevelSources) fake.registry.Remove(s.root, s.keys[2], u"TitleSize");
        fake.files.SetContents(kLogPath, {});
    }
    DWORD UserRead()
    {
        DWORD level = 99;
        EXPECT_EQ(app.GetProfileFromReg(2, ITEM_TITLE_SIZE, &level), 0);
        return level;
    }
    DWORD FactoryRead()
    {
        DWORD level = kBuiltInTitle2;
        FactoryLevel(2, ITEM_TITLE_SIZE, &level);
        return level;
    }
};

// Each source alone, and each with the next one: the earlier wins; the
// factory side never takes the user's own.
TEST_F(PolicyOrderTest, ALevelComesFromTheFirstSourceThatHasOne)
{
    for (int first = 0; first < kSources; ++first) {
        for (int count : {1, 2}) {
            if (first + count > kSources) continue;
            SCOPED_TRACE(std::string(kLevelSources[first].name) + (count == 2 ? " and the next" : " alone"));
            Clear();
            for (int i = first; i < first + count; ++i) Put(i, {static_cast<BYTE>(kLevelSources[i].level), 0, 0, 0});
            EXPECT_EQ(UserRead(), kLevelSources[first].level);
            DWORD factory = kBuiltInTitle2;
            for (int i = first + count - 1; i >= first; --i) {
                if (kLevelSources[i].factorySide) factory = kLevelSources[i].level;
            }
            EXPECT_EQ(FactoryRead(), factory);
        }
    }
}

// A value of the wrong type or out of range at any source counts as none,
// the wrong type with the line a factory value gets.
TEST_F(PolicyOrderTest, ABadValueAtAnySourceCountsAsNone)
{
    const struct {
        const char* what;
        std::vector<BYTE> data;
        DWORD type;
        int lines;
    } bad[] = {{"text", {'1', 0, 0, 0}, REG_SZ, 1}, {"2 bytes", {1, 0}, REG_DWORD, 1}, {"level 8", {8, 0, 0, 0}, REG_DWORD, 0}};
    for (int source = 0; source < kSources; ++source) {
        for (const auto& b : bad) {
            SCOPED_TRACE(std::string(kLevelSources[source].name) + ", " + b.what);
            Clear();
            Put(source, b.data, b.type);
            EXPECT_EQ(UserRead(), kBuiltInTitle2);
            EXPECT_EQ(CountMessage("RegReadDword error, file: .\\RegControl, line: 29, code: 87."), b.lines);
            // A policy's value out of range is logged with the range.
            const LevelSource& s = kLevelSources[source];
            const bool policy = U8(s.keys[2]).rfind("Software\\Policies", 0) == 0;
            const std::string range = std::string("ReadPolicyDword the policy value ") +
                                      (s.root == HKEY_LOCAL_MACHINE ? "HKLM\\" : "HKCU\\") + U8(s.keys[2]) +
                                      "TitleSize is 8, out of the range 0 to 7; it counts as not set.";
            EXPECT_EQ(CountMessage(range), policy && b.data[0] == 8 ? 1 : 0);
        }
    }
}

// The starting profile: recommended (computer, user), then the first
// template's, then the factory's.
TEST_F(PolicyOrderTest, TheStartingProfileIsARecommendation)
{
    const struct {
        HKEY root;
        const char16_t* key;
        DWORD mode;
    } sources[] = {{HKEY_LOCAL_MACHINE, kRecommendedSettingsKey, 2},
                   {HKEY_CURRENT_USER, kRecommendedSettingsKey, 1},
                   {HKEY_LOCAL_MACHINE, kPolicySettingsKey, 0},
                   {HKEY_LOCAL_MACHINE, kSettingsKey, 2}};
    for (size_t first = 0; first < 4; ++first) {
        for (const auto& s : sources) fake.registry.Remove(s.root, s.key, u"mode");
        for (size_t i = first; i < 4 && i < first + 2; ++i) {
            fake.registry.PutDword(sources[i].root, sources[i].key, u"mode", sources[i].mode);
        }
        EXPECT_EQ(app.GetShipmentMode(), sources[first].mode) << first;
    }
    fake.registry.PutDword(HKEY_CURRENT_USER, kPolicySettingsKey, u"mode", 1);  // never a user's old template
    fake.registry.Remove(HKEY_LOCAL_MACHINE, kSettingsKey, u"mode");
    EXPECT_EQ(app.GetShipmentMode(), 0u);
}

// OK stores, for an enforced cell, the user's stored level ahead of a
// recommended one, else the one they inherit; never the enforced one. The title font follows its row.
TEST_F(PolicyOrderTest, OkNeverStoresAnEnforcedLevel)
{
    fake.registry.PutDword(HKEY_LOCAL_MACHINE, PolicyProfileKeys[2], u"TitleSize", LEVEL_EXTRA);
    fake.registry.PutDword(HKEY_CURRENT_USER, PolicyProfileKeys[1], u"CorvelDPI", LEVEL_EXTRA);
    UserLevel(2, u"TitleSize", LEVEL_STANDARD);
    UserLevel(2, u"TitleFontSize", LEVEL_SMALL);
    fake.registry.PutDword(HKEY_LOCAL_MACHINE, RecommendedProfileKeys[2], u"TitleSize", LEVEL_MIDDLE);  // the user's wins
    fake.registry.PutDword(HKEY_CURRENT_USER, RecommendedProfileKeys[1], u"CorvelDPI", LEVEL_MIDDLE);
    ProfileLevels profiles[PROFILE_COUNT];
    for (auto& profile : profiles) {
        for (DWORD& level : profile) level = LEVEL_EXTRA;  // what the window shows
    }
    CSettingLevels::KeepOwnWhereEnforced(profiles);
    EXPECT_EQ(profiles[2][ITEM_TITLE_SIZE], DWORD{LEVEL_STANDARD});
    EXPECT_EQ(profiles[2][ITEM_TITLE_FONT_SIZE], DWORD{LEVEL_SMALL});
    EXPECT_EQ(profiles[1][ITEM_DPI], DWORD{LEVEL_MIDDLE});
    EXPECT_EQ(profiles[0][ITEM_DPI], DWORD{LEVEL_EXTRA});  // not enforced: as shown
}

}  // namespace
