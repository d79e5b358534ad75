#include "switch/DeferredApply.h"

#include "engine/SwitchMode.h"
#include "log/RunContext.h"
#include "switch/OriginalSettings.h"
#include "switch/SignInRun.h"

namespace {

// The mutex existed, or was made by someone whose mutex we may not open.
bool AnotherHolder(const ScopedMutex& mutex, DWORD lastError)
{
    return lastError == ERROR_ALREADY_EXISTS || (!mutex.Get() && lastError == ERROR_ACCESS_DENIED);
}

}  // namespace

BOOL CDeferredApply::Cancelled(DWORD dpiInEffect, DWORD dpiWanted)
{
    Log(u"CCorvelChgApp::DoApply DPI has been chaged by user. Apply cancel.");
    m_outcome = APPLY_CANCELLED;
    m_dwDpiInEffect = dpiInEffect;
    m_dwDpiWanted = dpiWanted;
    return TRUE;
}

BOOL CDeferredApply::Failed()
{
    m_outcome = APPLY_FAILED;
    return FALSE;
}

BOOL CDeferredApply::Unfinished(DWORD left)
{
    m_outcome = APPLY_RETURN_LEFT;
    m_dwLeft = left;
    return FALSE;
}

// The sign-in run's work, done at the sign-in or at the catch-up of a start.
void CDeferredApply::ReportOutcome()
{
    switch (m_outcome) {
    case APPLY_NOTHING: break;
    case APPLY_DONE: {
        const int mode = m_settings.m_nMode;
        ReportEvent<EVENT_SIGN_IN_RUN_DONE>(m_settings.ProfileNameForReport(mode), Format(u"%d", mode + 1),
                                            Format(u"%d", m_dwDpiInEffect));
        break;
    }
    case APPLY_RETURNED: ReportEvent<EVENT_SIGN_IN_RUN_RETURNED>(); break;
    case APPLY_RETURN_LEFT: ReportEvent<EVENT_SIGN_IN_RUN_RETURN_LEFT>(ItemNames(m_dwLeft)); break;
    case APPLY_CANCELLED:
        ReportEvent<EVENT_SIGN_IN_RUN_CANCELLED>(Format(u"%d", m_dwDpiInEffect), Format(u"%d", m_dwDpiWanted));
        break;
    case APPLY_FAILED: {
        const int mode = m_settings.m_nMode;
        ReportEvent<EVENT_SIGN_IN_RUN_FAILED>(m_settings.ProfileNameForReport(mode), Format(u"%d", mode + 1));
        break;
    }
    case APPLY_HELD_OFF: ReportEvent<EVENT_SIGN_IN_RUN_HELD_OFF>(); break;
    }
}

bool CDeferredApply::IsDue() { return m_settings.m_bOriginalMode ? IsReturnDue() : IsSignInRunDue(); }

// A return removes "LogPixels" from a person who had none, and Windows then
// takes the display's recommended size, not 96: the one the set kept.
bool CDeferredApply::IsReturnDue()
{
    COriginalSettings kept;
    if (!kept.Read() || !kept.HasOwed()) return true;  // nothing waits: the Run value goes
    CSwitchMode engine;
    DWORD inEffect = 0;
    if (!engine.GetDpiInEffect(&inEffect)) return false;
    DWORD stored = kept.KeptDpi();
    engine.GetSettingDpi(&stored);
    return inEffect == stored;
}

// What the return owes, as it recorded it: the metrics, now that the kept
// text size is in effect, and the items it could not put back. Nothing
// else: what the person changed since the return stays theirs. The set goes
// only when all of it is back; otherwise the Run value stays and the next
// start or sign-in tries again.
BOOL CDeferredApply::FinishReturn()
{
    COriginalSettings kept;
    if (!kept.Read() || !kept.HasOwed()) return TRUE;  // no return waits for this run
    CSwitchMode engine;
    DWORD dpi = 0;
    if (!engine.GetDpiInEffect(&dpi)) {
        Log(u"CCorvelChgApp::DoApply getting the current dpi is failed.");
        return Unfinished(kept.Owed());
    }
    if (kept.NeedsSignIn(dpi)) return Cancelled(dpi, kept.KeptDpi());
    const DWORD left = kept.ApplyOwed(engine);
    if (left != 0) {
        Log(u"CCorvelChgApp::DoApply the return did not put everything back, the kept settings stay.");
        COriginalSettings::RecordOwed(left);
        return Unfinished(left);
    }
    COriginalSettings::Remove();
    m_outcome = APPLY_RETURNED;
    return TRUE;
}

BOOL CDeferredApply::DoApply()
{
    if (m_settings.m_bOriginalMode) return FinishReturn();
    SettingValues values = {};
    const DWORD mode = static_cast<DWORD>(m_settings.m_nMode);
    if (m_settings.m_nModeState == MODESTATE_SHIPMENT) {
        if (m_settings.GetShipmentSettings(mode, values) != 0) return Failed();
    } else if (m_settings.GetSettings(mode, values) != 0) {
        return Failed();
    }
    CSwitchMode engine;
    DWORD dpi = 0;
    if (!engine.GetDpi(&dpi)) {
        Log(u"CCorvelChgApp::DoApply getting the current dpi is failed.");
        return Failed();
    }
    const DWORD wanted = static_cast<DWORD>(values[ITEM_DPI]);
    if (wanted != dpi) return Cancelled(dpi, wanted);
    if (!engine.SetWindowDesign(values)) return Failed();
    m_outcome = APPLY_DONE;
    m_dwDpiInEffect = dpi;
    return TRUE;
}

// A change of settings that does not end in time leaves everything, the Run
// value included, to the next sign-in.
void CDeferredApply::RunAtSignIn(const CChangeDeadline& deadline)
{
    ScopedMutex mutex(Plat().sync);
    DWORD lastError = mutex.Create(kAutoRunMutexName, true);
    if (!AnotherHolder(mutex, lastError)) {
        CHeldMutex change(Plat().sync);
        const LockResult locked = change.Lock(kChangeMutexName, deadline.Left());
        if (MayGoOn(locked, u"Apply:")) {
            m_settings.ReadCurrentProfile();  // a switch may have run since the start
            Log(DoApply() ? u"Apply:Run Apply Succeeded." : u"Apply:Run Apply Failed.");
            ReportOutcome();
            if (m_outcome == APPLY_RETURN_LEFT) {
                Log(u"Apply:the return is not finished, the Run value stays for another try.");
            } else if (DeleteSignInRun() != ERROR_SUCCESS) {
                Log(u"Apply:Delete AutoRun failed.");
            }
        } else {
            if (locked == LOCK_TIMED_OUT) Log(u"Apply:another change of the settings runs, nothing was applied.");
            m_outcome = APPLY_HELD_OFF;  // the Run value stays for the next sign-in
            ReportOutcome();
        }
    } else {
        Log(u"Apply:the sign-in run's mutex exists, this run changes nothing.");
    }
    if (mutex.Get()) Plat().sync.Release(mutex.Get());
}

// Deletes first, so that an "/apply" started meanwhile finds nothing to do.
void CDeferredApply::CatchUpNow()
{
    if (DeleteSignInRun() != ERROR_SUCCESS) Log(u"CCorvelChgApp:Delete AutoRun failed.");
    Log(DoApply() ? u"CCorvelChgApp:Run Apply Succeeded." : u"CCorvelChgApp:Run Apply Failed.");
    ReportOutcome();
    if (m_outcome == APPLY_RETURN_LEFT) ArrangeSignInRun();  // another try at the next start or sign-in
}

// A sign-in run under way is waited for, within the deadline, and its work
// is not done again here, abandoned or not: the next start or sign-in does
// what it left.
void CDeferredApply::CatchUp(const CChangeDeadline& deadline)
{
    if (!IsSignInRunPending()) return;

    ScopedMutex mutex(Plat().sync);
    DWORD lastError = mutex.Create(kAutoRunMutexName, true);
    if (AnotherHolder(mutex, lastError)) {
        if (!mutex.Get()) return;
        const DWORD waited = Plat().sync.Wait(mutex.Get(), deadline.Left());
        if (waited == WAIT_ABANDONED) MayGoOn(LOCK_ABANDONED, u"CCorvelChgApp:");
        if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) {
            Log(u"CCorvelChgApp:Apply is still running, the start goes on without it, code: %d.", waited);
            return;  // not ours to release
        }
    } else {
        CHeldMutex change(Plat().sync);
        const LockResult locked = change.Lock(kChangeMutexName, deadline.Left());
        if (MayGoOn(locked, u"CCorvelChgApp:")) {
            m_settings.ReadCurrentProfile();  // a switch may have run since the start
            if (IsDue()) CatchUpNow();
        } else if (locked == LOCK_TIMED_OUT) {
            Log(u"CCorvelChgApp:another change of the settings runs, the apply waits for the next start.");
        }
    }
    if (mutex.Get()) Plat().sync.Release(mutex.Get());
}
