// Every resource and command id of the program; shared by the resources and the logic.
// Fixed: other programs and users' scripts post these commands, find these controls and
// handle the icon's message by number, so no value may change.
// tests/e2e reads this file as "#define NAME number" lines, one a line.
#pragma once

// The notification icon's callback message, WM_USER + 100.
#define WM_TRAYNOTIFY 1124

#define IDR_MAINFRAME 128
#define IDI_CD_PLAYING 133

#define IDD_ABOUTBOX 100
#define IDD_RESERVATION 141
#define IDD_SETTINGS 143
#define IDD_MESSAGE 145
#define IDD_DAYS_OFF 147
#define IDD_TIMER 151

// The reservation editor.
#define IDC_HOUR 1001
#define IDC_MINUTE 1002
#define IDC_ACTION_OFF 1007
#define IDC_FILE_NAME 1010
#define IDC_MONTH 1028
#define IDC_DAY 1029
#define IDC_ACTION_CD 1032
#define IDC_ACTION_FILE 1033
#define IDC_ACTION_MESSAGE 1034
#define IDC_BROWSE 1036
#define IDC_MESSAGE_TEXT 1037  // also the message window's text
#define IDC_DURATION 1038
#define IDC_DRIVE 1039
#define IDC_TRACK 1041
#define IDC_MONTHLY 1045
#define IDC_DAILY 1046
#define IDC_WEEKLY 1047
#define IDC_SUNDAY 1048  // to IDC_SATURDAY, one a day
#define IDC_SATURDAY 1054
#define IDC_FULL_DATE 1056
#define IDC_ERASE 1058
#define IDC_DELETE_QUESTION 1063
#define IDC_COMMAND 1064
#define IDC_MONTH_LABEL 1065
#define IDC_DAY_LABEL 1066
#define IDC_ACTION_SOUND 1070
#define IDC_SOUND_FILE 1071
#define IDC_SOUND_BROWSE 1072
#define IDC_SKIP_HOLIDAY 1073
#define IDC_REPEAT 1074
#define IDC_REPEAT_INTERVAL 1075
#define IDC_REPEAT_UNTIL_HOUR 1076
#define IDC_REPEAT_UNTIL_MINUTE 1077

// The settings dialog.
#define IDC_RESERVATION_LIST 1042
#define IDC_NO_ERROR 1043
#define IDC_AUTOSTART 1059
#define IDC_CHANGE_RESERVATION 1060
#define IDC_DELETE_RESERVATION 1061
#define IDC_NEW_RESERVATION 1062
#define IDC_WAKE 1090
#define IDC_DAYS_OFF 1120

// The days-off dialog.
#define IDC_DAY_OFF_LIST 1121
#define IDC_DAY_OFF_YEAR 1122
#define IDC_DAY_OFF_MONTH 1123
#define IDC_DAY_OFF_DAY 1124
#define IDC_ADD_DAY_OFF 1125
#define IDC_DELETE_DAY_OFF 1126

// Snooze: the message window's button, the settings' minutes, the tray menu's items.
#define IDC_SNOOZE 1130
#define IDC_SNOOZE_MINUTES 1131
#define ID_SNOOZE 32780
#define ID_CANCEL_SNOOZE 32781

// The timer dialog.
#define IDC_TIMER_MINUTES 1140
#define IDC_TIMER_MESSAGE 1141

#define IDS_CD_OPEN_FAILED 61205
#define IDS_CD_TRACKS_FAILED 61206
#define IDS_CD_TIMEFORMAT_FAILED 61207
#define IDS_CD_PLAY_FAILED 61209
#define IDS_FILE_RUN_FAILED 61210
#define IDS_CD_REPEAT_FAILED 61211
#define IDS_CD_TRACKPOS_FAILED 61212
#define IDS_CD_TRACKLEN_FAILED 61213
#define IDS_MESSAGE_FAILED 61215
#define IDS_CD_DRIVE_UNUSABLE 61216

#define ID_SETTINGS 32771
#define ID_NEW_RESERVATION 32773
#define ID_DELETE_RESERVATION 32774
#define ID_CHANGE_RESERVATION 32775
#define ID_QUICK_RESERVATION 32776
#define ID_TIMER_RESERVATION 32785
#define ID_APP_ABOUT 57664
#define ID_APP_EXIT 57665
