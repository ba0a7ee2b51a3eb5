// `picFindHost`: the search box `txtFind` with its two pictures at its right end: the
// magnifier `imgFind` while no search is active, the reset cross `imgFindCancel` while
// one is (a click on it tells the parent, WM_COMMAND with IDC_FIND_CANCEL).
#pragma once

#include <windows.h>

#include "shared/base/handles_win.h"
#include "shared/ui/control_host_win.h"

namespace qm {

class FindHost : public ControlHost {
 public:
  // The host as a child of `parent` with the box (boxId) and both pictures in it.
  bool Create(HWND parent, int id, int boxId, DWORD style, DWORD exStyle);
  HWND Box() const { return box_; }
  // Shows the reset cross (searchActive) or the magnifier.
  void ShowReset(bool searchActive);
  bool ResetShown() const { return reset_ && IsWindowVisible(reset_); }

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void Layout(int width, int height);

  HWND box_ = nullptr;
  HWND magnifier_ = nullptr;
  HWND reset_ = nullptr;
  int picture_ = 16;  // pixels, for the screen's dpi
  int pictureGap_ = 3;
  UniqueIcon magnifierIcon_;
  UniqueIcon resetIcon_;
};

}  // namespace qm
