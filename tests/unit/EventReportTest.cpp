// What the tool reports to the Application event log: one event for each
// switch, return, sign-in check that changed or failed something, sign-in
// run and unusable policy value, with its level, identifier and inserts, and
// none for a run that finds nothing to do.
#include <functional>

#include "switch/OriginalSettings.h"
#include "tests/unit/CommandRunSupport.h"

namespace {

constexpr char16_t kDesktopKey[] = u"Control Panel\\Desktop";
constexpr char16_t kMetricsKey[] = u"Control Panel\\Desktop\\WindowMetrics";

struct Expected {
    WORD type;
    DWORD id;  // as ReportEvent takes it, severity bits included
    std::vector<String16> inserts;
};

class EventReportTest : public CommandRunTest {
protected:
    // The events of one run, as the stand-in event log got them.
    std::vector<Expected> Run(const char16_t* line)
    {
        fake.events.events.clear();
        Start(line);
        std::vector<Expected> reported;
        for (const FakeEventLog::Event& event : fake.events.events) {
            EXPECT_EQ(event.source, u"Tessaly");
            EXPECT_EQ(event.sid, fake.events.userSid);
            reported.push_back({event.type, event.id, event.inserts});
        }
        return reported;
    }
};

bool operator==(const Expected& a, const Expected& b)
{
    return a.type == b.type && a.id == b.id && a.inserts == b.inserts;
}

void PrintTo(const Expected& e, std::ostream* out)
{
    *out << "{type " << e.type << ", id 0x" << std::hex << e.id << std::dec << ",";
    for (const String16& insert : e.inserts) *out << " \"" << U8(insert) << "\"";
    *out << "}";
}

constexpr WORD kInfo = EVENTLOG_INFORMATION_TYPE;
constexpr WORD kWarning = EVENTLOG_WARNING_TYPE;
constexpr WORD kError = EVENTLOG_ERROR_TYPE;

// Each kind of run and what it reports; the run before it sets the stage.
TEST_F(EventReportTest, EachRunReportsWhatItDid)
{
    const auto keepFails = [](FakePlatform& f) {
        f.registry.SetFault([](FakeRegistry::Op op, const String16&, const String16& name) {
            return op == FakeRegistry::Op::Set && name == u"AppliedDPI" ? 5L : 0L;
        });
    };
    const auto pointersFail = [](FakePlatform& f) {
        f.registry.SetFault([](FakeRegistry::Op op, const String16& path, const String16&) {
            const bool write = op == FakeRegistry::Op::Set || op == FakeRegistry::Op::Delete;
            return write && path == u"HKCU\\Control Panel\\Cursors" ? 5L : 0L;
        });
    };
    const struct {
        const char* what;
        std::function<void(FakePlatform&)> stage;
        const char16_t* line;
        std::vector<Expected> events;
    } cases[] = {
        {"a switch, the first", [](FakePlatform&) {}, u"/quiet /mode 1", {{kInfo, 0x400003E8, {u"設定①", u"1"}}}},
        {"a switch that stores a text size", [](FakePlatform&) {}, u"/quiet /mode 2",
         {{kInfo, 0x400003E9, {u"設定②", u"2"}}}},
        {"a switch with a failed item", [](FakePlatform& f) { f.display.failCaretWidth = true; }, u"/quiet /mode 1",
         {{kWarning, 0x800003EA, {u"設定①", u"1", u"CursorWidth"}}}},
        {"a factory restore", [](FakePlatform&) {}, u"/quiet /restore", {{kInfo, 0x400003E8, {u"設定①", u"1"}}}},
        {"a switch another change holds off",
         [](FakePlatform& f) {
             f.sync.HoldElsewhere(kChangeMutexName);
             f.sync.stuckElsewhere = true;
         },
         u"/quiet /mode 1", {{kWarning, 0x800003EC, {u"設定①", u"1"}}}},
        {"a switch without the exclusion",
         [](FakePlatform& f) {
             f.sync.createError = ERROR_ACCESS_DENIED;
             f.sync.createErrorOf = kChangeMutexName;
         },
         u"/quiet /mode 1", {{kError, 0xC00003ED, {u"設定①", u"1"}}}},
        {"a return with an item not back", pointersFail, u"/quiet /original",
         {{kWarning, 0x8000044E, {u"MousePointer"}}}},
        {"a return across a text size",
         [](FakePlatform& f) { f.registry.PutDword(HKEY_CURRENT_USER, kMetricsKey, u"AppliedDPI", 120); },
         u"/quiet /original", {{kInfo, 0x4000044D, {}}}},
        {"the sign-in run that finishes it", [](FakePlatform&) {}, u"/apply", {{kInfo, 0x40000579, {}}}},
        {"a switch that cannot keep", keepFails, u"/quiet /mode 3",
         {{kError, 0xC00003EB, {u"設定③", u"3", u"AppliedDPI", u"5"}}}},
        {"a switch, then a return", [](FakePlatform&) {}, u"/quiet /mode 1", {{kInfo, 0x400003E8, {u"設定①", u"1"}}}},
        {"a return", [](FakePlatform&) {}, u"/quiet /original", {{kInfo, 0x4000044C, {}}}},
        {"nothing to return to", [](FakePlatform&) {}, u"/quiet /original", {}},
        {"the sign-in run", [](FakePlatform& f) { f.registry.PutDword(HKEY_CURRENT_USER, kSettingsKey, u"Mode", 0); },
         u"/apply", {{kInfo, 0x40000578, {u"設定①", u"1", u"96"}}}},
        {"the sign-in run at another text size",
         [](FakePlatform& f) { f.registry.PutDword(HKEY_CURRENT_USER, kMetricsKey, u"AppliedDPI", 120); }, u"/apply",
         {{kWarning, 0x8000057A, {u"120", u"96"}}}},
        {"the sign-in run held off",
         [](FakePlatform& f) {
             f.sync.HoldElsewhere(kChangeMutexName);
             f.sync.stuckElsewhere = true;
         },
         u"/apply", {{kWarning, 0x8000057D, {}}}},
        {"the sign-in check, keeping off", [](FakePlatform& f) { f.display.caretWidth = 5; }, u"/keep", {}},
        // A check that is off reports nothing it met, a policy it read included.
        {"the sign-in check, keeping off by a policy out of range",
         [](FakePlatform& f) { f.registry.PutDword(HKEY_LOCAL_MACHINE, kPolicySettingsKey, kKeepProfileValue, 7); },
         u"/keep", {}},
        {"the sign-in check puts back",
         [](FakePlatform& f) { f.registry.PutDword(HKEY_CURRENT_USER, kSettingsKey, kKeepProfileValue, 1); }, u"/keep",
         {{kInfo, 0x400004B0, {u"設定①", u"1", u"MousePointer, CursorWidth, CursorSpeed"}}}},
        {"the sign-in check, nothing changed", [](FakePlatform&) {}, u"/keep", {}},
        {"the sign-in check fails an item",
         [](FakePlatform& f) {
             f.display.caretWidth = 5;
             f.display.failCaretWidth = true;
             f.registry.PutString(HKEY_CURRENT_USER, kDesktopKey, u"CursorBlinkRate", u"1200");
         },
         u"/keep", {{kWarning, 0x800004B1, {u"設定①", u"1", u"CursorSpeed", u"CursorWidth"}}}},
        {"the sign-in check without a desktop", [](FakePlatform& f) { f.desktop.noDesktop = true; }, u"/keep",
         {{kWarning, 0x800004B2, {}}, {kInfo, 0x400004B0, {u"設定①", u"1", u"CursorWidth"}}}},
        {"the sign-in check without its sign-in run", [](FakePlatform&) { ArrangeSignInRun(); }, u"/keep",
         {{kWarning, 0x800004B3, {}}, {kInfo, 0x40000578, {u"設定①", u"1", u"96"}}}},
        // Read before and after the check holds the exclusion: reported once.
        {"an enforced policy out of range",
         [](FakePlatform& f) { f.registry.PutDword(HKEY_LOCAL_MACHINE, kPolicySettingsKey, kKeepProfileValue, 7); },
         u"/keep",
         {{kWarning, 0x80000514, {u"HKLM\\Software\\Policies\\Halden\\CorvelChg\\Settings\\KeepProfile", u"7", u"1"}}}},
        {"a recommended policy of another type",
         [](FakePlatform& f) { f.registry.PutString(HKEY_CURRENT_USER, kRecommendedSettingsKey, kModeValue, u"2"); },
         u"/quiet /restore",
         {{kWarning, 0x80000515, {u"HKCU\\Software\\Policies\\Halden\\CorvelChg\\Recommended\\Settings\\mode"}},
          {kInfo, 0x400003E8, {u"設定①", u"1"}}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        c.stage(fake);
        EXPECT_EQ(Run(c.line), c.events);
        fake.registry.SetFault(nullptr);
        fake.display.failCaretWidth = false;
        fake.desktop.noDesktop = false;
        fake.sync.ReleaseElsewhere(kChangeMutexName);
        fake.sync.stuckElsewhere = false;
        fake.sync.createError = 0;
        fake.registry.Remove(HKEY_CURRENT_USER, kRunKey, kRunValue);
        fake.registry.Remove(HKEY_LOCAL_MACHINE, kPolicySettingsKey, kKeepProfileValue);
        fake.registry.Remove(HKEY_CURRENT_USER, kRecommendedSettingsKey, kModeValue);
        fake.registry.PutDword(HKEY_CURRENT_USER, kDesktopKey, u"LogPixels", 96);
        fake.registry.PutDword(HKEY_CURRENT_USER, kMetricsKey, u"AppliedDPI", 96);
    }
}

// A report that Windows refuses changes nothing but a line in the log.
TEST_F(EventReportTest, AFailedReportIsWrittenToTheLogOnly)
{
    const struct {
        const char* what;
        DWORD* error;
        const char* line;
    } cases[] = {
        {"no source", &fake.events.registerError,
         "CEventReport::Report the event 1000 could not be reported, RegisterEventSource failed, code: 5."},
        {"a full log", &fake.events.reportError,
         "CEventReport::Report the event 1000 could not be reported, ReportEvent failed, code: 1502."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        *c.error = c.error == &fake.events.registerError ? 5 : 1502;
        fake.files.SetContents(kLogPath, {});
        EXPECT_EQ(Start(u"/quiet /mode 1 /CreateLog"), EXIT_DONE);
        EXPECT_EQ(CountMessage(c.line), 1);
        EXPECT_EQ(UserMode(), 0u);
        *c.error = 0;
    }
}

}  // namespace
