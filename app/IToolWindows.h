// The tool's windows as the interactive run uses them: each is shown
// modally and answers with its result code.
#pragma once

#include "platform/WinTypes.h"

class IToolWindows {
public:
    virtual ~IToolWindows() = default;

    // The main window: 0 close, 1 switch, 3 closed after the current profile
    // was edited, 5 restore the factory settings.
    virtual int MainWindow() = 0;
    // The progress window with its worker: 4 when a sign-out is needed;
    // *failedItems gets the worker's mask of the items that failed.
    virtual int ProgressWindow(int switchType, DWORD* failedItems) = 0;
    // The sign-out prompt: 4 when the user signs out now.
    virtual int SignOutPrompt(int switchType) = 0;
};

// The real windows, made by the user interface (ui/) for the program.
IToolWindows& TheToolWindows();
