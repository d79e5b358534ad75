#include "engine/SwitchMode.h"
#include "tests/unit/TestSupport.h"

namespace {

constexpr char16_t kDesktopKey[] = u"Control Panel\\Desktop";
constexpr char16_t kMetricsKey[] = u"Control Panel\\Desktop\\WindowMetrics";

class DpiAndCaretTest : public RunTest {
protected:
    void SetUp() override { EnableLog(); }
};

TEST_F(DpiAndCaretTest, GetDpiOutcomes)
{
    const struct {
        const char* name;
        DWORD type;
        std::vector<BYTE> data;
        BOOL result;
        DWORD dpi;
        std::vector<std::string> lines;
    } cases[] = {
        {"dword", REG_DWORD, {144, 0, 0, 0}, TRUE, 144, {}},
        {"missing", REG_NONE, {}, FALSE, 96, {"CSwitchMode::GetDpi the RegReadDword is failed."}},
        {"binary", REG_BINARY, {144, 0, 0, 0}, FALSE, 96,
         {"RegReadDword error, file: .\\RegControl, line: 29, code: 87.", "CSwitchMode::GetDpi the RegReadDword is failed."}},
        {"qword", REG_QWORD, {144, 0, 0, 0, 0, 0, 0, 0}, FALSE, 96, {"CSwitchMode::GetDpi the RegReadDword is failed."}},
        // A DPI no display has reads as a failure, so callers keep their 96.
        {"zero", REG_DWORD, {0, 0, 0, 0}, FALSE, 96,
         {"CSwitchMode::GetDpi the dpi is out of range: 0.", "CSwitchMode::GetDpi the RegReadDword is failed."}},
        {"95", REG_DWORD, {95, 0, 0, 0}, FALSE, 96,
         {"CSwitchMode::GetDpi the dpi is out of range: 95.", "CSwitchMode::GetDpi the RegReadDword is failed."}},
        {"-1", REG_DWORD, {0xFF, 0xFF, 0xFF, 0xFF}, FALSE, 96,
         {"CSwitchMode::GetDpi the dpi is out of range: -1.", "CSwitchMode::GetDpi the RegReadDword is failed."}},
        {"9600", REG_DWORD, {0x80, 0x25, 0, 0}, FALSE, 96,
         {"CSwitchMode::GetDpi the dpi is out of range: 9600.", "CSwitchMode::GetDpi the RegReadDword is failed."}},
        {"480", REG_DWORD, {0xE0, 0x01, 0, 0}, TRUE, 480, {}},
        {"481", REG_DWORD, {0xE1, 0x01, 0, 0}, FALSE, 96,
         {"CSwitchMode::GetDpi the dpi is out of range: 481.", "CSwitchMode::GetDpi the RegReadDword is failed."}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakePlatform platform;
        CRunContext fresh;
        EnableLogOn(fresh);
        if (c.type != REG_NONE) platform.registry.Put(HKEY_CURRENT_USER, kMetricsKey, u"AppliedDPI", c.type, c.data);
        DWORD dpi = 96;
        EXPECT_EQ(CSwitchMode().GetDpi(&dpi), c.result);
        EXPECT_EQ(dpi, c.dpi);
        String16 text = LogTextOf(platform);
        std::string expected;
        for (const auto& line : c.lines) expected += "[12/06 14:22:05][CorvelChg.exe]" + line + "\r\n";
        EXPECT_EQ(U8(text), expected);
    }
}

TEST_F(DpiAndCaretTest, SettingDpiReadsLogPixels)
{
    DWORD dpi = 96;
    EXPECT_FALSE(CSwitchMode().GetSettingDpi(&dpi));
    EXPECT_EQ(Messages(), std::vector<std::string>{"CSwitchMode::GetSettingDpi the RegReadDword is failed."});
    fake.registry.PutDword(HKEY_CURRENT_USER, kDesktopKey, u"LogPixels", 120);
    EXPECT_TRUE(CSwitchMode().GetSettingDpi(&dpi));
    EXPECT_EQ(dpi, 120u);
    fake.registry.PutDword(HKEY_CURRENT_USER, kDesktopKey, u"LogPixels", 0);
    EXPECT_FALSE(CSwitchMode().GetSettingDpi(&dpi));
    EXPECT_EQ(dpi, 120u);
    EXPECT_EQ(CountMessage("CSwitchMode::GetSettingDpi the dpi is out of range: 0."), 1);
}

// A machine builder's "CorvelDPI" of 0 or thousands never becomes "LogPixels".
TEST_F(DpiAndCaretTest, SetDpiRefusesADpiNoDisplayHas)
{
    for (DWORD dpi : {0u, 95u, 481u, 9600u, 0xFFFFFFFFu}) {
        SCOPED_TRACE(dpi);
        EXPECT_FALSE(CSwitchMode().SetDpi(dpi));
        DWORD type = 0;
        std::vector<BYTE> data;
        EXPECT_FALSE(fake.registry.Get(HKEY_CURRENT_USER, kDesktopKey, u"LogPixels", &type, &data));
        EXPECT_EQ(Messages().back(), "CSwitchMode::SetDpi the dpi is out of range: " +
                                         std::to_string(static_cast<std::int32_t>(dpi)) + ".");
    }
}

// From Windows 8.1 on "LogPixels" counts only with "Win8DpiScaling" = 1.
TEST_F(DpiAndCaretTest, SetDpiSwitchesOnOneScaleForAllDisplaysAfterWindows8)
{
    const struct {
        int osVersion;
        bool scaling;
    } cases[] = {{OSVER_OTHER, false}, {OSVER_BEFORE_6_2, false}, {OSVER_6_2, false}, {OSVER_AFTER_6_2, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.osVersion);
        FakePlatform platform;
        CRunContext fresh;
        EnableLogOn(fresh);
        fresh.m_nOsVersion = c.osVersion;
        EXPECT_TRUE(CSwitchMode().SetDpi(120));
        DWORD type = 0;
        std::vector<BYTE> data;
        ASSERT_TRUE(platform.registry.Get(HKEY_CURRENT_USER, kDesktopKey, u"LogPixels", &type, &data));
        EXPECT_EQ(platform.registry.Get(HKEY_CURRENT_USER, kDesktopKey, u"Win8DpiScaling", &type, &data), c.scaling);
        if (c.scaling) {
            EXPECT_EQ(type, REG_DWORD);
            EXPECT_EQ(data, (std::vector<BYTE>{1, 0, 0, 0}));
        }
        std::string expected = "[12/06 14:22:05][CorvelChg.exe]CSwitchMode::SetDpi Dpi: 120\r\n";
        if (c.scaling) expected += "[12/06 14:22:05][CorvelChg.exe]CSwitchMode::SetDpi Win8DpiScaling: 1\r\n";
        EXPECT_EQ(U8(LogTextOf(platform)), expected);
    }
}

TEST_F(DpiAndCaretTest, RefusedWin8DpiScalingFailsTheDpi)
{
    run.m_nOsVersion = OSVER_AFTER_6_2;
    fake.registry.SetFault([](FakeRegistry::Op op, const String16&, const String16& name) {
        return op == FakeRegistry::Op::Set && name == u"Win8DpiScaling" ? 5 : 0;
    });
    EXPECT_FALSE(CSwitchMode().SetDpi(144));
    DWORD type = 0;
    std::vector<BYTE> data;
    EXPECT_TRUE(fake.registry.Get(HKEY_CURRENT_USER, kDesktopKey, u"LogPixels", &type, &data));
    EXPECT_EQ(Messages(), (std::vector<std::string>{"CSwitchMode::SetDpi Dpi: 144", "CSwitchMode::SetDpi Win8DpiScaling: 1",
                                                   "CSwitchMode::SetDpi the RegWriteDword of Win8DpiScaling is failed."}));
}

TEST_F(DpiAndCaretTest, SetDpiWritesLogPixelsOnly)
{
    fake.registry.PutDword(HKEY_CURRENT_USER, kMetricsKey, u"AppliedDPI", 96);
    EXPECT_TRUE(CSwitchMode().SetDpi(144));
    DWORD type = 0;
    std::vector<BYTE> data;
    ASSERT_TRUE(fake.registry.Get(HKEY_CURRENT_USER, kDesktopKey, u"LogPixels", &type, &data));
    EXPECT_EQ(type, REG_DWORD);
    EXPECT_EQ(data, (std::vector<BYTE>{144, 0, 0, 0}));
    ASSERT_TRUE(fake.registry.Get(HKEY_CURRENT_USER, kMetricsKey, u"AppliedDPI", &type, &data));
    EXPECT_EQ(data[0], 96);
    EXPECT_TRUE(fake.display.calls.empty());

    fake.registry.SetFault([](FakeRegistry::Op op, const String16&, const String16&) {
        return op == FakeRegistry::Op::Set ? 5 : 0;
    });
    EXPECT_FALSE(CSwitchMode().SetDpi(120));
    EXPECT_EQ(Messages(), (std::vector<std::string>{"CSwitchMode::SetDpi Dpi: 144", "CSwitchMode::SetDpi Dpi: 120",
                                                   "CSwitchMode::SetDpi the RegWriteDword is failed."}));
}

TEST_F(DpiAndCaretTest, CaretWidthTravelsAsThePointerArgument)
{
    EXPECT_TRUE(CSwitchMode().SetCaretWidth(8));
    ASSERT_EQ(fake.display.calls.size(), 1u);
    EXPECT_EQ(fake.display.calls[0].action, 0x2007u);
    EXPECT_EQ(fake.display.calls[0].uiParam, 0u);
    EXPECT_EQ(fake.display.calls[0].pvParam, 8u);
    EXPECT_EQ(fake.display.calls[0].winIni, SPIF_UPDATEINIFILE);
    fake.display.failCaretWidth = true;
    EXPECT_FALSE(CSwitchMode().SetCaretWidth(4));
    EXPECT_EQ(Messages(), (std::vector<std::string>{
                              "CSwitchMode::SetCaretWidth CaretWidth: 8", "CSwitchMode::SetCaretWidth CaretWidth: 4",
                              "CSwitchMode::SetCaretWidth SystemParametersInfo() error, file: .\\SwitchMode, line: 540, "
                              "code: 87."}));
}

TEST_F(DpiAndCaretTest, BlinkTimeIsStoredAsSignedText)
{
    const struct {
        UINT blink;
        std::vector<BYTE> text;
        const char* line;
    } cases[] = {
        {0xFFFFFFFF, {'-', 0, '1', 0, 0, 0}, "CSwitchMode::SetBlinkTime BlinkTime: -1"},
        {800, {'8', 0, '0', 0, '0', 0, 0, 0}, "CSwitchMode::SetBlinkTime BlinkTime: 800"},
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(CSwitchMode().SetBlinkTime(c.blink));
        EXPECT_EQ(fake.display.blinkTime, c.blink);
        DWORD type = 0;
        std::vector<BYTE> data;
        ASSERT_TRUE(fake.registry.Get(HKEY_CURRENT_USER, kDesktopKey, u"CursorBlinkRate", &type, &data));
        EXPECT_EQ(type, REG_SZ);
        EXPECT_EQ(data, c.text);
        EXPECT_EQ(Messages().back(), c.line);
    }
}

TEST_F(DpiAndCaretTest, FailedBlinkLeavesTheRegistryAlone)
{
    fake.display.failBlink = true;
    EXPECT_FALSE(CSwitchMode().SetBlinkTime(400));
    EXPECT_FALSE(fake.registry.Get(HKEY_CURRENT_USER, kDesktopKey, u"CursorBlinkRate", nullptr, nullptr));
    EXPECT_EQ(Messages().back(),
              "CSwitchMode::SetBlinkTime SetCaretBlinkTime() error, file: .\\SwitchMode, line: 565, code: 87.");

    // A registry copy that cannot be written does not make it fail.
    fake.display.failBlink = false;
    fake.registry.SetFault([](FakeRegistry::Op op, const String16&, const String16&) {
        return op == FakeRegistry::Op::Create ? 5 : 0;
    });
    EXPECT_TRUE(CSwitchMode().SetBlinkTime(400));
}

}  // namespace
