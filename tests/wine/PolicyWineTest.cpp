// The detail window with levels that policies enforce, through the real
// program: such a cell shows the enforced level, disabled, named as set by an
// administrator, with the window's note; OK stores the user's own level for
// it, never the enforced one.
#include <gtest/gtest.h>

#include "tests/wine/WineSupport.h"

namespace {

const wchar_t kEnforced2[] = L"Software\\Policies\\Halden\\CorvelChg\\Profiles\\2";
const wchar_t kEnforced0[] = L"Software\\Policies\\Halden\\CorvelChg\\Profiles\\0";
const wchar_t kRecommended0[] = L"Software\\Policies\\Halden\\CorvelChg\\Recommended\\Profiles\\0";
const wchar_t kOwn0[] = L"Software\\Halden\\CorvelChg\\Profiles\\0";
const wchar_t kOwn2[] = L"Software\\Halden\\CorvelChg\\Profiles\\2";
constexpr int kTitleOfProfile3 = 1031;
constexpr int kDpiOfProfile1 = 1011;
constexpr int kDpiOfProfile2 = 1012;
constexpr int kPolicyNote = 1082;

class PolicyWine : public ::testing::Test {
protected:
    void SetUp() override
    {
        FreshToolRegistry();
        ClearPolicies();
        SetDword(HKEY_CURRENT_USER, kDesktopPath, L"LogPixels", 96);  // the grid without a scroll band
    }
    void TearDown() override { ClearPolicies(); }
    static void ClearPolicies()
    {
        DeleteTree(HKEY_LOCAL_MACHINE, L"Software\\Policies\\Halden");
        DeleteTree(HKEY_CURRENT_USER, L"Software\\Policies\\Halden");
    }
};

TEST_F(PolicyWine, EnforcedCellsAreShownAndNeverStoredAsTheUsersOwn)
{
    SetDword(HKEY_LOCAL_MACHINE, kEnforced2, L"TitleSize", 7);      // computer: 設定③'s title bar 特大
    SetDword(HKEY_CURRENT_USER, kOwn2, L"TitleSize", 1);            // the user's own: 小
    SetDword(HKEY_CURRENT_USER, kEnforced0, L"CorvelDPI", 7);       // user policy: 設定①'s text size 特大
    SetDword(HKEY_CURRENT_USER, kRecommended0, L"CorvelDPI", 4);    // what the user inherits: 中

    Process tool(Quoted(kToolExe));
    HWND main = WaitForWindow(FindMainWindow);
    ASSERT_NE(main, nullptr);
    Click(main, 1002);  // 詳細設定
    HWND detail = WaitForWindow(FindDetailWindow);
    ASSERT_NE(detail, nullptr);
    for (int id : {kTitleOfProfile3, kDpiOfProfile1}) {
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(detail, id))) << id;
        EXPECT_NE(ItemText(detail, id).find(L"（管理者が設定）"), std::wstring::npos) << id;
    }
    EXPECT_EQ(ItemText(detail, kTitleOfProfile3), L"タイトルバー 設定③ 特大（管理者が設定）");
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(detail, kDpiOfProfile2)));
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(detail, kPolicyNote)));
    EXPECT_EQ(ItemText(detail, kPolicyNote), L"灰色の項目は管理者が設定しています。");

    // A change elsewhere, so that OK stores all three profiles.
    const std::wstring before = ItemText(detail, kDpiOfProfile2);
    Click(detail, kDpiOfProfile2);
    ASSERT_TRUE(WaitFor([&] { return ItemText(detail, kDpiOfProfile2) != before; }));
    Click(detail, IDOK);
    ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(main) != FALSE; }));
    EXPECT_EQ(GetDword(HKEY_CURRENT_USER, kOwn2, L"TitleSize"), 1u);  // still the user's own
    EXPECT_EQ(GetDword(HKEY_CURRENT_USER, kOwn0, L"CorvelDPI"), 4u);  // inherited, not the enforced 特大
    Click(main, 1004);
    EXPECT_EQ(tool.Wait(30000), 0);

    // Without the policies the user's own levels are back.
    ClearPolicies();
    Process again(Quoted(kToolExe));
    main = WaitForWindow(FindMainWindow);
    ASSERT_NE(main, nullptr);
    Click(main, 1002);
    detail = WaitForWindow(FindDetailWindow);
    ASSERT_NE(detail, nullptr);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(detail, kTitleOfProfile3)));
    EXPECT_EQ(ItemText(detail, kTitleOfProfile3), L"タイトルバー 設定③ 小");
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(detail, kPolicyNote)));
    Click(detail, IDCANCEL);
    ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(main) != FALSE; }));
    Click(main, 1004);
    EXPECT_EQ(again.Wait(30000), 0);
}

}  // namespace
