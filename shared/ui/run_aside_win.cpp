#include "shared/ui/run_aside_win.h"

#include <windows.h>
#include <objbase.h>

#include <exception>

#include "shared/base/handles_win.h"

namespace qm {

namespace {

struct AsideJob {
  const std::function<void()>* work = nullptr;
  std::exception_ptr error;
};

DWORD WINAPI AsideThread(void* param) {
  auto* job = static_cast<AsideJob*>(param);
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  try {
    (*job->work)();
  } catch (...) {
    job->error = std::current_exception();
  }
  if (SUCCEEDED(com)) CoUninitialize();
  return 0;
}

}  // namespace

void RunAsideWhilePumping(const std::function<void()>& work, const std::function<void()>& pump) {
  AsideJob job;
  job.work = &work;
  UniqueKernelHandle thread(CreateThread(nullptr, 0, AsideThread, &job, 0, nullptr));
  if (!thread) {
    work();
    return;
  }
  HANDLE h = thread.get();
  // The job lives on this stack: whatever the messages do, this waits for the thread.
  while (MsgWaitForMultipleObjects(1, &h, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
    try {
      if (pump) pump();
    } catch (...) {
      WaitForSingleObject(h, INFINITE);
      throw;
    }
  }
  if (job.error) std::rethrow_exception(job.error);
}

}  // namespace qm
