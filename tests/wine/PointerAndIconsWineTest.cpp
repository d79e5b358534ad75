// The pointer scheme and the desktop icon size against real Windows calls.
#include <gtest/gtest.h>

#include "app/CorvelChg.h"
#include "engine/PointerRoles.h"
#include "engine/SwitchMode.h"
#include "platform/win32/Win32Platform.h"
#include "tests/wine/WineSupport.h"

namespace {

// Passes every call to the real adapter and keeps a record of it. Wine's
// SetSystemCursor is a stub that answers TRUE without changing the pointer in
// use, so what reaches it is asserted here instead of the pointer itself.
class RecordingCursors : public Win32Cursors {
public:
    HCURSOR LoadFromFile(const char16_t* path) override
    {
        HCURSOR cursor = Win32Cursors::LoadFromFile(path);
        loads.push_back({path, cursor != nullptr});
        ICONINFO info{};
        if (cursor && GetIconInfo(cursor, &info)) {
            BITMAP mask{};
            GetObjectW(info.hbmMask, sizeof(mask), &mask);
            widths.push_back(mask.bmWidth);
            DeleteObject(info.hbmMask);
            if (info.hbmColor) DeleteObject(info.hbmColor);
        }
        return cursor;
    }
    BOOL SetSystemCursor(HCURSOR cursor, DWORD id) override
    {
        sets.push_back(id);
        return Win32Cursors::SetSystemCursor(cursor, id);
    }
    std::vector<std::pair<String16, bool>> loads;
    std::vector<int> widths;  // of each cursor loaded
    std::vector<DWORD> sets;
};

class RecordingDisplay : public Win32Display {
public:
    BOOL SystemParameters(UINT action, UINT uiParam, void* pvParam, UINT winIni) override
    {
        actions.push_back(action);
        return Win32Display::SystemParameters(action, uiParam, pvParam, winIni);
    }
    std::vector<UINT> actions;
};

class PointerAndIcons : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_previous = SetPlatform(&m_platform);
        DeleteTree(HKEY_CURRENT_USER, L"Control Panel\\Cursors");
        DeleteTree(HKEY_LOCAL_MACHINE, L"Software\\Halden");
    }
    void TearDown() override { SetPlatform(m_previous); }

    static std::pair<DWORD, std::vector<BYTE>> Value(const wchar_t* name)
    {
        DWORD type = 0;
        std::vector<BYTE> data;
        GetRaw(HKEY_CURRENT_USER, L"Control Panel\\Cursors", name, &type, &data);
        return {type, data};
    }
    static std::vector<BYTE> Bytes(const std::wstring& text)
    {
        auto* p = reinterpret_cast<const BYTE*>(text.c_str());
        return std::vector<BYTE>(p, p + (text.size() + 1) * 2);
    }

    Win32Platform m_win32;
    RecordingCursors m_cursors;
    RecordingDisplay m_display;
    Platform m_platform{m_win32.registry, m_win32.files,  m_win32.sync, m_win32.windows, m_win32.strings,
                        m_win32.clock,    m_win32.system, m_display,    m_cursors,       m_win32.desktop, m_win32.events};
    Platform* m_previous = nullptr;
    CCorvelChgApp app;
};

// A monochrome cursor file of size x size pixels (32 or 64).
void WriteCursorFile(const std::wstring& path, BYTE size)
{
    const DWORD plane = size * size / 8;
    const DWORD bytes = 40 + 8 + 2 * plane;
    std::vector<BYTE> file = {0, 0, 2, 0, 1, 0, size, size, 0, 0, 1, 0, 1, 0, BYTE(bytes), BYTE(bytes >> 8), 0, 0, 22, 0, 0, 0};
    BYTE header[40] = {40, 0, 0, 0, size, 0, 0, 0, BYTE(2 * size), 0, 0, 0, 1, 0, 1, 0};
    file.insert(file.end(), header, header + 40);
    const BYTE palette[8] = {0, 0, 0, 0, 255, 255, 255, 0};
    file.insert(file.end(), palette, palette + 8);
    file.insert(file.end(), plane, 0x0F);  // colour bits
    file.insert(file.end(), plane, 0x00);  // mask bits
    HANDLE out = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(out, file.data(), static_cast<DWORD>(file.size()), &written, nullptr);
    CloseHandle(out);
}

TEST_F(PointerAndIcons, SchemeIsWrittenWithTheRealRegistry)
{
    const struct {
        int version;
        const wchar_t* name;
    } cases[] = {{OSVER_BEFORE_6_2, L"Windows Aero (大きいフォント)"}, {OSVER_AFTER_6_2, L"Windows 標準 (大きいフォント)"}};
    for (const auto& c : cases) {
        app.m_nOsVersion = c.version;
        ASSERT_TRUE(CSwitchMode().SetMouseStyle(1));
        EXPECT_EQ(Value(L"Arrow"), std::make_pair(DWORD(REG_EXPAND_SZ), Bytes(L"%SystemRoot%\\cursors\\aero_arrow_l.cur")));
        EXPECT_EQ(Value(L"Crosshair"), std::make_pair(DWORD(REG_EXPAND_SZ), std::vector<BYTE>{0, 0}));
        EXPECT_EQ(Value(L""), std::make_pair(DWORD(REG_SZ), Bytes(c.name)));
        EXPECT_EQ(Value(L"Scheme Source"), std::make_pair(DWORD(REG_DWORD), std::vector<BYTE>{2, 0, 0, 0}));
    }
}

// Wine 8 has no SPI_SETCURSORS, so after asking for it the pointers are
// handed over one by one, each at the size of its file.
TEST_F(PointerAndIcons, CursorFilesAreLoadedAndHandedToTheLogon)
{
    wchar_t windows[MAX_PATH] = {};
    GetWindowsDirectoryW(windows, MAX_PATH);
    CreateDirectoryW((std::wstring(windows) + L"\\cursors").c_str(), nullptr);
    WriteCursorFile(std::wstring(windows) + L"\\cursors\\aero_arrow_xl.cur", 64);
    WriteCursorFile(std::wstring(windows) + L"\\cursors\\aero_link_xl.cur", 32);
    ASSERT_TRUE(CSwitchMode().SetMouseStyle(2));
    EXPECT_EQ(m_display.actions, std::vector<UINT>{SPI_SETCURSORS});
    EXPECT_EQ(m_cursors.widths, (std::vector<int>{64, 32}));
    int loaded = 0;
    for (const auto& load : m_cursors.loads) {
        EXPECT_EQ(load.first.find(u"%SystemRoot%"), String16::npos);
        loaded += load.second;
    }
    EXPECT_EQ(loaded, 2);  // the two files that exist
    EXPECT_EQ(m_cursors.sets, (std::vector<DWORD>{32512, 32515, 32649, 32513}));
}

// Through the real program: Windows 10 keeps the pin and person pointers
// with the other 15, at the size of the scheme; older Windows have no such
// roles and get neither value.
TEST_F(PointerAndIcons, PinAndPersonFollowTheSchemeOnWindows10Only)
{
    const wchar_t* const profile = L"Software\\Halden\\CorvelChg\\Profiles\\";
    SetDword(HKEY_CURRENT_USER, (std::wstring(profile) + L"0").c_str(), L"MousePointer", 3);  // Standard
    SetDword(HKEY_CURRENT_USER, (std::wstring(profile) + L"1").c_str(), L"MousePointer", 5);  // Large
    const struct {
        const wchar_t* version;
        bool roles;
    } cases[] = {{L"win7", false}, {L"win8", false}, {L"win10", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.version);
        DeleteTree(HKEY_CURRENT_USER, L"Control Panel\\Cursors");
        SetWindowsVersion(c.version);
        EXPECT_GE(RunTool(L"/quiet /mode 2", 30000), 0);
        EXPECT_EQ(Value(L"Arrow").second, Bytes(L"%SystemRoot%\\cursors\\aero_arrow_l.cur"));
        if (c.roles) {
            EXPECT_EQ(Value(L"Pin"), std::make_pair(DWORD(REG_EXPAND_SZ), Bytes(L"%SystemRoot%\\cursors\\aero_pin_l.cur")));
        }
        EXPECT_GE(RunTool(L"/quiet /mode 1", 30000), 0);
        EXPECT_EQ(Value(L"Arrow").second, Bytes(L"%SystemRoot%\\cursors\\aero_arrow.cur"));
        if (c.roles) {
            EXPECT_EQ(Value(L"Pin"), std::make_pair(DWORD(REG_EXPAND_SZ), Bytes(L"%SystemRoot%\\cursors\\aero_pin.cur")));
            EXPECT_EQ(Value(L"Person"),
                      std::make_pair(DWORD(REG_EXPAND_SZ), Bytes(L"%SystemRoot%\\cursors\\aero_person.cur")));
        } else {
            EXPECT_EQ(Value(L"Pin").first, DWORD(REG_NONE));
            EXPECT_EQ(Value(L"Person").first, DWORD(REG_NONE));
        }
    }
    SetWindowsVersion(L"win10");
}

TEST_F(PointerAndIcons, StoredSchemeFromTheFactoryBranch)
{
    const std::wstring key = L"Software\\Halden\\CorvelChg\\Settings\\MousePointer\\0";
    for (const PointerRole& role : kPointerRoles) {
        if (!role.stored) continue;
        const std::wstring name = Wide(role.valueName);
        SetString(HKEY_LOCAL_MACHINE, key.c_str(), name.c_str(), L"%SystemRoot%\\mine\\" + name + L".cur");
    }
    SetString(HKEY_LOCAL_MACHINE, key.c_str(), L"", L"Mine");
    SetDword(HKEY_LOCAL_MACHINE, key.c_str(), L"Scheme Source", 1);
    ASSERT_TRUE(CSwitchMode().SetMouseStyle(0));
    EXPECT_EQ(Value(L"Wait").second, Bytes(L"%SystemRoot%\\mine\\Wait.cur"));
    EXPECT_EQ(Value(L"").second, Bytes(L"Mine"));
    EXPECT_EQ(Value(L"Scheme Source").second, (std::vector<BYTE>{1, 0, 0, 0}));

    // One value of the wrong type: the whole built-in scheme instead.
    SetString(HKEY_LOCAL_MACHINE, key.c_str(), L"Wait", L"x", REG_EXPAND_SZ);
    ASSERT_TRUE(CSwitchMode().SetMouseStyle(0));
    EXPECT_EQ(Value(L"Wait").second, Bytes(L"%SystemRoot%\\cursors\\aero_busy.ani"));
    EXPECT_EQ(Value(L"Scheme Source").second, (std::vector<BYTE>{2, 0, 0, 0}));
}

TEST_F(PointerAndIcons, DesktopViewReceivesTheIconCommand)
{
    HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, L"TessalyHelperReady");
    ResetEvent(ready);
    Process shell(Quoted(kHelperExe) + L" desktop-view");
    ASSERT_EQ(WaitForSingleObject(ready, 30000), WAIT_OBJECT_0);
    EXPECT_TRUE(CSwitchMode().ChangeDesktopIconSize(256));
    EXPECT_EQ(shell.Wait(), 28749);
    CloseHandle(ready);
}

TEST_F(PointerAndIcons, NoDesktopViewFails)
{
    EXPECT_FALSE(CSwitchMode().ChangeDesktopIconSize(48));
}

}  // namespace
