#include "tests/unit/TestSupport.h"
#include "ui/SettingLevels.h"

namespace {

class SettingLevelsTest : public AppTest {
protected:
    void SetUp() override { EnableLog(); }
};

// Masks with gaps: a status counts the offered levels below.
TEST_F(SettingLevelsTest, ConversionsBothWays)
{
    const struct {
        DWORD mask;
        std::vector<DWORD> levels;  // offered, ascending
    } cases[] = {{0x82, {1, 7}}, {0xAA, {1, 3, 5, 7}}, {0x4D, {0, 2, 3, 6}}, {0x01, {0}}, {0xFF, {0, 1, 2, 3, 4, 5, 6, 7}}};
    for (const auto& c : cases) {
        for (UINT status = 0; status < c.levels.size(); ++status) {
            UINT s = 99;
            DWORD level = 99;
            ASSERT_TRUE(CSettingLevels::ChgItemValToBtnSts(c.levels[status], c.mask, &s));
            EXPECT_EQ(s, status);
            ASSERT_TRUE(CSettingLevels::ChgBtnStsToItemVal(status, c.mask, &level));
            EXPECT_EQ(level, c.levels[status]);
        }
        DWORD level = 0;
        EXPECT_FALSE(CSettingLevels::ChgBtnStsToItemVal(static_cast<UINT>(c.levels.size()), c.mask, &level));
    }
    UINT status = 0;
    EXPECT_FALSE(CSettingLevels::ChgItemValToBtnSts(3, 0x82, &status));
    EXPECT_FALSE(CSettingLevels::ChgItemValToBtnSts(8, 0xFF, &status));
    EXPECT_FALSE(CSettingLevels::ChgItemValToBtnSts(0xFFFFFFFF, 0xFF, &status));
    EXPECT_EQ(CountMessage("CSettingDlg::ChgItemValToBtnSts failed."), 3);
    EXPECT_EQ(CountMessage("CSettingDlg::ChgBtnStsToItemVal failed."), 5);
}

TEST_F(SettingLevelsTest, LookFollowsTheCaption)
{
    const struct {
        int caption;
        UINT face;
        DWORD color;
    } cases[] = {{10045, 121, 0x0028FF}, {10025, 121, 0x0028FF}, {10062, 118, 0x003366}, {10065, 118, 0x003366},
                 {10018, 116, 0xFF4100}, {10063, 116, 0xFF4100}, {10064, 115, 0x79009A}, {10061, 119, 0x6BA135},
                 {10019, 122, 0x000000}, {12345, 119, 0x000000}};
    for (const auto& c : cases) {
        StatusLook look = CSettingLevels::LookOf(c.caption);
        EXPECT_EQ(look.faceBitmap, c.face) << c.caption;
        EXPECT_EQ(look.textColor, c.color) << c.caption;
    }
    EXPECT_EQ(CSettingLevels::CaptionId(ITEM_DPI, LEVEL_STANDARD), 10019);  // a level the table lacks
    EXPECT_EQ(CSettingLevels::CaptionId(ITEM_CURSOR_SPEED, LEVEL_NONE), 10061);
}

// The factory statuses of the Part's table, and the 33 levels built from them.
TEST_F(SettingLevelsTest, ProfilesFromStatuses)
{
    UINT statuses[kLevelButtons];
    DWORD masks[kLevelButtons];
    for (int i = 0; i < kLevelButtons; ++i) {
        ASSERT_GT(CSettingLevels::CountStatus(ProfileLevelTable[i].item, &masks[i]), 0);
        ASSERT_TRUE(CSettingLevels::ChgItemValToBtnSts(ProfileLevelTable[i].level, masks[i], &statuses[i]));
    }
    const UINT expected[kLevelButtons] = {0, 1, 2, 1, 2, 2, 0, 1, 2, 0, 1, 2, 0, 1, 2, 0, 1, 2, 0, 1, 1, 0, 1, 2, 2, 2, 2};
    EXPECT_EQ(std::vector<UINT>(statuses, statuses + kLevelButtons), std::vector<UINT>(expected, expected + kLevelButtons));

    statuses[0] = 1;   // 1011: DPI of profile 0 to Middle
    statuses[8] = 3;   // 1031: title bar of profile 2 to Extra
    statuses[17] = 0;  // 1034: menu of profile 2 to Standard
    ProfileLevels profiles[PROFILE_COUNT];
    ASSERT_TRUE(CSettingLevels::BuildProfiles(statuses, masks, profiles));
    EXPECT_EQ(profiles[0][ITEM_DPI], static_cast<DWORD>(LEVEL_MIDDLE));
    EXPECT_EQ(profiles[2][ITEM_TITLE_SIZE], static_cast<DWORD>(LEVEL_EXTRA));
    EXPECT_EQ(profiles[2][ITEM_TITLE_FONT_SIZE], static_cast<DWORD>(LEVEL_EXTRA));
    EXPECT_EQ(profiles[2][ITEM_MENU_SIZE], static_cast<DWORD>(LEVEL_STANDARD));
    EXPECT_EQ(profiles[2][ITEM_MENU_FONT_SIZE], static_cast<DWORD>(LEVEL_STANDARD));
    EXPECT_EQ(profiles[1][ITEM_CURSOR_SPEED], static_cast<DWORD>(LEVEL_STANDARD));
    EXPECT_EQ(profiles[1][ITEM_MOUSE_POINTER], static_cast<DWORD>(LEVEL_LARGE));

    statuses[5] = 9;  // a status beyond the offered levels
    EXPECT_FALSE(CSettingLevels::BuildProfiles(statuses, masks, profiles));
    EXPECT_EQ(Messages().back(), "CSettingDlg::SaveSettings failed. ChgBtnStsToItemValue error.");
}

}  // namespace
