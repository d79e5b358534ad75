#include "fw/WinApp.h"

#include "platform/Platform.h"

CWinApp* AfxGetApp() { return CWinApp::Current(); }

int AfxRunApp(CWinApp& app, StringView16 commandLine)
{
    app.m_lpCmdLine = String16(commandLine);
    const int exitCode = app.InitInstance() ? app.Run() : app.m_nExitCode;
    app.ExitInstance();
    return exitCode;
}

bool AfxBeginThread(unsigned int (*fn)(void*), void* param) { return Plat().system.StartThread(fn, param); }
