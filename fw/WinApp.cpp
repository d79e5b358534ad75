#include "fw/WinApp.h"

#include "platform/Platform.h"

namespace {
CWinApp* g_app = nullptr;
}

CWinApp::CWinApp() : m_previous(g_app) { g_app = this; }

CWinApp::~CWinApp() { g_app = m_previous; }

CWinApp* AfxGetApp() { return g_app; }

int AfxRunApp(CWinApp& app, StringView16 commandLine)
{
    app.m_lpCmdLine = String16(commandLine);
    if (!app.InitInstance()) return 0;
    return app.Run();
}

bool AfxBeginThread(unsigned int (*fn)(void*), void* param) { return Plat().system.StartThread(fn, param); }
