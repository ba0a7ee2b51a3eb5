// The choices behind opening a folder: new window or an open folder window, with or
// without the folder tree; which open window is reused; which paths may be handed to the
// shell at all; and the captions of the two opening items of the folder menu.
#pragma once

#include <optional>
#include <vector>

#include "shared/text/str_id.h"

namespace qm {

struct OpenChoice {
  bool reuse = false;  // turn an open folder window to the folder
  bool tree = false;   // a new window with the folder tree
};

// The options, each turned round when the caller asks for the other choice (the folder
// menu's opening items do).
OpenChoice ChooseOpening(bool reuseOption, bool treeOption, bool invertReuse, bool invertTree);

// One window of the shell's window list, in the list's order.
struct ShellWindowFacts {
  bool folderView = false;  // its document is a folder view (web pages and others are not)
  bool minimised = false;
};

struct ReuseChoice {
  size_t index = 0;      // into the list
  bool restore = false;  // it is minimised: bring it back first
};

// The first folder window that is not minimised; when all are, the first one, restored;
// nothing without any folder window.
std::optional<ReuseChoice> ChooseReuseWindow(const std::vector<ShellWindowFacts>& windows);

// What the file system says about a path before it is handed to the shell. Unknown: no
// answer in time (a network share that does not respond).
enum class PathKind { Missing, Folder, File, Unknown };

enum class ShellRoute {
  Refuse,           // not handed over at all
  ShellObjects,     // an open folder window or Shell.Application, as the options say
  FolderVerbOnly,   // only the shell's verbs of the class "Folder", which open nothing else
};

// Only folders go to the shell: a journal path may name any file (any local program can
// send a report), and the shell would run a program it is handed. A missing path is
// handed over all the same, so that the shell tells the user that it is gone; a path
// whose kind is unknown goes only the way that can open nothing but a folder.
ShellRoute RouteFor(PathKind kind);

// Captions of the folder menu's "open in existing window" and "explore" items, which
// offer the other choice than the options make.
StrId OpenExistingCaption(bool reuseOption);
StrId ExploreCaption(bool treeOption);

}  // namespace qm
