#include "background/single_instance_win.h"

namespace qm {

namespace {
// Session-local name: each logged-on user runs an instance of their own.
const wchar_t kMutexName[] = L"Tarnhold.QuillmarkBck.Instance";
}  // namespace

bool SingleInstance::Claim() {
  if (mutex_) return true;
  HANDLE h = CreateMutexW(nullptr, TRUE, kMutexName);
  if (!h) return true;  // cannot tell: run rather than never journal
  if (GetLastError() == ERROR_ALREADY_EXISTS) {
    CloseHandle(h);
    return false;
  }
  mutex_ = h;
  return true;
}

void SingleInstance::Release() {
  if (!mutex_) return;
  ReleaseMutex(mutex_);
  CloseHandle(mutex_);
  mutex_ = nullptr;
}

}  // namespace qm
