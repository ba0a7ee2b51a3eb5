#include "app/open_folder_rules.h"

namespace qm {

OpenChoice ChooseOpening(bool reuseOption, bool treeOption, bool invertReuse, bool invertTree) {
  OpenChoice c;
  c.reuse = reuseOption != invertReuse;
  c.tree = treeOption != invertTree;
  return c;
}

std::optional<ReuseChoice> ChooseReuseWindow(const std::vector<ShellWindowFacts>& windows) {
  for (size_t i = 0; i < windows.size(); ++i)
    if (windows[i].folderView && !windows[i].minimised) return ReuseChoice{i, false};
  for (size_t i = 0; i < windows.size(); ++i)
    if (windows[i].folderView) return ReuseChoice{i, true};
  return std::nullopt;
}

ShellRoute RouteFor(PathKind kind) {
  switch (kind) {
    case PathKind::File:
      return ShellRoute::Refuse;
    case PathKind::Unknown:
      return ShellRoute::FolderVerbOnly;
    default:
      return ShellRoute::ShellObjects;
  }
}

StrId OpenExistingCaption(bool reuseOption) {
  return reuseOption ? StrId::MenuOpenInNewWindow : StrId::MenuOpenInExistingWindow;
}

StrId ExploreCaption(bool treeOption) { return treeOption ? StrId::MenuOpen : StrId::MenuExplore; }

}  // namespace qm
