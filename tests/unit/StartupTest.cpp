#include "res/resource.h"
#include "tests/unit/TestSupport.h"

namespace {

class StartupTest : public AppTest {};

TEST_F(StartupTest, CommandLineSwitchesAreCaseSensitiveSubstrings)
{
    const struct {
        const char16_t* line;
        BOOL createLog;
        BOOL apply;
    } cases[] = {
        {u"", FALSE, FALSE},
        {u"/CreateLog", TRUE, FALSE},
        {u"/apply", FALSE, TRUE},
        {u"x/applyX /CreateLogs", TRUE, TRUE},
        {u"/createlog /APPLY", FALSE, FALSE},
        {u"-apply CreateLog", FALSE, FALSE},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(U8(c.line));
        app.m_lpCmdLine = c.line;
        app.ReadCommandLine();
        EXPECT_EQ(app.m_bCreateLog, c.createLog);
        EXPECT_EQ(app.m_bApply, c.apply);
    }
}

TEST_F(StartupTest, OsVersionClasses)
{
    const struct {
        DWORD major, minor;
        int expected;
        BOOL windows10;
    } cases[] = {{6, 1, OSVER_BEFORE_6_2, FALSE}, {5, 1, OSVER_BEFORE_6_2, FALSE}, {6, 2, OSVER_6_2, FALSE},
                 {6, 3, OSVER_AFTER_6_2, FALSE},   {10, 0, OSVER_AFTER_6_2, TRUE},  {10, 1, OSVER_AFTER_6_2, TRUE}};
    for (const auto& c : cases) {
        fake.system.versionMajor = c.major;
        fake.system.versionMinor = c.minor;
        EXPECT_EQ(app.GetOsVersion(), c.expected) << c.major << "." << c.minor;
        EXPECT_EQ(app.IsWindows10OrLater(), c.windows10) << c.major << "." << c.minor;
    }
}

// The user's "mode" decides the state; anything but a REG_DWORD 0-2 counts
// as none, and the factory "mode" then names the profile.
TEST_F(StartupTest, ModeState)
{
    const struct {
        const char* name;
        DWORD type;
        std::vector<BYTE> data;
        int state;
        int mode;
    } cases[] = {
        {"user 1", REG_DWORD, {1, 0, 0, 0}, MODESTATE_USER, 1},
        {"user 0", REG_DWORD, {0, 0, 0, 0}, MODESTATE_USER, 0},
        {"user 4 (restored)", REG_DWORD, {4, 0, 0, 0}, MODESTATE_SHIPMENT, 2},
        {"user 3", REG_DWORD, {3, 0, 0, 0}, MODESTATE_SHIPMENT, 2},
        {"user -1", REG_DWORD, {0xFF, 0xFF, 0xFF, 0xFF}, MODESTATE_SHIPMENT, 2},
        {"user string", REG_SZ, {'1', 0, 0, 0}, MODESTATE_SHIPMENT, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakePlatform platform;
        CCorvelChgApp fresh;
        platform.registry.PutDword(HKEY_LOCAL_MACHINE, kSettingsKey, u"mode", 2);
        platform.registry.Put(HKEY_CURRENT_USER, kSettingsKey, u"Mode", c.type, c.data);
        EXPECT_TRUE(fresh.InitInstance());
        EXPECT_EQ(fresh.m_nModeState, c.state);
        EXPECT_EQ(fresh.m_nAction, c.state);
        EXPECT_EQ(fresh.m_nMode, c.mode);
    }
}

// Another instance restores the factory settings ("Mode" = 4) while this one
// starts: the mode that was checked is the mode that is used.
TEST_F(StartupTest, UserModeIsReadOnce)
{
    fake.registry.PutDword(HKEY_CURRENT_USER, kSettingsKey, kUserModeValue, 1);
    int modeReads = 0;
    fake.registry.SetFault([&](FakeRegistry::Op op, const String16&, const String16& name) {
        if (op == FakeRegistry::Op::Query && name == kUserModeValue && ++modeReads == 2) {
            fake.registry.PutDword(HKEY_CURRENT_USER, kSettingsKey, kUserModeValue, 4);
        }
        return 0;
    });
    EXPECT_TRUE(app.InitInstance());
    EXPECT_EQ(app.m_nModeState, MODESTATE_USER);
    EXPECT_EQ(app.m_nMode, 1);
}

TEST_F(StartupTest, ShipmentModeOutOfRangeReadsAsProfileZero)
{
    for (DWORD stored : {3u, 7u, 0xFFFFFFFFu}) {
        fake.registry.PutDword(HKEY_LOCAL_MACHINE, kSettingsKey, u"mode", stored);
        EXPECT_EQ(app.GetShipmentMode(), 0u);
    }
    fake.registry.PutDword(HKEY_LOCAL_MACHINE, kSettingsKey, u"mode", 1);
    EXPECT_EQ(app.GetShipmentMode(), 1u);
}

TEST_F(StartupTest, InteractiveStartRegistersClassesAndTakesTheMutex)
{
    EXPECT_TRUE(app.InitInstance());
    EXPECT_EQ(fake.windows.registered, (std::vector<String16>{u"MainWindowClass", u"DetailWindowClass"}));
    EXPECT_EQ(fake.windows.commonControls, 0xFFu);
    EXPECT_NE(app.m_hMutex.Get(), nullptr);
    EXPECT_TRUE(fake.sync.Exists(u"CorvelChangeMutex"));
    EXPECT_FALSE(fake.files.Exists(kLogPath));  // no "/CreateLog"
}

TEST_F(StartupTest, ApplyStartNeverRegistersNorTakesTheToolMutex)
{
    fake.sync.HoldElsewhere(u"CorvelChangeMutex");
    app.m_lpCmdLine = u"/apply";
    EXPECT_FALSE(app.InitInstance());
    EXPECT_TRUE(fake.windows.registered.empty());
    EXPECT_TRUE(fake.windows.lookups.empty());
    EXPECT_EQ(app.m_hMutex.Get(), nullptr);
    EXPECT_EQ(fake.sync.OpenHandleCount(), 0);
}

TEST_F(StartupTest, RegistrationFailuresEndStartUp)
{
    const struct {
        const char16_t* refused;
        const char* line;
    } cases[] = {
        {u"MainWindowClass", "CCorvelChgApp::InitInstance() AfxRegisterClass error file: .\\CorvelChg, line: 168."},
        {u"DetailWindowClass", "CCorvelChgApp::InitInstance() AfxRegisterClass error file: .\\CorvelChg, line: 174."},
    };
    for (const auto& c : cases) {
        FakePlatform platform;
        CCorvelChgApp fresh;
        platform.windows.refusedClasses.insert(c.refused);
        fresh.m_lpCmdLine = u"/CreateLog";
        EXPECT_FALSE(fresh.InitInstance());
        EXPECT_FALSE(platform.sync.Exists(u"CorvelChangeMutex"));
        EXPECT_NE(U8(LogTextOf(platform)).find(c.line), std::string::npos) << c.line;
    }
}

// A second instance looks for the first one's windows in a fixed order and
// brings the first found to the front.
TEST_F(StartupTest, SecondInstanceFindsTheFirstWindow)
{
    fake.sync.HoldElsewhere(u"CorvelChangeMutex");
    HWND main = fake.windows.AddWindow(u"MainWindowClass", u"Tessaly");
    fake.windows.AddWindow(u"#32770", u"サインアウトしてください。");
    app.m_lpCmdLine = u"/CreateLog";
    EXPECT_FALSE(app.InitInstance());
    using Lookup = std::pair<String16, String16>;
    EXPECT_EQ(fake.windows.lookups, (std::vector<Lookup>{{u"#32770", u"Tessaly"}, {u"MainWindowClass", u"Tessaly"}}));
    EXPECT_EQ(fake.windows.broughtToFront, std::vector<HWND>{main});
    EXPECT_EQ(app.m_hMutex.Get(), nullptr);
    EXPECT_EQ(fake.sync.OpenHandleCount(u"CorvelChangeMutex"), 0);
    EXPECT_EQ(Messages(), std::vector<std::string>{"CCorvelChgApp::InitInstance() tool is running now."});
}

TEST_F(StartupTest, SignOutPromptLookupFollowsTheVersion)
{
    const struct {
        DWORD minor;
        const char16_t* prompt;
    } cases[] = {{1, u"ログオフしてください。"}, {2, u"サインアウトしてください。"}};
    for (const auto& c : cases) {
        FakePlatform platform;
        CCorvelChgApp fresh;
        platform.system.versionMajor = 6;
        platform.system.versionMinor = c.minor;
        platform.sync.HoldElsewhere(u"CorvelChangeMutex");
        EXPECT_FALSE(fresh.InitInstance());
        ASSERT_EQ(platform.windows.lookups.size(), 4u);
        EXPECT_EQ(platform.windows.lookups[2].first, u"DetailWindowClass");
        EXPECT_EQ(platform.windows.lookups[3], std::make_pair(String16(u"#32770"), String16(c.prompt)));
        EXPECT_TRUE(platform.windows.broughtToFront.empty());
    }
}

TEST_F(StartupTest, MutexOfAnotherUserMeansAnotherInstance)
{
    fake.sync.createError = ERROR_ACCESS_DENIED;
    EXPECT_TRUE(app.IsToolRunning());
    EXPECT_EQ(app.m_hMutex.Get(), nullptr);
}

TEST_F(StartupTest, MissingTitleStringStopsAtTheCheck)
{
    fake.strings.table.erase(IDS_WINDOW_TITLE);
    app.m_lpCmdLine = u"/CreateLog";
    EXPECT_FALSE(app.InitInstance());
    EXPECT_FALSE(fake.sync.Exists(u"CorvelChangeMutex"));
    EXPECT_EQ(Messages(), (std::vector<std::string>{"CCorvelChgApp::LoadResString error code: 0",
                                                   "CCorvelChgApp::InitInstance() tool is running now."}));
}

TEST_F(StartupTest, LoadResStringNeverWritesPastTheGivenSize)
{
    EnableLog();
    char16_t buffer[8];
    std::fill(std::begin(buffer), std::end(buffer), u'#');
    EXPECT_FALSE(app.LoadResString(IDS_SWITCH_FAILED, buffer, 4));
    EXPECT_EQ(String16(buffer, 4), String16(u"表示の切") .substr(0, 3) + u'\0');
    EXPECT_EQ(buffer[4], u'#');
    EXPECT_EQ(Messages().back(), "CCorvelChgApp::LoadResString StringCchCopy error code: -2147024774");

    // "Tessaly" is 7 characters: a buffer of 7 has no room for its end.
    char16_t exact[8];
    std::fill(std::begin(exact), std::end(exact), u'#');
    EXPECT_FALSE(app.LoadResString(IDS_TITLE, exact, 7));
    EXPECT_EQ(String16(exact, 8), String16(u"Tessal") + u'\0' + u'#');
    EXPECT_TRUE(app.LoadResString(IDS_TITLE, exact, 8));
    EXPECT_EQ(String16(exact), u"Tessaly");

    char16_t full[kTextChars] = {};
    EXPECT_TRUE(app.LoadResString(IDS_TITLE, full, kTextChars));
    EXPECT_EQ(String16(full), u"Tessaly");
    EXPECT_FALSE(app.LoadResString(12345, full, kTextChars));
    EXPECT_EQ(Messages().back(), "CCorvelChgApp::LoadResString error code: 1814");
}

TEST_F(StartupTest, DestructorClosesTheLogWithTheSeparator)
{
    {
        FakePlatform platform;
        {
            CCorvelChgApp fresh;
            fresh.m_lpCmdLine = u"/CreateLog";
            EXPECT_TRUE(fresh.InitInstance());
        }
        EXPECT_EQ(platform.files.OpenCount(), 0);
        EXPECT_EQ(platform.sync.OpenHandleCount(), 0);
        auto bytes = platform.files.Contents(kLogPath);
        EXPECT_EQ(bytes.size(), 77u * 2);  // the separator alone
    }
}

}  // namespace
