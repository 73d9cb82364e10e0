// Identifiers of VEXAL's resources, shared by vexal.rc and the C++ code.
// Some control numbers repeat in different dialogs with different meanings
// (1005, 1009, 1051, 1052, 1080), so the controls of the settings and
// information dialogs carry a prefix naming their dialog.
#ifndef VEXAL_RES_RESOURCE_H
#define VEXAL_RES_RESOURCE_H

// Dialog templates, string, icons.
#define IDD_INFO 100
#define IDS_ABOUTBOX 101
#define IDD_BOMB 102
#define IDR_MAINFRAME 128
#define IDD_SETTINGS 129
#define IDD_BLACKOUT 130
#define IDD_EXTRA 104
#define IDS_EXTRA 105

// System-menu command that the control bar adds ("About this program").
#define IDM_ABOUTBOX 0x0010
// The one below it: the hotkey and hiding settings.
#define IDM_EXTRA 0x0020

// The fourteen armed-indicator pictures. Picture 13 is also the one shown
// for any index outside 0..12.
#define IDI_PICTURE0 132
#define IDI_PICTURE1 133
#define IDI_PICTURE2 143
#define IDI_PICTURE3 144
#define IDI_PICTURE4 145
#define IDI_PICTURE5 146
#define IDI_PICTURE6 147
#define IDI_PICTURE7 148
#define IDI_PICTURE8 149
#define IDI_PICTURE9 150
#define IDI_PICTURE10 151
#define IDI_PICTURE11 152
#define IDI_PICTURE12 153
#define IDI_PICTURE13 154

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// Control bar (IDD_BOMB).
#define IDC_ARM 1000
#define IDC_DISARM 1001
#define IDC_INFO 1002
#define IDC_SETTINGS 1004
#define IDC_RANGEBAR 1005
#define IDC_ARMED_PICTURE 1009
#define IDC_RADIO1 1060
#define IDC_RADIO2 1061
#define IDC_RADIO3 1062
#define IDC_RADIO4 1050
#define IDC_RADIO5 1051
#define IDC_RADIO6 1052

// Settings dialog (IDD_SETTINGS): general settings.
#define IDC_SET_LAUNCH_AT_START 1014
#define IDC_SET_STARTUP_PROGRAM 1015
#define IDC_SET_BROWSE_STARTUP 1016
#define IDC_SET_SENSITIVITY 1008
#define IDC_SET_SENSITIVITY_SPIN 1007
#define IDC_SET_TIMER_ENABLED 1017
#define IDC_SET_DETONATION_TIME 1031
#define IDC_SET_NOT_TOPMOST 1009
#define IDC_SET_PICTURE_PREVIEW 1067
#define IDC_SET_PICTURE_LIST 1066
#define IDC_SET_EDGE_TOP 1080
#define IDC_SET_EDGE_BOTTOM 1086
#define IDC_SET_EDGE_LEFT 1087
#define IDC_SET_EDGE_RIGHT 1088

// Settings dialog: follow-up actions and their apply-now buttons.
#define IDC_SET_CLEAR_RECENT_DOCS 1003
#define IDC_SET_APPLY_CLEAR_RECENT_DOCS 1025
#define IDC_SET_EMPTY_RECYCLE_BIN 1005
#define IDC_SET_APPLY_EMPTY_RECYCLE_BIN 1026
#define IDC_SET_HANG_UP_DIALUP 1013
#define IDC_SET_APPLY_HANG_UP_DIALUP 1030
#define IDC_SET_MINIMIZE_TARGET 1010
#define IDC_SET_HIDE_SELF 1006
#define IDC_SET_MUTE_WAVE 1011
#define IDC_SET_VOLUME_CONTROL 1063
#define IDC_SET_APPLY_MUTE_WAVE 1027
#define IDC_SET_PLAY_SOUND 1032
#define IDC_SET_SOUND_TYPE 1034
#define IDC_SET_APPLY_PLAY_SOUND 1033
#define IDC_SET_NO_DETONATION 1012

// Settings dialog: the final-action radio group, in order.
#define IDC_SET_FINAL_NONE 1018
#define IDC_SET_FINAL_BLACKOUT 1019
#define IDC_SET_FINAL_SCREENSAVER 1020
#define IDC_SET_FINAL_SHUTDOWN 1021
#define IDC_SET_FINAL_RUN_PROGRAM 1022
#define IDC_SET_FINAL_SHOW_MESSAGE 1035
#define IDC_SET_APPLY_BLACKOUT 1029
#define IDC_SET_APPLY_SCREENSAVER 1028
#define IDC_SET_FINAL_PROGRAM 1023
#define IDC_SET_BROWSE_FINAL 1024
#define IDC_SET_FINAL_MESSAGE 1036

// Settings dialog: store buttons Set1..Set6 and recall radios Mem1..Mem6.
#define IDC_SET_STORE1 1051
#define IDC_SET_STORE2 1052
#define IDC_SET_STORE3 1053
#define IDC_SET_STORE4 1054
#define IDC_SET_STORE5 1055
#define IDC_SET_STORE6 1056
#define IDC_SET_RECALL1 1039
#define IDC_SET_RECALL2 1042
#define IDC_SET_RECALL3 1047
#define IDC_SET_RECALL4 1059
#define IDC_SET_RECALL5 1058
#define IDC_SET_RECALL6 1057

// Information dialog (IDD_INFO).
#define IDC_INFO_DATE 1074
#define IDC_INFO_COMPUTER 1075
#define IDC_INFO_USER 1070
#define IDC_INFO_SYSTEM 1076
#define IDC_INFO_TOTAL_MEMORY 1069
#define IDC_INFO_FREE_MEMORY 1068
#define IDC_INFO_SYSTEM_RES 1071
#define IDC_INFO_SYSTEM_GAUGE 1079
#define IDC_INFO_USER_RES 1077
#define IDC_INFO_USER_GAUGE 1080
#define IDC_INFO_GDI_RES 1078
#define IDC_INFO_GDI_GAUGE 1081
#define IDC_INFO_CPU 1082
#define IDC_INFO_SCREEN 1073
#define IDC_INFO_DRIVES 1072

// Hotkey and hiding settings (IDD_EXTRA).
#define IDC_EXTRA_HOTKEY 1201
#define IDC_EXTRA_WIN 1202
#define IDC_EXTRA_CLEAR 1203
#define IDC_EXTRA_HIDE 1204
#define IDC_EXTRA_MUTE 1205
#define IDC_EXTRA_LOCK 1206
#define IDC_EXTRA_TRAY 1207
#define IDC_EXTRA_ALSO_HIDE 1208
#define IDC_EXTRA_ALSO_HIDE_LABEL 1209
#define IDC_EXTRA_IDLE_MINUTES 1210
#define IDC_EXTRA_IDLE_SECONDS 1211
#define IDC_EXTRA_IDLE_WARNING 1212
#define IDC_EXTRA_OLD_PASSWORD 1213
#define IDC_EXTRA_NEW_PASSWORD 1214
#define IDC_EXTRA_NEW_PASSWORD_AGAIN 1215

// The password dialog (IDD_PASSWORD).
#define IDD_PASSWORD 105
#define IDC_PASSWORD_EDIT 1301
#define IDC_PASSWORD_STATUS 1302

// The notification-area icon's menu.
#define ID_TRAY_DISARM 40001
#define ID_TRAY_BRING_BACK 40002
#define ID_TRAY_SETTINGS 40003
#define ID_TRAY_INFO 40004
#define ID_TRAY_EXIT 40005

#endif
