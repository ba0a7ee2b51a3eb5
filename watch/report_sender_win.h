// Takes folder-use reports to the background program's worker window
// "RAVENSEL_WORKER_APP": WM_COPYDATA with the UTF-16 text, sent with a time limit and
// given up on a hung receiver.
//
// The sending runs on a thread of its own, so that the reporter's thread, which Explorer
// calls with its events, never waits for the background program.
#pragma once

#include <windows.h>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

#include "watch/watch_ports.h"

namespace qm {

// Sends one text to the window, synchronously with a time limit; true when the window
// took it (answered 1).
bool SendReportText(HWND worker, const Str& text, UINT limitMs);

class ReportSender : public ReportSink {
 public:
  ReportSender();
  ~ReportSender() override;  // reports not sent yet are dropped
  ReportSender(const ReportSender&) = delete;
  ReportSender& operator=(const ReportSender&) = delete;

  void Send(const Str& text) override;

 private:
  void Serve();

  std::mutex mutex_;
  std::condition_variable pending_;
  std::deque<Str> queue_;
  bool stop_ = false;
  std::thread thread_;
};

}  // namespace qm
