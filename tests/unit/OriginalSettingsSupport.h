// The person's own settings as the unit tests of their keeping and return
// set them up, and what those tests compare.
#pragma once

#include <cstring>
#include <map>
#include <utility>
#include <vector>

#include "switch/OriginalSettings.h"
#include "tests/unit/CommandRunSupport.h"

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
    // Every value of the kept set, by name, with its type and bytes: the
    // values any run of this test wrote there and that are still there.
    std::map<String16, std::pair<DWORD, std::vector<BYTE>>> KeptSet() const
    {
        const String16 prefix = String16(u"set HKCU\\") + kOriginalKey + u"\\";
        std::map<String16, std::pair<DWORD, std::vector<BYTE>>> set;
        for (const String16& entry : fake.registry.Journal()) {
            if (entry.rfind(prefix, 0) != 0) continue;
            const String16 name = entry.substr(prefix.size());
            DWORD type = 0;
            std::vector<BYTE> data;
            if (fake.registry.Get(HKEY_CURRENT_USER, kOriginalKey, name, &type, &data)) set[name] = {type, data};
        }
        return set;
    }
    // 設定③ switched to and signed in with: its 144 DPI in effect, its
    // metrics applied by the sign-in run.
    void InProfileThree()
    {
        EXPECT_EQ(Start(u"/quiet /mode 3"), EXIT_AFTER_SIGN_IN);
        SignIn(144);
        EXPECT_EQ(Start(u"/apply"), EXIT_DONE);
    }
    // A key whose values cannot be written or deleted, as one whose
    // permissions refuse writing; path as the stand-in spells it ("HKCU\...").
    static FakeRegistry::Fault RefuseWritesUnder(String16 path)
    {
        return [path](FakeRegistry::Op op, const String16& at, const String16&) {
            const bool write = op == FakeRegistry::Op::Set || op == FakeRegistry::Op::Delete;
            return write && at == path ? 5L : 0L;
        };
    }
    // One operation on the set's record of what a return owes refused, as by
    // a key whose permissions refuse it.
    static FakeRegistry::Fault RefuseOnOwed(FakeRegistry::Op refused)
    {
        return [refused](FakeRegistry::Op op, const String16&, const String16& name) {
            return op == refused && name == u"Owed" ? 5L : 0L;
        };
    }
    // Windows' part of a sign-in: the stored text size takes effect.
    void SignIn(DWORD dpi)
    {
        fake.registry.PutDword(HKEY_CURRENT_USER, u"Control Panel\\Desktop\\WindowMetrics", u"AppliedDPI", dpi);
    }
};

