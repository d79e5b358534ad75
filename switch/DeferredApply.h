// The deferred apply: after a switch that stored a text size for the next
// sign-in, the window metrics are applied again once it is in effect, at that
// sign-in ("/apply") or, if the tool is started by hand first, at that start
// (the catch-up). A return to the person's own settings across a text size
// finishes the same way.
#pragma once

#include "settings/SettingsStore.h"
#include "switch/ChangeLock.h"

class CDeferredApply {
public:
    explicit CDeferredApply(CSettingsStore& settings) : m_settings(settings) {}

    // The window metrics of the current profile when its DPI is the DPI in
    // effect; for a person back at their own settings, FinishReturn. TRUE:
    // applied, or left because the DPI differs; FALSE: it could not be done.
    BOOL DoApply();
    // A return that waited for the sign-in run, or could not put an item
    // back: what it owes, as it recorded it. The set goes only when all of it
    // is back.
    BOOL FinishReturn();
    // "/apply": one at a time; one that finds another holder gives up at
    // once, and the Run value stays for it.
    void RunAtSignIn(const CChangeDeadline& deadline);
    // An ordinary start that finds the Run value: the work now when it is due,
    // after a sign-in run still under way, without its own apply.
    void CatchUp(const CChangeDeadline& deadline);
    // The catch-up's work: the Run value goes, then the apply. The caller
    // holds both mutexes and has read the current profile since it took them.
    void CatchUpNow();

private:
    // What DoApply did, for the Application event log.
    enum Outcome {
        APPLY_NOTHING,
        APPLY_DONE,
        APPLY_RETURNED,
        APPLY_RETURN_LEFT,  // a return not finished yet: the Run value stays
        APPLY_CANCELLED,
        APPLY_FAILED,
        APPLY_HELD_OFF,  // another change held the exclusion: the Run value stays
    };
    // The catch-up's test that the sign-in has come: the text size stored is
    // the one in effect; for a return, see IsReturnDue.
    bool IsDue();
    bool IsReturnDue();
    BOOL Cancelled(DWORD dpiInEffect, DWORD dpiWanted);
    BOOL Failed();
    BOOL Unfinished(DWORD left);
    void ReportOutcome();

    CSettingsStore& m_settings;
    Outcome m_outcome = APPLY_NOTHING;
    DWORD m_dwDpiInEffect = 0;
    DWORD m_dwDpiWanted = 0;
    DWORD m_dwLeft = 0;
};
