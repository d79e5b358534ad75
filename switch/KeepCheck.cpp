#include "switch/KeepCheck.h"

#include "engine/SwitchMode.h"
#include "log/RunContext.h"
#include "settings/RegControl.h"
#include "switch/DeferredApply.h"
#include "switch/ProfileCheck.h"
#include "switch/SignInRun.h"

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
bool PollFor(bool (*condition)(), DWORD limit)
{
    for (DWORD waited = 0; !condition(); waited += kPoll) {
        if (waited >= limit) return false;
        Plat().system.Sleep(kPoll);
    }
    return true;
}

bool DesktopReady() { return CSwitchMode::IsDesktopReady() != FALSE; }
bool SignInRunDone() { return !IsSignInRunPending(); }

// A check that is off reports nothing, not even a policy value or a wait it
// met before it knew: its events wait until it does.
class CHeldEvents {
public:
    CHeldEvents() { HoldEvents(); }
    ~CHeldEvents() { ReleaseEvents(false); }
    void Report() { ReleaseEvents(true); }
};

CheckResult KeepFailed(const KeepFailure& failure)
{
    ReportEvent<EVENT_CHECK_NOT_KEPT>(failure.value, Format(u"%d", failure.code));
    return CHECK_NOT_KEPT;
}

}  // namespace

// One event for a check that changed or failed something, naming the items;
// none for one that found everything as the profile gives it.
void CKeepCheck::ReportLooks(DWORD putBack, DWORD failed)
{
    if (putBack == 0 && failed == 0) return;
    const int mode = m_settings.m_nMode;
    const String16 name = m_settings.ProfileNameForReport(mode);
    const String16 number = Format(u"%d", mode + 1);
    if (failed != 0) {
        ReportEvent<EVENT_CHECK_ITEMS_FAILED>(name, number, ItemNames(putBack), ItemNames(failed));
    } else {
        ReportEvent<EVENT_CHECK_PUT_BACK>(name, number, ItemNames(putBack));
    }
}

bool CKeepCheck::IsKept()
{
    bool enforced = false;
    if (!KeepProfile(&enforced)) return false;
    if (!m_settings.m_bOriginalMode) return true;
    Log(u"CCorvelChgApp::RunKeepCheck the person's own settings are in effect, no profile is kept.");
    return false;
}

CheckResult CKeepCheck::Run()
{
    CHeldEvents held;
    if (!IsKept()) return CHECK_OFF;
    if (!PollFor(DesktopReady, kDesktopWait)) {
        Log(u"CCorvelChgApp::RunKeepCheck the desktop is not up, the check goes on without it.");
        ReportEvent<EVENT_CHECK_NO_DESKTOP>();
    }
    if (!PollFor(SignInRunDone, kSignInRunWait)) {
        Log(u"CCorvelChgApp::RunKeepCheck the sign-in run did not come.");
        ReportEvent<EVENT_CHECK_NO_SIGN_IN_RUN>();
    }

    CChangeDeadline deadline;
    deadline.Start();
    CHeldMutex autoRun(Plat().sync);
    CHeldMutex change(Plat().sync);
    LockResult locked = autoRun.Lock(kAutoRunMutexName, deadline.Left());
    if (MayGoOn(locked, u"CCorvelChgApp::RunKeepCheck")) locked = change.Lock(kChangeMutexName, deadline.Left());
    if (!MayGoOn(locked, u"CCorvelChgApp::RunKeepCheck")) {
        held.Report();  // on when it started; nothing known since
        if (locked != LOCK_TIMED_OUT) {
            ReportEvent<EVENT_CHECK_NOT_RUN>();
            return CHECK_NOT_RUN;
        }
        Log(u"CCorvelChgApp::RunKeepCheck another change of the settings runs, nothing was checked.");
        ReportEvent<EVENT_CHECK_BUSY>();
        return CHECK_BUSY;
    }
    m_settings.ReadCurrentProfile();
    if (!IsKept()) return CHECK_OFF;
    held.Report();
    // A sign-in run that never came: its work first, as an ordinary start
    // does it. A value of a later sign-in is left to that one.
    if (IsSignInRunPending() && IsSignInRunDue()) CDeferredApply(m_settings).CatchUpNow();
    return CheckKeptProfile();
}

// Two looks, the second a little later; the person's own settings are kept
// first when a look changes something, as before a switch.
CheckResult CKeepCheck::CheckKeptProfile()
{
    SettingValues values = {};
    const DWORD mode = static_cast<DWORD>(m_settings.m_nMode);
    const int read = m_settings.m_nModeState == MODESTATE_SHIPMENT ? m_settings.GetShipmentSettings(mode, values)
                                                                    : m_settings.GetSettings(mode, values);
    if (read != 0) {
        Log(u"CCorvelChgApp::RunKeepCheck the profile could not be read.");
        ReportEvent<EVENT_CHECK_NOT_RUN>();
        return CHECK_ITEMS_FAILED;
    }
    CSwitchMode engine;
    ProfileCheckResult first = CheckProfile(engine, values);
    if (first.keepFailed) return KeepFailed(first.keepFailure);
    Plat().system.Sleep(kSecondLook);
    ProfileCheckResult second = CheckProfile(engine, values, NotToLookAtAgain(first));
    if (second.keepFailed) return KeepFailed(second.keepFailure);
    const DWORD failed = first.failed | second.failed;
    ReportLooks(first.putBack | second.putBack, failed);
    const bool textSizeStored = first.textSizeStored || second.textSizeStored;
    if (textSizeStored) {
        ArrangeSignInRun();
        if (RegWriteDword(HKEY_CURRENT_USER, kSettingsKey, kTextSizePutBackValue, 1) != ERROR_SUCCESS) {
            Log(u"CCorvelChgApp::RunKeepCheck the note for the main window could not be written.");
        }
    }
    if (failed != 0) return CHECK_ITEMS_FAILED;
    return textSizeStored ? CHECK_AFTER_SIGN_IN : CHECK_DONE;
}
