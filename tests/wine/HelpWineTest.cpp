// Help under Wine: the real call reaches HtmlHelpW with the help file beside
// the program and the topic, with no blank between them.
#include <gtest/gtest.h>

#include "app/CorvelChg.h"
#include "platform/win32/Win32Platform.h"
#include "tests/wine/WineSupport.h"

namespace {

class RecordingWindows : public Win32Windows {
public:
    HWND HtmlHelp(HWND owner, const char16_t* file, UINT command, std::uintptr_t data) override
    {
        files.push_back(file);
        owners.push_back(owner);
        commands.push_back(command);
        return Win32Windows::HtmlHelp(owner, file, command, data);
    }
    std::vector<String16> files;
    std::vector<HWND> owners;
    std::vector<UINT> commands;
};

TEST(HelpWine, TopicPathReachesHtmlHelp)
{
    Win32Platform win32;
    RecordingWindows windows;
    Platform platform{win32.registry, win32.files,  win32.sync,    windows,       win32.strings,
                      win32.clock,    win32.system, win32.display, win32.cursors, win32.desktop};
    Platform* previous = SetPlatform(&platform);
    CCorvelChgApp app;
    app.ShowHelp(u"::2-1_chgmode.html");
    app.ShowHelp(u"::2-1_chgmode.html");  // every call reaches the viewer again
    SetPlatform(previous);

    wchar_t module[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, module, MAX_PATH);
    std::wstring expected(module);
    expected = expected.substr(0, expected.rfind(L'\\')) + L"\\CorvelChg.chm::2-1_chgmode.html";
    ASSERT_EQ(windows.files.size(), 2u);
    EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(windows.files[0].c_str())), expected);
    EXPECT_EQ(windows.owners[0], GetDesktopWindow());
    EXPECT_EQ(windows.commands[0], 0u);  // HH_DISPLAY_TOPIC
}

}  // namespace
