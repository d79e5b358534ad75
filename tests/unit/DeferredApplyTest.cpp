#include "tests/unit/TestSupport.h"

namespace {

constexpr char16_t kMetricsKey[] = u"Control Panel\\Desktop\\WindowMetrics";
constexpr char16_t kDesktopKey[] = u"Control Panel\\Desktop";

class DeferredApplyTest : public AppTest {
protected:
    void SetUp() override
    {
        fake.registry.PutString(HKEY_CURRENT_USER, kRunKey, kRunValue, u"\"C:\\Tools\\CorvelChg.exe\" /apply");
    }
    bool RunValuePresent() const { return fake.registry.Get(HKEY_CURRENT_USER, kRunKey, kRunValue, nullptr, nullptr); }
    void Start(const char16_t* commandLine)
    {
        app.m_lpCmdLine = commandLine;
        app.InitInstance();
    }
};

// "Mode" 2 makes profile 2 current: DPI 144, title size 50.
TEST_F(DeferredApplyTest, ApplyReappliesWhenTheProfileDpiIsInEffect)
{
    fake.registry.PutDword(HKEY_CURRENT_USER, kSettingsKey, u"Mode", 2);
    fake.registry.PutDword(HKEY_CURRENT_USER, kMetricsKey, u"AppliedDPI", 144);
    Start(u"/apply /CreateLog");
    EXPECT_EQ(fake.display.metricsWrites, 1);
    EXPECT_EQ(fake.display.metrics.iCaptionWidth, 75);
    EXPECT_FALSE(RunValuePresent());
    EXPECT_EQ(CountMessage("Apply:Run Apply Succeeded."), 1);
    EXPECT_TRUE(fake.windows.registered.empty());
    EXPECT_EQ(fake.sync.OpenHandleCount(u"CorvelChangeMutex_AutoRun"), 0);
}

TEST_F(DeferredApplyTest, ApplyWithAnotherDpiOnlyDeletesTheRunValue)
{
    fake.registry.PutDword(HKEY_CURRENT_USER, kSettingsKey, u"Mode", 2);
    fake.registry.PutDword(HKEY_CURRENT_USER, kMetricsKey, u"AppliedDPI", 120);
    Start(u"/apply /CreateLog");
    EXPECT_EQ(fake.display.metricsWrites, 0);
    EXPECT_FALSE(RunValuePresent());
    EXPECT_EQ(Messages(), (std::vector<std::string>{"CCorvelChgApp::DoApply DPI has been chaged by user. Apply cancel.",
                                                   "Apply:Run Apply Succeeded."}));
}

TEST_F(DeferredApplyTest, ApplyFailuresStillDeleteTheRunValue)
{
    Start(u"/apply /CreateLog");  // no "AppliedDPI"
    EXPECT_EQ(Messages(), (std::vector<std::string>{"CSwitchMode::GetDpi the RegReadDword is failed.",
                                                   "CCorvelChgApp::DoApply getting the current dpi is failed.",
                                                   "Apply:Run Apply Failed."}));
    EXPECT_FALSE(RunValuePresent());
}

TEST_F(DeferredApplyTest, ApplyWithoutRunValueLogsTheFailedDelete)
{
    fake.registry.PutDword(HKEY_CURRENT_USER, kMetricsKey, u"AppliedDPI", 96);
    ASSERT_EQ(app.DeleteAutoRun(), 0);  // the value the fixture planted
    EXPECT_EQ(app.DeleteAutoRun(), 2);
    Start(u"/apply /CreateLog");
    EXPECT_EQ(Messages().back(), "Apply:Delete AutoRun failed.");
    EXPECT_EQ(CountMessage("Apply:Run Apply Succeeded."), 1);
}

TEST_F(DeferredApplyTest, SecondApplyGivesUpAtOnce)
{
    fake.sync.HoldElsewhere(u"CorvelChangeMutex_AutoRun");
    fake.registry.PutDword(HKEY_CURRENT_USER, kMetricsKey, u"AppliedDPI", 96);
    int callsBefore = fake.registry.CallCount();
    Start(u"/apply /CreateLog");
    EXPECT_EQ(Messages(), std::vector<std::string>{
                              "Apply:the sign-in run's mutex exists, this run changes nothing."});
    EXPECT_TRUE(RunValuePresent());
    EXPECT_EQ(fake.display.metricsWrites, 0);
    EXPECT_EQ(fake.sync.timeouts.count(kAutoRunMutexName) + fake.sync.timeouts.count(kChangeMutexName), 0u);
    // Only start-up's own reads of "mode" happened.
    EXPECT_LE(fake.registry.CallCount() - callsBefore, 6);
}

TEST_F(DeferredApplyTest, CatchUpAfterSignInDeletesFirstThenApplies)
{
    fake.registry.PutDword(HKEY_CURRENT_USER, kMetricsKey, u"AppliedDPI", 96);
    fake.registry.PutDword(HKEY_CURRENT_USER, kDesktopKey, u"LogPixels", 96);
    Start(u"/CreateLog");
    EXPECT_FALSE(RunValuePresent());
    EXPECT_EQ(fake.display.metricsWrites, 1);
    EXPECT_EQ(CountMessage("CCorvelChgApp:Run Apply Succeeded."), 1);
    EXPECT_EQ(fake.windows.registered.size(), 2u);  // start-up went on
}

TEST_F(DeferredApplyTest, CatchUpBeforeSignOutLeavesTheRunValue)
{
    fake.registry.PutDword(HKEY_CURRENT_USER, kMetricsKey, u"AppliedDPI", 96);
    fake.registry.PutDword(HKEY_CURRENT_USER, kDesktopKey, u"LogPixels", 144);
    Start(u"");
    EXPECT_TRUE(RunValuePresent());
    EXPECT_EQ(fake.display.metricsWrites, 0);
}

TEST_F(DeferredApplyTest, CatchUpWithBothDpiUnreadableCountsThemEqual)
{
    Start(u"/CreateLog");
    EXPECT_FALSE(RunValuePresent());
    auto messages = Messages();
    ASSERT_GE(messages.size(), 2u);
    EXPECT_EQ(messages[0], "CSwitchMode::GetDpi the RegReadDword is failed.");
    EXPECT_EQ(messages[1], "CSwitchMode::GetSettingDpi the RegReadDword is failed.");
    EXPECT_EQ(CountMessage("CCorvelChgApp:Run Apply Failed."), 1);
}

// A run that ended without releasing the mutex (WAIT_ABANDONED) leaves it
// to the waiter, which must release it as after an ordinary wait.
TEST_F(DeferredApplyTest, CatchUpWaitsForARunningApply)
{
    for (bool abandoned : {false, true}) {
        SCOPED_TRACE(abandoned);
        fake.sync.HoldElsewhere(u"CorvelChangeMutex_AutoRun");
        fake.sync.abandonedElsewhere = abandoned;
        fake.sync.timeouts.clear();
        fake.registry.PutDword(HKEY_CURRENT_USER, kMetricsKey, u"AppliedDPI", 96);
        fake.registry.PutDword(HKEY_CURRENT_USER, kDesktopKey, u"LogPixels", 96);
        app.m_hMutex.Reset();
        fake.windows.NewProcess();  // each start is a process of its own
        app.m_lpCmdLine = u"/CreateLog";
        EXPECT_TRUE(app.InitInstance());  // the start went on to its window
        EXPECT_EQ(fake.sync.timeouts.count(u"CorvelChangeMutex_AutoRun"), 1u);
        EXPECT_EQ(fake.sync.OpenHandleCount(u"CorvelChangeMutex_AutoRun"), 0);
        EXPECT_EQ(CountMessage("CCorvelChgApp:Apply is still running, the start goes on without it, code: 128."), 0);
        EXPECT_TRUE(RunValuePresent());  // the other holder's business
        EXPECT_EQ(fake.display.metricsWrites, 0);
    }
}

TEST_F(DeferredApplyTest, CatchUpGivesUpOnAStuckApply)
{
    fake.sync.HoldElsewhere(u"CorvelChangeMutex_AutoRun");
    fake.sync.stuckElsewhere = true;
    Start(u"/CreateLog");
    EXPECT_EQ(fake.sync.timeouts[u"CorvelChangeMutex_AutoRun"], 30000u);
    EXPECT_EQ(CountMessage("CCorvelChgApp:Apply is still running, the start goes on without it, code: 258."), 1);
    EXPECT_TRUE(RunValuePresent());
}

TEST_F(DeferredApplyTest, NoRunValueNothingToCatchUp)
{
    FakePlatform platform;
    CCorvelChgApp fresh;
    fresh.InitInstance();
    EXPECT_FALSE(platform.sync.Exists(u"CorvelChangeMutex_AutoRun"));
    EXPECT_EQ(platform.display.metricsWrites, 0);
}

TEST_F(DeferredApplyTest, ShipmentStateAppliesTheFactoryProfile)
{
    fake.registry.PutDword(HKEY_LOCAL_MACHINE, kSettingsKey, u"mode", 1);
    fake.registry.PutDword(HKEY_CURRENT_USER, kSettingsKey, u"Mode", MODE_SHIPMENT);
    fake.registry.PutDword(HKEY_LOCAL_MACHINE, ProfileKeys[1], u"TitleSize", LEVEL_EXTRA);
    fake.registry.PutDword(HKEY_CURRENT_USER, ProfileKeys[1], u"TitleSize", LEVEL_STANDARD);  // ignored
    fake.registry.PutDword(HKEY_CURRENT_USER, kMetricsKey, u"AppliedDPI", 120);
    fake.system.versionMinor = 1;
    fake.system.versionMajor = 6;
    Start(u"/apply");
    EXPECT_EQ(app.m_nModeState, MODESTATE_SHIPMENT);
    EXPECT_EQ(fake.display.metrics.iCaptionWidth, 60);
}

}  // namespace
