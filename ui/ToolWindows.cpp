#include "ui/ToolWindows.h"

#include "res/resource.h"
#include "switch/ProgressDlg.h"
#include "ui/CorvelChgDlg.h"
#include "ui/FinishDlg.h"

IToolWindows& TheToolWindows()
{
    static CToolWindows windows;
    return windows;
}

int CToolWindows::MainWindow()
{
    CCorvelChgDlg main;
    return static_cast<int>(main.DoModal());
}

int CToolWindows::ProgressWindow(int switchType, const CChangeDeadline& deadline, DWORD* failedItems)
{
    CProgressDlg progress;
    progress.m_nSwitchType = switchType;
    progress.m_deadline = deadline;
    progress.m_bNeedSignOut = FALSE;
    int result = static_cast<int>(progress.DoModal());
    *failedItems = progress.m_dwFailed;
    // -1: the window could not be made, or a WM_QUIT ended its loop before
    // the worker ended the window.
    return result == -1 ? PROGRESS_NOT_RUN : result;
}

int CToolWindows::SignOutPrompt(int switchType)
{
    CFinishDlg prompt;
    prompt.m_nSwitchType = switchType;
    return static_cast<int>(prompt.DoModal());
}
