#include <algorithm>
#include <functional>

#include "app/CommandLine.h"
#include "app/IToolWindows.h"
#include "res/resource.h"
#include "switch/OriginalSettings.h"
#include "tests/unit/CommandRunSupport.h"

namespace {

TEST(CommandLineTest, Parsing)
{
    const struct {
        const char16_t* line;
        CommandAction action;
        int mode;
        bool quiet, createLog, apply;
    } cases[] = {
        {u"", COMMAND_NONE, 0, false, false, false},
        {u"/mode 2", COMMAND_MODE, 1, false, false, false},
        {u"-MODE 3 /Quiet", COMMAND_MODE, 2, true, false, false},
        {u"\"/mode\"  \t1", COMMAND_MODE, 0, false, false, false},
        {u"\"/mode 2\"", COMMAND_BAD, 0, false, false, false},  // one word: no number follows
        {u"/restore -quiet /CreateLog", COMMAND_RESTORE, 0, true, true, false},
        {u"-createlog /APPLY", COMMAND_NONE, 0, false, false, false},
        {u"/CreateLogs", COMMAND_NONE, 0, false, true, false},
        {u"/apply /mode 2", COMMAND_MODE, 1, false, false, true},
        {u"x/applyy/CreateLog", COMMAND_NONE, 0, false, true, true},
        {u"/?", COMMAND_USAGE, 0, false, false, false},
        {u"-? /mode 1 /quiet", COMMAND_USAGE, 0, true, false, false},
        {u"/mode", COMMAND_BAD, 0, false, false, false},
        {u"/mode 0", COMMAND_BAD, 0, false, false, false},
        {u"/mode 4", COMMAND_BAD, 0, false, false, false},
        {u"/mode 12", COMMAND_BAD, 0, false, false, false},
        {u"/mode /quiet", COMMAND_BAD, 0, true, false, false},
        {u"/mode 1 /restore", COMMAND_BAD, 0, false, false, false},
        {u"/mode 1 /mode 2", COMMAND_BAD, 0, false, false, false},
        {u"/mode 2 /bogus", COMMAND_BAD, 1, false, false, false},
        {u"/? /bogus", COMMAND_BAD, 0, false, false, false},
        {u"2", COMMAND_BAD, 0, false, false, false},
        {u"/", COMMAND_BAD, 0, false, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(U8(c.line));
        CommandLine command = ParseCommandLine(c.line);
        EXPECT_EQ(command.action, c.action);
        if (c.action == COMMAND_MODE) {
            EXPECT_EQ(command.mode, c.mode);
        }
        EXPECT_EQ(command.quiet, c.quiet);
        EXPECT_EQ(command.createLog, c.createLog);
        EXPECT_EQ(command.apply, c.apply);
    }
}

TEST(CommandLineTest, ExitCodes)
{
    EXPECT_EQ(SwitchExitCode(0, 0), EXIT_DONE);
    EXPECT_EQ(SwitchExitCode(4, 0), EXIT_AFTER_SIGN_IN);
    EXPECT_EQ(SwitchExitCode(0, 0x100), EXIT_ITEMS_FAILED);
    EXPECT_EQ(SwitchExitCode(0, 0x800), EXIT_ITEMS_FAILED);
    EXPECT_EQ(SwitchExitCode(4, 0x10), EXIT_ITEMS_FAILED);
    EXPECT_EQ(SwitchExitCode(PROGRESS_NOT_RUN, 0), EXIT_ITEMS_FAILED);
}

// Profile 2 has DPI 120, profile 1 the 96 in effect.
TEST_F(CommandRunTest, QuietSwitchHasNoWindowAndNoPause)
{
    EXPECT_EQ(Start(u"/quiet /mode 2"), EXIT_AFTER_SIGN_IN);
    EXPECT_EQ(UserMode(), 1u);
    EXPECT_TRUE(windows.shown.empty());
    EXPECT_TRUE(fake.windows.boxes.empty());
    EXPECT_TRUE(fake.system.sleeps.empty());
    EXPECT_TRUE(fake.system.exits.empty());
    EXPECT_TRUE(fake.registry.Get(HKEY_CURRENT_USER, kRunKey, kRunValue, nullptr, nullptr));
}

TEST_F(CommandRunTest, SwitchesAndTheirExitCodes)
{
    const struct {
        const char16_t* line;
        int progress;
        DWORD failed;
        int exitCode;
        std::vector<std::string> shown;
    } cases[] = {
        {u"/quiet /mode 1", 0, 0, EXIT_DONE, {}},
        {u"/quiet /restore", 0, 0, EXIT_DONE, {}},
        {u"/mode 2", 4, 0, EXIT_AFTER_SIGN_IN, {"progress 1", "prompt 1"}},
        {u"-Mode 3", 0, 0x100, EXIT_ITEMS_FAILED, {"progress 1"}},
        {u"/restore", 0, 0, EXIT_DONE, {"progress 3"}},
        {u"/mode 1", 0, 0, EXIT_DONE, {"progress 1"}},
        {u"/mode 1", PROGRESS_NOT_RUN, 0, EXIT_ITEMS_FAILED, {"progress 1"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(U8(c.line));
        windows = Windows{};
        windows.progress = c.progress;
        windows.failed = c.failed;
        app.m_hMutex.Reset();
        EXPECT_EQ(Start(c.line), c.exitCode);
        EXPECT_EQ(windows.shown, c.shown);
    }
    EXPECT_EQ(UserMode(), MODE_SHIPMENT);  // the last one restored
}

// Nothing is changed, and the usage box (unless quiet) says how to use it.
TEST_F(CommandRunTest, BadLinesAndTheUsageBox)
{
    fake.registry.PutString(HKEY_CURRENT_USER, kRunKey, kRunValue, u"x /apply");  // no catch-up either
    const struct {
        const char16_t* line;
        int exitCode;
        size_t boxes;
        UINT type;
    } cases[] = {{u"/mode 9", EXIT_BAD_COMMAND, 1, MB_ICONWARNING}, {u"/quiet /restore /mode 1", EXIT_BAD_COMMAND, 0, 0},
                 {u"/?", EXIT_DONE, 1, MB_ICONINFORMATION}, {u"-? /quiet", EXIT_DONE, 0, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(U8(c.line));
        fake.windows.boxes.clear();
        EXPECT_EQ(Start(c.line), c.exitCode);
        ASSERT_EQ(fake.windows.boxes.size(), c.boxes);
        if (c.boxes) {
            EXPECT_EQ(fake.windows.boxes[0].type, MB_OK | c.type);
            const std::string text = U8(fake.windows.boxes[0].text);
            EXPECT_NE(text.find("CorvelChg.exe /mode N"), std::string::npos);
            // Whole: the last exit code and the pointer to help are there too.
            EXPECT_NE(text.find("4：ほかの Tessaly が開いているか、設定を変更中です。"), std::string::npos);
            EXPECT_NE(text.find("ご覧ください。"), std::string::npos);
            EXPECT_NE(text.find("次回のサインイン後"), std::string::npos);
        }
    }
    EXPECT_TRUE(windows.shown.empty());
    EXPECT_FALSE(fake.registry.Get(HKEY_CURRENT_USER, kSettingsKey, u"Mode", nullptr, nullptr));
    EXPECT_FALSE(fake.sync.Exists(u"CorvelChangeMutex_AutoRun"));
}

// A switch that never ran, or ran only in part, never ends with "done".
TEST_F(CommandRunTest, FailuresBeforeAndDuringTheSwitch)
{
    const struct {
        const char* what;
        std::function<void(FakePlatform&)> fault;
        const char16_t* line;
        const char* logLine;
    } cases[] = {
        {"window class", [](FakePlatform& f) { f.windows.refusedClasses.insert(u"DetailWindowClass"); },
         u"/mode 2 /CreateLog", "CCorvelChgApp::InitInstance the start failed, the switch did not run."},
        {"window texts", [](FakePlatform& f) { f.strings.table.erase(IDS_SIGN_OUT_PROMPT); }, u"/restore /CreateLog",
         "CCorvelChgApp::InitInstance the start failed, the switch did not run."},
        {"quiet, caret blink", [](FakePlatform& f) { f.display.failBlink = true; }, u"/quiet /mode 1 /CreateLog",
         "ProcessProc:OnDoSwitchMode Failed."},
        {"progress window", [](FakePlatform&) {}, u"/mode 1 /CreateLog",
         "CCorvelChgApp::RunCommand the progress window did not run the switch."},
    };
    windows.progress = PROGRESS_NOT_RUN;  // only the last case gets that far
    const auto strings = fake.strings.table;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        c.fault(fake);
        app.m_hMutex.Reset();
        EXPECT_EQ(Start(c.line), EXIT_ITEMS_FAILED);
        EXPECT_EQ(CountMessage(c.logLine), 1);  // each start begins the log anew
        fake.windows.refusedClasses.clear();
        fake.strings.table = strings;
        fake.display.failBlink = false;
    }
}

// The new text size is stored and differs: the sign-in run is registered
// whatever else failed, and the exit code still says that something failed.
TEST_F(CommandRunTest, PartialFailureKeepsThePendingTextSize)
{
    fake.display.failBlink = true;
    EXPECT_EQ(Start(u"/quiet /mode 2"), EXIT_ITEMS_FAILED);
    EXPECT_TRUE(fake.registry.Get(HKEY_CURRENT_USER, kRunKey, kRunValue, nullptr, nullptr));
    EXPECT_EQ(UserMode(), 1u);
}

TEST_F(CommandRunTest, AnotherInstanceIsLeftAlone)
{
    fake.sync.HoldElsewhere(u"CorvelChangeMutex");
    fake.windows.AddWindow(u"MainWindowClass", u"Tessaly");
    EXPECT_EQ(Start(u"/quiet /mode 2"), EXIT_RUNNING);
    EXPECT_TRUE(fake.windows.broughtToFront.empty());
    EXPECT_EQ(Start(u"/restore"), EXIT_RUNNING);
    EXPECT_EQ(fake.windows.broughtToFront.size(), 1u);
    EXPECT_EQ(Start(u""), 0);  // an ordinary start ends with 0, as ever
    EXPECT_FALSE(fake.registry.Get(HKEY_CURRENT_USER, kSettingsKey, u"Mode", nullptr, nullptr));
}

// Only a mutex that another user's instance holds (access denied) means
// another Tessaly; any other failure leaves the tool to run.
TEST_F(CommandRunTest, SingleInstanceMutexFailures)
{
    const struct {
        DWORD error;
        int exitCode;
    } cases[] = {{ERROR_ACCESS_DENIED, EXIT_RUNNING}, {ERROR_INVALID_HANDLE, EXIT_DONE}, {ERROR_NOT_ENOUGH_MEMORY, EXIT_DONE}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.error);
        fake.sync.createError = c.error;
        fake.sync.createErrorOf = kToolMutexName;
        app.m_hMutex.Reset();
        EXPECT_EQ(Start(u"/quiet /mode 1"), c.exitCode);
        EXPECT_EQ(UserMode(), c.exitCode == EXIT_DONE ? 0u : 99u);
    }
}

// The sign-in run ran, the switch asked for did not.
TEST_F(CommandRunTest, ApplyRunsAloneAndSaysSo)
{
    EXPECT_EQ(Start(u"/apply /mode 2 /CreateLog"), EXIT_ITEMS_FAILED);
    EXPECT_EQ(CountMessage("CCorvelChgApp::InitInstance /apply runs alone, /mode and /restore are ignored."), 1);
    EXPECT_FALSE(fake.registry.Get(HKEY_CURRENT_USER, kSettingsKey, u"Mode", nullptr, nullptr));
}

}  // namespace
