#include <algorithm>

#include "engine/SwitchMode.h"
#include "switch/SwitchWorker.h"
#include "tests/unit/TestSupport.h"

namespace {

constexpr char16_t kMetricsKey[] = u"Control Panel\\Desktop\\WindowMetrics";

// The progress window as the worker sees it, recorded.
class RecordingWindow : public CSwitchWorker {
public:
    void SetProgressPos(int position) override { positions.push_back(position); }
    void SetStatusText(const char16_t* text) override { status = text; }
    int ShowFailureMessage(const String16& text) override
    {
        messages.push_back(text);
        return IDOK;
    }
    void EndFromWorker(int result) override { results.push_back(result); }

    std::vector<int> positions;
    String16 status;
    std::vector<String16> messages;
    std::vector<int> results;
};

class SwitchWorkerTest : public AppTest {
protected:
    void SetUp() override
    {
        app.GetProfilesName();  // as every run does before its progress window
        EnableLog();
        HWND shell = fake.desktop.Add(nullptr, u"Progman");
        HWND view = fake.desktop.Add(shell, u"SHELLDLL_DefView");
        fake.desktop.Add(view, u"SysListView32");
        fake.registry.PutDword(HKEY_CURRENT_USER, kMetricsKey, u"AppliedDPI", 96);
    }
    int Run(int switchType)
    {
        window.m_nSwitchType = switchType;
        ProcessProc(&window);
        EXPECT_EQ(window.results.size(), 1u);
        return window.results.empty() ? -1 : window.results[0];
    }
    String16 RunValue() const
    {
        DWORD type = 0;
        std::vector<BYTE> data;
        if (!fake.registry.Get(HKEY_CURRENT_USER, kRunKey, kRunValue, &type, &data)) return u"<none>";
        EXPECT_EQ(type, REG_SZ);
        String16 text(data.size() / 2, u'\0');
        std::memcpy(text.data(), data.data(), data.size());
        return text;
    }
    bool ModeWritten(DWORD* mode) const
    {
        std::vector<BYTE> data;
        if (!fake.registry.Get(HKEY_CURRENT_USER, kSettingsKey, u"mode", nullptr, &data)) return false;
        std::memcpy(mode, data.data(), 4);
        return true;
    }

    RecordingWindow window;
};

TEST_F(SwitchWorkerTest, SuccessfulSwitchWithDpiChangeLeavesTheQuotedRunValue)
{
    app.m_nSelMode = 1;  // DPI 120 against 96 in effect
    app.m_nAction = ACTION_SWITCH;
    EXPECT_EQ(Run(SWITCH_MODE), 4);
    EXPECT_EQ(window.positions, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 11}));
    EXPECT_EQ(fake.system.sleeps, (std::vector<DWORD>{750, 1000}));
    EXPECT_EQ(U8(window.status), "完了しました。");
    EXPECT_TRUE(window.messages.empty());
    EXPECT_TRUE(window.m_bNeedSignOut);
    EXPECT_EQ(RunValue(), String16(u"\"C:\\Program Files\\Halden\\CorvelChg\\CorvelChg.exe\" /apply") + u'\0');
    DWORD mode = 0;
    ASSERT_TRUE(ModeWritten(&mode));
    EXPECT_EQ(mode, 1u);
    EXPECT_EQ(Messages().back(), "ProcessProc:OnDoSwitchMode Succeeded.");
    // Every item reached Windows.
    EXPECT_EQ(fake.display.metricsWrites, 1);
    EXPECT_EQ(fake.display.caretWidth, 4u);
    EXPECT_EQ(fake.desktop.posted.size(), 1u);
}

// From Windows 8.1 on, a switch that turns "Win8DpiScaling" on changes every
// display's scale at the next sign-in, even at the same DPI.
TEST_F(SwitchWorkerTest, TurningOnOneScaleNeedsASignOut)
{
    enum Before { Missing, Zero, One, OneAsText };
    const struct {
        int version;
        Before before;
        int result;
    } cases[] = {{OSVER_AFTER_6_2, Missing, 4}, {OSVER_AFTER_6_2, Zero, 4}, {OSVER_AFTER_6_2, OneAsText, 4},
                 {OSVER_AFTER_6_2, One, 0},     {OSVER_6_2, Missing, 0}};
    const char16_t desktop[] = u"Control Panel\\Desktop";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.before);
        fake.registry.Remove(HKEY_CURRENT_USER, desktop, u"Win8DpiScaling");
        if (c.before == Zero || c.before == One) {
            fake.registry.PutDword(HKEY_CURRENT_USER, desktop, u"Win8DpiScaling", c.before == One);
        }
        if (c.before == OneAsText) fake.registry.PutString(HKEY_CURRENT_USER, desktop, u"Win8DpiScaling", u"1");
        app.m_nOsVersion = c.version;
        app.m_nSelMode = 0;  // the DPI in effect
        window.results.clear();
        EXPECT_EQ(Run(SWITCH_MODE), c.result);
    }
}

TEST_F(SwitchWorkerTest, SwitchWithoutDpiChangeRemovesALeftoverRunValue)
{
    fake.registry.PutString(HKEY_CURRENT_USER, kRunKey, kRunValue, u"old /apply");
    app.m_nSelMode = 0;
    EXPECT_EQ(Run(SWITCH_MODE), 0);
    EXPECT_EQ(RunValue(), u"<none>");
    EXPECT_FALSE(window.m_bNeedSignOut);

    window.results.clear();
    EXPECT_EQ(Run(SWITCH_MODE), 0);
    EXPECT_EQ(CountMessage("ProcessProc:CorvelChg is not exist."), 1);

    window.results.clear();
    fake.registry.PutString(HKEY_CURRENT_USER, kRunKey, kRunValue, u"old /apply");
    fake.registry.SetFault([](FakeRegistry::Op op, const String16&, const String16&) {
        return op == FakeRegistry::Op::Delete ? 5 : 0;
    });
    EXPECT_EQ(Run(SWITCH_MODE), 0);
    EXPECT_EQ(CountMessage("ProcessProc:Delet CorvelChg failed."), 1);
}

TEST_F(SwitchWorkerTest, UnreadableProfileTouchesNothing)
{
    app.m_nSelMode = 5;
    fake.registry.PutString(HKEY_CURRENT_USER, kRunKey, kRunValue, u"old /apply");
    EXPECT_EQ(Run(SWITCH_MODE), 0);
    EXPECT_TRUE(window.positions.empty());
    EXPECT_TRUE(fake.display.calls.empty());
    EXPECT_TRUE(fake.desktop.posted.empty());
    DWORD mode = 0;
    EXPECT_FALSE(ModeWritten(&mode));
    EXPECT_EQ(RunValue(), String16(u"old /apply") + u'\0');
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(U8(window.messages[0]),
              "表示の切り替えに失敗しました。\nすべてのソフトを終了した後で、再度 表示の切り替えをおこなってください。");
    auto messages = Messages();
    ASSERT_GE(messages.size(), 3u);
    EXPECT_EQ(messages[messages.size() - 3], "CCorvelChgApp::GetSettings failed. GetSettingFromReg error.");
    EXPECT_EQ(messages[messages.size() - 2], "CProgressDlg::OnDoSwitchMode getting  the value is failed.");
    EXPECT_EQ(messages.back(), "ProcessProc:OnDoSwitchMode Failed.");

    window.m_nSwitchType = SWITCH_RESTORE;
    EXPECT_EQ(window.OnDoSwitchMode(7), kProfileUnreadable);
    EXPECT_EQ(Messages()[Messages().size() - 2], "CCorvelChgApp::GetShipmentSettings failed. GetShipmentSettingFromReg error.");
}

// A failing item does not stop the later ones; the message lists the failed
// items in ascending order, items 2 to 7 as one block.
TEST_F(SwitchWorkerTest, FailedItemsAreListedAndTheRestApplied)
{
    fake.desktop.noDesktop = false;
    fake.display.failSet = true;        // window metrics
    fake.display.failCaretWidth = true;  // caret width
    fake.registry.PutDword(HKEY_CURRENT_USER, kSettingsKey, u"Mode", 1);  // nothing to keep: an earlier version's switch
    fake.registry.Remove(HKEY_CURRENT_USER, kMetricsKey, u"AppliedDPI");
    app.m_nSelMode = 2;
    EXPECT_EQ(Run(SWITCH_MODE), 0);
    EXPECT_EQ(window.positions, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
    EXPECT_EQ(fake.display.blinkTime, 600u);  // item 10 still applied
    EXPECT_FALSE(fake.registry.Get(HKEY_CURRENT_USER, u"Control Panel\\Desktop", u"LogPixels", nullptr, nullptr));
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(U8(window.messages[0]),
              "表示の切り替えに失敗しました。\nすべてのソフトを終了した後で、再度 表示の切り替えをおこなってください。\n\n"
              "次の設定値の切り替えに失敗しました。\n"
              "　・テキストやその他の項目のサイズ(DPI)\n"
              "　・タイトルバーのサイズとフォントサイズ、タイトルのボタンのサイズ\n　・ウィンドウの境界の太さ\n"
              "　・スクロールバーの太さ\n　・メニューのサイズ、および メニューのフォントサイズ\n"
              "　・文字入力時のカーソルのサイズ\n");
    EXPECT_EQ(CountMessage("CProgressDlg::OnDoSwitchMode the setting of OS style is failed."), 3);
    EXPECT_EQ(CountMessage("CProgressDlg::OnDoSwitchMode getting the current dpi is failed."), 1);
    DWORD mode = 0;
    ASSERT_TRUE(ModeWritten(&mode));  // recorded although items failed
    EXPECT_EQ(mode, 2u);
}

// The new DPI was stored and differs from the one in effect: after the
// failure message the window still ends for the sign-out prompt, with the
// sign-in run registered. A failed DPI item leaves no sign-in run.
TEST_F(SwitchWorkerTest, PartialFailureKeepsThePendingTextSize)
{
    const struct {
        bool failDpi;
        int result;
        const char* runValue;
    } cases[] = {{false, PROGRESS_SIGN_OUT, "\"C:\\Program Files\\Halden\\CorvelChg\\CorvelChg.exe\" /apply"},
                 {true, PROGRESS_DONE, "<none>"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.failDpi);
        window = RecordingWindow{};
        fake.registry.Remove(HKEY_CURRENT_USER, kRunKey, kRunValue);
        fake.display.failCaretWidth = true;
        fake.registry.SetFault([&](FakeRegistry::Op op, const String16&, const String16& name) -> LONG {
            return c.failDpi && op == FakeRegistry::Op::Set && name == u"LogPixels" ? ERROR_ACCESS_DENIED : 0;
        });
        app.m_nSelMode = 1;  // 120 DPI, 96 in effect
        EXPECT_EQ(Run(SWITCH_MODE), c.result);
        fake.registry.SetFault(nullptr);
        EXPECT_EQ(window.messages.size(), 1u);
        EXPECT_EQ(U8(RunValue().c_str()), c.runValue);
    }
}

TEST_F(SwitchWorkerTest, FailureMessageForTheCurrentProfileSpeaksOfDetailSettings)
{
    app.m_nMode = 1;
    EXPECT_EQ(U8(window.MakeFailedMessage(1, 1u << ITEM_MOUSE_POINTER | 1u << ITEM_CURSOR_SPEED | 1u << ITEM_DT_ICON_SIZE)),
              "詳細設定の反映に失敗しました。\nすべてのソフトを終了した後で、再度 詳細設定をおこなってください。\n\n"
              "次の設定値の反映に失敗しました。\n"
              "　・デスクトップのアイコンのサイズ\n　・マウスポインター\n　・文字入力時のカーソルの点滅速度\n");
    EXPECT_EQ(U8(window.MakeFailedMessage(1, kProfileUnreadable)),
              "詳細設定の反映に失敗しました。\nすべてのソフトを終了した後で、再度 詳細設定をおこなってください。");
    fake.strings.table.erase(10039);
    EXPECT_EQ(U8(window.MakeFailedMessage(0, 1)).find("次の"), std::string::npos);  // a missing piece is left out
}

TEST_F(SwitchWorkerTest, ModeIsRecordedByTheRules)
{
    const struct {
        const char* name;
        int type;
        int selMode, mode, state, action;
        bool written;
        DWORD value;
    } cases[] = {
        {"another profile", SWITCH_MODE, 2, 0, MODESTATE_USER, ACTION_SWITCH, true, 2},
        {"the current one, own mode", SWITCH_MODE, 0, 0, MODESTATE_USER, ACTION_SWITCH, false, 0},
        {"the current one, no own mode", SWITCH_MODE, 0, 0, MODESTATE_SHIPMENT, ACTION_SWITCH, true, 0},
        {"re-apply, own mode", SWITCH_REAPPLY, 0, 1, MODESTATE_USER, MODESTATE_USER, false, 0},
        {"restore", SWITCH_RESTORE, 0, 1, MODESTATE_USER, ACTION_RESTORE, true, MODE_SHIPMENT},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakePlatform platform;
        platform.registry.PutDword(HKEY_CURRENT_USER, kMetricsKey, u"AppliedDPI", 96);
        CCorvelChgApp fresh;
        fresh.m_nSelMode = c.selMode;
        fresh.m_nMode = c.mode;
        fresh.m_nModeState = c.state;
        fresh.m_nAction = c.action;
        RecordingWindow w;
        w.m_nSwitchType = c.type;
        ProcessProc(&w);
        std::vector<BYTE> data;
        bool written = platform.registry.Get(HKEY_CURRENT_USER, kSettingsKey, u"Mode", nullptr, &data);
        EXPECT_EQ(written, c.written);
        if (written) {
            EXPECT_EQ(data, (std::vector<BYTE>{BYTE(c.value), 0, 0, 0}));
        }
    }
}

TEST_F(SwitchWorkerTest, RefusedWritesOfModeAndRunValueAreLoggedOnly)
{
    fake.registry.SetFault([](FakeRegistry::Op op, const String16&, const String16& name) {
        return op == FakeRegistry::Op::Set && (name == u"Mode" || name == u"CorvelChg") ? 5 : 0;
    });
    app.m_nSelMode = 2;
    EXPECT_EQ(Run(SWITCH_MODE), 4);
    EXPECT_EQ(CountMessage("CProgressDlg::OnDoSwitchMode user registry mode key is failed."), 1);
    EXPECT_EQ(CountMessage("ProcessProc:Set runonce failed."), 1);
    EXPECT_TRUE(window.messages.empty());
}

TEST_F(SwitchWorkerTest, WorkerPicksTheProfileFromTheSwitchType)
{
    fake.registry.PutDword(HKEY_LOCAL_MACHINE, kSettingsKey, u"mode", 2);
    app.m_nMode = 1;
    app.m_nSelMode = 0;
    const std::pair<int, DWORD> cases[] = {{SWITCH_MODE, 96}, {SWITCH_REAPPLY, 120}, {SWITCH_RESTORE, 144}};
    for (const auto& c : cases) {
        RecordingWindow w;
        w.m_nSwitchType = c.first;
        ProcessProc(&w);
        std::vector<BYTE> data;
        ASSERT_TRUE(fake.registry.Get(HKEY_CURRENT_USER, u"Control Panel\\Desktop", u"LogPixels", nullptr, &data));
        EXPECT_EQ(data[0] | data[1] << 8, static_cast<int>(c.second)) << c.first;
    }
    EXPECT_EQ(ProcessProc(nullptr), 0u);
}

}  // namespace

namespace {

// The worker runs on a thread of its own; when none can be started the
// window is told so, with a line in the log, instead of waiting forever.
TEST_F(SwitchWorkerTest, WorkerThreadThatCannotStart)
{
    fake.system.threadsStart = false;
    EXPECT_FALSE(window.StartWorker());
    EXPECT_EQ(Messages(), std::vector<std::string>{"CProgressDlg::OnInitDialog AfxBeginThread is failed."});

    fake.system.threadsStart = true;
    EXPECT_TRUE(window.StartWorker());
    ASSERT_EQ(fake.system.threads.size(), 1u);
    EXPECT_EQ(fake.system.threads[0].second, static_cast<CSwitchWorker*>(&window));
    fake.system.threads[0].first(fake.system.threads[0].second);
    EXPECT_EQ(window.results, std::vector<int>{0});
}

bool ChangesASetting(UINT action)
{
    return action == SPI_SETNONCLIENTMETRICS || action == SPI_SETCURSORS || action == SPI_SETCARETWIDTH;
}

// Every change reaches Windows without SPIF_SENDCHANGE and is announced once,
// with its action and area, in the order of the items, on either path of the
// pointers. The text size, the blink rate and the icons are not announced:
// Windows does not announce them either.
TEST_F(SwitchWorkerTest, EveryChangeIsAnnouncedOnceWithoutSendChange)
{
    using Heard = std::vector<std::pair<UINT, std::string>>;
    const Heard expected = {{SPI_SETNONCLIENTMETRICS, "WindowMetrics"}, {SPI_SETCURSORS, "Cursors"},
                            {SPI_SETCARETWIDTH, "Desktop"}};
    for (bool cursorsFail : {false, true}) {
        SCOPED_TRACE(cursorsFail ? "pointers one by one" : "SPI_SETCURSORS");
        fake.display.calls.clear();
        fake.display.announcements.clear();
        fake.display.failCursors = cursorsFail;
        window = RecordingWindow{};
        app.m_nSelMode = 2;
        app.m_nAction = ACTION_SWITCH;
        Run(SWITCH_MODE);
        int changes = 0;
        for (const auto& call : fake.display.calls) {
            if (!ChangesASetting(call.action)) continue;
            ++changes;
            EXPECT_EQ(call.winIni & SPIF_SENDCHANGE, 0u) << call.action;
        }
        EXPECT_EQ(changes, 3);
        Heard heard;
        for (const auto& a : fake.display.announcements) heard.emplace_back(a.action, U8(a.area));
        EXPECT_EQ(heard, expected);
    }
}

TEST_F(SwitchWorkerTest, AFailedAnnouncementIsLoggedAndFailsNothing)
{
    fake.display.failAnnounce = true;
    fake.display.failureCode = 1460;
    app.m_nSelMode = 0;
    app.m_nAction = ACTION_SWITCH;
    EXPECT_EQ(Run(SWITCH_MODE), 0);
    EXPECT_EQ(window.m_dwFailed, 0u);
    for (const char* line : {"CSwitchMode::SetWindowDesign SendMessageTimeout(WM_SETTINGCHANGE) error, file: "
                             ".\\SwitchMode, line: 205, code: 1460.",
                             "CSwitchMode::SetMouseStyle SendMessageTimeout(WM_SETTINGCHANGE) error, file: "
                             ".\\SwitchMode, line: 785, code: 1460.",
                             "CSwitchMode::SetCaretWidth SendMessageTimeout(WM_SETTINGCHANGE) error, file: "
                             ".\\SwitchMode, line: 545, code: 1460."}) {
        EXPECT_EQ(CountMessage(line), 1) << line;
    }
    EXPECT_EQ(Messages().back(), "ProcessProc:OnDoSwitchMode Succeeded.");
}

// Broadcasts that each take six windows' time-outs: the switch waits no
// longer than its bound in all, and the last one is still sent.
TEST_F(SwitchWorkerTest, AnnouncementsWaitNoLongerThanTheSwitchBound)
{
    fake.display.announceTakes = 6 * kAnnounceWindowTimeout;
    app.m_nSelMode = 0;
    app.m_nAction = ACTION_SWITCH;
    Run(SWITCH_MODE);
    ASSERT_EQ(fake.display.announcements.size(), 3u);
    DWORD waited = 0;
    for (const auto& a : fake.display.announcements) waited += std::min(a.waitMs, fake.display.announceTakes);
    EXPECT_EQ(waited, kAnnounceSwitchBound);
    EXPECT_EQ(fake.display.announcements.back().waitMs, 0u);
}

// A run ends only once its broadcasts are out, or after 10 s for them in
// all; each one cut then gets a line.
TEST_F(SwitchWorkerTest, TheRunsEndWaitsForItsBroadcasts)
{
    for (DWORD takes : {kAnnounceSwitchBound, kAnnounceSwitchBound + kAnnounceExitBound + 1}) {
        SCOPED_TRACE(takes);
        const bool cut = takes > kAnnounceExitBound;
        fake.display.announceTakes = takes;
        app.m_nSelMode = 0;
        window.results.clear();
        Run(SWITCH_MODE);
        app.ExitInstance();
        EXPECT_EQ(fake.display.finishWaited, cut ? kAnnounceExitBound : kAnnounceSwitchBound);
        EXPECT_TRUE(fake.display.goingOut.empty());
        for (const char* operation : {"SetWindowDesign", "SetMouseStyle", "SetCaretWidth"}) {
            EXPECT_EQ(CountMessage(std::string("CSwitchMode::") + operation +
                                   " SendMessageTimeout(WM_SETTINGCHANGE) was not finished when the run ended."),
                      cut ? 1 : 0)
                << operation;
        }
    }
}

}  // namespace
