#include "engine/SwitchMode.h"
#include "tests/unit/TestSupport.h"

namespace {

class DesktopIconsTest : public RunTest {
protected:
    void SetUp() override { EnableLog(); }
    // "Progman" or "WorkerW" > "SHELLDLL_DefView" > first child.
    HWND Shell(HWND parent, const char16_t* top, const char16_t* firstChild)
    {
        HWND window = fake.desktop.Add(parent, top);
        HWND view = fake.desktop.Add(window, u"SHELLDLL_DefView");
        if (firstChild) fake.desktop.Add(view, firstChild);
        return view;
    }
};

TEST_F(DesktopIconsTest, EachSizePostsItsCommand)
{
    HWND view = Shell(nullptr, u"Progman", u"SysListView32");
    const std::pair<DWORD, WPARAM> cases[] = {{32, 28752}, {48, 28750}, {96, 28751}, {256, 28749}};
    for (const auto& c : cases) {
        fake.desktop.posted.clear();
        ASSERT_TRUE(CSwitchMode().ChangeDesktopIconSize(c.first));
        ASSERT_EQ(fake.desktop.posted.size(), 1u);
        EXPECT_EQ(fake.desktop.posted[0].window, view);
        EXPECT_EQ(fake.desktop.posted[0].message, 0x0111u);
        EXPECT_EQ(fake.desktop.posted[0].wParam, c.second);
        EXPECT_EQ(fake.desktop.posted[0].lParam, 0);
    }
    EXPECT_EQ(Messages().back(), "CSwitchMode::ChangeDesktopIconSize　nSize = 256");
}

TEST_F(DesktopIconsTest, UnknownSizeSearchesNothing)
{
    Shell(nullptr, u"Progman", u"SysListView32");
    EXPECT_FALSE(CSwitchMode().ChangeDesktopIconSize(64));
    EXPECT_EQ(fake.desktop.enumerations, 0);
    EXPECT_TRUE(fake.desktop.posted.empty());
    EXPECT_EQ(Messages(), (std::vector<std::string>{"CSwitchMode::ChangeDesktopIconSize　nSize = 64",
                                                   "CSwitchMode::ChangeDesktopIconSize　ERROR_INVALID_PARAMETER."}));
}

// The first view with a list view wins, under either class, any case, at any depth.
TEST_F(DesktopIconsTest, WorkerWIsFoundWhenProgmanHasNoListView)
{
    Shell(nullptr, u"Progman", u"Static");
    Shell(nullptr, u"progman", nullptr);
    HWND outer = fake.desktop.Add(nullptr, u"Other");
    HWND view = Shell(outer, u"WORKERW", u"syslistview32");
    Shell(nullptr, u"WorkerW", u"SysListView32");
    ASSERT_TRUE(CSwitchMode().ChangeDesktopIconSize(48));
    ASSERT_EQ(fake.desktop.posted.size(), 1u);
    EXPECT_EQ(fake.desktop.posted[0].window, view);
}

TEST_F(DesktopIconsTest, NoViewFails)
{
    Shell(nullptr, u"Progman", u"Static");
    EXPECT_FALSE(CSwitchMode().ChangeDesktopIconSize(96));
    EXPECT_EQ(Messages().back(), "CSwitchMode::ChangeDesktopIconSize　ERROR_INVALID_HANDLE.");
    EXPECT_TRUE(fake.desktop.posted.empty());
}

// Before the shell is up the desktop window has none of its windows: no
// view, as above. (GetDesktopWindow itself never fails.)
TEST_F(DesktopIconsTest, NoShellYetFails)
{
    Shell(nullptr, u"Progman", u"SysListView32");
    fake.desktop.noDesktop = true;
    EXPECT_FALSE(CSwitchMode().ChangeDesktopIconSize(96));
    EXPECT_TRUE(fake.desktop.posted.empty());
}

}  // namespace
