// Resource ids of the program: icon, dialog templates, controls and strings.
#pragma once

#define IDI_APP 128

#define IDB_MODE_NORMAL 107
#define IDB_MODE_SELECTED 112
#define IDB_FACE_LAVENDER 115
#define IDB_FACE_BLUE 116
#define IDB_FACE_TAN 118
#define IDB_FACE_GREEN 119
#define IDB_FACE_PINK 121
#define IDB_FACE_GREY 122

#define IDD_MAIN 101
#define IDD_FINISH 102
#define IDD_SETTINGS 103
#define IDD_PROGRESS 104
#define IDD_RESTORE 123
#define IDD_ORIGINAL 124

// Progress window.
#define IDC_STATUS 1007
#define IDC_PROGRESS 1064

// Main window.
#define IDC_DETAIL 1002
#define IDC_HELP_BUTTON 1003
#define IDC_CLOSE 1004
#define IDC_NOTE_MARK 1066
#define IDC_NOTE 1010
#define IDC_MODE0 1073
#define IDC_MODE1 1074
#define IDC_MODE2 1075
#define IDC_CURRENT 1076
#define IDC_RESTORE 1079
#define IDC_ORIGINAL 1081
#define IDC_TEXT_SIZE_NOTE 1084

// Detail settings window (level buttons: the control ids of ProfileLevelTable).
#define IDC_DEFAULT 1005
#define IDC_DPI_NOTE 1072
#define IDC_STATUS_LEAD 1069
#define IDC_STATUS_NAME0 1070
#define IDC_STATUS_END0 1071
#define IDC_STATUS_NAME1 1073
#define IDC_STATUS_END1 1074
#define IDC_STATUS_NAME2 1075
#define IDC_STATUS_END2 1077
#define IDC_HEADING0 1078
#define IDC_HEADING1 1079
#define IDC_HEADING2 1080
#define IDC_POLICY_NOTE 1082
#define IDC_KEEP_PROFILE 1083

// Sign-out prompt.
#define IDC_LATER 1004
#define IDC_NOW 1006
#define IDC_CAUTION 1008
#define IDC_DONE_LINE 1065
#define IDC_REASON 10052

// Factory-settings confirmation, and the return to the person's own settings.
#define IDC_RESTORE_DPI 1080

#define IDS_TITLE 10001
#define IDS_REAPPLY_QUESTION 10004
#define IDS_SCHEME_AERO 10006
#define IDS_SCHEME_STANDARD 10007
#define IDS_SWITCH_DONE 10008
#define IDS_SCHEME_AERO_EXTRA 10009
#define IDS_REAPPLY_DONE 10013
#define IDS_SCHEME_STANDARD_EXTRA 10014
#define IDS_SWITCH_FAILED 10015
#define IDS_REAPPLYING 10016
#define IDS_FAILED_DPI 10017
#define IDS_CAPTION_LARGE 10018
#define IDS_CAPTION_STANDARD 10019
#define IDS_FAILED_ICON 10020
#define IDS_REAPPLY_FAILED 10022
// Windows 10 and 11 no longer have the checkbox this text sends the user to;
// it stays in the table, unshown.
#define IDS_DPI_SCALING_NOTE 10023
#define IDS_DONE 10024
#define IDS_CAPTION_SLOW 10025
#define IDS_RESET_QUESTION 10028
#define IDS_RESET_DONE 10029
#define IDS_SAVE_FAILED 10030
#define IDS_FAILED_METRICS 10031
#define IDS_NOTE_FONT 10032
#define IDS_SIGN_OUT_PROMPT 10035
#define IDS_FAILED_POINTER 10036
#define IDS_FAILED_CARET_WIDTH 10037
#define IDS_FAILED_CARET_BLINK 10038
#define IDS_FAILED_SWITCH_LEAD 10039
#define IDS_FAILED_REAPPLY_LEAD 10040
#define IDS_WINDOW_TITLE 10041
#define IDS_LOG_OFF_PROMPT 10042
#define IDS_SCHEME_AERO_LARGE 10044
#define IDS_CAPTION_SMALL 10045
#define IDS_DPI_NOTE_SIGN_OUT 10046
#define IDS_FINISH_CAPTION 10047
#define IDS_SIGN_OUT_LATER 10048
#define IDS_SIGN_OUT_NOW 10049
#define IDS_SIGN_OUT_REASON 10050
#define IDS_SIGN_OUT_CAUTION 10051
#define IDS_SCHEME_STANDARD_LARGE 10054
#define IDS_CURRENT_PROFILE 10055
#define IDS_SHIPMENT_NAME 10056
#define IDS_RESTORE_NOTE_SIGN_OUT 10057
#define IDS_PROFILE_NAME_1 10058
#define IDS_PROFILE_NAME_2 10059
#define IDS_PROFILE_NAME_3 10060
#define IDS_CAPTION_NONE 10061
#define IDS_CAPTION_MIDDLE 10062
#define IDS_CAPTION_FAST 10063
#define IDS_CAPTION_EXTRA 10064
#define IDS_CAPTION_NORMAL 10065
#define IDS_RESTORE_NOTE_LOG_OFF 10066
// Accessible names: a level button ("row profile level"), the current
// profile's button, and the rows of the detail window.
#define IDS_LEVEL_BUTTON_NAME 10067
#define IDS_CURRENT_MODE_NAME 10068
#define IDS_ROW_DPI 10069
#define IDS_ROW_ICON_SIZE 10070
#define IDS_ROW_TITLE 10071
#define IDS_ROW_BORDER 10072
#define IDS_ROW_SCROLL 10073
#define IDS_ROW_MENU 10074
#define IDS_ROW_POINTER 10075
#define IDS_ROW_CARET_WIDTH 10076
#define IDS_ROW_CARET_BLINK 10077
// The sign-out prompt from Windows 8.1 on: what the next sign-in changes.
#define IDS_ONE_SCALE_NOTE 10078
// The usage box of the command line, with the word for signing in.
#define IDS_USAGE 10079
#define IDS_WORD_SIGN_IN 10080
#define IDS_WORD_LOG_ON 10081
// The exit codes of the usage box: a text of its own, since one string-table
// text ends at 259 characters.
#define IDS_USAGE_CODES 10082
#define IDS_USAGE_HELP 10083
// The return to the person's own settings: its name in the sign-out prompt,
// and what "/original" says when nothing is kept.
#define IDS_ORIGINAL_NAME 10084
#define IDS_NOTHING_KEPT 10085
// A level a policy enforces: its button's accessible name, and the detail
// window's note.
#define IDS_ENFORCED_BUTTON_NAME 10086
#define IDS_POLICY_NOTE 10087
// Keeping the profile at every sign-in: the detail window's check box in
// the two wordings, and the main window's line after the sign-in check
// stored the text size again.
#define IDS_KEEP_SIGN_IN 10088
#define IDS_KEEP_LOG_ON 10089
#define IDS_TEXT_SIZE_PUT_BACK 10090
// A switch that did not run because the person's own settings could not be
// kept first.
#define IDS_NOT_KEPT_NO_SWITCH 10091
