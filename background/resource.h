// Resource numbers of QuillmarkBck.exe (its own texts; the manifest, icon group "AA" and
// version come from the common program resources).
#pragma once

#define IDS_WELCOME_CAPTION 101
#define IDS_WELCOME_TITLE 102
#define IDS_WELCOME_INTRODUCTION 103
#define IDS_WELCOME_APP_HEADER 104
#define IDS_WELCOME_APP_START_HEADER 105
#define IDS_WELCOME_HOW_TO_START 106
#define IDS_WELCOME_HOW_TO_START_VISTA_NOTE 107
#define IDS_WELCOME_OK 108

// Control identifiers of the welcome window.
#define IDC_LBL_WELCOME 1001
#define IDC_LBL_INTRODUCTION 1002
#define IDC_LBL_APP_HEADER 1003
#define IDC_LBL_APP_START_HEADER 1004
#define IDC_LBL_HOW_TO_START 1005
#define IDC_IMG_START_ICON 1006
