// What the detail window computes without a window: the statuses a level
// button offers, the conversions between levels and statuses, the look of a
// status, and the three profiles built from the button statuses.
#pragma once

#include "settings/SettingModel.h"

inline constexpr int kLevelButtons = PROFILE_LEVEL_ROWS;  // one per row of ProfileLevelTable

struct StatusLook {
    UINT faceBitmap;
    DWORD textColor;  // COLORREF, 0xBBGGRR
};

class CSettingLevels {
public:
    // The status of level among the offered ones; false (logged) when the
    // button does not offer it.
    static bool ChgItemValToBtnSts(DWORD level, DWORD dwBtnAllSts, UINT* status);
    // The level shown by status; false (logged) when there are fewer statuses.
    static bool ChgBtnStsToItemVal(UINT status, DWORD dwBtnAllSts, DWORD* level);
    // The offered levels of item as a mask, and their count.
    static int CountStatus(int item, DWORD* dwBtnAllSts);
    // Caption of a status: the caption of the item's row for the level, or
    // "標準" when the built-in table has none.
    static int CaptionId(int item, DWORD level);
    static StatusLook LookOf(int captionId);
    // The string id of the short name of item's row, for accessible names;
    // 0 for the items that follow another row (3 and 6).
    static UINT RowNameId(int item);
    // The three profiles from the statuses of the 27 buttons: items 3 and 6
    // take the levels of items 2 and 7. False (logged) at a status that has
    // no level.
    static bool BuildProfiles(const UINT statuses[kLevelButtons], const DWORD allSts[kLevelButtons],
                              ProfileLevels profiles[PROFILE_COUNT]);
    // A cell that an enforced policy sets gets the level the user would have
    // without it (LevelWithoutEnforced), never the enforced one, so that the
    // user's own comes back once the policy is gone. The font sizes follow
    // the title bar's and the menu's rows.
    static void KeepOwnWhereEnforced(ProfileLevels profiles[PROFILE_COUNT]);
};
