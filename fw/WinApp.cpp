#include "fw/WinApp.h"

#include "platform/Platform.h"

CWinApp* AfxGetApp() { return CWinApp::Current(); }

int AfxRunApp(CWinApp& app, StringView16 commandLine)
{
    app.m_lpCmdLine = String16(commandLine);
    if (!app.InitInstance()) return app.m_nExitCode;
    return app.Run();
}

bool AfxBeginThread(unsigned int (*fn)(void*), void* param) { return Plat().system.StartThread(fn, param); }
