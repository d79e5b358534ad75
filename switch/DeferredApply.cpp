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

// Every item again, not only the metrics: an item that a return before the
// sign-in could not put back gets another try, and the set goes only when
// this run has seen every item back, whatever the return recorded.
BOOL CDeferredApply::FinishReturn()
{
    COriginalSettings kept;
    if (!kept.Read()) return TRUE;  // nothing left to finish
    CSwitchMode engine;
    DWORD dpi = 0;
    if (!engine.GetDpiInEffect(&dpi)) {
        Log(u"CCorvelChgApp::DoApply getting the current dpi is failed.");
        return FALSE;
    }
    if (kept.NeedsSignIn(dpi)) {
        Log(u"CCorvelChgApp::DoApply DPI has been chaged by user. Apply cancel.");
        return TRUE;
    }
    if (kept.ApplyAll(engine) != 0) {
        Log(u"CCorvelChgApp::DoApply the return did not put everything back, the kept settings stay.");
        return FALSE;
    }
    COriginalSettings::Remove();
    return TRUE;
}

BOOL CDeferredApply::DoApply()
{
    if (m_settings.m_bOriginalMode) return FinishReturn();
    SettingValues values = {};
    const DWORD mode = static_cast<DWORD>(m_settings.m_nMode);
    if (m_settings.m_nModeState == MODESTATE_SHIPMENT) {
        if (m_settings.GetShipmentSettings(mode, values) != 0) return FALSE;
    } else if (m_settings.GetSettings(mode, values) != 0) {
        return FALSE;
    }
    CSwitchMode engine;
    DWORD dpi = 0;
    if (!engine.GetDpi(&dpi)) {
        Log(u"CCorvelChgApp::DoApply getting the current dpi is failed.");
        return FALSE;
    }
    if (static_cast<DWORD>(values[ITEM_DPI]) == dpi) return engine.SetWindowDesign(values);
    Log(u"CCorvelChgApp::DoApply DPI has been chaged by user. Apply cancel.");
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
            if (DeleteSignInRun() != ERROR_SUCCESS) Log(u"Apply:Delete AutoRun failed.");
        } else if (locked == LOCK_TIMED_OUT) {
            Log(u"Apply:another change of the settings runs, nothing was applied.");
        }
    }
    if (mutex.Get()) Plat().sync.Release(mutex.Get());
}

// Deletes first, so that an "/apply" started meanwhile finds nothing to do.
void CDeferredApply::CatchUpNow()
{
    m_settings.ReadCurrentProfile();
    if (DeleteSignInRun() != ERROR_SUCCESS) Log(u"CCorvelChgApp:Delete AutoRun failed.");
    Log(DoApply() ? u"CCorvelChgApp:Run Apply Succeeded." : u"CCorvelChgApp:Run Apply Failed.");
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
            if (IsSignInRunDue()) CatchUpNow();
        } else if (locked == LOCK_TIMED_OUT) {
            Log(u"CCorvelChgApp:another change of the settings runs, the apply waits for the next start.");
        }
    }
    if (mutex.Get()) Plat().sync.Release(mutex.Get());
}
