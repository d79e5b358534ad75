// The sign-in check of a kept profile ("/keep"): Windows starts it at every
// sign-in, for every user, from the Run value that the MSI writes under
// HKEY_LOCAL_MACHINE. It shows no window and ends at once when keeping is
// off for the user.
#include "app/CorvelChg.h"
#include "engine/SwitchMode.h"
#include "settings/RegControl.h"
#include "switch/ProfileCheck.h"

namespace {

// The desktop comes up within seconds of a sign-in; a check that finds none
// in this time goes on all the same.
constexpr DWORD kDesktopWait = 60000;
// Windows starts the Run values of a sign-in together; the sign-in run of a
// text-size switch usually ends within seconds. One the person disabled, or
// one of a removed copy, never comes: then the check does its work.
constexpr DWORD kSignInRunWait = 45000;
constexpr DWORD kPoll = 250;
// Windows may still be applying its own settings when the desktop is up: a
// second look this much later.
constexpr DWORD kSecondLook = 3000;

// Polls until the condition holds, at most limit; false when it never did.
bool PollFor(BOOL (*condition)(), DWORD limit)
{
    for (DWORD waited = 0; !condition(); waited += kPoll) {
        if (waited >= limit) return false;
        Plat().system.Sleep(kPoll);
    }
    return true;
}

BOOL SignInRunDone() { return !CCorvelChgApp::IsSignInRunPending(); }

}  // namespace

// Waits for the desktop and for a pending sign-in run, holding nothing; then
// holds the exclusion and reads what is current only now, so that a switch
// made meanwhile is the one it checks.
int CCorvelChgApp::RunKeepCheck()
{
    bool enforced = false;
    if (!KeepProfile(&enforced)) return EXIT_DONE;
    if (m_bOriginalMode && !enforced) {
        Log(u"CCorvelChgApp::RunKeepCheck the person's own settings are in effect, no profile is kept.");
        return EXIT_DONE;
    }
    if (!PollFor(CSwitchMode::IsDesktopReady, kDesktopWait)) {
        Log(u"CCorvelChgApp::RunKeepCheck the desktop is not up, the check goes on without it.");
    }
    if (!PollFor(SignInRunDone, kSignInRunWait)) {
        Log(u"CCorvelChgApp::RunKeepCheck the sign-in run did not come.");
    }

    CHeldMutex autoRun(Plat().sync);
    CHeldMutex change(Plat().sync);
    if (!autoRun.Lock(kAutoRunMutexName, kChangeWait) || !change.Lock(kChangeMutexName, kChangeWait)) {
        Log(u"CCorvelChgApp::RunKeepCheck another change of the settings runs, nothing was checked.");
        return EXIT_RUNNING;
    }
    ReadCurrentProfile();
    if (!KeepProfile(&enforced)) return EXIT_DONE;
    if (m_bOriginalMode && !enforced) {
        Log(u"CCorvelChgApp::RunKeepCheck the person's own settings are in effect, no profile is kept.");
        return EXIT_DONE;
    }
    // A sign-in run that never came: its work first, as an ordinary start
    // does it. A value of a later sign-in is left to that one.
    if (IsSignInRunPending() && IsSignInRunDue()) CatchUpNow();
    return CheckKeptProfile();
}

// Two looks, the second a little later; the person's own settings are kept
// first when a look changes something, as before a switch.
int CCorvelChgApp::CheckKeptProfile()
{
    SettingValues values = {};
    const DWORD mode = static_cast<DWORD>(m_nMode);
    const int read = m_nModeState == MODESTATE_SHIPMENT ? GetShipmentSettings(mode, values) : GetSettings(mode, values);
    if (read != 0) {
        Log(u"CCorvelChgApp::RunKeepCheck the profile could not be read.");
        return EXIT_ITEMS_FAILED;
    }
    CSwitchMode engine;
    ProfileCheckResult first = CheckProfile(engine, values);
    if (first.keepFailed) return EXIT_ITEMS_FAILED;
    Plat().system.Sleep(kSecondLook);
    ProfileCheckResult second = CheckProfile(engine, values, NotToLookAtAgain(first));
    if (second.keepFailed) return EXIT_ITEMS_FAILED;
    const DWORD failed = first.failed | second.failed;
    if (first.textSizeStored || second.textSizeStored) {
        ArrangeSignInRun();
        if (RegWriteDword(HKEY_CURRENT_USER, kSettingsKey, kTextSizePutBackValue, 1) != ERROR_SUCCESS) {
            Log(u"CCorvelChgApp::RunKeepCheck the note for the main window could not be written.");
        }
    }
    if (failed != 0) return EXIT_ITEMS_FAILED;
    return first.textSizeStored || second.textSizeStored ? EXIT_AFTER_SIGN_IN : EXIT_DONE;
}
