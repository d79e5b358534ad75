#include "switch/SwitchWorker.h"

#include "engine/SwitchMode.h"
#include "fw/WinApp.h"
#include "log/RunContext.h"
#include "res/resource.h"
#include "settings/RegControl.h"
#include "settings/SettingsStore.h"
#include "switch/ChangeLock.h"
#include "switch/OriginalSettings.h"

namespace {

// The lines of the failure message, by item bit.
struct FailureLine {
    int item;
    UINT stringId;
};
const FailureLine kFailureLines[] = {
    {ITEM_DPI, IDS_FAILED_DPI},
    {ITEM_DT_ICON_SIZE, IDS_FAILED_ICON},
    {ITEM_TITLE_SIZE, IDS_FAILED_METRICS},
    {ITEM_MOUSE_POINTER, IDS_FAILED_POINTER},
    {ITEM_CURSOR_WIDTH, IDS_FAILED_CARET_WIDTH},
    {ITEM_CURSOR_SPEED, IDS_FAILED_CARET_BLINK},
};

bool ReadProfile(CSettingsStore& settings, int switchType, UINT index, LONG* values)
{
    if (switchType == SWITCH_RESTORE) return settings.GetShipmentSettings(index, values) == 0;
    return settings.GetSettings(index, values) == 0;
}

// One item; true when it was applied (items 3 to 7 go with item 2).
bool ApplyItem(CSwitchWorker& worker, CSwitchMode& engine, int item, const LONG* values)
{
    switch (item) {
    case ITEM_DPI: {
        DWORD dpi = 0;
        if (!engine.GetDpi(&dpi)) {
            Log(u"CProgressDlg::OnDoSwitchMode getting the current dpi is failed.");
            return false;
        }
        DWORD wanted = static_cast<DWORD>(values[ITEM_DPI]);
        worker.m_bNeedSignOut = wanted != dpi || engine.WillTurnOnOneScale();
        return engine.SetDpi(wanted);
    }
    case ITEM_DT_ICON_SIZE: return engine.ChangeDesktopIconSize(static_cast<DWORD>(values[item]));
    case ITEM_TITLE_SIZE: return engine.SetWindowDesign(values);
    case ITEM_MOUSE_POINTER: return engine.SetMouseStyle(static_cast<DWORD>(values[item]));
    case ITEM_CURSOR_WIDTH: return engine.SetCaretWidth(static_cast<DWORD>(values[item]));
    case ITEM_CURSOR_SPEED: return engine.SetBlinkTime(static_cast<UINT>(values[item]));
    default: return true;
    }
}

bool RecordMode(const CSettingsStore& settings, int switchType, UINT index)
{
    DWORD mode = index;
    if (switchType == SWITCH_RESTORE) {
        mode = MODE_SHIPMENT;
    } else if (switchType == SWITCH_ORIGINAL) {
        mode = MODE_ORIGINAL;
    } else {
        bool chosenWithoutOwnMode = settings.m_nModeState == MODESTATE_SHIPMENT && settings.m_nAction == ACTION_SWITCH;
        if (static_cast<int>(index) == settings.m_nMode && !chosenWithoutOwnMode) return true;
    }
    if (RegWriteDword(HKEY_CURRENT_USER, kSettingsKey, kUserModeValue, mode) == ERROR_SUCCESS) return true;
    Log(u"CProgressDlg::OnDoSwitchMode user registry mode key is failed.");
    return false;
}

}  // namespace

DWORD CSwitchWorker::OnDoSwitchMode(UINT index)
{
    if (m_nSwitchType == SWITCH_ORIGINAL) return OnDoReturn();
    CSettingsStore& settings = *TheSettings();
    SettingValues values = {};
    if (!ReadProfile(settings, m_nSwitchType, index, values)) {
        Log(u"CProgressDlg::OnDoSwitchMode getting  the value is failed.");
        return kProfileUnreadable;
    }
    CSwitchMode engine;
    // Nothing of the person's is overwritten before their settings are kept.
    if (COriginalSettings::Keep(engine, &m_keepFailure) == KEEP_FAILED) {
        m_bKeepFailed = TRUE;
        return 0;
    }
    DWORD mask = 0;
    for (int item = 0; item < ITEM_COUNT; ++item) {
        if (!ApplyItem(*this, engine, item, values)) {
            mask |= 1u << item;
            Log(u"CProgressDlg::OnDoSwitchMode the setting of OS style is failed.");
        }
        SetProgressPos(item + 1);
    }
    RecordMode(settings, m_nSwitchType, index);
    return mask;
}

// The kept settings in the order of a switch's items. Across a change of the
// text size the window metrics wait for the sign-in run, and the set stays
// until then; it goes once everything is back, so that the next switch keeps
// the settings in effect then. A DPI in effect that cannot be had at all
// counts as another one: no metrics are put back at a DPI they may not fit.
// What is left is recorded for the run that finishes the return, and that
// run puts back only that, never what the person changed since.
DWORD CSwitchWorker::OnDoReturn()
{
    COriginalSettings kept;
    if (!kept.Read()) {
        Log(u"CProgressDlg::OnDoSwitchMode no original settings are kept.");
        return kProfileUnreadable;
    }
    if (COriginalSettings::ForgetOwed() != ERROR_SUCCESS) return kProfileUnreadable;
    CSwitchMode engine;
    DWORD dpi = 0;
    m_bNeedSignOut = !engine.GetDpiInEffect(&dpi) || kept.NeedsSignIn(dpi);
    DWORD mask = 0;
    for (int item = 0; item < ITEM_COUNT; ++item) {
        if (!kept.ApplyItem(engine, item, !m_bNeedSignOut)) {
            mask |= 1u << item;
            Log(u"CProgressDlg::OnDoSwitchMode the setting of OS style is failed.");
        }
        SetProgressPos(item + 1);
    }
    // Without the kept text size stored, no sign-in brings the metrics back.
    const DWORD metrics = 1u << ITEM_TITLE_SIZE;
    if (m_bNeedSignOut && (mask & (1u << ITEM_DPI))) mask |= metrics;
    // Without "Mode" 5 the next switch would not keep what is back now, so
    // the set stays for it.
    const bool modeRecorded = RecordMode(*TheSettings(), SWITCH_ORIGINAL, kOriginalIndex);
    const DWORD owed = mask | (m_bNeedSignOut ? metrics : 0);
    if (owed == 0) {
        if (modeRecorded) COriginalSettings::Remove();
    } else if (!COriginalSettings::RecordOwed(owed) && m_bNeedSignOut) {
        mask |= metrics;  // the sign-in run finds nothing to finish
    }
    return mask;
}

String16 CSwitchWorker::MakeFailedMessage(UINT index, DWORD mask)
{
    bool detailSettings = static_cast<int>(index) == TheSettings()->m_nMode && index != kOriginalIndex;
    String16 text;
    auto append = [&](UINT id) { text += TheRun().LoadText(id); };
    append(detailSettings ? IDS_REAPPLY_FAILED : IDS_SWITCH_FAILED);
    if (mask & kProfileUnreadable) return text;
    text += u"\n\n";
    append(detailSettings ? IDS_FAILED_REAPPLY_LEAD : IDS_FAILED_SWITCH_LEAD);
    for (const FailureLine& line : kFailureLines) {
        if (mask & (1u << line.item)) append(line.stringId);
    }
    return text;
}

int CQuietSwitch::Run(int switchType)
{
    m_nSwitchType = switchType;
    m_bPauses = FALSE;
    ProcessProc(this);
    return m_nResult;
}

BOOL CSwitchWorker::StartWorker()
{
    if (AfxBeginThread(ProcessProc, this)) return TRUE;
    Log(u"CProgressDlg::OnInitDialog AfxBeginThread is failed.");
    return FALSE;
}

namespace {

// The profile a switch of this type applies.
UINT SwitchIndex(const CSwitchWorker& worker)
{
    CSettingsStore& settings = *TheSettings();
    switch (worker.m_nSwitchType) {
    case SWITCH_REAPPLY: return static_cast<UINT>(settings.m_nMode);
    case SWITCH_RESTORE: return settings.GetShipmentMode();
    case SWITCH_ORIGINAL: return kOriginalIndex;
    default: return static_cast<UINT>(settings.m_nSelMode);
    }
}

// What a return did, for the Application event log.
void ReportReturn(int result, DWORD failed)
{
    if (result == PROGRESS_BUSY) {
        ReportEvent<EVENT_RETURN_BUSY>();
    } else if (result == PROGRESS_NOT_RUN || (failed & kProfileUnreadable)) {
        ReportEvent<EVENT_RETURN_NOT_RUN>();
    } else if (failed != 0) {
        ReportEvent<EVENT_RETURN_ITEMS_FAILED>(ItemNames(failed));
    } else if (result == PROGRESS_SIGN_OUT) {
        ReportEvent<EVENT_RETURNED_SIGN_IN>();
    } else {
        ReportEvent<EVENT_RETURNED>();
    }
}

// What a switch did, with the profile's name and number, for the
// Application event log.
void ReportSwitch(const CSwitchWorker& worker, UINT index, int result)
{
    const DWORD failed = worker.m_dwFailed;
    if (index == kOriginalIndex) {
        ReportReturn(result, failed);
        return;
    }
    const String16 name = TheSettings()->ProfileNameForReport(static_cast<int>(index));
    const String16 number = Format(u"%d", index + 1);
    if (result == PROGRESS_BUSY) {
        ReportEvent<EVENT_SWITCH_BUSY>(name, number);
    } else if (result == PROGRESS_NOT_KEPT) {
        const KeepFailure& keep = worker.m_keepFailure;
        ReportEvent<EVENT_SWITCH_NOT_KEPT>(name, number, keep.value, Format(u"%d", keep.code));
    } else if (result == PROGRESS_NOT_RUN || (failed & kProfileUnreadable)) {
        ReportEvent<EVENT_SWITCH_NOT_RUN>(name, number);
    } else if (failed != 0) {
        ReportEvent<EVENT_SWITCH_ITEMS_FAILED>(name, number, ItemNames(failed));
    } else if (result == PROGRESS_SIGN_OUT) {
        ReportEvent<EVENT_SWITCHED_SIGN_IN>(name, number);
    } else {
        ReportEvent<EVENT_SWITCHED>(name, number);
    }
}

// The changes themselves, with the Run value they call for, while this
// thread holds the exclusion; the boxes and pauses come after, so that a
// person reading a box keeps no other change waiting.
int ChangeSettings(CSwitchWorker& worker, UINT index)
{
    CHeldMutex change(Plat().sync);
    const LockResult locked = change.Lock(kChangeMutexName, worker.m_deadline.Left());
    if (!MayGoOn(locked, u"ProcessProc:")) {
        if (locked != LOCK_TIMED_OUT) return PROGRESS_NOT_RUN;
        Log(u"ProcessProc:another change of the settings runs, nothing was changed.");
        return PROGRESS_BUSY;
    }
    const DWORD mask = worker.OnDoSwitchMode(index);
    worker.m_dwFailed = mask;
    if (worker.m_bKeepFailed) return PROGRESS_NOT_KEPT;
    // A new text size stored, even beside failed items, takes effect at the
    // next sign-in: the run that re-applies the window metrics for it must
    // be there too, and the user told that a sign-out is pending.
    if (worker.m_bNeedSignOut && !(mask & (1u << ITEM_DPI))) {
        ArrangeSignInRun();
        return PROGRESS_SIGN_OUT;
    }
    if (mask == 0) RemoveLeftoverSignInRun();
    return PROGRESS_DONE;
}

}  // namespace

unsigned int ProcessProc(void* param)
{
    auto* worker = static_cast<CSwitchWorker*>(param);
    if (!worker) return 0;
    const UINT index = SwitchIndex(*worker);
    const int result = ChangeSettings(*worker, index);
    ReportSwitch(*worker, index, result);
    if (result == PROGRESS_BUSY || result == PROGRESS_NOT_RUN) {
        worker->ShowFailureMessage(worker->MakeFailedMessage(index, kProfileUnreadable));
        worker->EndFromWorker(result);
        return 0;
    }
    if (result == PROGRESS_NOT_KEPT) {
        Log(u"ProcessProc:the original settings could not be kept, nothing was changed.");
        worker->ShowFailureMessage(TheRun().LoadText(IDS_NOT_KEPT_NO_SWITCH));
        worker->EndFromWorker(result);
        return 0;
    }
    if (worker->m_dwFailed != 0) {
        Log(u"ProcessProc:OnDoSwitchMode Failed.");
        worker->ShowFailureMessage(worker->MakeFailedMessage(index, worker->m_dwFailed));
        worker->EndFromWorker(result);
        return 0;
    }
    Log(u"ProcessProc:OnDoSwitchMode Succeeded.");
    worker->SetProgressPos(ITEM_COUNT);
    if (worker->m_bPauses) Plat().system.Sleep(750);
    String16 done = TheRun().LoadText(IDS_DONE);
    if (!done.empty()) worker->SetStatusText(done.c_str());
    if (worker->m_bPauses) Plat().system.Sleep(1000);
    worker->EndFromWorker(result);
    return 0;
}
