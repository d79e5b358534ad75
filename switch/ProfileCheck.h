// The sign-in check of a kept profile: compares every setting the profile
// gives with what is in effect and applies again only what differs, with the
// calls of a switch and no pauses. Window metrics count as equal when they
// equal what Windows reported back after the last switch: Windows adjusts
// some values on its own.
#pragma once

#include "engine/SwitchMode.h"
#include "settings/SettingModel.h"
#include "switch/OriginalSettings.h"

struct ProfileCheckResult {
    DWORD failed = 0;             // bit n: item n differed and could not be put back
    DWORD putBack = 0;            // bit n: item n was put back
    bool textSizeStored = false;  // the text size was stored again for the next sign-in
    bool keepFailed = false;      // the person's own settings could not be kept: nothing was changed
    KeepFailure keepFailure;      // ... what could not be written
};

// One look at every item of the profile's values, in the order of a switch;
// each item put back gets a log line with what Windows had and what was put
// back. Before the first change the person's own settings are kept, when
// none are yet (COriginalSettings::Keep); when that fails the look stops
// before its first change.
// Items in skip are not looked at.
ProfileCheckResult CheckProfile(CSwitchMode& engine, const SettingValues& values, DWORD skip = 0);

// What a second look, a little later, must not look at again: the desktop
// icon size is Explorer's record, which it writes some time after a change.
DWORD NotToLookAtAgain(const ProfileCheckResult& first);
