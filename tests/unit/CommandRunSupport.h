// The whole program's start as a command line gives it, against the
// stand-ins: InitInstance, then Run, with the windows recorded.
#pragma once

#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/IToolWindows.h"
#include "tests/unit/TestSupport.h"

// The windows a run shows, recorded with their switch types.
class Windows : public IToolWindows {
public:
    int MainWindow() override
    {
        shown.push_back("main");
        return 0;
    }
    int ProgressWindow(int type, const CChangeDeadline&, DWORD* failedItems) override
    {
        shown.push_back("progress " + std::to_string(type));
        *failedItems = failed;
        return progress;
    }
    int SignOutPrompt(int type) override
    {
        shown.push_back("prompt " + std::to_string(type));
        return 0;
    }
    int progress = 0;
    DWORD failed = 0;
    std::vector<std::string> shown;
};

// The whole start as the program runs it: InitInstance, then Run.
class CommandRunTest : public AppTest {
protected:
    void SetUp() override
    {
        app.m_pToolWindows = &windows;
        HWND shell = fake.desktop.Add(nullptr, u"Progman");
        fake.desktop.Add(fake.desktop.Add(shell, u"SHELLDLL_DefView"), u"SysListView32");
        fake.registry.PutDword(HKEY_CURRENT_USER, u"Control Panel\\Desktop\\WindowMetrics", u"AppliedDPI", 96);
        fake.registry.PutDword(HKEY_CURRENT_USER, u"Control Panel\\Desktop", u"Win8DpiScaling", 1);
    }
    int Start(const char16_t* line)
    {
        app.m_lpCmdLine = line;
        app.m_nExitCode = 0;  // a new process each time
        app.m_hMutex.Reset();
        fake.windows.NewProcess();
        return app.InitInstance() ? app.Run() : app.m_nExitCode;
    }
    DWORD UserMode() const
    {
        std::vector<BYTE> data;
        if (!fake.registry.Get(HKEY_CURRENT_USER, kSettingsKey, u"Mode", nullptr, &data)) return 99;
        return data[0];
    }
    Windows windows;
};

