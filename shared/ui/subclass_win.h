// A window procedure put in front of another window's own (comctl32 subclassing). The
// handler sees each message first and either answers it or lets it go on down the chain.
// The subclass removes itself when the window is destroyed, and when this object ends;
// exceptions from the handler never leave the procedure.
#pragma once

#include <windows.h>

#include <functional>

namespace qm {

class Subclass {
 public:
  // Returns true when it answered the message (result set); false passes it on.
  using Handler = std::function<bool(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)>;

  Subclass() = default;
  Subclass(const Subclass&) = delete;
  Subclass& operator=(const Subclass&) = delete;
  ~Subclass() { Remove(); }

  // Puts the handler in front of the window's procedure (replacing an earlier one of
  // this object); false on failure.
  bool Install(HWND hwnd, Handler handler);
  // Puts the previous procedure back; nothing when not installed.
  void Remove();
  bool Installed() const { return hwnd_ != nullptr; }
  HWND hwnd() const { return hwnd_; }

  // Runs the rest of the chain for a message now (for handlers that act after it).
  static LRESULT CallNext(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                               UINT_PTR id, DWORD_PTR ref);

  void DropHandler();

  HWND hwnd_ = nullptr;
  Handler handler_;
  int depth_ = 0;             // handler calls in progress (messages nest)
  bool dropPending_ = false;  // the handler was removed while it ran
};

}  // namespace qm
