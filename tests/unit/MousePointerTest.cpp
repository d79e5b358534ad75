#include "engine/PointerRoles.h"
#include "engine/SwitchMode.h"
#include "tests/unit/TestSupport.h"

namespace {

constexpr char16_t kCursorsKey[] = u"Control Panel\\Cursors";
const String16 kStored = String16(kSettingsKey) + u"\\MousePointer\\1";

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
        for (const PointerRole& role : kPointerRoles) {
            if (!role.stored) continue;
            fake.registry.PutString(HKEY_LOCAL_MACHINE, key, role.valueName, String16(prefix) + role.valueName + u".cur");
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

// Every role of every size on Windows 10 and later, the 15 older ones
// before; one size after another leaves nothing of the one before.
TEST_F(MousePointerTest, EveryRoleOfEachSizeForEachWindows)
{
    const String16 suffixes[] = {u"", u"_l", u"_xl"};
    for (BOOL windows10 : {FALSE, TRUE}) {
        for (DWORD style : {2u, 1u, 0u}) {
            SCOPED_TRACE(testing::Message() << "Windows 10: " << windows10 << ", style " << style);
            fake.registry.SetFault(nullptr);
            run.m_bWindows10 = windows10;
            ASSERT_TRUE(CSwitchMode().SetMouseStyle(style));
            int written = 0;
            for (const PointerRole& role : kPointerRoles) {
                const auto value = Written(role.valueName);
                if (role.sinceWindows10 && !windows10) {
                    EXPECT_EQ(value.first, REG_NONE) << U8(role.valueName);
                    continue;
                }
                ++written;
                EXPECT_EQ(value.first, REG_EXPAND_SZ) << U8(role.valueName);
                const String16 file = role.files[style];
                if (file.empty()) {
                    EXPECT_EQ(value.second, String16(1, u'\0'));
                    continue;
                }
                EXPECT_EQ(value.second, u"%SystemRoot%\\cursors\\" + file + u'\0');
                // The file of this size: its name ends in "_l", "_xl" or neither.
                const String16 stem = file.substr(0, file.rfind(u'.'));
                auto endsWith = [&](const String16& tail) {
                    return stem.size() >= tail.size() && stem.compare(stem.size() - tail.size(), tail.size(), tail) == 0;
                };
                const bool sized = endsWith(u"_l") || endsWith(u"_xl");
                EXPECT_TRUE(style == 0 ? !sized : endsWith(suffixes[style])) << U8(file);
            }
            EXPECT_EQ(written, windows10 ? 17 : 15);
        }
    }
    EXPECT_EQ(Written(u"Pin").second, String16(u"%SystemRoot%\\cursors\\aero_pin.cur") + u'\0');
    EXPECT_EQ(Written(u"Person").second, String16(u"%SystemRoot%\\cursors\\aero_person.cur") + u'\0');
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
    EXPECT_EQ(fake.display.calls[0].winIni, 0u);
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

    EXPECT_EQ(fake.cursors.sets[1].source, u"shared:32515");  // a copy of the shared cross, one the tool owns
    EXPECT_EQ(CountMessage("CSwitchMode::SetMouseStyle SystemParametersInfo(SPI_SETCURSORS) error, file: "
                           ".\\SwitchMode, line: 780, code: 1439."),
              1);
}

// Every role with a cursor, each with its own id, in order; Windows 10's
// pin and person only there.
TEST_F(MousePointerTest, EveryCursorIdIsHandedOverInOrder)
{
    WithoutSetCursors();
    std::vector<DWORD> ids;
    for (BOOL windows10 : {FALSE, TRUE}) {
        run.m_bWindows10 = windows10;
        fake.cursors.sets.clear();
        fake.cursors.existingFiles.clear();
        for (const PointerRole& role : kPointerRoles) {
            if (*role.files[2]) fake.cursors.existingFiles.insert(u"C:\\windows\\cursors\\" + String16(role.files[2]));
        }
        ASSERT_TRUE(CSwitchMode().SetMouseStyle(2));
        ids.clear();
        for (const auto& set : fake.cursors.sets) ids.push_back(set.id);
        std::vector<DWORD> expected = {32650, 32512, 32515, 32649, 32651, 32513, 32648,
                                       32646, 32643, 32645, 32642, 32644, 32516, 32514};
        if (windows10) expected.insert(expected.end(), {32671, 32672});
        EXPECT_EQ(ids, expected);
    }
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

// A stored scheme holds the 15 older roles; on Windows 10 the pin and person
// take Windows' own files of the same size. "Scheme Source" is a DWORD the
// whole way, past 0x7FFFFFFF too.
TEST_F(MousePointerTest, StoredSchemeOnWindows10AndItsSchemeSource)
{
    run.m_bWindows10 = TRUE;
    StoreScheme(kStored, u"%SystemRoot%%SystemRoot%\\");
    fake.registry.PutDword(HKEY_LOCAL_MACHINE, kStored, u"Scheme Source", 0x80000001);
    WithoutSetCursors();
    fake.cursors.existingFiles = {u"C:\\windowsC:\\windows\\Hand.cur"};
    ASSERT_TRUE(CSwitchMode().SetMouseStyle(1));
    EXPECT_EQ(Written(u"Hand").second, String16(u"%SystemRoot%%SystemRoot%\\Hand.cur") + u'\0');
    EXPECT_EQ(Written(u"Pin").second, String16(u"%SystemRoot%\\cursors\\aero_pin_l.cur") + u'\0');
    EXPECT_EQ(Written(u"Person").second, String16(u"%SystemRoot%\\cursors\\aero_person_l.cur") + u'\0');
    std::vector<BYTE> data;
    ASSERT_TRUE(fake.registry.Get(HKEY_CURRENT_USER, kCursorsKey, u"Scheme Source", nullptr, &data));
    EXPECT_EQ(data, (std::vector<BYTE>{1, 0, 0, 0x80}));
    ASSERT_EQ(fake.cursors.sets.size(), 1u);  // both %SystemRoot% replaced: the one file that exists
    EXPECT_EQ(fake.cursors.sets[0].id, 32649u);
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
    EXPECT_EQ(Messages(), std::vector<std::string>{"CCorvelChgApp::LoadResString error code: 0"});
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
