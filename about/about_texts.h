// Texts of the Help menu's commands: the feedback mail's address and subject, the about
// box's version line and the path that opens the help file.
#pragma once

#include "shared/base/str.h"
#include "shared/text/string_table.h"

namespace qm {

// How the system looks, as the main window decided at start.
struct SystemLook {
  int windowsGeneration = 0;     // windows_version.h
  bool themesActive = false;
  bool vistaStyle = false;       // generation 2 with themes active
  bool compositionEnabled = false;  // desktop composition (DwmIsCompositionEnabled)
};

// "Windows XP)", "Windows XP, classic style)", "Windows Vista, Aero)"...
Str WindowsDescription(const SystemLook& look, const StringSource& strings);
// "Quillmark (Version 1.00.123 - Windows Vista, Aero)".
Str FeedbackSubject(long major, long minor, long revision, const SystemLook& look, const StringSource& strings);
// "mailto:" + address + "?subject=" + subject, the subject passed as it is.
Str FeedbackMailUrl(StrView address, StrView subject);

// "Version 1.0  (1.00.123)".
Str AboutVersionText(long major, long minor, long revision, const StringSource& strings);

// The help file beside the program, opened at its start page:
// folder + "\" (only when the folder does not end with one) + "Quillmark.chm::/index.htm".
Str HelpTopicPath(StrView programFolder);
// The help file itself (what HelpTopicPath opens).
Str HelpFilePath(StrView programFolder);

}  // namespace qm
