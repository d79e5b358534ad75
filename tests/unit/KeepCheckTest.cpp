// The sign-in check of a kept profile ("/keep") against the stand-ins: what
// it compares, what it puts back and logs, when it does nothing, and how it
// meets a switch and another check.
#include <cstring>
#include <functional>
#include <thread>

#include "app/CorvelChg.h"
#include "engine/SwitchMode.h"
#include "switch/OriginalSettings.h"
#include "tests/unit/CommandRunSupport.h"

namespace {

constexpr char16_t kDesktopKey[] = u"Control Panel\\Desktop";
constexpr char16_t kCursorsKey[] = u"Control Panel\\Cursors";
constexpr char16_t kBagKey[] = u"Software\\Microsoft\\Windows\\Shell\\Bags\\1\\Desktop";

// A user who keeps 設定① (96 DPI, as in effect) and switched to it once.
class KeepCheckTest : public CommandRunTest {
protected:
    void SetUp() override
    {
        CommandRunTest::SetUp();
        fake.registry.PutDword(HKEY_CURRENT_USER, kSettingsKey, kKeepProfileValue, 1);
        fake.registry.PutDword(HKEY_CURRENT_USER, kBagKey, u"IconSize", 48);
        EXPECT_EQ(Start(u"/quiet /mode 1"), EXIT_DONE);
        fake.display.calls.clear();
        fake.desktop.posted.clear();
        fake.system.sleeps.clear();
    }
    // A check with a log of its own.
    int Check()
    {
        fake.files.SetContents(kLogPath, {});
        return Start(u"/keep /CreateLog");
    }
    int Changes() const
    {
        int changes = 0;
        for (const auto& call : fake.display.calls) {
            changes += call.action == SPI_SETNONCLIENTMETRICS || call.action == SPI_SETCURSORS ||
                       call.action == SPI_SETCARETWIDTH;
        }
        return changes + static_cast<int>(fake.desktop.posted.size());
    }
    std::vector<std::string> PutBack() const
    {
        std::vector<std::string> lines;
        for (const std::string& m : Messages()) {
            if (m.rfind("CProfileCheck::Check ", 0) == 0) lines.push_back(m);
        }
        return lines;
    }
};

// One item changed behind the tool's back at a time: only that one is put
// back, with a line saying what Windows had; an item that cannot be read,
// or that Windows adjusted itself after the switch, is left.
TEST_F(KeepCheckTest, OnlyWhatDiffersIsPutBack)
{
    const NONCLIENTMETRICSW applied = fake.display.metrics;
    const struct {
        const char* what;
        std::function<void(FakePlatform&)> change;
        std::string line;  // the start of the one line put back; empty: nothing put back
        int exitCode;
    } cases[] = {
        {"nothing changed", [](FakePlatform&) {}, "", EXIT_DONE},
        {"caret width", [](FakePlatform& f) { f.display.caretWidth = 5; },
         "CProfileCheck::Check caret width: Windows had 5, put back 1.", EXIT_DONE},
        {"blink rate of another type",
         [](FakePlatform& f) { f.registry.PutDword(HKEY_CURRENT_USER, kDesktopKey, u"CursorBlinkRate", 1200); }, "",
         EXIT_DONE},
        {"blink rate", [](FakePlatform& f) { f.registry.PutString(HKEY_CURRENT_USER, kDesktopKey, u"CursorBlinkRate", u"1200"); },
         "CProfileCheck::Check caret blink time: Windows had 1200, put back 600.", EXIT_DONE},
        {"blink rate missing", [](FakePlatform& f) { f.registry.Remove(HKEY_CURRENT_USER, kDesktopKey, u"CursorBlinkRate"); },
         "CProfileCheck::Check caret blink time: Windows had none, put back 600.", EXIT_DONE},
        {"caption font", [](FakePlatform& f) { f.display.metrics.lfCaptionFont.lfHeight = -30; },
         "CProfileCheck::Check window metrics: Windows had caption 21, menu 19, border 1, scroll bar 16, put back "
         "title bar 21, menu 20, border 1, scroll bar 16.",
         EXIT_DONE},
        {"caption adjusted by Windows after the switch",
         [](FakePlatform& f) {
             f.display.metrics.iCaptionHeight = 23;
             const auto* bytes = reinterpret_cast<const BYTE*>(&f.display.metrics);
             f.registry.Put(HKEY_CURRENT_USER, kSettingsKey, kAppliedMetricsValue, REG_BINARY,
                                 std::vector<BYTE>(bytes, bytes + sizeof(NONCLIENTMETRICSW)));
         },
         "", EXIT_DONE},
        {"pointer scheme",
         [](FakePlatform& f) {
             f.registry.PutString(HKEY_CURRENT_USER, kCursorsKey, u"Arrow", u"%SystemRoot%\\cursors\\x.cur",
                                       REG_EXPAND_SZ);
         },
         "CProfileCheck::Check mouse pointers: Windows had ", EXIT_DONE},
        {"desktop icons", [](FakePlatform& f) { f.registry.PutDword(HKEY_CURRENT_USER, kBagKey, u"IconSize", 96); },
         "CProfileCheck::Check desktop icons: Windows had 96, put back 48.", EXIT_DONE},
        {"desktop icons unreadable", [](FakePlatform& f) { f.registry.Remove(HKEY_CURRENT_USER, kBagKey, u"IconSize"); },
         "", EXIT_DONE},
        {"text size", [](FakePlatform& f) { f.registry.Remove(HKEY_CURRENT_USER, kDesktopKey, u"LogPixels"); },
         "CProfileCheck::Check text size: Windows had none, put back 96.", EXIT_AFTER_SIGN_IN},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        c.change(fake);
        EXPECT_EQ(Check(), c.exitCode);
        const std::vector<std::string> lines = PutBack();
        ASSERT_EQ(lines.size(), c.line.empty() ? 0u : 1u) << (lines.empty() ? "" : lines[0]);
        if (!c.line.empty()) {
            EXPECT_EQ(lines[0].substr(0, c.line.size()), c.line);
        }
        // The second look a little later finds everything in place.
        EXPECT_EQ(fake.system.sleeps, std::vector<DWORD>{3000});
        // Put everything back as the switch left it, for the next case.
        fake.display.metrics = applied;
        fake.registry.PutDword(HKEY_CURRENT_USER, kBagKey, u"IconSize", 48);
        fake.registry.Remove(HKEY_CURRENT_USER, kRunKey, kRunValue);
        EXPECT_EQ(Start(u"/quiet /mode 1"), EXIT_DONE);
        fake.system.sleeps.clear();
    }
}

// The text size stored again waits for the next sign-in: the sign-in run is
// registered and the main window says so once.
TEST_F(KeepCheckTest, AStoredTextSizeWaitsForTheNextSignIn)
{
    fake.registry.PutDword(HKEY_CURRENT_USER, kDesktopKey, u"LogPixels", 144);
    EXPECT_EQ(Check(), EXIT_AFTER_SIGN_IN);
    std::vector<BYTE> data;
    ASSERT_TRUE(fake.registry.Get(HKEY_CURRENT_USER, kDesktopKey, u"LogPixels", nullptr, &data));
    EXPECT_EQ(data[0], 96);
    EXPECT_TRUE(fake.registry.Get(HKEY_CURRENT_USER, kRunKey, kRunValue, nullptr, nullptr));
    EXPECT_TRUE(fake.registry.Get(HKEY_CURRENT_USER, kSettingsKey, kTextSizePutBackValue, nullptr, nullptr));
    // A sign-in run that never comes (disabled, or of a removed copy): the
    // check waits 45 s for it, then does its work first.
    fake.system.sleeps.clear();
    fake.display.caretWidth = 5;
    EXPECT_EQ(Check(), EXIT_DONE);
    EXPECT_EQ(fake.system.sleeps.size(), 45000u / 250u + 1u);  // the polls, and the second look
    EXPECT_EQ(CountMessage("CCorvelChgApp::RunKeepCheck the sign-in run did not come."), 1);
    EXPECT_EQ(CountMessage("CCorvelChgApp:Run Apply Succeeded."), 1);
    EXPECT_FALSE(fake.registry.Get(HKEY_CURRENT_USER, kRunKey, kRunValue, nullptr, nullptr));
    EXPECT_EQ(fake.display.caretWidth, 1u);
}

// When the check has nothing to do it ends at once: no wait, no change.
TEST_F(KeepCheckTest, NothingToDoEndsAtOnce)
{
    const struct {
        const char* what;
        std::function<void(FakePlatform&)> setUp;
    } cases[] = {
        {"keeping off", [](FakePlatform& f) { f.registry.PutDword(HKEY_CURRENT_USER, kSettingsKey, kKeepProfileValue, 0); }},
        {"keeping unset", [](FakePlatform& f) { f.registry.Remove(HKEY_CURRENT_USER, kSettingsKey, kKeepProfileValue); }},
        {"keeping of another type", [](FakePlatform& f) { f.registry.PutString(HKEY_CURRENT_USER, kSettingsKey, kKeepProfileValue, u"1"); }},
        {"the person's own settings", [](FakePlatform& f) { f.registry.PutDword(HKEY_CURRENT_USER, kSettingsKey, u"Mode", MODE_ORIGINAL); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        c.setUp(fake);
        fake.display.caretWidth = 5;
        EXPECT_EQ(Check(), EXIT_DONE);
        EXPECT_EQ(Changes(), 0);
        EXPECT_TRUE(fake.system.sleeps.empty());
        fake.registry.PutDword(HKEY_CURRENT_USER, kSettingsKey, kKeepProfileValue, 1);
        fake.registry.PutDword(HKEY_CURRENT_USER, kSettingsKey, u"Mode", 0);
    }
}

// The check and every change hold one exclusion, and take the sign-in run's
// mutex before it; one that another change holds changes nothing. The waits
// of a run with no person in between share one bound of 30 s: the check's
// two (after its 45 s for the sign-in run), and a command line's catch-up
// and switch.
TEST_F(KeepCheckTest, ChangesHoldOneExclusionWithABound)
{
    fake.sync.HoldElsewhere(kChangeMutexName);
    fake.sync.stuckElsewhere = true;
    const struct {
        const char16_t* line;
        int exitCode;
        std::uint64_t waited;  // milliseconds in all
    } cases[] = {{u"/keep", EXIT_RUNNING, 45000 + 30000},
                 {u"/quiet /mode 2", EXIT_RUNNING, 30000},
                 {u"/quiet /original", EXIT_RUNNING, 30000},
                 {u"/apply", EXIT_DONE, 30000}};
    ArrangeSignInRun();
    fake.display.caretWidth = 5;
    for (const auto& c : cases) {
        SCOPED_TRACE(U8(c.line));
        const std::uint64_t start = fake.clock.Ticks();
        EXPECT_EQ(Start(c.line), c.exitCode);
        EXPECT_EQ(fake.clock.Ticks() - start, c.waited);
        EXPECT_EQ(Changes(), 0);
        EXPECT_EQ(fake.display.caretWidth, 5u);
        EXPECT_EQ(UserMode(), 0u);
        EXPECT_TRUE(fake.registry.Get(HKEY_CURRENT_USER, kRunKey, kRunValue, nullptr, nullptr));
    }
}

// A change whose holder ended without releasing the exclusion (killed,
// or the power cut) goes on, and says so with its own prefix; one whose
// exclusion cannot be had at all changes nothing, with a line of its own.
TEST_F(KeepCheckTest, AnAbandonedExclusionIsTakenOverAndAMissingOneStopsTheChange)
{
    const struct {
        const char16_t* line;
        const char* prefix;
        bool signInRunPending;
        int goesOn;     // the exit code after an abandoned holder
        int notOpened;  // ... when the exclusion cannot be opened
    } cases[] = {
        {u"/keep /CreateLog", "CCorvelChgApp::RunKeepCheck", false, EXIT_DONE, EXIT_ITEMS_FAILED},
        {u"/quiet /mode 1 /CreateLog", "ProcessProc:", false, EXIT_DONE, EXIT_ITEMS_FAILED},
        {u"/apply /CreateLog", "Apply:", true, EXIT_DONE, EXIT_DONE},
        {u"/CreateLog", "CCorvelChgApp:", true, EXIT_DONE, EXIT_DONE},  // the catch-up of an ordinary start
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.prefix);
        if (c.signInRunPending) ArrangeSignInRun();
        fake.display.caretWidth = 5;
        fake.display.metrics.iCaptionHeight = 99;
        fake.sync.HoldElsewhere(kChangeMutexName);
        fake.sync.abandonedElsewhere = true;
        fake.files.SetContents(kLogPath, {});
        int changes = Changes();
        EXPECT_EQ(Start(c.line), c.goesOn);
        EXPECT_EQ(CountMessage(std::string(c.prefix) + " the previous change ended without finishing; this one goes on."),
                  1);
        EXPECT_GT(Changes(), changes);

        if (c.signInRunPending) ArrangeSignInRun();
        fake.sync.createError = ERROR_ACCESS_DENIED;
        fake.sync.createErrorOf = kChangeMutexName;
        fake.display.caretWidth = 5;
        fake.display.metrics.iCaptionHeight = 99;
        fake.files.SetContents(kLogPath, {});
        changes = Changes();
        EXPECT_EQ(Start(c.line), c.notOpened);
        EXPECT_EQ(CountMessage(std::string(c.prefix) + " the exclusion of other changes could not be had, nothing was "
                                                       "changed."),
                  1);
        EXPECT_EQ(Changes(), changes);
        EXPECT_EQ(fake.registry.Get(HKEY_CURRENT_USER, kRunKey, kRunValue, nullptr, nullptr), c.signInRunPending);
        fake.sync.createError = 0;
        fake.registry.Remove(HKEY_CURRENT_USER, kRunKey, kRunValue);
    }
}

// A switch made while the check waited for the desktop is the one it
// checks: it reads the current profile only once it holds the exclusion.
TEST_F(KeepCheckTest, TheCheckReadsTheProfileOnceItHoldsTheExclusion)
{
    fake.desktop.noDesktop = true;
    fake.system.onSleep = [&](DWORD) {
        fake.registry.PutDword(HKEY_CURRENT_USER, kSettingsKey, u"Mode", 2);  // 設定③, 144 DPI
        fake.desktop.noDesktop = false;
    };
    EXPECT_EQ(Check(), EXIT_AFTER_SIGN_IN);
    EXPECT_EQ(CountMessage("CProfileCheck::Check text size: Windows had 96, put back 144."), 1);
}

// The check's two waits share one bound: what it waited for the sign-in
// run's mutex is not waited again for the exclusion.
TEST_F(KeepCheckTest, TheChecksTwoWaitsShareOneBound)
{
    fake.sync.HoldElsewhere(kChangeMutexName);
    fake.sync.stuckElsewhere = true;
    std::thread signInRun = HoldUntilWaitedFor(fake.sync, kAutoRunMutexName, [&] { fake.clock.Advance(20000); });
    fake.sync.timeouts.clear();
    EXPECT_EQ(Check(), EXIT_RUNNING);
    signInRun.join();
    EXPECT_EQ(fake.sync.timeouts[kChangeMutexName], 10000u);
}

// The check takes the sign-in run's mutex first: while a sign-in run holds
// it, the check waits and changes nothing.
TEST_F(KeepCheckTest, TheSignInRunsMutexComesFirst)
{
    fake.sync.HoldElsewhere(kAutoRunMutexName);
    fake.sync.stuckElsewhere = true;
    fake.display.caretWidth = 5;
    fake.sync.timeouts.clear();
    EXPECT_EQ(Check(), EXIT_RUNNING);
    EXPECT_EQ(fake.sync.timeouts[kAutoRunMutexName], 30000u);
    EXPECT_EQ(fake.sync.timeouts.count(kChangeMutexName), 0u);
    EXPECT_FALSE(fake.sync.IsOwned(kChangeMutexName));
    EXPECT_EQ(fake.display.caretWidth, 5u);
}

// The desktop comes up late: the check waits for it, with a bound.
TEST_F(KeepCheckTest, TheCheckWaitsForTheDesktopWithABound)
{
    fake.desktop.noDesktop = true;
    fake.display.caretWidth = 5;
    EXPECT_EQ(Check(), EXIT_DONE);
    EXPECT_EQ(fake.system.sleeps.size(), 60000u / 250u + 1u);
    EXPECT_EQ(CountMessage("CCorvelChgApp::RunKeepCheck the desktop is not up, the check goes on without it."), 1);
    EXPECT_EQ(fake.display.caretWidth, 1u);
    EXPECT_EQ(PutBack().size(), 1u);
}

// On a PC that keeps the profile by policy, a user who never chose one and a
// user back at their own settings (Mode 5) alike get the starting profile;
// their own settings are kept first.
TEST_F(KeepCheckTest, APolicyGivesTheStartingProfileAndKeepsTheOwnSettingsFirst)
{
    for (DWORD mode : {DWORD{99}, DWORD{MODE_ORIGINAL}}) {
        SCOPED_TRACE(mode);
        fake.registry.Remove(HKEY_CURRENT_USER, kSettingsKey, u"Mode");
        if (mode != 99) fake.registry.PutDword(HKEY_CURRENT_USER, kSettingsKey, u"Mode", mode);
        fake.registry.Remove(HKEY_CURRENT_USER, kSettingsKey, kKeepProfileValue);
        COriginalSettings::Remove();
        fake.registry.PutDword(HKEY_LOCAL_MACHINE, kPolicySettingsKey, kKeepProfileValue, 1);
        fake.display.caretWidth = 3;  // the person's own
        EXPECT_EQ(Check(), EXIT_DONE);
        EXPECT_TRUE(COriginalSettings::IsKept());
        std::vector<BYTE> kept;
        ASSERT_TRUE(fake.registry.Get(HKEY_CURRENT_USER, kOriginalKey, u"CaretWidth", nullptr, &kept));
        EXPECT_EQ(kept[0], 3);
        EXPECT_EQ(fake.display.caretWidth, 1u);
        EXPECT_EQ(UserMode(), mode);
    }
}

// What only the second look, three seconds later, finds: the text size
// changed then still arranges the sign-in run and the main window's note;
// an item whose put-back failed at the first look still fails the check
// when the second finds it equal or cannot read it.
TEST_F(KeepCheckTest, TheSecondLookCountsAsMuchAsTheFirst)
{
    const struct {
        const char* what;
        std::function<void(FakePlatform&)> before;  // the first look finds this
        std::function<void(FakePlatform&)> between;  // the second look finds this
        int exitCode;
    } cases[] = {
        {"text size changed between the looks", [](FakePlatform&) {},
         [](FakePlatform& f) { f.registry.PutDword(HKEY_CURRENT_USER, kDesktopKey, u"LogPixels", 120); },
         EXIT_AFTER_SIGN_IN},
        {"failed, then equal",
         [](FakePlatform& f) {
             f.display.failBlink = true;
             f.registry.PutString(HKEY_CURRENT_USER, kDesktopKey, u"CursorBlinkRate", u"1200");
         },
         [](FakePlatform& f) { f.registry.PutString(HKEY_CURRENT_USER, kDesktopKey, u"CursorBlinkRate", u"600"); },
         EXIT_ITEMS_FAILED},
        {"failed, then unreadable",
         [](FakePlatform& f) {
             f.display.failBlink = true;
             f.registry.PutString(HKEY_CURRENT_USER, kDesktopKey, u"CursorBlinkRate", u"1200");
         },
         [](FakePlatform& f) { f.registry.PutDword(HKEY_CURRENT_USER, kDesktopKey, u"CursorBlinkRate", 600); },
         EXIT_ITEMS_FAILED},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        c.before(fake);
        fake.system.onSleep = [&](DWORD) { c.between(fake); };
        fake.registry.Remove(HKEY_CURRENT_USER, kSettingsKey, kTextSizePutBackValue);
        EXPECT_EQ(Check(), c.exitCode);
        const bool stored = c.exitCode == EXIT_AFTER_SIGN_IN;
        EXPECT_EQ(fake.registry.Get(HKEY_CURRENT_USER, kRunKey, kRunValue, nullptr, nullptr), stored);
        EXPECT_EQ(fake.registry.Get(HKEY_CURRENT_USER, kSettingsKey, kTextSizePutBackValue, nullptr, nullptr), stored);
        fake.system.onSleep = nullptr;
        fake.display.failBlink = false;
        fake.registry.Remove(HKEY_CURRENT_USER, kRunKey, kRunValue);
        fake.registry.PutDword(HKEY_CURRENT_USER, kDesktopKey, u"LogPixels", 96);
    }
}

// Windows 8.1 and later use "LogPixels" only with "Win8DpiScaling" 1: one
// that Windows reset counts as a text size changed, though LogPixels matches.
TEST_F(KeepCheckTest, AResetOneScaleIsATextSizeChanged)
{
    fake.registry.PutDword(HKEY_CURRENT_USER, kDesktopKey, u"Win8DpiScaling", 0);
    EXPECT_EQ(Check(), EXIT_AFTER_SIGN_IN);
    EXPECT_EQ(CountMessage("CProfileCheck::Check text size: Windows had 96, put back 96."), 1);
    std::vector<BYTE> data;
    ASSERT_TRUE(fake.registry.Get(HKEY_CURRENT_USER, kDesktopKey, u"Win8DpiScaling", nullptr, &data));
    EXPECT_EQ(data[0], 1);
}

// A check whose keep of the person's own settings fails changes nothing.
TEST_F(KeepCheckTest, ACheckWhoseKeepFailsChangesNothing)
{
    fake.registry.Remove(HKEY_CURRENT_USER, kSettingsKey, u"Mode");
    COriginalSettings::Remove();
    fake.registry.PutDword(HKEY_LOCAL_MACHINE, kPolicySettingsKey, kKeepProfileValue, 1);
    fake.registry.SetFault([](FakeRegistry::Op op, const String16&, const String16& name) {
        return op == FakeRegistry::Op::Set && name == u"Absent" ? 5L : 0L;
    });
    fake.display.caretWidth = 3;
    EXPECT_EQ(Check(), EXIT_ITEMS_FAILED);
    EXPECT_EQ(fake.display.caretWidth, 3u);
    EXPECT_EQ(Changes(), 0);
    EXPECT_FALSE(COriginalSettings::IsKept());
}

// A Run value still there when the check works: the sign-in run's work is
// done first when it is due (the stored text size is in effect); one of a
// later sign-in is left to it.
TEST_F(KeepCheckTest, APendingSignInRunIsCaughtUpOnlyWhenDue)
{
    for (DWORD stored : {DWORD{96}, DWORD{144}}) {
        SCOPED_TRACE(stored);
        ArrangeSignInRun();
        fake.registry.PutDword(HKEY_CURRENT_USER, kDesktopKey, u"LogPixels", stored);
        EXPECT_EQ(Check(), stored == 96 ? EXIT_DONE : EXIT_AFTER_SIGN_IN);
        EXPECT_EQ(CountMessage("CCorvelChgApp:Run Apply Succeeded."), stored == 96 ? 1 : 0);
        // The check itself stores profile 1's text size again for the next sign-in.
        EXPECT_EQ(fake.registry.Get(HKEY_CURRENT_USER, kRunKey, kRunValue, nullptr, nullptr), stored != 96);
        fake.registry.PutDword(HKEY_CURRENT_USER, kDesktopKey, u"LogPixels", 96);
        fake.registry.Remove(HKEY_CURRENT_USER, kRunKey, kRunValue);
    }
}

// Keeping the profile: enforced (computer, user), the user's own choice,
// recommended (computer, user); the first that has a 0 or 1 decides.
TEST(KeepProfileOrder, TheFirstSourceDecides)
{
    FakePlatform fake;
    const struct {
        HKEY root;
        const char16_t* key;
        DWORD value;
        bool enforced;
    } sources[] = {{HKEY_LOCAL_MACHINE, kPolicySettingsKey, 1, true},
                   {HKEY_CURRENT_USER, kPolicySettingsKey, 0, true},
                   {HKEY_CURRENT_USER, kSettingsKey, 1, false},
                   {HKEY_LOCAL_MACHINE, kRecommendedSettingsKey, 0, false},
                   {HKEY_CURRENT_USER, kRecommendedSettingsKey, 1, false}};
    for (size_t first = 0; first < 5; ++first) {
        for (const auto& s : sources) fake.registry.Remove(s.root, s.key, kKeepProfileValue);
        for (size_t i = first; i < 5 && i < first + 2; ++i) {
            fake.registry.PutDword(sources[i].root, sources[i].key, kKeepProfileValue, sources[i].value);
        }
        if (first > 0) fake.registry.PutDword(sources[first - 1].root, sources[first - 1].key, kKeepProfileValue, 2);
        bool enforced = !sources[first].enforced;
        EXPECT_EQ(KeepProfile(&enforced), sources[first].value == 1) << first;
        EXPECT_EQ(enforced, sources[first].enforced) << first;
    }
}

}  // namespace
