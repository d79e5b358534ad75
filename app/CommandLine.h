// The command line beyond "/CreateLog" and "/apply": a profile switch or a
// factory restore without the main window, for shortcuts and scripts.
#pragma once

#include "platform/WinTypes.h"

enum CommandAction {
    COMMAND_NONE,     // the interactive run
    COMMAND_MODE,     // "/mode N": switch to profile N - 1
    COMMAND_RESTORE,  // "/restore": the factory settings
    COMMAND_ORIGINAL, // "/original": the person's own settings from before the first switch
    COMMAND_KEEP,     // "/keep": the sign-in check of a kept profile
    COMMAND_USAGE,    // "/?": the usage box
    COMMAND_BAD,      // not understood: the usage box, nothing changed
};

// The process's exit codes for a command-line switch.
enum CommandExit {
    EXIT_DONE = 0,          // done, nothing waits for a sign-in
    EXIT_AFTER_SIGN_IN = 1, // done; the text size takes effect at the next sign-in
    EXIT_ITEMS_FAILED = 2,  // some or all settings were not applied (the switch may not have run, or could not
                            // keep the person's own settings first and changed nothing)
    EXIT_BAD_COMMAND = 3,   // not understood; nothing changed
    EXIT_RUNNING = 4,       // another instance is open, or another change ran for 30 s; nothing changed
    EXIT_NOTHING_KEPT = 5,  // "/original", but no settings of the person's own are kept; nothing changed
};

struct CommandLine {
    CommandAction action = COMMAND_NONE;
    int mode = 0;          // the profile index (0 to 2) of "/mode"
    bool quiet = false;    // no window at all, and never a sign-out
    bool createLog = false;
    bool apply = false;
};

// The new switches start with "/" or "-" and are matched without regard to
// case. "/CreateLog" and "/apply" are found, as ever, as exact substrings
// anywhere in the line; other spellings of them are accepted and do nothing.
CommandLine ParseCommandLine(StringView16 line);

// The exit code of a switch: from its ProgressResult and the mask of the
// items that failed.
int SwitchExitCode(int progressResult, DWORD failedItems);
