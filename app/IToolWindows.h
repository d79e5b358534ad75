// The tool's windows as the interactive run uses them: each is shown
// modally and answers with its result code.
#pragma once

#include "platform/WinTypes.h"
#include "switch/SwitchWorker.h"

// What the main window ends with.
enum MainResult {
    MAIN_CLOSED = 0,
    MAIN_SWITCH = 1,         // a profile button was clicked
    MAIN_CLOSED_EDITED = 3,  // closed after the current profile was edited
    MAIN_RESTORE = 5,        // the factory settings were confirmed
    MAIN_ORIGINAL = 6,       // the return to the person's own settings was confirmed
};

// What the sign-out prompt ends with.
enum PromptResult { PROMPT_LATER = 0, PROMPT_SIGN_OUT_NOW = 4 };

class IToolWindows {
public:
    virtual ~IToolWindows() = default;

    // The main window: a MainResult.
    virtual int MainWindow() = 0;
    // The progress window with its worker: a ProgressResult; *failedItems
    // gets the worker's mask of the items that failed. The worker waits for
    // other changes no longer than the deadline gives.
    virtual int ProgressWindow(int switchType, const CChangeDeadline& deadline, DWORD* failedItems) = 0;
    // The sign-out prompt: a PromptResult.
    virtual int SignOutPrompt(int switchType) = 0;
};

// The real windows, made by the user interface (ui/) for the program.
IToolWindows& TheToolWindows();
