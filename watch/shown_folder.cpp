#include "watch/shown_folder.h"

#include "background/folder_report.h"

namespace qm {

namespace {

bool UsableInReport(StrView text) {
  return !text.empty() && text.find(char16_t(0)) == StrView::npos &&
         text.find(kReportSeparator) == StrView::npos;
}

// "C:\Users\Ann\Projects" -> "Projects"; a drive or share root keeps its whole path.
Str LastPart(StrView path) {
  StrView p = path;
  while (p.size() > 1 && p.back() == u'\\') p.remove_suffix(1);
  const std::size_t slash = p.find_last_of(u'\\');
  StrView last = slash == StrView::npos ? p : p.substr(slash + 1);
  return Str(last.empty() || last.back() == u':' ? path : last);
}

}  // namespace

ShownFolder ClassifyFolder(const FolderNames& names) {
  ShownFolder out;
  if (names.fileSystem && UsableInReport(names.fileSystemPath)) {
    out.kind = ShownFolder::Kind::Path;
    out.path = names.fileSystemPath;
    out.name = UsableInReport(names.displayName) ? names.displayName : LastPart(out.path);
    out.key = ToLower(out.path);
    return out;
  }
  if (StartsWith(names.parsingName, u"::") && UsableInReport(names.parsingName)) {
    out.kind = ShownFolder::Kind::Virtual;
    out.path = names.parsingName;
    out.name = UsableInReport(names.displayName) ? names.displayName : names.parsingName;
    out.key = ToLower(out.path);
    return out;
  }
  // Not reported, but still a folder of its own: leaving it and coming back to the
  // folder before counts as a new visit. The mark keeps it apart from any path.
  out.key = u"?" + ToLower(names.parsingName.empty() ? names.displayName : names.parsingName);
  return out;
}

bool IsExplorerFrameClass(StrView className) {
  return className == u"CabinetWClass" || className == u"ExploreWClass";
}

}  // namespace qm
