#include "ui/SettingLevels.h"

#include "app/CorvelChg.h"
#include "res/resource.h"

namespace {

struct LookRow {
    int captionId;
    StatusLook look;
};

// The look of a status follows from its caption alone.
const LookRow kLooks[] = {
    {IDS_CAPTION_SMALL, {IDB_FACE_PINK, 0x0028FF}},   {IDS_CAPTION_SLOW, {IDB_FACE_PINK, 0x0028FF}},
    {IDS_CAPTION_MIDDLE, {IDB_FACE_TAN, 0x003366}},   {IDS_CAPTION_NORMAL, {IDB_FACE_TAN, 0x003366}},
    {IDS_CAPTION_LARGE, {IDB_FACE_BLUE, 0xFF4100}},   {IDS_CAPTION_FAST, {IDB_FACE_BLUE, 0xFF4100}},
    {IDS_CAPTION_EXTRA, {IDB_FACE_LAVENDER, 0x79009A}}, {IDS_CAPTION_NONE, {IDB_FACE_GREEN, 0x6BA135}},
    {IDS_CAPTION_STANDARD, {IDB_FACE_GREY, 0x000000}},
};
const StatusLook kOtherLook = {IDB_FACE_GREEN, 0x000000};

}  // namespace

bool CSettingLevels::ChgItemValToBtnSts(DWORD level, DWORD dwBtnAllSts, UINT* status)
{
    if (IsLevel(level) && (dwBtnAllSts & (1u << level))) {
        UINT below = 0;
        for (DWORD code = 0; code < level; ++code) below += (dwBtnAllSts >> code) & 1u;
        *status = below;
        return true;
    }
    Log(u"CSettingDlg::ChgItemValToBtnSts failed.");
    return false;
}

bool CSettingLevels::ChgBtnStsToItemVal(UINT status, DWORD dwBtnAllSts, DWORD* level)
{
    UINT seen = 0;
    for (DWORD code = 0; code < LEVEL_COUNT; ++code) {
        if (!(dwBtnAllSts & (1u << code))) continue;
        if (seen++ == status) {
            *level = code;
            return true;
        }
    }
    Log(u"CSettingDlg::ChgBtnStsToItemVal failed.");
    return false;
}

int CSettingLevels::CountStatus(int item, DWORD* dwBtnAllSts)
{
    int count = 0;
    OfferedLevels(item, dwBtnAllSts, &count);
    if (count == 0 || *dwBtnAllSts == 0) Log(u"CSettingDlg::CountStatus failed. nCnt or dwBtnAllSts is 0.");
    return count;
}

int CSettingLevels::CaptionId(int item, DWORD level)
{
    int id = BuiltInCaption(item, level);
    return id ? id : IDS_CAPTION_STANDARD;
}

StatusLook CSettingLevels::LookOf(int captionId)
{
    for (const LookRow& row : kLooks) {
        if (row.captionId == captionId) return row.look;
    }
    return kOtherLook;
}

bool CSettingLevels::BuildProfiles(const UINT statuses[kLevelButtons], const DWORD allSts[kLevelButtons],
                                   ProfileLevels profiles[PROFILE_COUNT])
{
    for (int mode = 0; mode < PROFILE_COUNT; ++mode) {
        for (DWORD& level : profiles[mode]) level = 0;
    }
    for (int i = 0; i < kLevelButtons; ++i) {
        DWORD level = 0;
        if (!ChgBtnStsToItemVal(statuses[i], allSts[i], &level)) {
            Log(u"CSettingDlg::SaveSettings failed. ChgBtnStsToItemValue error.");
            return false;
        }
        const ProfileLevelRow& row = ProfileLevelTable[i];
        profiles[row.mode][row.item] = level;
        if (row.item == ITEM_TITLE_SIZE) profiles[row.mode][ITEM_TITLE_FONT_SIZE] = level;
        if (row.item == ITEM_MENU_SIZE) profiles[row.mode][ITEM_MENU_FONT_SIZE] = level;
    }
    return true;
}

void CSettingLevels::KeepOwnWhereEnforced(ProfileLevels profiles[PROFILE_COUNT])
{
    const struct {
        int row;
        int follower;
    } kPairs[] = {{ITEM_TITLE_SIZE, ITEM_TITLE_FONT_SIZE}, {ITEM_MENU_SIZE, ITEM_MENU_FONT_SIZE}};
    for (DWORD mode = 0; mode < PROFILE_COUNT; ++mode) {
        bool enforced[ITEM_COUNT] = {};
        for (int item = 0; item < ITEM_COUNT; ++item) {
            DWORD level = 0;
            enforced[item] = EnforcedLevel(mode, item, &level);
        }
        for (const auto& pair : kPairs) enforced[pair.follower] = enforced[pair.follower] || enforced[pair.row];
        for (int item = 0; item < ITEM_COUNT; ++item) {
            if (enforced[item]) LevelWithoutEnforced(mode, item, &profiles[mode][item]);
        }
    }
}

namespace {
struct RowName {
    int item;
    UINT stringId;
};
const RowName kRowNames[] = {
    {ITEM_DPI, IDS_ROW_DPI},
    {ITEM_DT_ICON_SIZE, IDS_ROW_ICON_SIZE},
    {ITEM_TITLE_SIZE, IDS_ROW_TITLE},
    {ITEM_ACTIVE_WIN_WIDTH, IDS_ROW_BORDER},
    {ITEM_SCROLL_WIDTH, IDS_ROW_SCROLL},
    {ITEM_MENU_SIZE, IDS_ROW_MENU},
    {ITEM_MOUSE_POINTER, IDS_ROW_POINTER},
    {ITEM_CURSOR_WIDTH, IDS_ROW_CARET_WIDTH},
    {ITEM_CURSOR_SPEED, IDS_ROW_CARET_BLINK},
};
}  // namespace

UINT CSettingLevels::RowNameId(int item)
{
    for (const RowName& row : kRowNames) {
        if (row.item == item) return row.stringId;
    }
    return 0;
}
