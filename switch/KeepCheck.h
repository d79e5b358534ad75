// The sign-in check of a kept profile ("/keep"): Windows starts it at every
// sign-in, for every user, from the Run value that the MSI writes under
// HKEY_LOCAL_MACHINE. It shows no window and ends at once when keeping is
// off for the user; else it puts back what Windows changed of the profile.
#pragma once

#include "settings/SettingsStore.h"
#include "switch/ChangeLock.h"

// Written by the check when it stored the text size again: the main window
// says so once.
inline constexpr char16_t kTextSizePutBackValue[] = u"TextSizePutBack";

// How a check ended.
enum CheckResult {
    CHECK_OFF,            // keeping is off for the user, or their own settings are in effect
    CHECK_DONE,           // every item is as the profile gives it now
    CHECK_AFTER_SIGN_IN,  // done; the text size stored again takes effect at the next sign-in
    CHECK_ITEMS_FAILED,   // an item could not be put back, or the profile not read
    CHECK_NOT_KEPT,       // the person's own settings could not be kept first: nothing changed
    CHECK_BUSY,           // another change held the exclusion until the deadline: nothing checked
    CHECK_NOT_RUN,        // the exclusion could not be had at all: nothing checked
};

class CKeepCheck {
public:
    explicit CKeepCheck(CSettingsStore& settings) : m_settings(settings) {}

    // Waits for the desktop and for a pending sign-in run, holding nothing;
    // then holds the exclusion, within one deadline for both of its waits,
    // and reads what is current only then.
    CheckResult Run();

private:
    // Keeping is on for the user and a profile is current for them.
    bool IsKept();
    CheckResult CheckKeptProfile();
    void ReportLooks(DWORD putBack, DWORD failed);

    CSettingsStore& m_settings;
};
