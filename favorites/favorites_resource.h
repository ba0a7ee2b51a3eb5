// Resource and control numbers of the add-favorite dialog (shared by its resource script
// and code). The script is compiled into Quillmark.exe.
#pragma once

#define IDD_FAVORITES_ADD 3200

#define IDC_FAV_PATH_LABEL 3210
#define IDC_FAV_PATH 3211
#define IDC_FAV_BROWSE 3212
#define IDC_FAV_NAME_LABEL 3213
#define IDC_FAV_NAME 3214
#define IDC_FAV_GROUP_LABEL 3215
#define IDC_FAV_GROUP 3216
#define IDC_FAV_TIP_HOST 3217
#define IDC_FAV_TIP 3218

#define IDD_FAVORITES_MANAGER 3201

// frmFavoritesManager
#define IDC_FAVMGR_ICON 3230
#define IDC_FAVMGR_HEADER 3231
#define IDC_FAVMGR_FRAME 3232
#define IDC_FAVMGR_LIST 3233
#define IDC_FAVMGR_ADD 3234
#define IDC_FAVMGR_MODIFY 3235
#define IDC_FAVMGR_REMOVE 3236
#define IDC_FAVMGR_TIP_HOST 3237
#define IDC_FAVMGR_TIP 3238
#define IDC_FAVMGR_GROUP_FRAME 3239
#define IDC_FAVMGR_GROUPS 3240
#define IDC_FAVMGR_GROUP_ADD 3241
#define IDC_FAVMGR_GROUP_RENAME 3242
#define IDC_FAVMGR_GROUP_REMOVE 3243
#define IDC_FAVMGR_GROUP_UP 3244
#define IDC_FAVMGR_GROUP_DOWN 3245
#define IDC_FAVMGR_EXPAND 3246
#define IDC_FAVMGR_FAVORITES 3247  // the favorites list's own window, made by the code
// The favorite's context menu.
#define IDM_FAVMGR_MODIFY 3250
#define IDM_FAVMGR_REMOVE 3251
#define IDM_FAVMGR_RENAME 3252
