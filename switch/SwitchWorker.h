// The switch worker: applies one whole profile item by item behind the
// progress window, reports the items that failed, records the user's profile
// and arranges the re-apply at the next sign-in after a DPI change. It sees
// the window only through the few calls below.
#pragma once

#include "platform/WinTypes.h"
#include "switch/ChangeLock.h"
#include "switch/OriginalSettings.h"
#include "switch/SignInRun.h"

// The kind of a switch run.
enum SwitchType { SWITCH_MODE = 1, SWITCH_REAPPLY = 2, SWITCH_RESTORE = 3, SWITCH_ORIGINAL = 4 };

// What the worker, and with it the progress window, ends with. Nothing was
// changed with PROGRESS_NOT_RUN (the window or its worker could not start,
// or the exclusion of other changes could not be had at all),
// PROGRESS_BUSY (another change of settings held the exclusion for
// kChangeWait) and PROGRESS_NOT_KEPT (the person's own settings could not be
// kept first).
enum ProgressResult {
    PROGRESS_DONE = 0,
    PROGRESS_NOT_RUN = 2,
    PROGRESS_SIGN_OUT = 4,
    PROGRESS_BUSY = 5,
    PROGRESS_NOT_KEPT = 6,
};

class CSwitchWorker {
public:
    virtual ~CSwitchWorker() = default;

    // Reads and applies profile index; the mask has bit n for each failed
    // item n, and 0x800 alone when the profile could not be read.
    DWORD OnDoSwitchMode(UINT index);
    // The return to the kept settings, with the same mask.
    DWORD OnDoReturn();
    String16 MakeFailedMessage(UINT index, DWORD mask);
    // Starts ProcessProc on its own thread; FALSE (logged) when no thread
    // could be started, and the window must then end itself.
    BOOL StartWorker();

    int m_nSwitchType = 1;
    BOOL m_bNeedSignOut = FALSE;
    // The pauses that let a person watch the progress window.
    BOOL m_bPauses = TRUE;
    // The items that failed, as ProcessProc found them.
    DWORD m_dwFailed = 0;
    // The person's own settings could not be kept: nothing was changed.
    BOOL m_bKeepFailed = FALSE;
    KeepFailure m_keepFailure;
    // How long the switch may wait for other changes: from the start of the
    // run for a command line, from the person's click in the main window.
    CChangeDeadline m_deadline;

    // The window, as the worker thread reaches it.
    virtual void SetProgressPos(int position) = 0;
    virtual void SetStatusText(const char16_t* text) = 0;
    virtual int ShowFailureMessage(const String16& text) = 0;
    virtual void EndFromWorker(int result) = 0;
};

inline constexpr DWORD kProfileUnreadable = 0x800;
// The index a return to the person's own settings goes by: no profile's.
inline constexpr UINT kOriginalIndex = 3;

// A switch with no window at all, on the caller's thread and without the
// pauses: for "/quiet". The failure message goes to the log only.
class CQuietSwitch : public CSwitchWorker {
public:
    // ProcessProc's end: a ProgressResult.
    int Run(int switchType);

    void SetProgressPos(int) override {}
    void SetStatusText(const char16_t*) override {}
    int ShowFailureMessage(const String16&) override { return IDOK; }
    void EndFromWorker(int result) override { m_nResult = result; }

private:
    int m_nResult = PROGRESS_DONE;
};

// The worker thread: param is the CSwitchWorker of the progress window.
unsigned int ProcessProc(void* param);
