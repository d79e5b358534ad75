#include "engine/SwitchMode.h"
#include "tests/unit/TestSupport.h"

namespace {

constexpr char16_t kCursorsKey[] = u"Control Panel\\Cursors";
const String16 kStored = String16(kSettingsKey) + u"\\MousePointer\\1";
const char16_t* const kRowNames[] = {u"AppStarting", u"Arrow", u"Crosshair", u"Hand", u"Help", u"IBeam", u"No",
                                     u"NWPen", u"SizeAll", u"SizeNESW", u"SizeNS", u"SizeNWSE", u"SizeWE",
                                     u"UpArrow", u"Wait"};

class MousePointerTest : public RunTest {
protected:
    void SetUp() override
    {
        EnableLog();
        run.m_nOsVersion = OSVER_AFTER_6_2;
    }
    // Type and text of a value under "Control Panel\Cursors".
    std::pair<DWORD, String16> Written(const char16_t* name)
    {
        DWORD type = 0;
        std::vector<BYTE> data;
        if (!fake.registry.Get(HKEY_CURRENT_USER, kCursorsKey, name, &type, &data)) return {REG_NONE, u"<missing>"};
        String16 text(data.size() / 2, u'\0');
        if (!text.empty()) std::memcpy(text.data(), data.data(), text.size() * 2);
        return {type, text};
    }
    void StoreScheme(const String16& key, const char16_t* prefix)
    {
        for (const char16_t* name : kRowNames) {
            fake.registry.PutString(HKEY_LOCAL_MACHINE, key, name, String16(prefix) + name + u".cur");
        }
        fake.registry.PutString(HKEY_LOCAL_MACHINE, key, u"", u"Stored scheme");
        fake.registry.PutDword(HKEY_LOCAL_MACHINE, key, u"Scheme Source", 1);
    }
    // The system cannot reload the scheme, as under Wine 8.
    void WithoutSetCursors()
    {
        fake.display.failCursors = true;
        fake.display.failureCode = 1439;
    }
    void TearDown() override
    {
        EXPECT_EQ(fake.cursors.Leaked(), 0);
        EXPECT_EQ(fake.cursors.doubleReleases, 0);
        EXPECT_EQ(fake.cursors.refusedSets, 0);
    }
};

TEST_F(MousePointerTest, BuiltInSchemeIsWrittenWithExactTypesAndSizes)
{
    ASSERT_TRUE(CSwitchMode().SetMouseStyle(1));
    EXPECT_EQ(Written(u"Arrow"), std::make_pair(DWORD(REG_EXPAND_SZ), String16(u"%SystemRoot%\\cursors\\aero_arrow_l.cur") + u'\0'));
    EXPECT_EQ(Written(u"AppStarting").second, String16(u"%SystemRoot%\\cursors\\aero_working_l.ani") + u'\0');
    EXPECT_EQ(Written(u"Crosshair"), std::make_pair(DWORD(REG_EXPAND_SZ), String16(1, u'\0')));  // 2 bytes
    EXPECT_EQ(Written(u"IBeam").second, String16(1, u'\0'));
    EXPECT_EQ(Written(u"NWPen").second, String16(u"%SystemRoot%\\cursors\\aero_pen_l.cur") + u'\0');
    EXPECT_EQ(Written(u""), std::make_pair(DWORD(REG_SZ), String16(u"Windows 標準 (大きいフォント)") + u'\0'));
    DWORD type = 0;
    std::vector<BYTE> data;
    ASSERT_TRUE(fake.registry.Get(HKEY_CURRENT_USER, kCursorsKey, u"Scheme Source", &type, &data));
    EXPECT_EQ(type, REG_DWORD);
    EXPECT_EQ(data, (std::vector<BYTE>{2, 0, 0, 0}));
    EXPECT_EQ(Messages(), std::vector<std::string>{"CSwitchMode::SetMouseStyle MouseStyle: Windows 標準 (大きいフォント)"});
}

TEST_F(MousePointerTest, SchemeNameFollowsStyleAndVersion)
{
    const struct {
        int version;
        DWORD style;
        const char* name;
    } cases[] = {{OSVER_BEFORE_6_2, 0, "Windows Aero"},
                 {OSVER_OTHER, 2, "Windows Aero (特大のフォント)"},
                 {OSVER_BEFORE_6_2, 1, "Windows Aero (大きいフォント)"},
                 {OSVER_6_2, 0, "Windows 標準"},
                 {OSVER_AFTER_6_2, 2, "Windows 標準 (特大のフォント)"}};
    for (const auto& c : cases) {
        run.m_nOsVersion = c.version;
        ASSERT_TRUE(CSwitchMode().SetMouseStyle(c.style));
        EXPECT_EQ(U8(Written(u"").second), std::string(c.name) + '\0');
    }
}

// The system reloads the pointers from the values once they are all written;
// nothing is loaded by hand.
TEST_F(MousePointerTest, SystemReloadsTheWrittenScheme)
{
    bool writtenFirst = false;
    fake.display.onSetCursors = [&] {
        writtenFirst = Written(u"Wait").second == String16(u"%SystemRoot%\\cursors\\aero_busy_l.ani") + u'\0' &&
                       fake.registry.Get(HKEY_CURRENT_USER, kCursorsKey, u"Scheme Source", nullptr, nullptr);
    };
    ASSERT_TRUE(CSwitchMode().SetMouseStyle(1));
    EXPECT_TRUE(writtenFirst);
    ASSERT_EQ(fake.display.calls.size(), 1u);
    EXPECT_EQ(fake.display.calls[0].action, SPI_SETCURSORS);
    EXPECT_EQ(fake.display.calls[0].uiParam, 0u);
    EXPECT_EQ(fake.display.calls[0].pvParam, 0u);
    EXPECT_EQ(fake.display.calls[0].winIni, SPIF_SENDCHANGE);
    EXPECT_TRUE(fake.cursors.fileLoads.empty());
    EXPECT_TRUE(fake.cursors.sets.empty());
}

// Without SPI_SETCURSORS, rows 1 to 15 but 8 go to the running logon in
// order: files with the Windows folder put in, copies of the standard cross
// and I-beam for the empty rows.
TEST_F(MousePointerTest, PointersAreLoadedIntoTheLogon)
{
    WithoutSetCursors();
    fake.cursors.existingFiles = {u"C:\\windows\\cursors\\aero_arrow_xl.cur", u"C:\\windows\\cursors\\aero_busy_xl.ani"};
    ASSERT_TRUE(CSwitchMode().SetMouseStyle(2));
    ASSERT_EQ(fake.cursors.fileLoads.size(), 12u);  // 15 rows less NWPen and the two empty ones
    EXPECT_EQ(fake.cursors.fileLoads[0], u"C:\\windows\\cursors\\aero_working_xl.ani");
    for (const auto& path : fake.cursors.fileLoads) EXPECT_EQ(path.find(u"aero_pen"), String16::npos);
    std::vector<DWORD> ids;
    for (const auto& set : fake.cursors.sets) ids.push_back(set.id);
    EXPECT_EQ(ids, (std::vector<DWORD>{32512, 32515, 32513, 32514}));
    EXPECT_EQ(fake.cursors.sets[1].source, u"standard:32515");
    EXPECT_EQ(CountMessage("CSwitchMode::SetMouseStyle SystemParametersInfo(SPI_SETCURSORS) error, file: "
                           ".\\SwitchMode, line: 780, code: 1439."),
              1);
}

TEST_F(MousePointerTest, RefusedCursorsAreReleasedOnce)
{
    WithoutSetCursors();
    fake.cursors.existingFiles = {u"C:\\windows\\cursors\\aero_arrow.cur", u"C:\\windows\\cursors\\aero_up.cur"};
    fake.cursors.refuseSet = true;
    EXPECT_TRUE(CSwitchMode().SetMouseStyle(0));  // TearDown checks leaks and double releases
}

TEST_F(MousePointerTest, StoredSchemeIsTakenWhole)
{
    WithoutSetCursors();
    StoreScheme(kStored, u"%SystemRoot%\\x\\%SystemRoot%");
    fake.cursors.existingFiles = {u"C:\\windows\\x\\C:\\windowsArrow.cur"};
    ASSERT_TRUE(CSwitchMode().SetMouseStyle(1));
    EXPECT_EQ(Written(u"Arrow").second, String16(u"%SystemRoot%\\x\\%SystemRoot%Arrow.cur") + u'\0');
    EXPECT_EQ(Written(u"").second, String16(u"Stored scheme") + u'\0');
    std::vector<BYTE> data;
    ASSERT_TRUE(fake.registry.Get(HKEY_CURRENT_USER, kCursorsKey, u"Scheme Source", nullptr, &data));
    EXPECT_EQ(data[0], 1);
    // The log still names the scheme from the string table.
    EXPECT_EQ(Messages()[0], "CSwitchMode::SetMouseStyle MouseStyle: Windows 標準 (大きいフォント)");
    ASSERT_EQ(fake.cursors.sets.size(), 1u);
    EXPECT_EQ(fake.cursors.sets[0].id, 32512u);
}

TEST_F(MousePointerTest, BadStoredSchemesFallBackToTheBuiltInOne)
{
    const struct {
        const char* name;
        void (*spoil)(FakeRegistry&, const String16&);
        int typeLines;
    } cases[] = {
        {"Wait is REG_EXPAND_SZ",
         [](FakeRegistry& r, const String16& k) { r.PutString(HKEY_LOCAL_MACHINE, k, u"Wait", u"w.ani", REG_EXPAND_SZ); }, 1},
        {"Scheme Source as text", [](FakeRegistry& r, const String16& k) { r.PutString(HKEY_LOCAL_MACHINE, k, u"Scheme Source", u"2"); }, 1},
        {"Scheme Source missing", [](FakeRegistry& r, const String16& k) { r.Remove(HKEY_LOCAL_MACHINE, k, u"Scheme Source"); }, 0},
        {"default value missing", [](FakeRegistry& r, const String16& k) { r.Remove(HKEY_LOCAL_MACHINE, k, u""); }, 0},
        {"text of 260 characters", [](FakeRegistry& r, const String16& k) { r.PutString(HKEY_LOCAL_MACHINE, k, u"Help", String16(260, u'h')); }, 0},
        {"520 bytes unterminated", [](FakeRegistry& r, const String16& k) { r.Put(HKEY_LOCAL_MACHINE, k, u"Help", REG_SZ, std::vector<BYTE>(520, 'h')); }, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fake.files.SetContents(kLogPath, {});
        StoreScheme(kStored, u"stored-");
        c.spoil(fake.registry, kStored);
        ASSERT_TRUE(CSwitchMode().SetMouseStyle(1));
        EXPECT_EQ(Written(u"Arrow").second, String16(u"%SystemRoot%\\cursors\\aero_arrow_l.cur") + u'\0');
        EXPECT_EQ(Written(u"Hand").second, String16(u"%SystemRoot%\\cursors\\aero_link_l.cur") + u'\0');
        EXPECT_EQ(U8(Written(u"").second), std::string("Windows 標準 (大きいフォント)") + '\0');
        EXPECT_EQ(CountMessage("RegReadStr error, file: .\\RegControl, line: 84, code: 87.") +
                      CountMessage("RegReadDword error, file: .\\RegControl, line: 29, code: 87."),
                  c.typeLines);
    }
}

TEST_F(MousePointerTest, UnknownStyleTouchesNothing)
{
    EXPECT_FALSE(CSwitchMode().SetMouseStyle(3));
    EXPECT_EQ(Messages(), std::vector<std::string>{"CSwitchMode::SetMouseStyle unknow mouse style."});
    EXPECT_EQ(fake.registry.CallCount(), 0);
    EXPECT_TRUE(fake.cursors.fileLoads.empty());
}

TEST_F(MousePointerTest, MissingSchemeNameFailsBeforeAnyWrite)
{
    fake.strings.table.erase(10054);
    EXPECT_FALSE(CSwitchMode().SetMouseStyle(1));
    EXPECT_EQ(Messages(), std::vector<std::string>{"CCorvelChgApp::LoadResString error code: 1814"});
    EXPECT_FALSE(fake.registry.HasKey(HKEY_CURRENT_USER, kCursorsKey));
}

TEST_F(MousePointerTest, RefusedWritesAreSkippedOneByOne)
{
    fake.registry.SetFault([](FakeRegistry::Op op, const String16&, const String16& name) {
        return op == FakeRegistry::Op::Set && name == u"Hand" ? 5 : 0;
    });
    EXPECT_TRUE(CSwitchMode().SetMouseStyle(0));
    EXPECT_EQ(Written(u"Hand").first, REG_NONE);
    EXPECT_EQ(Written(u"Help").first, REG_EXPAND_SZ);
}

}  // namespace
