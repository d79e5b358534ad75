// The sign-in check of a kept profile ("/keep"): Windows starts it at every
// sign-in, for every user, from the Run value that the MSI writes under
// HKEY_LOCAL_MACHINE. It shows no window and ends at once when keeping is
// off for the user.
#include "app/CorvelChg.h"
#include "engine/SwitchMode.h"
#include "settings/RegControl.h"
#include "switch/OriginalSettings.h"
#include "switch/ProfileCheck.h"

namespace {

// The desktop comes up within seconds of a sign-in; a check that finds none
// in this time goes on all the same.
constexpr DWORD kDesktopWait = 60000;
constexpr DWORD kDesktopPoll = 250;
// Windows may still be applying its own settings when the desktop is up: a
// second look this much later.
constexpr DWORD kSecondLook = 3000;
// A check and a switch wait for each other this long at most.
constexpr DWORD kKeepWait = 10000;

bool Owned(DWORD waited) { return waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED; }

bool SignInRunPending()
{
    char16_t command[kTextChars] = {};
    return RegReadStr(HKEY_CURRENT_USER, kRunKey, kRunValue, command, sizeof(command)) == ERROR_SUCCESS;
}

void WaitForDesktop()
{
    DWORD waited = 0;
    while (!CSwitchMode::IsDesktopReady()) {
        if (waited >= kDesktopWait) {
            Log(u"CCorvelChgApp::RunKeepCheck the desktop is not up, the check goes on without it.");
            return;
        }
        Plat().system.Sleep(kDesktopPoll);
        waited += kDesktopPoll;
    }
}

}  // namespace

int CCorvelChgApp::RunKeepCheck()
{
    bool enforced = false;
    if (!KeepProfile(&enforced)) return EXIT_DONE;
    if (SignInRunPending()) {
        Log(u"CCorvelChgApp::RunKeepCheck the sign-in run is pending and does the work.");
        return EXIT_DONE;
    }
    if (m_bOriginalMode) {
        Log(u"CCorvelChgApp::RunKeepCheck the person's own settings are in effect, no profile is kept.");
        return EXIT_DONE;
    }
    WaitForDesktop();

    // Two checks never run at once, and a switch never runs beside one.
    ScopedMutex check(Plat().sync);
    (void)check.Create(kKeepMutexName, false);
    if (!check.Get() || !Owned(Plat().sync.Wait(check.Get(), 0))) {
        Log(u"CCorvelChgApp::RunKeepCheck another check runs.");
        return EXIT_DONE;
    }
    ScopedMutex tool(Plat().sync);
    (void)tool.Create(kToolMutexName, false);
    if (!tool.Get() || !Owned(Plat().sync.Wait(tool.Get(), kKeepWait))) {
        Log(u"CCorvelChgApp::RunKeepCheck another Tessaly runs, nothing was checked.");
        Plat().sync.Release(check.Get());
        return EXIT_RUNNING;
    }
    int exitCode = CheckKeptProfile();
    Plat().sync.Release(tool.Get());
    Plat().sync.Release(check.Get());
    return exitCode;
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
    Plat().system.Sleep(kSecondLook);
    ProfileCheckResult second = CheckProfile(engine, values, NotToLookAtAgain(first));
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

// A start that finds a check running waits for it, a few seconds at most,
// rather than finding "another Tessaly".
void CCorvelChgApp::WaitForKeepCheck()
{
    ScopedMutex check(Plat().sync);
    if (check.Create(kKeepMutexName, false) != ERROR_ALREADY_EXISTS || !check.Get()) return;
    if (Owned(Plat().sync.Wait(check.Get(), kKeepWait))) Plat().sync.Release(check.Get());
}
