#include "about/http_get_win.h"

#include <wininet.h>

#include <memory>

#include "shared/base/handles_win.h"
#include "shared/base/str_win.h"

namespace qm {

namespace {

struct InternetTraits {
  using Type = HINTERNET;
  static Type Invalid() { return nullptr; }
  static void Close(Type h) { InternetCloseHandle(h); }
};
using UniqueInternet = UniqueHandle<InternetTraits>;

// Everything the request thread and the waiting thread share. The thread holds its own
// reference, so a request the caller stopped waiting for still finds it.
struct Request {
  Str url;
  DWORD timeoutMs = 0;
  size_t maxBytes = 0;
  bool direct = false;
  UniqueKernelHandle done;  // set by the thread when the fields below are final
  bool ok = false;
  std::string body;
  Str error;
};

Str WinInetError(const char16_t* step) { return Str(step) + u" failed: " + IntToStr(GetLastError()); }

void Fetch(Request& r) {
  UniqueInternet session(InternetOpenW(L"Quillmark", r.direct ? INTERNET_OPEN_TYPE_DIRECT : INTERNET_OPEN_TYPE_PRECONFIG,
                                       nullptr, nullptr, 0));
  if (!session) {
    r.error = WinInetError(u"InternetOpen");
    return;
  }
  DWORD timeout = r.timeoutMs;
  for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT})
    InternetSetOptionW(session.get(), option, &timeout, sizeof(timeout));
  const DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_PRAGMA_NOCACHE |
                      INTERNET_FLAG_NO_UI | INTERNET_FLAG_NO_COOKIES | INTERNET_FLAG_NO_AUTH;
  UniqueInternet request(InternetOpenUrlW(session.get(), W(r.url), nullptr, 0, flags, 0));
  if (!request) {
    r.error = WinInetError(u"InternetOpenUrl");
    return;
  }
  DWORD status = 0;
  DWORD size = sizeof(status);
  if (!HttpQueryInfoW(request.get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr)) {
    r.error = WinInetError(u"HttpQueryInfo");
    return;
  }
  if (status != 200) {
    r.error = u"HTTP status " + IntToStr(status);
    return;
  }
  char buffer[4096];
  for (;;) {
    DWORD read = 0;
    if (!InternetReadFile(request.get(), buffer, sizeof(buffer), &read)) {
      r.error = WinInetError(u"InternetReadFile");
      return;
    }
    if (read == 0) break;
    if (r.body.size() + read > r.maxBytes) {
      r.error = u"reply larger than " + IntToStr(static_cast<long long>(r.maxBytes)) + u" bytes";
      r.body.clear();
      return;
    }
    r.body.append(buffer, read);
  }
  r.ok = true;
}

DWORD WINAPI RequestThread(void* param) {
  std::unique_ptr<std::shared_ptr<Request>> holder(static_cast<std::shared_ptr<Request>*>(param));
  Request& r = **holder;
  Fetch(r);
  SetEvent(r.done.get());
  return 0;
}

bool IsLoopbackHost(const Str& host) {
  return EqualsNoCase(host, u"localhost") || StartsWith(host, u"127.") || host == u"::1" || host == u"[::1]";
}

// Splits the address; false unless it is http or https with a host.
bool CheckUrl(const Str& url, bool& loopback) {
  URL_COMPONENTSW parts = {};
  parts.dwStructSize = sizeof(parts);
  wchar_t host[INTERNET_MAX_HOST_NAME_LENGTH + 1] = {};
  parts.lpszHostName = host;
  parts.dwHostNameLength = INTERNET_MAX_HOST_NAME_LENGTH + 1;
  if (!InternetCrackUrlW(W(url), 0, 0, &parts)) return false;
  if (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS) return false;
  if (parts.dwHostNameLength == 0) return false;
  loopback = IsLoopbackHost(FromW(host, parts.dwHostNameLength));
  return true;
}

}  // namespace

HttpGetResult HttpGetWhileRunningMessages(const Str& url, const HttpGetOptions& options) {
  HttpGetResult result;
  auto request = std::make_shared<Request>();
  request->url = url;
  request->timeoutMs = options.timeLimitMs;
  request->maxBytes = options.maxBytes;
  if (!CheckUrl(url, request->direct)) {
    result.error = u"not an http or https address";
    return result;
  }
  request->done.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  if (!request->done) {
    result.error = u"CreateEvent failed";
    return result;
  }
  auto* threadRef = new std::shared_ptr<Request>(request);
  UniqueKernelHandle thread(CreateThread(nullptr, 0, RequestThread, threadRef, 0, nullptr));
  if (!thread) {
    delete threadRef;
    result.error = u"CreateThread failed";
    return result;
  }

  const DWORD start = GetTickCount();
  HANDLE done = request->done.get();
  for (;;) {
    const DWORD elapsed = GetTickCount() - start;
    if (elapsed >= options.timeLimitMs) {
      result.error = u"no answer within the time limit";
      return result;
    }
    const DWORD wait =
        MsgWaitForMultipleObjectsEx(1, &done, options.timeLimitMs - elapsed, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    if (wait == WAIT_OBJECT_0) break;
    if (wait != WAIT_OBJECT_0 + 1) continue;  // the time is checked above
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        // The program is ending: its own loop must see this too.
        PostQuitMessage(static_cast<int>(msg.wParam));
        result.error = u"the program is ending";
        return result;
      }
      if (options.preTranslate && options.preTranslate(msg)) continue;
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    if (options.abandon && options.abandon()) {
      result.error = u"the window went away";
      return result;
    }
  }
  // SetEvent came after the last write: the fields are final and ours to read.
  result.ok = request->ok;
  result.body = std::move(request->body);
  result.error = request->error;
  return result;
}

}  // namespace qm
