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
