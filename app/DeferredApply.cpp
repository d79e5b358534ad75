// The deferred apply: after a switch that changed the DPI, the window metrics
// are applied again once the new DPI is in effect, at the next sign-in
// ("/apply") or, if the tool is started by hand first, at that start.
#include "app/CorvelChg.h"
#include "engine/SwitchMode.h"
#include "settings/RegControl.h"
#include "switch/OriginalSettings.h"

namespace {

// An "/apply" run normally ends within a second or two; one stuck in a
// settings broadcast to a window that does not answer must not keep the
// tool from starting.
constexpr DWORD kCatchUpWait = 30000;

// The mutex existed, or was made by someone whose mutex we may not open.
bool AnotherHolder(const ScopedMutex& mutex, DWORD lastError)
{
    return lastError == ERROR_ALREADY_EXISTS || (!mutex.Get() && lastError == ERROR_ACCESS_DENIED);
}

}  // namespace

// A return to the person's own settings across a text-size change: their
// window metrics, pixels at their text size, once it is in effect; then the
// kept set goes, unless the return could not put back something else. A
// text size changed again since keeps it for later.
BOOL CCorvelChgApp::FinishReturn()
{
    COriginalSettings kept;
    if (!kept.Read()) return TRUE;  // nothing left to finish
    CSwitchMode engine;
    DWORD dpi = 0;
    if (!engine.GetDpi(&dpi)) {
        Log(u"CCorvelChgApp::DoApply getting the current dpi is failed.");
        return FALSE;
    }
    if (kept.NeedsSignIn(dpi)) {
        Log(u"CCorvelChgApp::DoApply DPI has been chaged by user. Apply cancel.");
        return TRUE;
    }
    if (!kept.ApplyItem(engine, ITEM_TITLE_SIZE, true)) return FALSE;
    if (kept.NotPutBack() != 0) {
        Log(u"CCorvelChgApp::DoApply the return did not put everything back, the kept settings stay.");
        return TRUE;
    }
    COriginalSettings::Remove();
    return TRUE;
}

BOOL CCorvelChgApp::DoApply()
{
    if (m_bOriginalMode) return FinishReturn();
    SettingValues values = {};
    if (m_nModeState == MODESTATE_SHIPMENT) {
        if (GetShipmentSettings(static_cast<DWORD>(m_nMode), values) != 0) return FALSE;
    } else if (GetSettings(static_cast<DWORD>(m_nMode), values) != 0) {
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

LONG CCorvelChgApp::DeleteAutoRun() { return RegDeleteValue(HKEY_CURRENT_USER, kRunKey, kRunValue); }

// Start-up with "/apply": one apply at a time; a second one gives up at once,
// since the first does the work. A change of settings that does not end in
// time leaves everything, the Run value included, to the next sign-in.
void CCorvelChgApp::RunDeferredApply()
{
    ScopedMutex mutex(Plat().sync);
    DWORD lastError = mutex.Create(kAutoRunMutexName, true);
    if (!AnotherHolder(mutex, lastError)) {
        CHeldMutex change(Plat().sync);
        if (change.Lock(kChangeMutexName, kChangeWait)) {
            ReadCurrentProfile();  // a switch may have run since the start
            Log(DoApply() ? u"Apply:Run Apply Succeeded." : u"Apply:Run Apply Failed.");
            if (DeleteAutoRun() != ERROR_SUCCESS) Log(u"Apply:Delete AutoRun failed.");
        } else {
            Log(u"Apply:another change of the settings runs, nothing was applied.");
        }
    }
    if (mutex.Get()) Plat().sync.Release(mutex.Get());
}

bool CCorvelChgApp::IsSignInRunPending()
{
    char16_t command[kTextChars] = {};
    return RegReadStr(HKEY_CURRENT_USER, kRunKey, kRunValue, command, sizeof(command)) == ERROR_SUCCESS;
}

bool CCorvelChgApp::IsSignInRunDue()
{
    CSwitchMode engine;
    DWORD appliedDpi = 96;
    DWORD nextDpi = 96;
    engine.GetDpi(&appliedDpi);
    engine.GetSettingDpi(&nextDpi);
    return appliedDpi == nextDpi;
}

// Deletes first, so that an "/apply" started meanwhile finds nothing to do.
// The caller holds both mutexes.
void CCorvelChgApp::CatchUpNow()
{
    ReadCurrentProfile();
    if (DeleteAutoRun() != ERROR_SUCCESS) Log(u"CCorvelChgApp:Delete AutoRun failed.");
    Log(DoApply() ? u"CCorvelChgApp:Run Apply Succeeded." : u"CCorvelChgApp:Run Apply Failed.");
}

// An ordinary start that finds the Run value: if the user has signed in since
// the DPI was stored, do the pending apply now; if an "/apply" run holds the
// mutex, wait for it to finish, but not for longer than kCatchUpWait.
void CCorvelChgApp::CatchUpDeferredApply()
{
    if (!IsSignInRunPending()) return;

    ScopedMutex mutex(Plat().sync);
    DWORD lastError = mutex.Create(kAutoRunMutexName, true);
    if (AnotherHolder(mutex, lastError)) {
        if (!mutex.Get()) return;
        DWORD waited = Plat().sync.Wait(mutex.Get(), kCatchUpWait);
        if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) {
            Log(u"CCorvelChgApp:Apply is still running, the start goes on without it, code: %d.", waited);
            return;  // not ours to release
        }
    } else {
        CHeldMutex change(Plat().sync);
        if (!change.Lock(kChangeMutexName, kChangeWait)) {
            Log(u"CCorvelChgApp:another change of the settings runs, the apply waits for the next start.");
        } else if (IsSignInRunDue()) {
            CatchUpNow();
        }
    }
    if (mutex.Get()) Plat().sync.Release(mutex.Get());
}
