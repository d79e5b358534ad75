#include "res/resource.h"
#include "tests/unit/TestSupport.h"
#include "ui/ButtonLook.h"
#include "ui/SettingLevels.h"

namespace {

class ButtonLookTest : public AppTest {};

// The face and a fixed caption colour normally; in high contrast the
// system's colours, with a wider frame for the emphasized button.
TEST_F(ButtonLookTest, HighContrastDecidesThePaint)
{
    const DWORD red = 0x0000FF;
    const struct {
        bool highContrast, emphasized, disabled;
        const DWORD* statusColor;
        bool face, sysColors;
        int background, text;
        DWORD textColor;
        int frame;
    } cases[] = {
        {false, false, false, nullptr, true, false, 0, 0, kCaptionOnFace, 0},
        {false, true, false, nullptr, true, false, 0, 0, kCaptionOnFace, 0},
        {false, false, false, &red, true, false, 0, 0, red, 0},
        {true, false, false, &red, false, true, COLOR_BTNFACE, COLOR_BTNTEXT, 0, 1},
        {true, true, false, nullptr, false, true, COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT, 0, 3},
        {false, false, true, &red, false, true, COLOR_BTNFACE, COLOR_GRAYTEXT, 0, 1},
        {true, true, true, nullptr, false, true, COLOR_BTNFACE, COLOR_GRAYTEXT, 0, 1},
    };
    for (const auto& c : cases) {
        fake.display.highContrast = c.highContrast;
        ButtonPaint paint = ChooseButtonPaint(HighContrastOn(), c.emphasized, c.statusColor, c.disabled);
        SCOPED_TRACE(testing::Message() << c.highContrast << c.emphasized);
        EXPECT_EQ(paint.face, c.face);
        EXPECT_EQ(paint.sysColors, c.sysColors);
        EXPECT_EQ(paint.frame, c.frame);
        if (c.sysColors) {
            EXPECT_EQ(paint.background, c.background);
            EXPECT_EQ(paint.text, c.text);
        } else {
            EXPECT_EQ(paint.textColor, c.textColor);
        }
    }
}

// Names a screen reader gives; profile names are arguments, never formats,
// and an "&" is never a keyboard mnemonic.
TEST_F(ButtonLookTest, AccessibleNames)
{
    EXPECT_EQ(ComposeName({}, u"小"), u"小");
    EXPECT_EQ(ComposeName({u"%s %s %s", u"文字の大きさ", u"設定①"}, u"小"), u"文字の大きさ 設定① 小");
    EXPECT_EQ(ComposeName({u"%s（現在の設定）", u"", u""}, u"設定②"), u"設定②（現在の設定）");
    EXPECT_EQ(ComposeName({u"%s %s %s", u"メニュー", u"%d%s"}, u"大"), u"メニュー %d%s 大");
    EXPECT_EQ(WithoutMnemonic(u"A&B"), u"A&&B");
    EXPECT_EQ(WithoutMnemonic(u"&&x&"), u"&&&&x&&");
    EXPECT_EQ(WithoutMnemonic(u"設定①"), u"設定①");
}

// Every row of the detail window has a name; the items that follow another
// row have none of their own.
TEST_F(ButtonLookTest, EveryRowHasAName)
{
    for (const ProfileLevelRow& row : ProfileLevelTable) {
        UINT id = CSettingLevels::RowNameId(row.item);
        char16_t text[kTextChars] = {};
        EXPECT_TRUE(app.LoadResString(id, text, kTextChars)) << row.controlId;
    }
    EXPECT_EQ(CSettingLevels::RowNameId(ITEM_TITLE_FONT_SIZE), 0u);
    EXPECT_EQ(CSettingLevels::RowNameId(ITEM_MENU_FONT_SIZE), 0u);
}

}  // namespace
