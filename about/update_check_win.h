// The update check: fetch the version file, decide, answer. A manual check (from the
// menu) always answers: the new version, "up to date", or the failure message (text 10).
// The weekly check speaks only when an update exists. The window that runs the check
// stays usable meanwhile (the request waits while its messages run, for at most ten
// seconds).
#pragma once

#include <windows.h>

#include "shared/base/str.h"

namespace qm {

// What the check needs of the window that runs it.
class UpdateCheckHost {
 public:
  virtual ~UpdateCheckHost() = default;
  // Owner of the answers; nullptr when the window is gone (the weekly check runs as the
  // launcher closes): the answers then stand alone on the screen.
  virtual HWND Owner() = 0;
  // The hourglass over the window while a manual check waits.
  virtual void SetBusy(bool /*on*/) {}
  // Around each answer: the window steps out of its leave/hide behaviour while a
  // dialog has the activation (the dialog protocol).
  virtual void BeginDialog() {}
  virtual void EndDialog() {}
  // Keys for the window while the request runs; true when the message was used.
  virtual bool PreTranslate(MSG& /*msg*/) { return false; }
};

// The address of the version file: the environment variable of addresses.h when it
// holds an http:// or https:// address, else the maker's.
Str VersionFileUrl();

// Time limit of the request.
inline constexpr DWORD kUpdateCheckTimeLimitMs = 10000;

// Runs one check to its end (the answer dialogs included).
void RunUpdateCheck(UpdateCheckHost& host, bool automaticCheck);

}  // namespace qm
