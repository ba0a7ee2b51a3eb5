#include "background/single_instance_win.h"

namespace qm {

namespace {
// Session-local name: each logged-on user runs an instance of their own.
const wchar_t kMutexName[] = L"Tarnhold.QuillmarkBck.Instance";
}  // namespace

bool SingleInstance::Claim() {
  if (mutex_) return true;
  UniqueKernelHandle h(CreateMutexW(nullptr, TRUE, kMutexName));
  if (!h) return true;  // cannot tell: run rather than never journal
  // Another instance's mutex is opened, not owned: only the handle is closed.
  if (GetLastError() == ERROR_ALREADY_EXISTS) return false;
  mutex_.reset(h.release());
  return true;
}

void SingleInstance::Release() { mutex_.reset(); }

}  // namespace qm
