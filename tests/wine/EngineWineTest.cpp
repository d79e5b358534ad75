// The settings store and the display engine against the real registry and
// the real system parameters under Wine, in this process.
#include <gtest/gtest.h>

#include <cstring>

#include "app/CorvelChg.h"
#include "engine/SwitchMode.h"
#include "platform/win32/Win32Platform.h"
#include "tests/wine/WineSupport.h"

namespace {

class InProcess : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_previous = SetPlatform(&m_win32.platform);
        DeleteTree(HKEY_CURRENT_USER, L"Software\\Halden");
        DeleteTree(HKEY_LOCAL_MACHINE, L"Software\\Halden");
    }
    void TearDown() override { SetPlatform(m_previous); }

    // "reg add", as a machine setup writes factory data.
    static void RegAdd(const std::wstring& key, const std::wstring& name, const std::wstring& type,
                       const std::wstring& data)
    {
        Process reg(L"reg.exe add \"" + key + L"\" /v \"" + name + L"\" /t " + type + L" /d \"" + data + L"\" /f");
        ASSERT_EQ(reg.Wait(), 0);
    }
    std::vector<LONG> User(DWORD mode)
    {
        SettingValues values = {};
        EXPECT_EQ(app.GetSettings(mode, values), 0);
        return std::vector<LONG>(values, values + ITEM_COUNT);
    }

    Win32Platform m_win32;
    Platform* m_previous = nullptr;
    CCorvelChgApp app;
};

TEST_F(InProcess, EmptyRegistryGivesTheBuiltInProfiles)
{
    EXPECT_EQ(User(0), (std::vector<LONG>{96, 48, 21, 9, 1, 16, 9, 20, 0, 1, 600}));
    EXPECT_EQ(User(1), (std::vector<LONG>{120, 96, 40, 14, 10, 30, 14, 30, 1, 4, 600}));
    EXPECT_EQ(User(2), (std::vector<LONG>{144, 96, 50, 19, 15, 40, 19, 40, 1, 6, 600}));
}

TEST_F(InProcess, FactoryDataFromRegAdd)
{
    const std::wstring hklm = L"HKLM\\Software\\Halden\\CorvelChg\\";
    RegAdd(hklm + L"Profiles\\0", L"CorvelDPI", L"REG_DWORD", L"7");
    RegAdd(hklm + L"Profiles\\1", L"DtIconSize", L"REG_DWORD", L"1");
    RegAdd(hklm + L"Settings\\DtIconSize", L"Small", L"REG_DWORD", L"40");
    RegAdd(hklm + L"Settings\\DtIconSize", L"Extra", L"REG_DWORD", L"200");
    RegAdd(hklm + L"Profiles\\0", L"ProfilesName", L"REG_SZ", L"ふつう");
    RegAdd(hklm + L"Profiles\\1", L"ProfilesName", L"REG_SZ", L"大きめ");
    EXPECT_EQ(User(0)[ITEM_DPI], 192);
    EXPECT_EQ(User(1)[ITEM_DT_ICON_SIZE], 40);
    DWORD mask = 0;
    int count = 0;
    OfferedLevels(ITEM_DT_ICON_SIZE, &mask, &count);
    EXPECT_EQ(mask, 0x82u);
    EXPECT_EQ(count, 2);

    app.GetProfilesName();  // profile 2 has no name: all three from the string table
    EXPECT_EQ(app.m_strProfilesName[0], u"設定①");
    RegAdd(hklm + L"Profiles\\2", L"ProfilesName", L"REG_SZ", L"特大");
    app.GetProfilesName();
    EXPECT_EQ(app.m_strProfilesName[0], u"ふつう");
    EXPECT_EQ(app.m_strProfilesName[2], u"特大");
}

TEST_F(InProcess, UserLevelsAndBadValues)
{
    const wchar_t profile0[] = L"Software\\Halden\\CorvelChg\\Profiles\\0\\";
    SetDword(HKEY_CURRENT_USER, profile0, L"CorvelDPI", LEVEL_LARGE);
    SetString(HKEY_CURRENT_USER, profile0, L"ScrollWidth", L"7");
    unsigned long long eight = 5;
    SetRaw(HKEY_CURRENT_USER, profile0, L"MenuSize", REG_QWORD, &eight, 8);
    SetDword(HKEY_CURRENT_USER, profile0, L"TitleSize", 9);
    std::vector<LONG> p0 = User(0);
    EXPECT_EQ(p0[ITEM_DPI], 144);
    EXPECT_EQ(p0[ITEM_SCROLL_WIDTH], 16);
    EXPECT_EQ(p0[ITEM_MENU_SIZE], 20);
    EXPECT_EQ(p0[ITEM_TITLE_SIZE], 21);

    // A name of exactly 520 bytes without a terminator is read to its end and
    // no further. (Windows stores a terminator the caller left out of the count
    // when one follows the data, so the character after the 520 bytes is not one.)
    std::wstring name(261, L'名');
    for (int mode = 0; mode < 3; ++mode) {
        std::wstring key = L"Software\\Halden\\CorvelChg\\Profiles\\" + std::to_wstring(mode) + L"\\";
        SetRaw(HKEY_LOCAL_MACHINE, key.c_str(), L"ProfilesName", REG_SZ, name.data(), 520);
    }
    app.GetProfilesName();
    EXPECT_EQ(app.m_strProfilesName[1].size(), 260u);
}

TEST_F(InProcess, SaveSettingsWritesDwords)
{
    ProfileLevels levels = {1, 3, 3, 3, 3, 3, 3, 3, 3, 3, 0};
    EXPECT_EQ(app.SaveSettings(2, levels), 0u);
    DWORD type = 0;
    std::vector<BYTE> data;
    ASSERT_TRUE(GetRaw(HKEY_CURRENT_USER, L"Software\\Halden\\CorvelChg\\Profiles\\2", L"CursorSpeed", &type, &data));
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(data, (std::vector<BYTE>{0, 0, 0, 0}));
}

NONCLIENTMETRICSW Metrics()
{
    NONCLIENTMETRICSW m{};
    m.cbSize = sizeof(m);
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(m), &m, 0);
    return m;
}

// Wine raises caption and menu heights to at least the font height + 2 on
// read; the sizes here are well above that, so they read back as written.
TEST_F(InProcess, WindowDesignChangesWhatWindowsReports)
{
    NONCLIENTMETRICSW before = Metrics();
    SettingValues values = {96, 48, 50, 9, 15, 40, 9, 40, 0, 1, 600};
    app.m_nOsVersion = OSVER_BEFORE_6_2;
    ASSERT_TRUE(CSwitchMode().SetWindowDesign(values));
    NONCLIENTMETRICSW after = Metrics();
    EXPECT_EQ(after.iCaptionWidth, 50);
    EXPECT_EQ(after.iCaptionHeight, 50);
    EXPECT_EQ(after.iBorderWidth, 15);
    EXPECT_EQ(after.iScrollWidth, 40);
    EXPECT_EQ(after.iScrollHeight, 40);
    EXPECT_EQ(after.iMenuWidth, 40);
    EXPECT_EQ(after.iMenuHeight, 40);
    EXPECT_EQ(after.lfCaptionFont.lfHeight, -12);
    EXPECT_EQ(after.lfMenuFont.lfHeight, -12);
    EXPECT_EQ(after.iSmCaptionWidth, before.iSmCaptionWidth);
    EXPECT_EQ(std::wstring(after.lfMessageFont.lfFaceName), std::wstring(before.lfMessageFont.lfFaceName));
    EXPECT_EQ(after.lfStatusFont.lfHeight, before.lfStatusFont.lfHeight);

    // Scaled by the DPI in effect from Windows 6.2 on.
    SetDword(HKEY_CURRENT_USER, kMetricsPath, L"AppliedDPI", 144);
    app.m_nOsVersion = OSVER_AFTER_6_2;
    ASSERT_TRUE(CSwitchMode().SetWindowDesign(values));
    after = Metrics();
    EXPECT_EQ(after.iCaptionWidth, 75);
    EXPECT_EQ(after.iBorderWidth, 23);
    EXPECT_EQ(after.iMenuHeight, 60);
    EXPECT_EQ(after.lfCaptionFont.lfHeight, -18);
}

TEST_F(InProcess, CaretWidthAndBlinkTime)
{
    ASSERT_TRUE(CSwitchMode().SetCaretWidth(8));
    DWORD width = 0;
    SystemParametersInfoW(SPI_GETCARETWIDTH, 0, &width, 0);
    EXPECT_EQ(width, 8u);

    ASSERT_TRUE(CSwitchMode().SetBlinkTime(0xFFFFFFFF));
    EXPECT_EQ(GetCaretBlinkTime(), 0xFFFFFFFFu);
    DWORD type = 0;
    std::vector<BYTE> data;
    ASSERT_TRUE(GetRaw(HKEY_CURRENT_USER, kDesktopPath, L"CursorBlinkRate", &type, &data));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(data, (std::vector<BYTE>{'-', 0, '1', 0, 0, 0}));
}

TEST_F(InProcess, SetDpiWritesLogPixels)
{
    ASSERT_TRUE(CSwitchMode().SetDpi(144));
    DWORD type = 0;
    std::vector<BYTE> data;
    ASSERT_TRUE(GetRaw(HKEY_CURRENT_USER, kDesktopPath, L"LogPixels", &type, &data));
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(data, (std::vector<BYTE>{144, 0, 0, 0}));
}

}  // namespace
