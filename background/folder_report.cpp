#include "background/folder_report.h"

namespace qm {

bool ParseFolderReport(StrView text, FolderReport& out) {
  const StrView sep(kReportSeparator);
  std::size_t at = text.find(sep);
  if (at == StrView::npos) return false;
  if (text.find(u'\0') != StrView::npos) return false;
  out.name = Str(text.substr(0, at));
  out.path = TrimRightBlanks(text.substr(at + sep.size()));
  return true;
}

Str MakeFolderReport(StrView name, StrView path) {
  Str text(name);
  text += kReportSeparator;
  text += path;
  return text;
}

}  // namespace qm
