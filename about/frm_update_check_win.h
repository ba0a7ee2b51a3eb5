// `frmUpdateCheck`: the update check's answer on Windows XP and older, where there are no
// task dialogs. Two layouts: an update is available (the versions, the recommendation,
// "Go to Download Web Page" and "Close" or "Ignore"), or the installation is up to date
// (the current version and an OK button).
#pragma once

#include <windows.h>

#include "about/about_resource.h"
#include "shared/base/handles_win.h"
#include "shared/base/str.h"
#include "shared/ui/dialog_win.h"

namespace qm {

// What the download button leaves in the opener's mailbox.
inline constexpr char16_t kDownloadNow[] = u"DOWNLOADNOW";

class frmUpdateCheck : public Dialog {
 public:
  frmUpdateCheck() : Dialog(IDD_UPDATE_CHECK) {}

  // in
  bool bUpdateAvailable = false;
  bool bAutomaticCheck = false;
  Str sInstalledVersion;
  Str sAvailableVersion;
  // out: the opener's mailbox; the download button puts kDownloadNow into it.
  Str* pTag = nullptr;

 protected:
  bool OnInit() override;
  void OnOk() override;

 private:
  void LayOutUpToDate();
  void ShowIconAt(HICON icon, int xPixels, int yPixels);

  UniqueIcon updateIcon_;
  UniqueFont headerFont_;
};

}  // namespace qm
