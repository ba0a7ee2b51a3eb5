#include "background/worker_command.h"

#include "background/folder_report.h"

namespace qm {

WorkerTextKind ClassifyWorkerText(StrView text) {
  if (StartsWith(text, kPropertiesPrefix)) return WorkerTextKind::Properties;
  if (StartsWith(text, kExitNowPrefix) && text.find(kReportSeparator) == StrView::npos)
    return WorkerTextKind::ExitNow;
  return WorkerTextKind::Report;
}

bool ParsePropertiesCommand(StrView text, PropertiesRequest& out) {
  if (!StartsWith(text, kPropertiesPrefix)) return false;
  StrView rest = text.substr(StrView(kPropertiesPrefix).size());
  std::size_t bar = rest.find(u'|');
  if (bar == StrView::npos) return false;
  long long handle = 0;
  if (!ParseInt(rest.substr(0, bar), handle)) return false;
  StrView path = rest.substr(bar + 1);
  if (path.empty() || path.find(u'\0') != StrView::npos) return false;
  out.ownerWindow = handle;
  out.path = Str(path);
  return true;
}

Str MakePropertiesCommand(std::int64_t ownerWindow, StrView path) {
  Str text(kPropertiesPrefix);
  text += IntToStr(ownerWindow);
  text += u'|';
  text += path;
  return text;
}

}  // namespace qm
