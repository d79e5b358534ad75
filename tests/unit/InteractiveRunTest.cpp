#include <functional>

#include "app/IToolWindows.h"
#include "tests/unit/TestSupport.h"

namespace {

// Answers each window with a scripted result and records what was shown.
class ScriptedWindows : public IToolWindows {
public:
    int MainWindow() override
    {
        shown.push_back("main");
        if (whileOpen) whileOpen();
        return main;
    }
    int ProgressWindow(int type, const CChangeDeadline& deadline, DWORD* failedItems) override
    {
        shown.push_back("progress " + std::to_string(type));
        waitLeft = deadline.Left();
        *failedItems = failed;
        return progress;
    }
    int SignOutPrompt(int type) override
    {
        shown.push_back("prompt " + std::to_string(type));
        return prompt;
    }
    int main = 0, progress = 0, prompt = 0;
    DWORD failed = 0;
    std::function<void()> whileOpen;
    DWORD waitLeft = 0;  // what the switch may wait for other changes
    std::vector<std::string> shown;
};

class InteractiveRunTest : public AppTest {
protected:
    void SetUp() override
    {
        EnableLog();
        app.m_pToolWindows = &windows;
    }
    ScriptedWindows windows;
};

TEST_F(InteractiveRunTest, ResultsLeadToTheirWindows)
{
    const struct {
        const char* name;
        int main, progress, prompt, answer;
        std::vector<std::string> shown;
        bool signedOut;
    } cases[] = {
        {"close", 0, 0, 0, IDYES, {"main"}, false},
        {"switch, no DPI change", 1, 0, 0, IDYES, {"main", "progress 1"}, false},
        {"switch, later", 1, 4, 0, IDYES, {"main", "progress 1", "prompt 1"}, false},
        {"switch, now", 1, 4, 4, IDYES, {"main", "progress 1", "prompt 1"}, true},
        {"edited, yes", 3, 4, 4, IDYES, {"main", "progress 2", "prompt 2"}, true},
        {"edited, no", 3, 4, 4, IDNO, {"main"}, false},
        {"restore", 5, 4, 0, IDYES, {"main", "progress 3", "prompt 3"}, false},
        {"unexpected", 2, 4, 4, IDYES, {"main"}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        windows = ScriptedWindows{};
        windows.main = c.main;
        windows.progress = c.progress;
        windows.prompt = c.prompt;
        fake.windows.boxAnswer = c.answer;
        fake.system.exits.clear();
        EXPECT_EQ(app.Run(), 0);
        EXPECT_EQ(windows.shown, c.shown);
        EXPECT_EQ(fake.system.exits.size(), c.signedOut ? 1u : 0u);
        if (c.signedOut) {
            EXPECT_EQ(fake.system.exits[0], std::make_pair(0u, DWORD(0)));
        }
    }
    EXPECT_EQ(Messages().back(), "CCorvelChgApp::Run() the DoModal of CCorvelChgDlg 's return value is 2.");
}

// The start's changes share one bound; a person who reads the main window
// longer than that still gets the whole of it for the switch they click.
TEST_F(InteractiveRunTest, AClickStartsAWaitOfItsOwn)
{
    app.m_startDeadline.Start();
    windows.main = 1;
    windows.whileOpen = [&] { fake.clock.Advance(2 * kChangeWait); };
    EXPECT_EQ(app.Run(), 0);
    EXPECT_EQ(windows.waitLeft, kChangeWait);
}

// The profile name is an argument of the question, never part of its format.
TEST_F(InteractiveRunTest, ReapplyQuestionNamesTheCurrentProfile)
{
    fake.registry.PutString(HKEY_LOCAL_MACHINE, ProfileKeys[0], u"ProfilesName", u"a");
    fake.registry.PutString(HKEY_LOCAL_MACHINE, ProfileKeys[1], u"ProfilesName", u"%s%d「x」");
    fake.registry.PutString(HKEY_LOCAL_MACHINE, ProfileKeys[2], u"ProfilesName", u"c");
    app.m_nMode = 1;
    windows.main = 3;
    fake.windows.boxAnswer = IDNO;
    app.Run();
    ASSERT_EQ(fake.windows.boxes.size(), 1u);
    EXPECT_EQ(U8(fake.windows.boxes[0].text),
              "現在、パソコンに適用されている「%s%d「x」」の詳細設定が変更されました。\n\n今すぐ反映しますか？");
    EXPECT_EQ(U8(fake.windows.boxes[0].caption), "Tessaly");
    EXPECT_EQ(fake.windows.boxes[0].type, MB_YESNO | MB_ICONQUESTION);
    EXPECT_EQ(fake.windows.boxes[0].owner, nullptr);
}

TEST_F(InteractiveRunTest, NamesAndLevelsAreReadFirst)
{
    fake.registry.PutDword(HKEY_CURRENT_USER, ProfileKeys[2], u"CorvelDPI", LEVEL_EXTRA);
    app.m_nMode = 2;
    app.Run();
    EXPECT_EQ(U8(app.m_strProfilesName[0]), "設定①");
    EXPECT_EQ(app.m_dwProfile[ITEM_DPI], static_cast<DWORD>(LEVEL_EXTRA));

    app.m_nMode = 7;  // no such profile: the run still opens the main window
    windows.shown.clear();
    app.Run();
    EXPECT_EQ(windows.shown, std::vector<std::string>{"main"});
    EXPECT_EQ(Messages().back(), "CCorvelChgApp::Run failed. GetProfiles error.");
    EXPECT_EQ(app.ProfileName(7), u"");
    EXPECT_EQ(app.ProfileName(-1), u"");
}

TEST_F(InteractiveRunTest, HelpOpensTheTopicBesideTheProgram)
{
    app.ShowHelp(u"::2-1_chgmode.html");
    app.ShowHelp(u"::2-2_settings.html");
    ASSERT_EQ(fake.windows.helpCalls.size(), 2u);
    EXPECT_EQ(U8(fake.windows.helpCalls[0].file), "C:\\Program Files\\Halden\\CorvelChg\\CorvelChg.chm::2-1_chgmode.html");
    EXPECT_EQ(U8(fake.windows.helpCalls[1].file), "C:\\Program Files\\Halden\\CorvelChg\\CorvelChg.chm::2-2_settings.html");
    EXPECT_EQ(fake.windows.helpCalls[0].owner, fake.desktop.Root());
    EXPECT_EQ(fake.windows.helpCalls[0].command, 0u);
    ASSERT_EQ(fake.windows.shown.size(), 2u);
    EXPECT_EQ(fake.windows.shown[0].second, 1);
    EXPECT_TRUE(Messages().empty());  // help logs nothing
}

// The help library is not touched before the user opens help; the viewer
// runs its own thread, so only display and close ever reach it.
TEST_F(InteractiveRunTest, HelpGetsDisplayAndCloseOnly)
{
    app.Run();
    EXPECT_TRUE(fake.windows.helpCalls.empty());

    app.ShowHelp(u"::2-1_chgmode.html");
    app.Run();
    ASSERT_EQ(fake.windows.helpCalls.size(), 2u);
    EXPECT_EQ(fake.windows.helpCalls[0].command, HH_DISPLAY_TOPIC);
    EXPECT_EQ(fake.windows.helpCalls[1].command, HH_CLOSE_ALL);
    EXPECT_EQ(fake.windows.refusedHelpCommands, 0);
}

}  // namespace
