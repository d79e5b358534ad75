#include <cstring>

#include "engine/SwitchMode.h"
#include "tests/unit/TestSupport.h"

namespace {

constexpr char16_t kMetricsKey[] = u"Control Panel\\Desktop\\WindowMetrics";

class WindowMetricsTest : public RunTest {
protected:
    // title, title font, border, scroll, menu font, menu size in item order.
    static void Profile(SettingValues values, LONG title, LONG titleFont, LONG border, LONG scroll, LONG menuFont,
                        LONG menu)
    {
        std::fill(values, values + ITEM_COUNT, 0);
        values[ITEM_TITLE_SIZE] = title;
        values[ITEM_TITLE_FONT_SIZE] = titleFont;
        values[ITEM_ACTIVE_WIN_WIDTH] = border;
        values[ITEM_SCROLL_WIDTH] = scroll;
        values[ITEM_MENU_FONT_SIZE] = menuFont;
        values[ITEM_MENU_SIZE] = menu;
    }
    const NONCLIENTMETRICSW& M() const { return fake.display.metrics; }
};

// Every ItemValueTable number of the six items at the common DPI values.
TEST_F(WindowMetricsTest, ScaledValuesAtCommonDpi)
{
    const int dpis[] = {96, 120, 144, 192};
    const struct {
        int input;
        int expected[4];
    } pixels[] = {{1, {1, 1, 2, 2}},     {10, {10, 13, 15, 20}}, {15, {15, 19, 23, 30}}, {16, {16, 20, 24, 32}},
                  {20, {20, 25, 30, 40}}, {21, {21, 26, 32, 42}}, {30, {30, 38, 45, 60}}, {40, {40, 50, 60, 80}},
                  {50, {50, 63, 75, 100}}, {60, {60, 75, 90, 120}}};
    const struct {
        int points;
        int expected[4];
    } fonts[] = {{9, {-12, -15, -18, -24}}, {14, {-19, -24, -29, -38}}, {19, {-25, -31, -38, -50}},
                 {24, {-32, -40, -48, -64}}};
    run.m_nOsVersion = OSVER_AFTER_6_2;
    SettingValues values;
    for (int d = 0; d < 4; ++d) {
        fake.registry.PutDword(HKEY_CURRENT_USER, kMetricsKey, u"AppliedDPI", dpis[d]);
        for (const auto& p : pixels) {
            SCOPED_TRACE(testing::Message() << "dpi " << dpis[d] << " px " << p.input);
            Profile(values, p.input, 9, p.input, p.input, 9, p.input == 20 ? 30 : p.input);
            ASSERT_TRUE(CSwitchMode().SetWindowDesign(values));
            EXPECT_EQ(M().iCaptionWidth, p.expected[d]);
            EXPECT_EQ(M().iCaptionHeight, p.expected[d]);
            EXPECT_EQ(M().iBorderWidth, p.expected[d]);
            EXPECT_EQ(M().iScrollWidth, p.expected[d]);
            EXPECT_EQ(M().iScrollHeight, p.expected[d]);
            if (p.input != 20) {
                EXPECT_EQ(M().iMenuHeight, p.expected[d]);
            }
        }
        for (const auto& f : fonts) {
            Profile(values, 21, f.points, 1, 16, f.points, 30);
            ASSERT_TRUE(CSwitchMode().SetWindowDesign(values));
            EXPECT_EQ(M().lfCaptionFont.lfHeight, f.expected[d]) << dpis[d] << " " << f.points;
            EXPECT_EQ(M().lfMenuFont.lfHeight, f.expected[d]) << dpis[d] << " " << f.points;
        }
        // A menu size of 20 is taken as 19 when scaling.
        const int menu19[] = {19, 24, 29, 38};
        Profile(values, 21, 9, 1, 16, 9, 20);
        ASSERT_TRUE(CSwitchMode().SetWindowDesign(values));
        EXPECT_EQ(M().iMenuWidth, menu19[d]);
        EXPECT_EQ(M().iMenuHeight, menu19[d]);
    }
}

TEST_F(WindowMetricsTest, UnscaledBranchWritesTheNumbersAsGiven)
{
    for (int version : {OSVER_OTHER, OSVER_BEFORE_6_2}) {
        run.m_nOsVersion = version;
        fake.registry.PutDword(HKEY_CURRENT_USER, kMetricsKey, u"AppliedDPI", 144);
        SettingValues values;
        Profile(values, 21, 9, 1, 16, 9, 20);
        ASSERT_TRUE(CSwitchMode().SetWindowDesign(values));
        EXPECT_EQ(M().iCaptionWidth, 21);
        EXPECT_EQ(M().lfCaptionFont.lfHeight, -12);
        EXPECT_EQ(M().iBorderWidth, 1);
        EXPECT_EQ(M().iScrollWidth, 16);
        EXPECT_EQ(M().iMenuWidth, 20);
        EXPECT_EQ(M().iMenuHeight, 20);
        EXPECT_EQ(M().lfMenuFont.lfHeight, -12);
    }
}

TEST_F(WindowMetricsTest, OneWriteOfTheWholeStructureKeepsOtherFields)
{
    NONCLIENTMETRICSW before = M();
    run.m_nOsVersion = OSVER_AFTER_6_2;
    fake.registry.PutDword(HKEY_CURRENT_USER, kMetricsKey, u"AppliedDPI", 144);
    SettingValues values;
    Profile(values, 21, 9, 1, 16, 9, 20);
    ASSERT_TRUE(CSwitchMode().SetWindowDesign(values));
    EXPECT_EQ(fake.display.metricsWrites, 1);
    EXPECT_EQ(M().iCaptionWidth, 32);
    EXPECT_EQ(M().iMenuWidth, 29);
    EXPECT_EQ(M().iSmCaptionWidth, before.iSmCaptionWidth);
    EXPECT_EQ(std::memcmp(&M().lfMessageFont, &before.lfMessageFont, sizeof(LOGFONTW)), 0);
    EXPECT_EQ(std::memcmp(&M().lfStatusFont, &before.lfStatusFont, sizeof(LOGFONTW)), 0);
    EXPECT_EQ(M().lfCaptionFont.lfWeight, before.lfCaptionFont.lfWeight);
    EXPECT_EQ(M().iPaddedBorderWidth, before.iPaddedBorderWidth);  // no theme
    for (const auto& call : fake.display.calls) {
        EXPECT_EQ(call.winIni, call.action == SPI_SETNONCLIENTMETRICS ? SPIF_UPDATEINIFILE : 0u);
    }
    EXPECT_EQ(fake.display.calls[0].uiParam, 504u);
}

TEST_F(WindowMetricsTest, ThemeSetsThePaddedBorder)
{
    fake.display.themeActive = TRUE;
    SettingValues values;
    Profile(values, 21, 9, 1, 16, 9, 20);
    ASSERT_TRUE(CSwitchMode().SetWindowDesign(values));
    EXPECT_EQ(M().iPaddedBorderWidth, 4);
}

TEST_F(WindowMetricsTest, MissingDpiScalesBy96)
{
    EnableLog();
    run.m_nOsVersion = OSVER_6_2;
    for (DWORD type : {REG_NONE, REG_BINARY}) {  // missing, then of the wrong type
        if (type == REG_BINARY) fake.registry.Put(HKEY_CURRENT_USER, kMetricsKey, u"AppliedDPI", REG_BINARY, {0, 0, 0, 0});
        SettingValues values;
        Profile(values, 21, 9, 1, 16, 9, 20);
        ASSERT_TRUE(CSwitchMode().SetWindowDesign(values));
        EXPECT_EQ(M().iCaptionWidth, 21);
        EXPECT_EQ(M().iMenuWidth, 19);
    }
    EXPECT_EQ(CountMessage("CSwitchMode::GetDpi the RegReadDword is failed."), 2);
}

TEST_F(WindowMetricsTest, FailuresWriteNothingAndLogOneLine)
{
    const struct {
        const char* name;
        void (*arrange)(FakeDisplay&, SettingValues);
        std::string line;
    } cases[] = {
        {"read fails", [](FakeDisplay& d, SettingValues) { d.failGet = true; },
         "CSwitchMode::SetWindowDesign SystemParametersInfo() GetDate Failed, file: .\\SwitchMode, line: 128, code: 87."},
        {"zero input", [](FakeDisplay&, SettingValues v) { v[ITEM_MENU_FONT_SIZE] = 0; },
         "CSwitchMode::SetWindowDesign ERROR_INVALID_PARAMETER."},
        {"write fails", [](FakeDisplay& d, SettingValues) { d.failSet = true; },
         "CSwitchMode::SetWindowDesign SystemParametersInfo() SetData Failed, file: .\\SwitchMode, line: 200, code: 87."},
    };
    EnableLog();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakePlatform platform;
        CRunContext fresh;
        EnableLogOn(fresh);
        SettingValues values;
        Profile(values, 21, 9, 1, 16, 9, 20);
        c.arrange(platform.display, values);
        NONCLIENTMETRICSW before = platform.display.metrics;
        EXPECT_FALSE(CSwitchMode().SetWindowDesign(values));
        EXPECT_EQ(platform.display.metricsWrites, 0);
        EXPECT_EQ(std::memcmp(&before, &platform.display.metrics, sizeof(before)), 0);
        String16 text = LogTextOf(platform);
        EXPECT_EQ(U8(text), "[12/06 14:22:05][CorvelChg.exe]" + c.line + "\r\n");
    }
}

TEST_F(WindowMetricsTest, DumpsBeforeDuringAndAfter)
{
    EnableLog();
    run.m_nOsVersion = OSVER_BEFORE_6_2;
    SettingValues values;
    Profile(values, 21, 9, 1, 16, 9, 20);
    ASSERT_TRUE(CSwitchMode().SetWindowDesign(values));
    auto messages = Messages();
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[0],
              "CSwitchMode::SetWindowDesign NONCLIENTMETRICS's data(Before setting) "
              "\r\n\t\t\t\t  ncms.iBorderWidth: 1,\r\n\t\t\t\t  ncms.iCaptionHeight: 20,"
              "\r\n\t\t\t\t  ncms.iCaptionWidth: 19,\r\n\t\t\t\t  ncms.iMenuHeight: 22,"
              "\r\n\t\t\t\t  ncms.iMenuWidth: 21,\r\n\t\t\t\t  ncms.iPaddedBorderWidth: 3,"
              "\r\n\t\t\t\t  ncms.iScrollHeight: 18,\r\n\t\t\t\t  ncms.iScrollWidth: 17,"
              "\r\n\t\t\t\t  ncms.iSmCaptionHeight: 14,\r\n\t\t\t\t  ncms.iSmCaptionWidth: 13,"
              "\r\n\t\t\t\t  ncms.lfCaptionFont.lfHeight: -11,\r\n\t\t\t\t  ncms.lfMenuFont.lfHeight: -13,"
              "\r\n\t\t\t\t  ncms.lfMessageFont.lfHeight: -15,\r\n\t\t\t\t  ncms.lfSmCaptionFont.lfHeight: -10,"
              "\r\n\t\t\t\t  ncms.lfStatusFont.lfHeight: -14");
    EXPECT_EQ(messages[1].substr(0, 67), "CSwitchMode::SetWindowDesign NONCLIENTMETRICS's data(Be setting) \r\n");
    EXPECT_NE(messages[1].find("ncms.iCaptionWidth: 21,"), std::string::npos);
    EXPECT_EQ(messages[2].substr(0, 70), "CSwitchMode::SetWindowDesign NONCLIENTMETRICS's data(After setting) \r\n");

    // The zero-input failure still dumps "Before setting" first.
    fake.files.SetContents(kLogPath, {});
    values[ITEM_MENU_SIZE] = 0;
    EXPECT_FALSE(CSwitchMode().SetWindowDesign(values));
    messages = Messages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_NE(messages[0].find("(Before setting)"), std::string::npos);
    EXPECT_EQ(messages[1], "CSwitchMode::SetWindowDesign ERROR_INVALID_PARAMETER.");
}

TEST_F(WindowMetricsTest, DumpFailuresOnlyCostTheDump)
{
    EnableLog();
    CSwitchMode().LogOutWinDesign(nullptr, 1);
    fake.display.failGet = true;
    CSwitchMode().LogOutWinDesign(nullptr, 2);
    EXPECT_EQ(Messages(), (std::vector<std::string>{
                              "CSwitchMode::LogOutWinDesign() CopyData Failed.",
                              "CSwitchMode::LogOutWinDesign SystemParametersInfo() GetDate Failed, file: .\\SwitchMode, "
                              "line: 226, code: 87."}));
}

}  // namespace
