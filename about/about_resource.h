// Resource and control numbers of the update form and the about box (shared by their
// resource script, about.rc, and the code).
#pragma once

#define IDD_UPDATE_CHECK 2100
#define IDC_UPDATE_ICON 2101
#define IDC_UPDATE_HEADER 2102
#define IDC_UPDATE_VERSION_DESC 2103
#define IDC_UPDATE_VERSIONS 2104
#define IDC_UPDATE_TIP 2105

#define IDD_ABOUT 2110
#define IDC_ABOUT_LOGO 2111
#define IDC_ABOUT_VERSION 2112
#define IDC_ABOUT_LINK 2113
#define IDC_ABOUT_FOOTER 2114
