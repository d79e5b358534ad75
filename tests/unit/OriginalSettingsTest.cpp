// The person's own settings: kept once before the first switch, given back
// exactly by the return, and never lost on the way.
#include <algorithm>
#include <functional>

#include "tests/unit/OriginalSettingsSupport.h"

namespace {

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
    InProfileThree();
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
// no mode and says which value, and no part of a set is left behind; the
// next switch keeps again.
TEST_F(OriginalSettingsTest, AKeepThatFailsIsASwitchThatDoesNotHappen)
{
    const State own = Now();
    const String16 key = String16(u"HKCU\\") + kOriginalKey;
    const struct {
        FakeRegistry::Op op;
        const char16_t* name;  // of the value, or the key for its creation and flushes
        int nth;               // which call of that kind fails
        const char16_t* logged;
    } faults[] = {
        {FakeRegistry::Op::Create, kOriginalKey, 1, kOriginalKey},
        {FakeRegistry::Op::Set, u"AppliedDPI", 1, u"AppliedDPI"},
        {FakeRegistry::Op::Set, u"NonClientMetrics", 1, u"NonClientMetrics"},
        {FakeRegistry::Op::Set, u"CaretWidth", 1, u"CaretWidth"},
        {FakeRegistry::Op::Set, u"BlinkTime", 1, u"BlinkTime"},
        {FakeRegistry::Op::Set, u"IconSize", 1, u"IconSize"},
        {FakeRegistry::Op::Set, u"Control Panel\\Cursors\\Arrow", 1, u"Control Panel\\Cursors\\Arrow"},
        {FakeRegistry::Op::Set, u"Absent", 1, u"Absent"},
        {FakeRegistry::Op::Set, u"NotRead", 1, u"NotRead"},
        {FakeRegistry::Op::Flush, kOriginalKey, 1, kOriginalKey},
        {FakeRegistry::Op::Set, u"Complete", 1, u"Complete"},
        {FakeRegistry::Op::Flush, kOriginalKey, 2, u"Complete"},  // the last flush, after "Complete"
    };
    for (const auto& f : faults) {
        SCOPED_TRACE(U8(f.name) + " " + std::to_string(f.nth));
        int calls = 0;
        fake.registry.SetFault([&](FakeRegistry::Op op, const String16& path, const String16& name) {
            const bool keyOp = op == FakeRegistry::Op::Create || op == FakeRegistry::Op::Flush;
            if (op != f.op || (keyOp ? path != key : name != f.name)) return 0L;
            return ++calls == f.nth ? 5L : 0L;
        });
        fake.files.SetContents(kLogPath, {});
        EXPECT_EQ(Start(u"/quiet /mode 3 /CreateLog"), EXIT_ITEMS_FAILED);
        EXPECT_EQ(CountMessage("COriginalSettings::Keep " + U8(f.logged) + " could not be kept, code: 5."), 1);
        ExpectSame(Now(), own);
        EXPECT_EQ(UserMode(), 99u);
        fake.registry.SetFault(nullptr);
        EXPECT_TRUE(KeptSet().empty());
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

namespace {

// How a person back at their own settings meets a policy that keeps the
// profile, enforced after their return: how their own text size is not the
// starting profile's as Windows must be told it, and which run finishes the
// sign-in after the check stored it.
struct LaterPolicy {
    const char* what;
    std::function<void(FakeRegistry&)> ownTextSize;
    const char16_t* finisher;  // the run after the sign-in that applies the metrics
};

class LaterPolicyTest : public OriginalSettingsTest, public ::testing::WithParamInterface<LaterPolicy> {};

// Every run takes them as in the starting profile: the check keeps their own
// settings once, and the sign-in runs apply the profile's metrics, never
// theirs, and leave the kept set byte for byte as it is, sign-in after
// sign-in. Lifted, the policy leaves them a return to exactly what they had.
TEST_P(LaterPolicyTest, APolicyThatComesLaterLosesNothing)
{
    GetParam().ownTextSize(fake.registry);
    const State own = Now();
    EXPECT_NE(Start(u"/quiet /mode 1"), EXIT_ITEMS_FAILED);
    EXPECT_NE(Start(u"/quiet /original"), EXIT_ITEMS_FAILED);
    ASSERT_FALSE(Kept());
    fake.registry.PutDword(HKEY_LOCAL_MACHINE, kPolicySettingsKey, kKeepProfileValue, 1);

    EXPECT_EQ(Start(u"/keep"), EXIT_AFTER_SIGN_IN);  // the starting profile's text size stored again
    ASSERT_TRUE(Kept());
    const auto set = KeptSet();
    const NONCLIENTMETRICSW profile = fake.display.metrics;
    SignIn(96);
    EXPECT_EQ(Start(GetParam().finisher), EXIT_DONE);
    EXPECT_FALSE(fake.registry.Get(HKEY_CURRENT_USER, kRunKey, kRunValue, nullptr, nullptr));
    EXPECT_EQ(std::memcmp(&fake.display.metrics, &profile, sizeof(profile)), 0);
    for (int signIn = 0; signIn < 3; ++signIn) {
        EXPECT_EQ(Start(u"/keep"), EXIT_DONE);
        EXPECT_EQ(Start(u"/apply"), EXIT_DONE);
        EXPECT_EQ(Start(u""), EXIT_DONE);
    }
    EXPECT_EQ(KeptSet(), set);
    EXPECT_EQ(Start(u"/quiet /original"), EXIT_NOTHING_KEPT);
    EXPECT_EQ(UserMode(), MODE_ORIGINAL);

    fake.registry.Remove(HKEY_LOCAL_MACHINE, kPolicySettingsKey, kKeepProfileValue);
    EXPECT_EQ(Start(u"/quiet /original"), EXIT_DONE);
    ExpectSame(Now(), own);
    EXPECT_FALSE(Kept());
}

INSTANTIATE_TEST_SUITE_P(
    EveryFinisher, LaterPolicyTest,
    ::testing::Values(
        LaterPolicy{"no LogPixels, the sign-in run", [](FakeRegistry&) {}, u"/apply"},
        LaterPolicy{"no LogPixels, an ordinary start", [](FakeRegistry&) {}, u""},
        LaterPolicy{"one scale off, the sign-in run",
                    [](FakeRegistry& r) {
                        r.PutDword(HKEY_CURRENT_USER, u"Control Panel\\Desktop", u"LogPixels", 96);
                        r.PutDword(HKEY_CURRENT_USER, u"Control Panel\\Desktop", u"Win8DpiScaling", 0);
                    },
                    u"/apply"},
        LaterPolicy{"one scale off, the check's own catch-up",
                    [](FakeRegistry& r) {
                        r.PutDword(HKEY_CURRENT_USER, u"Control Panel\\Desktop", u"LogPixels", 96);
                        r.PutDword(HKEY_CURRENT_USER, u"Control Panel\\Desktop", u"Win8DpiScaling", 0);
                    },
                    u"/keep"}),
    [](const auto& info) { return std::to_string(info.index); });

// An "AppliedDPI" that cannot be used, in each way: the keep takes the
// screen's DPI, says so with the real code, and the switch goes on (its DPI
// item fails, as without the value it always has); the return is exact.
TEST_F(OriginalSettingsTest, AKeepWithoutAppliedDpiTakesTheScreens)
{
    const char16_t* metricsKey = u"Control Panel\\Desktop\\WindowMetrics";
    const struct {
        const char* what;
        std::function<void(FakeRegistry&)> change;
        const char* line;
    } cases[] = {
        {"absent", [&](FakeRegistry& r) { r.Remove(HKEY_CURRENT_USER, metricsKey, u"AppliedDPI"); },
         "CSwitchMode::GetDpiInEffect the AppliedDPI cannot be used, code: 2; the screen's dpi 120 is taken."},
        {"of another type",
         [&](FakeRegistry& r) { r.Put(HKEY_CURRENT_USER, metricsKey, u"AppliedDPI", REG_BINARY, {96, 0, 0, 0}); },
         "CSwitchMode::GetDpiInEffect the AppliedDPI cannot be used, code: 87; the screen's dpi 120 is taken."},
        {"eight bytes",
         [&](FakeRegistry& r) { r.Put(HKEY_CURRENT_USER, metricsKey, u"AppliedDPI", REG_DWORD, std::vector<BYTE>(8, 1)); },
         "CSwitchMode::GetDpiInEffect the AppliedDPI cannot be used, code: 234; the screen's dpi 120 is taken."},
        {"out of range", [&](FakeRegistry& r) { r.PutDword(HKEY_CURRENT_USER, metricsKey, u"AppliedDPI", 9600); },
         "CSwitchMode::GetDpiInEffect the AppliedDPI cannot be used, code: 87; the screen's dpi 120 is taken."},
    };
    fake.display.screenDpi = 120;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        c.change(fake.registry);
        const State own = Now();
        fake.files.SetContents(kLogPath, {});
        EXPECT_EQ(Start(u"/quiet /mode 1 /CreateLog"), EXIT_ITEMS_FAILED);
        EXPECT_EQ(CountMessage(c.line), 1);
        EXPECT_EQ(CountMessage("COriginalSettings::Keep the settings before the first switch are kept."), 1);
        std::vector<BYTE> kept;
        ASSERT_TRUE(fake.registry.Get(HKEY_CURRENT_USER, kOriginalKey, u"AppliedDPI", nullptr, &kept));
        EXPECT_EQ(kept, (std::vector<BYTE>{120, 0, 0, 0}));
        EXPECT_NE(fake.display.caretWidth, own.caretWidth);  // the other items went on
        EXPECT_EQ(Start(u"/quiet /original"), EXIT_DONE);
        ExpectSame(Now(), own);
        EXPECT_FALSE(Kept());
        fake.registry.Remove(HKEY_CURRENT_USER, kSettingsKey, u"Mode");
    }
}

// Both returns take the DPI in effect the same way: from the screen when
// "AppliedDPI" cannot be used, and across a text size the metrics wait for
// the sign-in. With no DPI at all, neither puts the metrics back.
TEST_F(OriginalSettingsTest, BothReturnsTakeTheScreensDpiAndNeverGuess)
{
    fake.registry.Remove(HKEY_CURRENT_USER, u"Control Panel\\Desktop\\WindowMetrics", u"AppliedDPI");
    const State own = Now();
    EXPECT_EQ(Start(u"/quiet /mode 3"), EXIT_ITEMS_FAILED);  // kept at the screen's 96
    const NONCLIENTMETRICSW profile = fake.display.metrics;

    fake.display.screenDpi = 120;  // the person chose another text size in Windows since
    EXPECT_EQ(Start(u"/quiet /original"), EXIT_AFTER_SIGN_IN);
    EXPECT_EQ(std::memcmp(&fake.display.metrics, &profile, sizeof(profile)), 0);
    EXPECT_TRUE(Kept());
    EXPECT_EQ(Start(u"/apply"), EXIT_DONE);  // a sign-in at that text size still: the metrics wait
    EXPECT_EQ(std::memcmp(&fake.display.metrics, &profile, sizeof(profile)), 0);
    EXPECT_TRUE(Kept());
    fake.display.screenDpi = 0;  // no screen DC at all
    fake.files.SetContents(kLogPath, {});
    EXPECT_EQ(Start(u"/apply /CreateLog"), EXIT_DONE);
    EXPECT_EQ(CountMessage("Apply:Run Apply Failed."), 1);
    EXPECT_EQ(std::memcmp(&fake.display.metrics, &profile, sizeof(profile)), 0);
    EXPECT_TRUE(Kept());
    EXPECT_EQ(Start(u"/quiet /original"), EXIT_AFTER_SIGN_IN);
    EXPECT_EQ(std::memcmp(&fake.display.metrics, &profile, sizeof(profile)), 0);

    fake.display.screenDpi = 96;  // signed in at the kept text size
    EXPECT_EQ(Start(u"/apply"), EXIT_DONE);
    ExpectSame(Now(), own);
    EXPECT_FALSE(Kept());
}

// A return that could not put an item back leaves a record of what it owes
// and, before any sign-in, the switch's Run value: whichever run finishes the
// return tries what is owed, and while it is not back the set stays and so
// does the Run value, for the next start or sign-in, which then ends it. A
// record of an earlier version, or a damaged one, is never taken for it.
TEST_F(OriginalSettingsTest, ASetGoesOnlyWhenEveryItemIsBack)
{
    const struct {
        const char* what;
        const char16_t* finisher;
        std::function<void(FakeRegistry&)> record;
    } cases[] = {
        {"the sign-in run", u"/apply", [](FakeRegistry&) {}},
        {"an ordinary start", u"", [](FakeRegistry&) {}},
        {"the sign-in run, NotPutBack 0 of an earlier version", u"/apply",
         [](FakeRegistry& r) { r.PutDword(HKEY_CURRENT_USER, kOriginalKey, u"NotPutBack", 0); }},
    };
    const State own = Now();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Start(u"/quiet /mode 3"), EXIT_AFTER_SIGN_IN);  // "later": no sign-in
        fake.registry.SetFault(RefuseWritesUnder(u"HKCU\\Control Panel\\Cursors"));
        EXPECT_EQ(Start(u"/quiet /original"), EXIT_ITEMS_FAILED);
        c.record(fake.registry);
        EXPECT_EQ(Start(c.finisher), EXIT_DONE);
        EXPECT_TRUE(Kept());
        EXPECT_TRUE(fake.registry.Get(HKEY_CURRENT_USER, kRunKey, kRunValue, nullptr, nullptr));
        fake.registry.SetFault(nullptr);
        EXPECT_EQ(Start(u""), EXIT_DONE);  // the next start finishes it
        ExpectSame(Now(), own);
        EXPECT_FALSE(Kept());
        EXPECT_TRUE(KeptSet().empty());
        EXPECT_FALSE(fake.registry.Get(HKEY_CURRENT_USER, kRunKey, kRunValue, nullptr, nullptr));
    }
}

// A record that a return cannot write, or one left damaged: no run finishes
// that return, so none can remove the set while an item is not back, and a
// return waiting for the sign-in says that the metrics will not come then.
// A record of an earlier return that cannot be removed: the return changes
// nothing at all.
TEST_F(OriginalSettingsTest, NoRunGoesByARecordItCannotTrust)
{
    const State own = Now();
    InProfileThree();
    const NONCLIENTMETRICSW profile = fake.display.metrics;
    fake.registry.SetFault(RefuseOnOwed(FakeRegistry::Op::Set));
    fake.events.events.clear();
    EXPECT_EQ(Start(u"/quiet /original"), EXIT_ITEMS_FAILED);
    ASSERT_EQ(fake.events.events.size(), 1u);
    EXPECT_EQ(fake.events.events[0].inserts, std::vector<String16>{u"TitleSize"});
    fake.registry.SetFault(nullptr);
    SignIn(96);
    EXPECT_EQ(Start(u"/apply"), EXIT_DONE);
    EXPECT_EQ(std::memcmp(&fake.display.metrics, &profile, sizeof(profile)), 0);
    EXPECT_TRUE(Kept());

    fake.registry.PutString(HKEY_CURRENT_USER, kOriginalKey, u"Owed", u"4");  // damaged
    EXPECT_EQ(Start(u"/apply"), EXIT_DONE);
    EXPECT_TRUE(Kept());

    fake.registry.PutDword(HKEY_CURRENT_USER, kOriginalKey, u"Owed", 4);
    fake.registry.SetFault(RefuseOnOwed(FakeRegistry::Op::Delete));
    fake.display.caretWidth = 9;
    EXPECT_EQ(Start(u"/quiet /original"), EXIT_ITEMS_FAILED);
    EXPECT_EQ(fake.display.caretWidth, 9u);
    fake.registry.SetFault(nullptr);

    EXPECT_EQ(Start(u"/quiet /original"), EXIT_DONE);
    fake.display.caretWidth = own.caretWidth;
    ExpectSame(Now(), own);
    EXPECT_FALSE(Kept());
}

// What the person changed between a return and the sign-in that finishes it
// stays theirs: the sign-in run puts back what the return owes (the metrics)
// and nothing else, even with the desktop not up yet, and the set goes. The
// next switch keeps the settings in effect then.
TEST_F(OriginalSettingsTest, TheSignInRunPutsBackOnlyWhatTheReturnOwes)
{
    InProfileThree();
    EXPECT_EQ(Start(u"/quiet /original"), EXIT_AFTER_SIGN_IN);
    fake.display.caretWidth = 5;  // the person's own choice since
    fake.registry.PutString(HKEY_CURRENT_USER, u"Control Panel\\Cursors", u"Arrow", u"C:\\Newer\\arrow.cur");
    const State changed = Now();
    SignIn(96);
    fake.desktop.noDesktop = true;
    EXPECT_EQ(Start(u"/apply"), EXIT_DONE);
    fake.desktop.noDesktop = false;
    State now = Now();
    EXPECT_EQ(now.values, changed.values);
    EXPECT_EQ(now.caretWidth, 5u);
    EXPECT_FALSE(Kept());

    EXPECT_EQ(Start(u"/quiet /mode 1"), EXIT_DONE);
    EXPECT_EQ(Start(u"/quiet /original"), EXIT_DONE);
    EXPECT_EQ(fake.display.caretWidth, 5u);
}

// A sign-in run that put back the metrics but not the pointers leaves only the
// pointers owed: the next start's try puts them back, and not the metrics the
// person changed in between.
TEST_F(OriginalSettingsTest, ARetryPutsBackOnlyWhatIsStillOwed)
{
    InProfileThree();
    fake.registry.SetFault(RefuseWritesUnder(u"HKCU\\Control Panel\\Cursors"));
    EXPECT_EQ(Start(u"/quiet /original"), EXIT_ITEMS_FAILED);
    SignIn(96);
    EXPECT_EQ(Start(u"/apply"), EXIT_DONE);
    EXPECT_TRUE(Kept());
    fake.registry.SetFault(nullptr);
    fake.display.metrics.iCaptionHeight = 77;  // the person's own choice since
    EXPECT_EQ(Start(u""), EXIT_DONE);
    EXPECT_EQ(fake.display.metrics.iCaptionHeight, 77);
    EXPECT_FALSE(Kept());
}

// A return across a text size whose text-size item fails stores no text size
// for a sign-in: the window metrics will not come back then either, and the
// failure says so.
TEST_F(OriginalSettingsTest, AReturnThatCannotStoreTheTextSizeNamesTheMetrics)
{
    InProfileThree();
    fake.registry.SetFault(RefuseWritesUnder(u"HKCU\\Control Panel\\Desktop"));
    fake.events.events.clear();
    EXPECT_EQ(Start(u"/quiet /original"), EXIT_ITEMS_FAILED);
    ASSERT_EQ(fake.events.events.size(), 1u);
    EXPECT_EQ(fake.events.events[0].inserts, std::vector<String16>{u"CorvelDPI, TitleSize, CursorSpeed"});
    EXPECT_FALSE(fake.registry.Get(HKEY_CURRENT_USER, kRunKey, kRunValue, nullptr, nullptr));
    EXPECT_TRUE(Kept());
}

// A policy that comes while a return waits for its sign-in: the check puts
// the starting profile over what the return put back, which ends that
// return, and a record it cannot remove stops the check. Lifted, the policy
// leaves the set whole, and the return gives back exactly what they had.
TEST_F(OriginalSettingsTest, APolicyOverAReturnThatWaitsLosesNothing)
{
    const State own = Now();
    InProfileThree();
    EXPECT_EQ(Start(u"/quiet /original"), EXIT_AFTER_SIGN_IN);
    fake.registry.PutDword(HKEY_LOCAL_MACHINE, kPolicySettingsKey, kKeepProfileValue, 1);
    SignIn(96);
    EXPECT_EQ(Start(u"/apply"), EXIT_DONE);
    fake.registry.SetFault(RefuseOnOwed(FakeRegistry::Op::Delete));
    const State beforeCheck = Now();
    EXPECT_EQ(Start(u"/keep"), EXIT_ITEMS_FAILED);
    ExpectSame(Now(), beforeCheck);
    fake.registry.SetFault(nullptr);
    EXPECT_EQ(Start(u"/keep"), EXIT_AFTER_SIGN_IN);

    fake.registry.Remove(HKEY_LOCAL_MACHINE, kPolicySettingsKey, kKeepProfileValue);
    EXPECT_EQ(Start(u""), EXIT_DONE);  // the check's Run value, at the stored size
    EXPECT_TRUE(Kept());
    EXPECT_EQ(Start(u"/quiet /original"), EXIT_DONE);
    ExpectSame(Now(), own);
    EXPECT_FALSE(Kept());
}

// A return that cannot record "Mode" 5 leaves the set: the next switch keeps
// only the settings of a person at their own, and a return after it still
// has theirs.
TEST_F(OriginalSettingsTest, AReturnThatCannotRecordItsModeKeepsTheSet)
{
    const State own = Now();
    EXPECT_EQ(Start(u"/quiet /mode 1"), EXIT_DONE);
    fake.registry.SetFault(RefuseWritesUnder(String16(u"HKCU\\") + kSettingsKey));
    EXPECT_EQ(Start(u"/quiet /original"), EXIT_DONE);
    ExpectSame(Now(), own);
    EXPECT_TRUE(Kept());
    fake.registry.SetFault(nullptr);
    EXPECT_EQ(Start(u"/quiet /mode 1"), EXIT_DONE);
    EXPECT_EQ(Start(u"/quiet /original"), EXIT_DONE);
    ExpectSame(Now(), own);
}

// A person without a text size of their own has Windows' recommended one,
// 120 here, and no "LogPixels" after the return: a start before the sign-in
// leaves the return to it, and one after it, the sign-in run not having
// come, finishes it.
TEST_F(OriginalSettingsTest, AReturnToTheRecommendedSizeIsFinishedOnlyAfterTheSignIn)
{
    SignIn(120);
    const State own = Now();
    EXPECT_EQ(Start(u"/quiet /mode 1"), EXIT_AFTER_SIGN_IN);
    SignIn(96);
    EXPECT_EQ(Start(u"/apply"), EXIT_DONE);
    EXPECT_EQ(Start(u"/quiet /original"), EXIT_AFTER_SIGN_IN);
    EXPECT_EQ(Start(u""), EXIT_DONE);
    EXPECT_TRUE(fake.registry.Get(HKEY_CURRENT_USER, kRunKey, kRunValue, nullptr, nullptr));
    SignIn(120);
    EXPECT_EQ(Start(u""), EXIT_DONE);
    ExpectSame(Now(), own);
    EXPECT_FALSE(Kept());
    EXPECT_FALSE(fake.registry.Get(HKEY_CURRENT_USER, kRunKey, kRunValue, nullptr, nullptr));
}

// A return made while a start waited for the exclusion is what the start
// finds: it reads the profile once it holds the exclusion, and leaves the
// return's metrics to the sign-in at the kept size.
TEST_F(OriginalSettingsTest, TheCatchUpReadsTheProfileOnceItHoldsTheExclusion)
{
    SignIn(120);
    EXPECT_EQ(Start(u"/quiet /mode 1"), EXIT_AFTER_SIGN_IN);
    SignIn(96);
    EXPECT_EQ(Start(u"/apply"), EXIT_DONE);
    EXPECT_EQ(Start(u"/quiet /original"), EXIT_AFTER_SIGN_IN);
    fake.registry.PutDword(HKEY_CURRENT_USER, kSettingsKey, u"Mode", 0);  // as the start reads it
    const int metricsWrites = fake.display.metricsWrites;
    std::thread returning = HoldUntilWaitedFor(fake.sync, kChangeMutexName, [&] {
        fake.registry.PutDword(HKEY_CURRENT_USER, kSettingsKey, u"Mode", MODE_ORIGINAL);
    });
    EXPECT_EQ(Start(u""), EXIT_DONE);
    returning.join();
    EXPECT_EQ(fake.display.metricsWrites, metricsWrites);
    EXPECT_TRUE(fake.registry.Get(HKEY_CURRENT_USER, kRunKey, kRunValue, nullptr, nullptr));
}

// A person who chose another text size in Windows after a return: at the
// sign-in the metrics are not put back at it, by the sign-in run or, when
// it did not come, by the next start, and the set stays for a return.
TEST_F(OriginalSettingsTest, AReturnWhoseTextSizeWasChangedSinceIsLeftAtTheNextStart)
{
    InProfileThree();
    EXPECT_EQ(Start(u"/quiet /original"), EXIT_AFTER_SIGN_IN);
    const NONCLIENTMETRICSW profile = fake.display.metrics;
    fake.registry.PutDword(HKEY_CURRENT_USER, u"Control Panel\\Desktop", u"LogPixels", 120);
    SignIn(120);
    EXPECT_EQ(Start(u""), EXIT_DONE);
    EXPECT_FALSE(fake.registry.Get(HKEY_CURRENT_USER, kRunKey, kRunValue, nullptr, nullptr));
    EXPECT_EQ(std::memcmp(&fake.display.metrics, &profile, sizeof(profile)), 0);
    EXPECT_TRUE(Kept());
}

}  // namespace
