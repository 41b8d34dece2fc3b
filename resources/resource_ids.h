// Identifiers shared by the code and the resource scripts. Each resource type and the command
// space are numbered on their own, so 109 may name a string, a menu and an accelerator table.
#pragma once

// Strings
#define IDS_APP_TITLE 103
#define IDS_NOTICE 104
#define IDS_VERSION 105
#define IDS_CLASS_NAME 109

// Icon groups
#define IDI_CLOCK 107
#define IDI_SMALL 134

// Menus and accelerator tables
#define IDR_CLASS_MENU 109
#define IDR_POPUP_MENU 132
#define IDR_ACCEL 109

// Dialogs
#define IDD_OPTIONS 135
#define IDD_ABOUT 136

// Bitmaps
#define IDB_LOGO 137

// Commands
#define IDM_ABOUT 104
#define IDM_EXIT 105
#define IDM_OPTIONS 32771
#define IDM_DEFAULT_PLACEMENT 32772
#define IDM_HELP 32773
#define IDM_HOME_PAGE 32774

// Controls
#define IDC_SET_DEFAULT 3
#define IDC_SHOW_SECOND_HAND 1000
#define IDC_AUTORUN 1001
#define IDC_TOPMOST 1002
#define IDC_SCALE 1003
#define IDC_ABOUT_TITLE 1004
#define IDC_ABOUT_CREDIT 1005
#define IDC_ABOUT_NOTICE 1006
#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// Pictures of the face module (timedate.cpl, or zentoria.dll beside the program): resource type
// "PNGFILE"; each face's overlay has the face's id plus one.
#define IDP_FACE_65 5000
#define IDP_OVERLAY_65 5001
#define IDP_FACE_50 5002
#define IDP_OVERLAY_50 5003
#define IDP_FACE_100 5004
#define IDP_OVERLAY_100 5005
#define IDP_FACE_80 5006
#define IDP_OVERLAY_80 5007
