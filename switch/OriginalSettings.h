// The person's own display settings, kept once before the tool's first
// switch so that one choice can put them back. The set lies under
// HKEY_CURRENT_USER "Software\Halden\CorvelChg\Original", in the format that
// docs/original-settings.md gives. It is whole once "Complete" is there,
// written last after the rest is on disk, with its lists of absent and
// unreadable values and the DPI in effect; a set that is not whole is never
// used.
#pragma once

#include <vector>

#include "engine/SwitchMode.h"

class SetWriter;

inline constexpr char16_t kOriginalKey[] = u"Software\\Halden\\CorvelChg\\Original";

enum KeepResult {
    KEEP_KEPT,        // a whole set is on disk now
    KEEP_NOT_NEEDED,  // one was already, or the settings in effect are not the person's own
    KEEP_FAILED,      // the set could not be written: nothing may change
};

// What a failed keep could not write, and the error.
struct KeepFailure {
    String16 value;
    LONG code = 0;
};

class COriginalSettings {
public:
    // Before a switch changes anything: keeps the settings in effect and
    // stored now, unless a whole set is kept already (then it forgets what
    // a return still owed, see ForgetOwed) or the user's "Mode"
    // says that a switch of an earlier version replaced them (any value but
    // MODE_ORIGINAL). A failed keep is logged, says in *failure what failed
    // and leaves no part of a set.
    static KeepResult Keep(CSwitchMode& engine, KeepFailure* failure = nullptr);
    // A whole set is kept.
    static bool IsKept();
    // Removes the set, "Complete" first, so that what is left is never whole.
    static void Remove();

    // Reads a whole set; false when there is none, or none whole (logged
    // with what is missing).
    bool Read();
    // The DPI in effect (CSwitchMode::GetDpiInEffect) differs from the one of
    // the set: the window metrics, pixels at the DPI in effect, wait for the
    // sign-in run.
    bool NeedsSignIn(DWORD dpiInEffect) const;
    DWORD KeptDpi() const { return m_dwAppliedDpi; }
    // What a return still owes (bit n for item n): the items it could not
    // put back, and the window metrics (item 2) while it waits for the
    // sign-in run. A return forgets the record of the one before it first,
    // and changes nothing when it cannot; then records its own, unless it
    // owes nothing and removes the set. A keep forgets it too: a change
    // over what a return put back ends that return.
    static LONG ForgetOwed();
    static bool RecordOwed(DWORD owed);
    // A record of a return that was read with the set: the sign-in run has
    // a return to finish.
    bool HasOwed() const { return m_bHasOwed; }
    DWORD Owed() const { return m_dwOwed; }
    // Puts back what the return owes, the metrics now too, in the order of a
    // switch: what is still owed then.
    DWORD ApplyOwed(CSwitchMode& engine);
    // Puts back what the set holds of one item, as a switch applies it; the
    // metrics only when metricsNow. A value the set lacks is left as it is
    // and logged; that fails nothing.
    bool ApplyItem(CSwitchMode& engine, int item, bool metricsNow);

private:
    // A value of Windows' own registry that a switch changes, as kept: its
    // bytes and type, absent, or not kept (it could not be read).
    struct KeptValue {
        KeptValue(const char16_t* keyPath, const char16_t* valueName, int itemOf)
            : key(keyPath), name(valueName), item(itemOf)
        {
        }
        const char16_t* key;
        const char16_t* name;
        int item;
        enum { NOT_KEPT, PRESENT, ABSENT } state = NOT_KEPT;
        DWORD type = 0;
        std::vector<BYTE> data;
    };
    static std::vector<KeptValue> KeptValues(bool everyRole);
    // What is missing for the set to be whole; empty when it is.
    static String16 MissingPart();
    static void WriteSet(CSwitchMode& engine, SetWriter& writer);
    bool PutBack(int item);

    std::vector<KeptValue> m_values;
    bool m_bHasDpi = false;
    bool m_bHasOwed = false;
    DWORD m_dwOwed = 0;
    DWORD m_dwAppliedDpi = 0;
    bool m_bHasMetrics = false;
    NONCLIENTMETRICSW m_metrics = {};
    bool m_bHasCaretWidth = false;
    DWORD m_dwCaretWidth = 0;
    bool m_bHasBlinkTime = false;
    DWORD m_dwBlinkTime = 0;
    bool m_bHasIconSize = false;
    DWORD m_dwIconSize = 0;
};
