// The application object's base: the program's entry point calls
// InitInstance and, when it succeeds, Run. There is one instance per process.
#pragma once

#include "fw/ProcessWide.h"
#include "platform/WinTypes.h"

class CWinApp : public CProcessWide<CWinApp> {
public:
    CWinApp() = default;
    virtual ~CWinApp() = default;

    virtual BOOL InitInstance() { return TRUE; }
    virtual int Run() { return 0; }
    // The last step of every run, after InitInstance or Run.
    virtual void ExitInstance() {}

    // The command line after the program name.
    String16 m_lpCmdLine;
    // The process's exit code when InitInstance fails.
    int m_nExitCode = 0;
};

CWinApp* AfxGetApp();

// The program's entry: InitInstance, then Run, then ExitInstance; the exit
// code is Run's result, m_nExitCode when InitInstance fails.
int AfxRunApp(CWinApp& app, StringView16 commandLine);

// Starts fn(param) on a new thread of normal priority; the thread is not
// waited for.
bool AfxBeginThread(unsigned int (*fn)(void*), void* param);
