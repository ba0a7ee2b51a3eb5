#include "about/update_check_win.h"

#include <shellapi.h>

#include "about/addresses.h"
#include "about/frm_update_check_win.h"
#include "about/http_get_win.h"
#include "about/update_rules.h"
#include "about/version_file.h"
#include "shared/base/str_win.h"
#include "shared/base/trace.h"
#include "shared/text/strings_win.h"
#include "shared/ui/task_dialog_win.h"
#include "shared/ui/windows_version.h"

namespace qm {

namespace {

bool IsWebAddress(const Str& url) {
  Str lower = ToLower(url);
  return StartsWith(lower, u"http://") || StartsWith(lower, u"https://");
}

// One answer dialog, with the window out of its leave/hide behaviour meanwhile.
template <typename F>
void AsDialog(UpdateCheckHost& host, F&& show) {
  host.BeginDialog();
  show();
  host.EndDialog();
}

void ShowFailure(UpdateCheckHost& host) {
  AsDialog(host, [&] { ShowNotice(host.Owner(), LoadStr(StrId::UpdateCheckFailed), true); });
}

// The answer when a newer build exists; true when the user asked for the download page.
bool OfferUpdate(UpdateCheckHost& host, const UpdateDecision& d, bool automaticCheck) {
  // The mailbox between the answer dialog and this check.
  Str tag;
  AsDialog(host, [&] {
    if (WindowsGeneration() >= kWindowsVistaOrLater) {
      DialogAnswer answer = ShowTaskDialog(
          host.Owner(), UpdateAvailableTaskDialog(d.installedText, d.availableText, automaticCheck, ResourceStrings()));
      if (DownloadChosen(answer)) tag = kDownloadNow;
    } else {
      frmUpdateCheck form;
      form.bUpdateAvailable = true;
      form.bAutomaticCheck = automaticCheck;
      form.sInstalledVersion = d.installedText;
      form.sAvailableVersion = d.availableText;
      form.pTag = &tag;
      form.RunModal(host.Owner());
    }
  });
  if (tag != kDownloadNow) return false;
  tag.clear();
  return true;
}

void ShowUpToDate(UpdateCheckHost& host, const UpdateDecision& d) {
  AsDialog(host, [&] {
    if (WindowsGeneration() >= kWindowsVistaOrLater) {
      ShowTaskDialog(host.Owner(), UpToDateTaskDialog(d.installedText, ResourceStrings()));
    } else {
      frmUpdateCheck form;
      form.sInstalledVersion = d.installedText;
      form.RunModal(host.Owner());
    }
  });
}

}  // namespace

Str VersionFileUrl() {
  wchar_t buffer[2100] = {};
  DWORD n = GetEnvironmentVariableW(W(Str(kVersionFileUrlVariable)), buffer, 2100);
  if (n > 0 && n < 2100) {
    Str url = FromW(buffer, n);
    if (IsWebAddress(url)) return url;
  }
  return kVersionFileUrl;
}

void RunUpdateCheck(UpdateCheckHost& host, bool automaticCheck) {
  const bool manual = !automaticCheck;
  HWND owner = host.Owner();
  if (manual) host.SetBusy(true);

  HttpGetOptions options;
  options.timeLimitMs = kUpdateCheckTimeLimitMs;
  options.maxBytes = kMaxVersionFileBytes;
  options.preTranslate = [&host](MSG& msg) { return host.PreTranslate(msg); };
  options.abandon = [owner] { return owner && !IsWindow(owner); };
  HttpGetResult reply = HttpGetWhileRunningMessages(VersionFileUrl(), options);
  if (owner && !IsWindow(owner)) {
    // Closed while waiting: nobody to answer.
    if (manual) host.SetBusy(false);
    return;
  }

  VersionFile file;
  UpdateDecision decision;
  if (!reply.ok) {
    Trace(u"update", u"version file not loaded: " + reply.error);
  } else if (!ParseVersionFile(reply.body, file)) {
    Trace(u"update", u"version file not readable");
  } else {
    decision = DecideUpdate(file, manual, InstalledVersion());
    if (decision.outcome == UpdateOutcome::Failed) Trace(u"update", u"version file lacks what this check needs");
  }
  if (manual) host.SetBusy(false);

  switch (decision.outcome) {
    case UpdateOutcome::Failed:
      // A file that could not be read tells the user no more than one that never came.
      if (manual) ShowFailure(host);
      return;
    case UpdateOutcome::UpToDate:
      if (manual) ShowUpToDate(host, decision);
      return;
    case UpdateOutcome::Available:
      if (!OfferUpdate(host, decision, automaticCheck)) return;
      // No address that may be opened counts as none: nothing opens.
      if (decision.downloadUrl)
        ShellExecuteW(host.Owner(), L"open", W(*decision.downloadUrl), nullptr, nullptr, SW_SHOWNORMAL);
      else
        Trace(u"update", u"no download page that may be opened");
      return;
  }
}

}  // namespace qm
