// `cTooltips`: one common-controls tooltip window of one form. It attaches tips to the
// form's controls (each tool is identified by its control's window), shows tips as
// balloons with a title and icon where balloons are available, and shows tracking tips
// at a point the program chooses. Every operation does nothing (getters give 0, empty
// text or false) while there is no tooltip window, and an operation that names a control
// without a tool does nothing either. Texts go to the window as Unicode.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <optional>

#include "shared/base/handles_win.h"
#include "shared/base/str.h"

namespace qm {

// Title icons.
constexpr int kTipIconNone = 0;
constexpr int kTipIconInfo = 1;
constexpr int kTipIconWarning = 2;
constexpr int kTipIconError = 3;

// Whether balloons may be used: Windows XP or later and Explorer's `EnableBalloonTips`
// not 0 (missing counts as 1). Asked once per run; later calls give the same answer.
bool BalloonTipsAvailable();
// The same question asked now, without the remembered answer.
bool AskBalloonTipsAvailable();

class cTooltips {
 public:
  cTooltips() = default;
  cTooltips(const cTooltips&) = delete;
  cTooltips& operator=(const cTooltips&) = delete;
  ~cTooltips() = default;  // the owned window is destroyed with the object

  // Adds a tool for the control (flags | TTF_IDISHWND | TTF_SUBCLASS), owned by the
  // control's container; the text only when not empty.
  bool AddTool(HWND control, UINT flags, const Str& text = Str());
  // Destroys an earlier window, resets enabled, icon and title, and creates the tooltip
  // window (topmost, owned by the form) with the style flags plus WS_POPUP.
  bool Create(HWND form, DWORD style);
  // Destroys the tooltip window with its tools (a later Create makes a new one).
  void Destroy() { window_.reset(); }
  void DeleteTool(HWND control);

  bool Enabled() const { return hwnd() ? enabled_ : false; }
  void SetEnabled(bool on);
  int GetDelayTime(int mode) const;
  void SetDelayTime(int mode, int milliseconds);
  int Icon() const { return hwnd() ? icon_ : 0; }
  void SetIcon(int icon);
  const Str& Title() const;
  void SetTitle(const Str& title);

  // Shows or hides the control's tracking tip.
  void SetTracking(HWND control, bool on);
  // Puts the control's tracking tip at a screen point (16-bit coordinates).
  void SetTrackPosition(HWND control, int x, int y);
  void HideTips();
  HWND hwnd() const { return window_.get(); }
  // Whether one of the control's tools lies at the point (client coordinates of the control).
  bool HitTest(HWND control, int x, int y) const;

  int MarginLeft() const { return Margins().left; }
  int MarginTop() const { return Margins().top; }
  int MarginRight() const { return Margins().right; }
  int MarginBottom() const { return Margins().bottom; }
  void SetMarginLeft(int pixels);
  void SetMarginTop(int pixels);
  void SetMarginRight(int pixels);
  void SetMarginBottom(int pixels);

  // Size of the control's tip in pixels.
  int GetTooltipWidth(HWND control) const;
  int GetTooltipHeight(HWND control) const;
  int MaxTipWidth() const;
  void SetMaxTipWidth(int pixels);
  void SetToolRect(HWND control, int left, int top, int right, int bottom);
  int ToolCount() const;

  // Colours: a value whose highest byte is 0x80 is a system colour (index in the lowest
  // byte) and is translated to the system's current colour.
  COLORREF BackColor() const;
  void SetBackColor(uint32_t colour);
  COLORREF ForeColor() const;
  void SetForeColor(uint32_t colour);
  void SetTipText(HWND control, const Str& text);

  // Size of a tip that shows the text in the device context's current font.
  int ToolTipWidthFromText(HDC dc, const Str& text) const;
  int ToolTipHeightFromText(HDC dc, const Str& text) const;
  // Size of the text area inside a tip of the given size.
  int TextWidthFromToolTipWidth(HDC dc, int width) const;
  int TextHeightFromToolTipHeight(HDC dc, int height) const;

 private:
  // The tool record of the control's first tool (TTM_ENUMTOOLS), if it has one.
  std::optional<TOOLINFOW> FindTool(HWND control) const;
  RECT Margins() const;
  void SetMargins(const RECT& rc);
  void SendTitle();
  RECT TextRect(HDC dc, const Str& text) const;

  OwnedWindow window_;
  bool enabled_ = true;
  int icon_ = kTipIconNone;
  Str title_;
};

// Size of the tool record sent to the tooltip window (the form that every common-controls
// version from Windows 2000 on accepts).
constexpr UINT kToolInfoSize = static_cast<UINT>(offsetof(TOOLINFOW, lParam) + sizeof(LPARAM));

}  // namespace qm
