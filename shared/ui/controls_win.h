// Thin wrappers over the common controls that the dialogs use: each holds the control's
// window handle and never owns it (the dialog destroys its controls), so they are copied
// freely and attached in OnInit. Texts go in and out as Str; item positions count from 0,
// and -1 means none, as the controls themselves count.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "shared/base/str.h"

namespace qm {

class Control {
 public:
  Control() = default;
  explicit Control(HWND hwnd) : hwnd_(hwnd) {}
  void Attach(HWND hwnd) { hwnd_ = hwnd; }
  HWND hwnd() const { return hwnd_; }
  explicit operator bool() const { return hwnd_ != nullptr; }

  Str Text() const;
  void SetText(const Str& text) const;
  bool Enabled() const;
  void Enable(bool on) const;
  bool Visible() const;
  void Show(bool on) const;
  void Focus() const;
  void SetFont(HFONT font) const;
  int Id() const;

 protected:
  LRESULT Send(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return hwnd_ ? SendMessageW(hwnd_, msg, wParam, lParam) : 0;
  }

 private:
  HWND hwnd_ = nullptr;
};

class EditControl : public Control {
 public:
  using Control::Control;
  // Characters the user may type at most (0: the control's own limit).
  void SetLimit(int characters) const;
  void SelectAll() const;
  void SetReadOnly(bool on) const;
};

// A drop-down list or a combo box with an edit field (its text is Text()).
class ComboControl : public Control {
 public:
  using Control::Control;
  int Add(const Str& text) const;  // position of the new entry
  void Clear() const;
  int Count() const;
  Str ItemText(int index) const;
  int Selected() const;
  void Select(int index) const;  // -1 clears the selection
  // The entry with exactly this text (case-insensitive, as the control compares), or -1.
  int Find(const Str& text) const;
};

// Check boxes and option buttons.
class ButtonControl : public Control {
 public:
  using Control::Control;
  bool Checked() const;
  void SetChecked(bool on) const;
};

class ListViewControl : public Control {
 public:
  using Control::Control;
  void SetExtendedStyle(DWORD exStyle) const;  // adds to the styles it has
  void SetImageList(HIMAGELIST images, int which) const;  // LVSIL_*; the caller keeps it
  int AddColumn(const Str& header, int widthPixels) const;  // position of the column
  int Count() const;
  // Appends a row; `data` comes back from ItemData. Returns its position or -1.
  int AddItem(const Str& text, LPARAM data = 0, int image = -1) const;
  void SetItemText(int index, int column, const Str& text) const;
  Str ItemText(int index, int column = 0) const;
  LPARAM ItemData(int index) const;
  void Delete(int index) const;
  void Clear() const;
  int Selected() const;
  // Selects and focuses a row and brings it into view; -1 clears the selection.
  void Select(int index) const;
};

// A static control showing an icon or a bitmap (SS_ICON or SS_BITMAP); the caller keeps
// the picture alive while it is shown.
class PictureControl : public Control {
 public:
  using Control::Control;
  void SetIcon(HICON icon) const;
  void SetBitmap(HBITMAP bitmap) const;
};

}  // namespace qm
