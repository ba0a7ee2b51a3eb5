// One HTTP GET for the update check, made so that the window that asked keeps working:
// the request runs on a thread of its own (WinINet, synchronous there), while the
// caller's thread waits for it and lets its window messages run meanwhile. The wait has
// a time limit; a request that outlives it is left to end on its own thread (its own
// time-outs end it soon after), and the caller goes on as if it had failed.
//
// WinINet rather than WinHTTP: it takes the user's own proxy settings (those of the
// Internet options), as the browser does, so the check works wherever the user's browser
// does. The cache is bypassed; no dialog is ever shown.
#pragma once

#include <windows.h>

#include <cstddef>
#include <functional>
#include <string>

#include "shared/base/str.h"

namespace qm {

struct HttpGetResult {
  bool ok = false;    // status 200 and a body within the size limit
  std::string body;   // the bytes as sent
  Str error;          // why it failed (for the diagnostic trace)
};

struct HttpGetOptions {
  DWORD timeLimitMs = 10000;
  size_t maxBytes = 64 * 1024;  // a longer body fails the request
  // Called for each message that arrives while waiting; true when it was used (dialog
  // keys and the like), else it is translated and dispatched.
  std::function<bool(MSG&)> preTranslate;
  // Asked after the messages ran: true stops the wait at once (the window that asked
  // is gone); the request then counts as failed.
  std::function<bool()> abandon;
};

// GET of an http:// or https:// address. Addresses on the loopback interface go direct,
// never through a proxy.
HttpGetResult HttpGetWhileRunningMessages(const Str& url, const HttpGetOptions& options);

}  // namespace qm
