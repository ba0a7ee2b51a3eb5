// Resource and control numbers of the ignore dialogs (shared by their resource script
// and code). The script is compiled into Quillmark.exe.
#pragma once

#define IDD_IGNORE_ENTRY 3100
#define IDD_IGNORE_MANAGER 3101

// frmIgnoreEntry
#define IDC_IGNORE_OPT_FOLDER 3110
#define IDC_IGNORE_PATH 3111
#define IDC_IGNORE_BROWSE 3112
#define IDC_IGNORE_SUBFOLDERS 3113
#define IDC_IGNORE_OPT_TEXT 3114
#define IDC_IGNORE_TEXT 3115
#define IDC_IGNORE_LINK 3116

// frmIgnoreManager
#define IDC_IGNORE_ICON 3120
#define IDC_IGNORE_INTRO 3121
#define IDC_IGNORE_FRAME 3122
#define IDC_IGNORE_LIST_LABEL 3123
#define IDC_IGNORE_LIST 3124
#define IDC_IGNORE_ADD 3125
#define IDC_IGNORE_MODIFY 3126
#define IDC_IGNORE_REMOVE 3127
