#include "shared/ui/controls_win.h"

#include <vector>

#include "shared/base/str_win.h"

namespace qm {

// ---- Control ----

Str Control::Text() const {
  if (!hwnd_) return Str();
  const int length = GetWindowTextLengthW(hwnd_);
  if (length <= 0) return Str();
  std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1, L'\0');
  const int got = GetWindowTextW(hwnd_, buffer.data(), length + 1);
  return FromW(buffer.data(), static_cast<size_t>(got > 0 ? got : 0));
}

void Control::SetText(const Str& text) const {
  if (hwnd_) SetWindowTextW(hwnd_, W(text));
}

bool Control::Enabled() const { return hwnd_ && IsWindowEnabled(hwnd_); }

void Control::Enable(bool on) const {
  if (hwnd_) EnableWindow(hwnd_, on ? TRUE : FALSE);
}

bool Control::Visible() const { return hwnd_ && IsWindowVisible(hwnd_); }

void Control::Show(bool on) const {
  if (hwnd_) ShowWindow(hwnd_, on ? SW_SHOWNA : SW_HIDE);
}

void Control::Focus() const {
  if (!hwnd_) return;
  // In a dialog the dialog manager moves the focus, so that the default button follows.
  HWND parent = GetParent(hwnd_);
  if (parent) SendMessageW(parent, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(hwnd_), TRUE);
  else SetFocus(hwnd_);
}

void Control::SetFont(HFONT font) const { Send(WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE); }

int Control::Id() const { return hwnd_ ? GetDlgCtrlID(hwnd_) : 0; }

// ---- EditControl ----

void EditControl::SetLimit(int characters) const { Send(EM_SETLIMITTEXT, static_cast<WPARAM>(characters), 0); }

void EditControl::SelectAll() const { Send(EM_SETSEL, 0, -1); }

void EditControl::SetReadOnly(bool on) const { Send(EM_SETREADONLY, on ? TRUE : FALSE, 0); }

// ---- ComboControl ----

int ComboControl::Add(const Str& text) const {
  return static_cast<int>(Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(W(text))));
}

void ComboControl::Clear() const { Send(CB_RESETCONTENT); }

int ComboControl::Count() const { return static_cast<int>(Send(CB_GETCOUNT)); }

Str ComboControl::ItemText(int index) const {
  const LRESULT length = Send(CB_GETLBTEXTLEN, static_cast<WPARAM>(index));
  if (length == CB_ERR || length <= 0) return Str();
  std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1, L'\0');
  const LRESULT got = Send(CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer.data()));
  if (got == CB_ERR || got <= 0) return Str();
  return FromW(buffer.data(), static_cast<size_t>(got));
}

int ComboControl::Selected() const { return static_cast<int>(Send(CB_GETCURSEL)); }

void ComboControl::Select(int index) const { Send(CB_SETCURSEL, static_cast<WPARAM>(index)); }

int ComboControl::Find(const Str& text) const {
  const LRESULT found = Send(CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(W(text)));
  return found == CB_ERR ? -1 : static_cast<int>(found);
}

// ---- ButtonControl ----

bool ButtonControl::Checked() const { return Send(BM_GETCHECK) == BST_CHECKED; }

void ButtonControl::SetChecked(bool on) const { Send(BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED); }

// ---- ListViewControl ----

void ListViewControl::SetExtendedStyle(DWORD exStyle) const {
  Send(LVM_SETEXTENDEDLISTVIEWSTYLE, exStyle, exStyle);
}

void ListViewControl::SetImageList(HIMAGELIST images, int which) const {
  Send(LVM_SETIMAGELIST, static_cast<WPARAM>(which), reinterpret_cast<LPARAM>(images));
}

int ListViewControl::AddColumn(const Str& header, int widthPixels) const {
  Str text = header;
  LVCOLUMNW column = {};
  column.mask = LVCF_TEXT | LVCF_WIDTH;
  column.pszText = WritableText(text);
  column.cx = widthPixels;
  const int count = static_cast<int>(
      SendMessageW(reinterpret_cast<HWND>(Send(LVM_GETHEADER)), HDM_GETITEMCOUNT, 0, 0));
  return static_cast<int>(Send(LVM_INSERTCOLUMNW, static_cast<WPARAM>(count > 0 ? count : 0),
                               reinterpret_cast<LPARAM>(&column)));
}

int ListViewControl::Count() const { return static_cast<int>(Send(LVM_GETITEMCOUNT)); }

int ListViewControl::AddItem(const Str& text, LPARAM data, int image) const {
  Str copy = text;
  LVITEMW item = {};
  item.mask = LVIF_TEXT | LVIF_PARAM | (image >= 0 ? LVIF_IMAGE : 0);
  item.iItem = Count();
  item.pszText = WritableText(copy);
  item.lParam = data;
  item.iImage = image;
  return static_cast<int>(Send(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

void ListViewControl::SetItemText(int index, int column, const Str& text) const {
  Str copy = text;
  LVITEMW item = {};
  item.iSubItem = column;
  item.pszText = WritableText(copy);
  Send(LVM_SETITEMTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

Str ListViewControl::ItemText(int index, int column) const {
  // The control copies at most the buffer's size: grow it until the text fits.
  for (size_t size = 256; size <= 65536; size *= 4) {
    std::vector<wchar_t> buffer(size, L'\0');
    LVITEMW item = {};
    item.iSubItem = column;
    item.pszText = buffer.data();
    item.cchTextMax = static_cast<int>(size);
    const LRESULT got = Send(LVM_GETITEMTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    if (got < 0) return Str();
    if (static_cast<size_t>(got) + 1 < size) return FromW(item.pszText, static_cast<size_t>(got));
  }
  return Str();
}

LPARAM ListViewControl::ItemData(int index) const {
  LVITEMW item = {};
  item.mask = LVIF_PARAM;
  item.iItem = index;
  return Send(LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)) ? item.lParam : 0;
}

void ListViewControl::Delete(int index) const { Send(LVM_DELETEITEM, static_cast<WPARAM>(index)); }

void ListViewControl::Clear() const { Send(LVM_DELETEALLITEMS); }

int ListViewControl::Selected() const {
  return static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void ListViewControl::Select(int index) const {
  LVITEMW item = {};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  item.state = 0;
  Send(LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
  if (index < 0) return;
  item.state = LVIS_SELECTED | LVIS_FOCUSED;
  Send(LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  Send(LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), FALSE);
}

// ---- PictureControl ----

void PictureControl::SetIcon(HICON icon) const { Send(STM_SETICON, reinterpret_cast<WPARAM>(icon)); }

void PictureControl::SetBitmap(HBITMAP bitmap) const {
  Send(STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
}

}  // namespace qm
