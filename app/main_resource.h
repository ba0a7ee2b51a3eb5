// Resource and control numbers of Quillmark.exe (shared by the resource script and code).
#pragma once

// Pictures of the message pane.
#define IDI_PANE_NOTHING_FOUND 201
#define IDI_PANE_TIP 202
#define IDB_PANE_LINE 203
#define IDI_MENU_ARROW 204
// The search box's magnifier and reset pictures.
#define IDI_FIND 205
#define IDI_FIND_CANCEL 206

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
// The search box's pictures (children of the search box host).
#define IDC_FIND_IMAGE 1016
#define IDC_FIND_CANCEL 1017

// Items of the folder menu (mnuPopUpFolder), in menu order.
#define IDM_POPUP_EXPLORER 2001
#define IDM_POPUP_OPEN_EXISTING 2002
#define IDM_POPUP_COPY_PATH 2003
#define IDM_POPUP_ADD_TO_FAVORITES 2004
#define IDM_POPUP_REMOVE 2005
#define IDM_POPUP_IGNORE 2006
#define IDM_POPUP_PROPERTIES 2007

// Properties of the main window: how many list fills it has started and how many have
// ended. Tests and benchmarks read them from their own process to see a refresh happen
// (or not happen) and end.
#define QM_FILLS_STARTED_PROPERTY L"QuillmarkFillsStarted"
#define QM_FILLS_ENDED_PROPERTY L"QuillmarkFillsEnded"

// Menu commands: the menu bar and the button menu share the numbers of the commands they
// both offer.
#define IDM_VIEW_DETAILS 40001
#define IDM_VIEW_LARGE_ICONS 40002
#define IDM_VIEW_HIDE_MENU_BAR 40003
#define IDM_TOOLS_MANAGE_FAVORITES 40010
#define IDM_TOOLS_IGNORED_FOLDERS 40011
#define IDM_TOOLS_OPTIONS 40012
#define IDM_HELP_TOPICS 40020
#define IDM_HELP_FEEDBACK 40021
#define IDM_HELP_WEBSITE 40022
#define IDM_HELP_CHECK_FOR_UPDATES 40023
#define IDM_HELP_ABOUT 40024
#define IDM_MENU_SHOW_MENU_BAR 40030
