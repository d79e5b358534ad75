// Help under Wine: the real call reaches HtmlHelpW with the help file beside
// the program and the topic, with no blank between them.
#include <gtest/gtest.h>

#include "app/CorvelChg.h"
#include "platform/win32/Win32Platform.h"
#include "res/resource.h"
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
                      win32.clock,    win32.system, win32.display, win32.cursors, win32.desktop, win32.events};
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

// A library of a system library's name beside the program never runs in it:
// neither the help library, loaded when help opens, nor the theme library.
// Wine prefers its own libraries unless told otherwise, as Windows does not.
TEST(HelpWine, PlantedLibrariesBesideTheProgramAreNeverLoaded)
{
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"tessaly-planted";
    const std::wstring marker = folder + L"\\loaded.txt";
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring tool = folder + L"\\CorvelChg.exe";
    ASSERT_TRUE(CopyFileW(FullPath(kToolExe).c_str(), tool.c_str(), FALSE));
    ASSERT_TRUE(CopyFileW(HELP_FILE, (folder + L"\\CorvelChg.chm").c_str(), FALSE));
    for (const wchar_t* name : {L"\\hhctrl.ocx", L"\\uxtheme.dll"}) {
        ASSERT_TRUE(CopyFileW(PLANTED_DLL, (folder + name).c_str(), FALSE));
    }
    DeleteFileW(marker.c_str());
    // As WINEDLLOVERRIDES="hhctrl.ocx,uxtheme=n,b" would, for the processes started below.
    const wchar_t kOverrides[] = L"Software\\Wine\\DllOverrides";
    for (const wchar_t* name : {L"hhctrl.ocx", L"uxtheme"}) SetString(HKEY_CURRENT_USER, kOverrides, name, L"native,builtin");
    SetEnvironmentVariableW(L"TESSALY_PLANTED_MARKER", marker.c_str());
    {
        Process process(Quoted(tool));
        HWND main = WaitForWindow(FindMainWindow);
        ASSERT_NE(main, nullptr);
        Click(main, IDC_HELP_BUTTON);
        EXPECT_TRUE(WaitFor([] { return FindWindowW(L"HH Parent", nullptr) != nullptr; }));
        Click(main, IDC_CLOSE);
        EXPECT_EQ(process.Wait(30000), 0);
    }
    EXPECT_EQ(GetFileAttributesW(marker.c_str()), INVALID_FILE_ATTRIBUTES);

    // A program that searches its own folder does load the planted library.
    const std::wstring helper = folder + L"\\test_helper.exe";
    ASSERT_TRUE(CopyFileW(FullPath(kHelperExe).c_str(), helper.c_str(), FALSE));
    Process loader(Quoted(helper) + L" load-library hhctrl.ocx");
    EXPECT_EQ(loader.Wait(30000), 0);
    EXPECT_NE(GetFileAttributesW(marker.c_str()), INVALID_FILE_ATTRIBUTES);
    DeleteTree(HKEY_CURRENT_USER, kOverrides);
    SetEnvironmentVariableW(L"TESSALY_PLANTED_MARKER", nullptr);
    for (const wchar_t* name : {L"\\loaded.txt", L"\\hhctrl.ocx", L"\\uxtheme.dll", L"\\CorvelChg.exe", L"\\CorvelChg.chm",
                                L"\\test_helper.exe"}) {
        DeleteFileW((folder + name).c_str());
    }
    RemoveDirectoryW(folder.c_str());
}

}  // namespace
