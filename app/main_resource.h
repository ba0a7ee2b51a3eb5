// Resource and control numbers of Quillmark.exe (shared by the resource script and code).
#pragma once

// Pictures of the message pane.
#define IDI_PANE_NOTHING_FOUND 201
#define IDI_PANE_TIP 202
#define IDB_PANE_LINE 203
#define IDI_MENU_ARROW 204

// Controls of the main window.
#define IDC_TABS 1001
#define IDC_FIND_HOST 1002
#define IDC_FIND 1003
#define IDC_TIMEFRAME 1004
#define IDC_FAVORITES_LINK_HOST 1005
#define IDC_FAVORITES_LINK 1006
#define IDC_SHOW_MENU 1007
#define IDC_FOLDER_LIST 1008
#define IDC_MESSAGE_PANE 1009
// Children of the message pane.
#define IDC_MESSAGE_HEADER 1010
#define IDC_MESSAGE 1011
#define IDC_MESSAGE_TIP 1012
#define IDC_MESSAGE_TIP_IMAGE 1013
#define IDC_MESSAGE_NOTHING_FOUND_IMAGE 1014
#define IDC_MESSAGE_LINE_IMAGE 1015
