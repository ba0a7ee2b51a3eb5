// The Help menu's commands that leave the program: the help file (HTML Help), the
// feedback mail and the web pages (the shell's "open").
#pragma once

#include <windows.h>

#include "about/about_texts.h"
#include "shared/base/str.h"

namespace qm {

// Opens the help file beside the program at its start page. A missing file or a system
// without HTML Help is the system's to report.
void ShowHelpTopics(HWND owner);
// Closes every help window this process opened (nothing when none was).
void CloseAllHelpWindows();

// How this system looks, for the feedback subject.
SystemLook CurrentSystemLook(bool themesActive, bool vistaStyle);
// A mail to the maker with the program's version and the Windows description as subject.
void SendFeedback(HWND owner, const SystemLook& look);
// Opens a web address in the user's browser.
void OpenWebAddress(HWND owner, StrView url);

}  // namespace qm
