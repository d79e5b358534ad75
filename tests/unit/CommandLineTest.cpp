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

namespace {

// The person's own settings, none of them a profile's: an own pointer scheme
// with "Scheme Source" 1, a blink rate and caret width of their own, their
// own metrics, and no text size of their own (Windows' recommended one).
class OriginalSettingsTest : public CommandRunTest {
protected:
    struct Watched {
        const char16_t* key;
        const char16_t* name;
    };
    static constexpr Watched kWatched[] = {
        {u"Control Panel\\Desktop", u"LogPixels"},       {u"Control Panel\\Desktop", u"Win8DpiScaling"},
        {u"Control Panel\\Desktop", u"CursorBlinkRate"}, {u"Control Panel\\Cursors", u"Arrow"},
        {u"Control Panel\\Cursors", u"Hand"},            {u"Control Panel\\Cursors", u"IBeam"},
        {u"Control Panel\\Cursors", u""},                {u"Control Panel\\Cursors", u"Scheme Source"},
    };
    struct State {
        std::vector<std::pair<DWORD, std::vector<BYTE>>> values;  // type 0xFFFF: absent
        NONCLIENTMETRICSW metrics;
        DWORD caretWidth;
        UINT blinkTime;
    };

    void SetUp() override
    {
        CommandRunTest::SetUp();
        fake.registry.PutString(HKEY_CURRENT_USER, u"Control Panel\\Desktop", u"CursorBlinkRate", u"400");
        fake.registry.PutString(HKEY_CURRENT_USER, u"Control Panel\\Cursors", u"Arrow", u"C:\\Mine\\arrow.cur");
        fake.registry.PutString(HKEY_CURRENT_USER, u"Control Panel\\Cursors", u"Hand", u"%USERPROFILE%\\hand.cur",
                                REG_EXPAND_SZ);
        fake.registry.PutString(HKEY_CURRENT_USER, u"Control Panel\\Cursors", u"", u"Mine");
        fake.registry.PutDword(HKEY_CURRENT_USER, u"Control Panel\\Cursors", u"Scheme Source", 1);
        fake.registry.PutDword(HKEY_CURRENT_USER, u"Software\\Microsoft\\Windows\\Shell\\Bags\\1\\Desktop", u"IconSize",
                               44);
        fake.display.caretWidth = 3;
        fake.display.blinkTime = 400;
        fake.display.metrics.lfCaptionFont.lfHeight = -19;
        const char16_t face[] = u"Own Caption";
        std::memcpy(fake.display.metrics.lfCaptionFont.lfFaceName, face, sizeof(face));
    }
    State Now() const
    {
        State state{{}, fake.display.metrics, fake.display.caretWidth, fake.display.blinkTime};
        for (const Watched& w : kWatched) {
            DWORD type = 0;
            std::vector<BYTE> data;
            if (!fake.registry.Get(HKEY_CURRENT_USER, w.key, w.name, &type, &data)) type = 0xFFFF;
            state.values.emplace_back(type, data);
        }
        return state;
    }
    static void ExpectSame(const State& a, const State& b)
    {
        for (size_t i = 0; i < a.values.size(); ++i) EXPECT_EQ(a.values[i], b.values[i]) << U8(kWatched[i].name);
        EXPECT_EQ(std::memcmp(&a.metrics, &b.metrics, sizeof(a.metrics)), 0);
        EXPECT_EQ(a.caretWidth, b.caretWidth);
        EXPECT_EQ(a.blinkTime, b.blinkTime);
    }
    bool Kept() const { return fake.registry.Get(HKEY_CURRENT_USER, kOriginalKey, u"Complete", nullptr, nullptr); }
    // Windows' part of a sign-in: the stored text size takes effect.
    void SignIn(DWORD dpi)
    {
        fake.registry.PutDword(HKEY_CURRENT_USER, u"Control Panel\\Desktop\\WindowMetrics", u"AppliedDPI", dpi);
    }
};

// Two switches, then one return: every value as it was, byte for byte, an
// absent one absent again, and the kept set gone. Profile 1 keeps the 96 DPI
// in effect, so no sign-in is needed.
TEST_F(OriginalSettingsTest, TwoSwitchesAndOneReturnGiveBackEverything)
{
    const State own = Now();
    EXPECT_EQ(Start(u"/quiet /mode 1"), EXIT_DONE);
    EXPECT_TRUE(Kept());
    fake.display.caretWidth = 9;  // what a later switch found is never kept
    EXPECT_EQ(Start(u"/quiet /mode 1"), EXIT_DONE);
    EXPECT_EQ(Start(u"/quiet /original /CreateLog"), EXIT_DONE);
    ExpectSame(Now(), own);
    EXPECT_FALSE(Kept());
    EXPECT_EQ(UserMode(), MODE_ORIGINAL);
    EXPECT_EQ(fake.desktop.posted.back().wParam, 0x704Eu);  // 44 pixels: the nearest size, 48
    // The next switch keeps the settings in effect then.
    EXPECT_EQ(Start(u"/quiet /mode 1"), EXIT_DONE);
    EXPECT_TRUE(Kept());
}

// Only a user without a "Mode", or one back at their own settings, has own
// settings in effect: an earlier version's switch replaced them.
TEST_F(OriginalSettingsTest, AnEarlierSwitchKeepsNothingAndTheReturnSaysSo)
{
    fake.registry.PutDword(HKEY_CURRENT_USER, kSettingsKey, u"Mode", 2);
    EXPECT_EQ(Start(u"/quiet /mode 1"), EXIT_DONE);
    EXPECT_FALSE(Kept());
    const State before = Now();
    fake.windows.boxes.clear();
    EXPECT_EQ(Start(u"/original /CreateLog"), EXIT_NOTHING_KEPT);
    EXPECT_EQ(CountMessage("CCorvelChgApp::RunCommand no original settings are kept, nothing changed."), 1);
    EXPECT_EQ(fake.windows.boxes.size(), 1u);
    EXPECT_TRUE(windows.shown.empty());
    ExpectSame(Now(), before);
}

// "Complete" goes to disk only after the rest; a switch whose keeping fails
// changes nothing and records no mode, so the next one keeps again. A set
// without "Complete" is never used.
TEST_F(OriginalSettingsTest, ASetCutShortIsNeverUsed)
{
    const State own = Now();
    fake.registry.SetFault([](FakeRegistry::Op op, const String16&, const String16& name) {
        return op == FakeRegistry::Op::Set && name == u"Complete" ? 1021L : 0L;
    });
    EXPECT_EQ(Start(u"/quiet /mode 3 /CreateLog"), EXIT_ITEMS_FAILED);
    EXPECT_EQ(CountMessage("COriginalSettings::Keep Complete could not be kept, code: 1021."), 1);
    EXPECT_FALSE(Kept());
    ExpectSame(Now(), own);
    EXPECT_EQ(UserMode(), 99u);
    fake.registry.SetFault(nullptr);

    fake.registry.PutDword(HKEY_CURRENT_USER, kOriginalKey, u"AppliedDPI", 96);  // as a power loss leaves it
    EXPECT_EQ(Start(u"/quiet /original /CreateLog"), EXIT_NOTHING_KEPT);
    EXPECT_EQ(Start(u"/quiet /mode 1 /CreateLog"), EXIT_DONE);
    EXPECT_TRUE(Kept());
    const std::vector<String16> journal = fake.registry.Journal();
    const String16 complete = String16(u"set HKCU\\") + kOriginalKey + u"\\Complete";
    auto last = std::find(journal.rbegin(), journal.rend(), complete);
    ASSERT_NE(last, journal.rend());
    EXPECT_EQ(*(last + 1), String16(u"flush HKCU\\") + kOriginalKey);
}

// A return across a text-size change: the text size now, the metrics at the
// sign-in run, at the kept text size; the set stays until then. A kept value
// that is damaged is left as it is, and fails nothing.
TEST_F(OriginalSettingsTest, AReturnAcrossATextSizeChangeEndsAtTheSignInRun)
{
    const State own = Now();
    EXPECT_EQ(Start(u"/quiet /mode 3"), EXIT_AFTER_SIGN_IN);
    SignIn(144);
    EXPECT_EQ(Start(u"/apply"), EXIT_DONE);
    const NONCLIENTMETRICSW profile = fake.display.metrics;
    fake.registry.PutDword(HKEY_CURRENT_USER, kOriginalKey, u"CaretWidth", 0);  // a damaged value: not a DWORD below
    fake.registry.PutString(HKEY_CURRENT_USER, kOriginalKey, u"CaretWidth", u"3");
    fake.display.caretWidth = 6;

    EXPECT_EQ(Start(u"/quiet /original /CreateLog"), EXIT_AFTER_SIGN_IN);
    EXPECT_EQ(std::memcmp(&fake.display.metrics, &profile, sizeof(profile)), 0);  // not at 144 DPI
    EXPECT_TRUE(fake.registry.Get(HKEY_CURRENT_USER, kRunKey, kRunValue, nullptr, nullptr));
    EXPECT_TRUE(Kept());
    EXPECT_EQ(CountMessage("COriginalSettings::ApplyItem CaretWidth was not kept and is left as it is."), 1);
    EXPECT_EQ(fake.display.caretWidth, 6u);

    SignIn(96);  // no LogPixels: Windows' recommended size, 96 here
    EXPECT_EQ(Start(u"/apply"), EXIT_DONE);
    fake.display.caretWidth = own.caretWidth;
    ExpectSame(Now(), own);
    EXPECT_FALSE(Kept());
    EXPECT_FALSE(fake.registry.Get(HKEY_CURRENT_USER, kRunKey, kRunValue, nullptr, nullptr));
}

// Windows 7 and 8.0 have no "Win8DpiScaling" and the switch never writes it
// there: still absent at the return, it is no failure to find nothing to
// delete.
TEST_F(OriginalSettingsTest, AReturnBefore81LeavesAnAbsentOneScaleAbsent)
{
    fake.registry.Remove(HKEY_CURRENT_USER, u"Control Panel\\Desktop", u"Win8DpiScaling");
    for (DWORD minor : {DWORD{1}, DWORD{2}}) {
        SCOPED_TRACE(minor);
        fake.system.versionMajor = 6;
        fake.system.versionMinor = minor;
        const State own = Now();
        EXPECT_EQ(Start(u"/quiet /mode 1"), EXIT_DONE);
        EXPECT_EQ(Start(u"/quiet /original"), EXIT_DONE);
        ExpectSame(Now(), own);
        EXPECT_FALSE(Kept());
    }
}

// Every write of a keep must succeed, or the switch changes nothing, records
// no mode and says which value; the next switch keeps again.
TEST_F(OriginalSettingsTest, AKeepThatFailsIsASwitchThatDoesNotHappen)
{
    const State own = Now();
    const String16 key = String16(u"HKCU\\") + kOriginalKey;
    const struct {
        FakeRegistry::Op op;
        const char16_t* name;  // of the value, or the key for its creation and flush
    } faults[] = {
        {FakeRegistry::Op::Create, kOriginalKey},
        {FakeRegistry::Op::Set, u"AppliedDPI"},
        {FakeRegistry::Op::Set, u"NonClientMetrics"},
        {FakeRegistry::Op::Set, u"CaretWidth"},
        {FakeRegistry::Op::Set, u"BlinkTime"},
        {FakeRegistry::Op::Set, u"IconSize"},
        {FakeRegistry::Op::Set, u"Control Panel\\Cursors\\Arrow"},
        {FakeRegistry::Op::Set, u"Absent"},
        {FakeRegistry::Op::Set, u"NotRead"},
        {FakeRegistry::Op::Flush, kOriginalKey},
        {FakeRegistry::Op::Set, u"Complete"},
    };
    for (const auto& f : faults) {
        SCOPED_TRACE(U8(f.name));
        fake.registry.SetFault([&](FakeRegistry::Op op, const String16& path, const String16& name) {
            const bool keyOp = op == FakeRegistry::Op::Create || op == FakeRegistry::Op::Flush;
            return op == f.op && (keyOp ? path == key : name == f.name) ? 5L : 0L;
        });
        fake.files.SetContents(kLogPath, {});
        EXPECT_EQ(Start(u"/quiet /mode 3 /CreateLog"), EXIT_ITEMS_FAILED);
        EXPECT_EQ(CountMessage("COriginalSettings::Keep " + U8(f.name) + " could not be kept, code: 5."), 1);
        ExpectSame(Now(), own);
        EXPECT_EQ(UserMode(), 99u);
        fake.registry.SetFault(nullptr);
        EXPECT_FALSE(Kept());
    }
    EXPECT_EQ(Start(u"/quiet /mode 3"), EXIT_AFTER_SIGN_IN);
    EXPECT_TRUE(Kept());
}

// A set is used only whole: Complete, both lists and the kept DPI, and each
// value copied or listed. A damaged copy is left as it is; a set of the first
// version that kept, without the list of values not read, reads a missing
// copy as not read.
TEST_F(OriginalSettingsTest, OnlyAWholeSetIsUsed)
{
    const auto remove = [](const char16_t* name) {
        return [name](FakeRegistry& r) { r.Remove(HKEY_CURRENT_USER, kOriginalKey, name); };
    };
    const auto put = [](const char16_t* name, DWORD type, size_t size) {
        return [=](FakeRegistry& r) { r.Put(HKEY_CURRENT_USER, kOriginalKey, name, type, std::vector<BYTE>(size, 1)); };
    };
    const struct {
        const char* what;
        std::function<void(FakeRegistry&)> change;
        int exitCode;
    } cases[] = {
        {"whole", [](FakeRegistry&) {}, EXIT_DONE},
        {"no Complete", remove(u"Complete"), EXIT_NOTHING_KEPT},
        {"Complete of another type", put(u"Complete", REG_BINARY, 4), EXIT_NOTHING_KEPT},
        {"no Absent", remove(u"Absent"), EXIT_NOTHING_KEPT},
        {"Absent as text", put(u"Absent", REG_SZ, 4), EXIT_NOTHING_KEPT},
        {"no AppliedDPI", remove(u"AppliedDPI"), EXIT_NOTHING_KEPT},
        {"AppliedDPI of 2 bytes", put(u"AppliedDPI", REG_BINARY, 2), EXIT_NOTHING_KEPT},
        {"NotRead as text", put(u"NotRead", REG_SZ, 4), EXIT_NOTHING_KEPT},
        {"a copy missing", remove(u"Control Panel\\Cursors\\Arrow"), EXIT_NOTHING_KEPT},
        {"a read value missing", remove(u"CaretWidth"), EXIT_NOTHING_KEPT},
        {"metrics of 100 bytes", put(u"NonClientMetrics", REG_BINARY, 100), EXIT_DONE},
        {"first version, a copy missing",
         [](FakeRegistry& r) {
             r.Remove(HKEY_CURRENT_USER, kOriginalKey, u"NotRead");
             r.Remove(HKEY_CURRENT_USER, kOriginalKey, u"CaretWidth");
         },
         EXIT_DONE},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        COriginalSettings::Remove();
        fake.registry.Remove(HKEY_CURRENT_USER, kSettingsKey, u"Mode");
        EXPECT_EQ(Start(u"/quiet /mode 1"), EXIT_DONE);
        fake.display.caretWidth = 7;
        c.change(fake.registry);
        const State before = Now();
        fake.files.SetContents(kLogPath, {});
        EXPECT_EQ(Start(u"/quiet /original /CreateLog"), c.exitCode);
        if (c.exitCode == EXIT_NOTHING_KEPT) {
            ExpectSame(Now(), before);
            EXPECT_EQ(UserMode(), 0u);
            EXPECT_EQ(CountMessage("CCorvelChgApp::RunCommand no original settings are kept, nothing changed."), 1);
        } else {
            EXPECT_EQ(UserMode(), MODE_ORIGINAL);
            EXPECT_FALSE(Kept());
        }
    }
}

}  // namespace
