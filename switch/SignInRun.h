// The sign-in run's bookkeeping: after a switch that stored a text size for
// the next sign-in, the Run value kRunValue starts the tool with "/apply" at
// that sign-in, to apply the window metrics again at the new text size. Its
// work is due once the stored text size is in effect.
#pragma once

#include "platform/WinTypes.h"

inline constexpr char16_t kRunKey[] = u"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr char16_t kRunValue[] = u"CorvelChg";

// Writes the Run value: the program's path in quotation marks, and "/apply".
void ArrangeSignInRun();
// The Run value is there (as a REG_SZ that fits 260 characters): its work is
// still to be done.
bool IsSignInRunPending();
// The stored text size is in effect, so the sign-in run is due (both count
// as 96 when unreadable).
bool IsSignInRunDue();
// Deletes the Run value: 0, or the registry's error (2: it was not there).
LONG DeleteSignInRun();
// A switch that needs no sign-in removes a Run value an earlier one left.
void RemoveLeftoverSignInRun();
