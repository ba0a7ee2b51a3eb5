// The dialog that the tests of the dialog base and of the cross-process control helpers
// show: one control of each kind the program's dialogs use, and a menu.
#pragma once

#define IDD_TEST_DIALOG 100
#define IDD_TEST_SMALL_DIALOG 101
#define IDM_TEST_MENU 102

#define IDC_TEST_EDIT 1001
#define IDC_TEST_COMBO 1002
#define IDC_TEST_CHECK 1003
#define IDC_TEST_OPTION_FIRST 1004
#define IDC_TEST_OPTION_SECOND 1005
#define IDC_TEST_LIST 1006
#define IDC_TEST_PICTURE 1007
#define IDC_TEST_MENU_BUTTON 1008

#define IDM_TEST_FILL_LIST 2001
#define IDM_TEST_CLEAR_LIST 2002
#define IDM_TEST_POPUP_FIRST 2003
#define IDM_TEST_POPUP_SECOND 2004
