#include "watch/report_sender_win.h"

#include <utility>

#include "shared/base/str_win.h"

namespace qm {

namespace {

constexpr wchar_t kWorkerCaption[] = L"RAVENSEL_WORKER_APP";
// The worker window only stores the text and answers; a receiver that takes longer is
// busy with the journal and the report is given up rather than waited for.
constexpr UINT kSendLimitMs = 5000;
// Reports waiting while the background program does not answer; beyond this the oldest
// go, as a user who navigates that fast would not miss them.
constexpr std::size_t kMaxWaiting = 256;

}  // namespace

bool SendReportText(HWND worker, const Str& text, UINT limitMs) {
  COPYDATASTRUCT block = {};
  block.dwData = 0;
  block.cbData = static_cast<DWORD>(text.size() * sizeof(char16_t));
  block.lpData = const_cast<char16_t*>(text.data());
  DWORD_PTR answer = 0;
  return SendMessageTimeoutW(worker, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&block),
                             SMTO_ABORTIFHUNG | SMTO_ERRORONEXIT, limitMs, &answer) != 0 &&
         answer == 1;
}

ReportSender::ReportSender() { thread_ = std::thread([this] { Serve(); }); }

ReportSender::~ReportSender() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stop_ = true;
  }
  pending_.notify_all();
  thread_.join();
}

void ReportSender::Send(const Str& text) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (queue_.size() >= kMaxWaiting) queue_.pop_front();
    queue_.push_back(text);
  }
  pending_.notify_all();
}

void ReportSender::Serve() {
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    pending_.wait(lock, [&] { return stop_ || !queue_.empty(); });
    if (stop_) break;
    Str text = std::move(queue_.front());
    queue_.pop_front();
    lock.unlock();
    // Found anew for every report: the background program may have restarted. When it
    // is not running the report has no one to go to and is dropped.
    if (HWND worker = FindWindowW(nullptr, kWorkerCaption)) SendReportText(worker, text, kSendLimitMs);
    lock.lock();
  }
}

}  // namespace qm
