#include "background/welcome_window_win.h"

#include <uxtheme.h>

#include <algorithm>

#include "background/resource.h"
#include "background/worker_window_win.h"
#include "shared/base/str_win.h"
#include "shared/text/strings_win.h"
#include "shared/ui/dpi_win.h"
#include "shared/ui/foreground_win.h"
#include "shared/ui/twips.h"
#include "shared/ui/windows_version.h"

namespace qm {

namespace {

const wchar_t kWelcomeClass[] = L"QuillmarkBckWelcome";

// Layout in twips (1/1440 inch), turned into pixels with the screen's dots per inch.
// Tahoma 8.25 pt lines are 180 twips apart at normal size; the start header sits in the
// blank lines after the first line of the "How to start" text, and the Quick Launch
// picture beside its line a) (welcome_rules.h).
constexpr int kClientWidth = 7800;
constexpr int kClientHeight = 5040;
constexpr int kMargin = 300;
constexpr int kLabelWidth = kClientWidth - 2 * kMargin;
constexpr int kWelcomeTop = 360, kWelcomeHeight = 480;
constexpr int kIntroTop = 1080, kIntroHeight = 720;
constexpr int kAppHeaderTop = 2400, kAppHeaderHeight = 240;
constexpr int kHowToStartTop = 2760, kHowToStartHeight = 1500;
constexpr int kAppStartHeaderTop = kHowToStartTop + 2 * 180;
constexpr int kStartIconWidthPx = 17, kStartIconHeightPx = 18;
constexpr int kFooterTop = 4320;
constexpr int kButtonWidth = 1215, kButtonHeight = 345;

COLORREF ToColorRef(Rgb c) { return RGB(c.r, c.g, c.b); }

bool ClearTypeActive() {
  UINT type = 0;
  return SystemParametersInfoW(SPI_GETFONTSMOOTHINGTYPE, 0, &type, 0) &&
         type == FE_FONTSMOOTHINGCLEARTYPE;
}

bool RegisterWelcomeClass(HINSTANCE instance) {
  // Shared icons: the system keeps them for the class as long as the program runs.
  auto icon = [instance](int size) {
    return static_cast<HICON>(LoadImageW(instance, L"AA", IMAGE_ICON, size, size, LR_SHARED));
  };
  return Window::RegisterWindowClass(kWelcomeClass, 0, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1),
                                     icon(32), icon(16), instance);
}

}  // namespace

frmWelcome::frmWelcome(HINSTANCE instance, frmMain* worker) : instance_(instance), worker_(worker) {}

frmWelcome::~frmWelcome() {
  onUnloaded = nullptr;
  Unload();
}

int frmWelcome::Px(int twips) const { return MulDiv(twips, dpiX_, 1440); }

int frmWelcome::Py(int twips) const {
  const int pixels = MulDiv(twips, dpiY_, 1440);
  return plannedPitch_ > 0 && linePitch_ > plannedPitch_ ? MulDiv(pixels, linePitch_, plannedPitch_) : pixels;
}

void frmWelcome::FitTexts() {
  // The layout plans 180 twips a line. A Tahoma whose lines are taller (Windows' own at
  // most sizes, substitutes elsewhere) stretches every height and position below in
  // proportion, so that the start header still sits in the blank lines of the start
  // text; lines that wrap where the face is wider push what follows them down.
  MemoryDc dc(CreateCompatibleDC(nullptr));
  if (!dc || !fontNormal_) return;
  SelectObjectScope selected(dc.get(), fontNormal_.get());
  TEXTMETRICW tm = {};
  if (!GetTextMetricsW(dc.get(), &tm)) return;
  plannedPitch_ = MulDiv(180, dpiY_, 1440);
  linePitch_ = tm.tmHeight;
  auto needed = [&](const Str& text) {
    RECT rc = {0, 0, Px(kLabelWidth), 0};
    DrawTextW(dc.get(), W(text), static_cast<int>(text.size()), &rc, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    return static_cast<int>(rc.bottom);
  };
  introGrowth_ = std::max(0, needed(Text(IDS_WELCOME_INTRODUCTION)) - Py(kIntroHeight));
  const Str howTo = HowToStartText(Text(IDS_WELCOME_HOW_TO_START), Text(IDS_WELCOME_HOW_TO_START_VISTA_NOTE),
                                   lVersionClass_);
  const size_t firstBreak = howTo.find(u'\n');
  firstLineGrowth_ = std::max(0, needed(howTo.substr(0, firstBreak)) - linePitch_);
  howToGrowth_ = std::max(0, needed(howTo) - Py(kHowToStartHeight));
  // The Quick Launch picture belongs at the end of the first line after the blank lines.
  size_t start = 0;
  for (int line = 0; start <= howTo.size(); ++line) {
    size_t end = howTo.find(u'\n', start);
    if (end == Str::npos) end = howTo.size();
    Str text = howTo.substr(start, end - start);
    if (!text.empty() && text.back() == u'\r') text.pop_back();
    if (line > 0 && !text.empty()) {
      RECT rc = {0, 0, 0, 0};
      DrawTextW(dc.get(), W(text), static_cast<int>(text.size()), &rc, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
      iconLine_ = line;
      iconLineEnd_ = rc.right;
      break;
    }
    start = end + 1;
  }
}

UniqueFont frmWelcome::MakeFont(const wchar_t* face, int pointsTimes100, bool bold) const {
  LOGFONTW lf = {};
  lf.lfHeight = -MulDiv(pointsTimes100, dpiY_, 7200);
  lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfQuality = DEFAULT_QUALITY;
  lstrcpynW(lf.lfFaceName, face, LF_FACESIZE);
  return UniqueFont(CreateFontIndirectW(&lf));
}

Str frmWelcome::Text(UINT id) const { return LoadStr(instance_, static_cast<int>(id)); }

bool frmWelcome::Show() {
  if (hwnd()) return true;
  lVersionClass_ = WindowsGeneration();
  const ScreenDpi dpi = GetScreenDpi();
  dpiX_ = dpi.x;
  dpiY_ = dpi.y;
  look_ = DecideWelcomeLook(lVersionClass_, IsThemeActive() != FALSE, ClearTypeActive(), dpiX_);

  if (!RegisterWelcomeClass(instance_)) return false;
  // Owned from the start, so that it goes however the creation below ends.
  owner_.reset(CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance_,
                               nullptr));
  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
  fontWelcome_ = MakeFont(W(look_.welcomeFont), look_.welcomeFontPoints * 100, look_.welcomeBold);
  fontNormal_ = MakeFont(L"Tahoma", 825, false);
  fontBold_ = MakeFont(L"Tahoma", 825, true);
  FitTexts();
  RECT rc = {0, 0, Px(kClientWidth), Py(kClientHeight) + introGrowth_ + howToGrowth_};
  AdjustWindowRectEx(&rc, style, FALSE, exStyle);
  const int width = rc.right - rc.left, height = rc.bottom - rc.top;
  RECT work = {};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const int x = work.left + ((work.right - work.left) - width) / 2;
  const int y = work.top + ((work.bottom - work.top) - height) / 2;
  if (!Create(kWelcomeClass, L"", style, exStyle, x, y, width, height, owner_.get(), nullptr, instance_)) {
    owner_.reset();
    return false;
  }

  // On Vista and later this instance hands the hot key back; the next log-on's instance
  // takes it. A worker window that was never loaded here is left alone.
  if (look_.releaseHotKey && worker_) worker_->UnregisterHotKeyOnly();

  SetWindowTextW(hwnd(), W(Text(IDS_WELCOME_CAPTION)));
  CreateControls();

  SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  ShowWindow(hwnd(), SW_SHOW);
  UpdateWindow(hwnd());
  ForceForegroundWindow(hwnd());
  return true;
}

void frmWelcome::CreateControls() {
  bodyBrush_.reset(CreateSolidBrush(GetSysColor(COLOR_WINDOW)));
  footerBrush_.reset(CreateSolidBrush(look_.themedFooter ? ToColorRef(kVistaFooterColor)
                                                         : GetSysColor(COLOR_BTNFACE)));
  // Tops and heights in pixels (Py), with what the texts above needed added.
  auto label = [this](int id, const Str& text, int top, int height, const UniqueFont& font) {
    HWND h = CreateWindowExW(0, L"STATIC", W(text), WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | SS_LEFT | SS_NOPREFIX,
                             Px(kMargin), top, Px(kLabelWidth), height, hwnd(),
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
    SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
    return h;
  };
  const int below = introGrowth_;
  label(IDC_LBL_WELCOME, Text(IDS_WELCOME_TITLE), Py(kWelcomeTop), Py(kWelcomeHeight), fontWelcome_);
  label(IDC_LBL_INTRODUCTION, Text(IDS_WELCOME_INTRODUCTION), Py(kIntroTop), Py(kIntroHeight) + introGrowth_,
        fontNormal_);
  label(IDC_LBL_APP_HEADER, Text(IDS_WELCOME_APP_HEADER), Py(kAppHeaderTop) + below, Py(kAppHeaderHeight),
        fontBold_);
  // The start header sits in the blank lines of the text below; created first so that
  // it is drawn above it.
  label(IDC_LBL_APP_START_HEADER, Text(IDS_WELCOME_APP_START_HEADER),
        Py(kAppStartHeaderTop) + below + firstLineGrowth_, Py(kAppHeaderHeight), fontBold_);
  HWND howTo = label(IDC_LBL_HOW_TO_START,
                     HowToStartText(Text(IDS_WELCOME_HOW_TO_START),
                                    Text(IDS_WELCOME_HOW_TO_START_VISTA_NOTE), lVersionClass_),
                     Py(kHowToStartTop) + below, Py(kHowToStartHeight) + howToGrowth_, fontNormal_);
  SetWindowPos(howTo, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

  const int iconWidth = ScaleForDpi(kStartIconWidthPx, dpiX_);
  const int iconHeight = ScaleForDpi(kStartIconHeightPx, dpiY_);
  // Where the planned place would cover the line's end (a wider face), the picture moves
  // just past it; it stands on that line wherever the lines fall.
  int iconLeft = Px(look_.startIconLeftTwips), iconTop = Py(look_.startIconTopTwips) + below + firstLineGrowth_;
  if (iconLine_ > 0 && linePitch_ > 0) {
    iconLeft = std::max(iconLeft, Px(kMargin) + iconLineEnd_ + ScaleForDpi(3, dpiX_));
    iconTop = Py(kHowToStartTop) + below + firstLineGrowth_ + iconLine_ * linePitch_ + (linePitch_ - iconHeight) / 2;
  }
  startIcon_.reset(static_cast<HICON>(
      LoadImageW(instance_, L"AA", IMAGE_ICON, ScaleForDpi(16, dpiX_), ScaleForDpi(16, dpiY_), 0)));
  HWND img = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_ICON | SS_CENTERIMAGE,
                             iconLeft, iconTop,
                             iconWidth, iconHeight, hwnd(),
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_IMG_START_ICON)),
                             instance_, nullptr);
  if (startIcon_) SendMessageW(img, STM_SETICON, reinterpret_cast<WPARAM>(startIcon_.get()), 0);
  SetWindowPos(img, HWND_TOP, iconLeft, iconTop,
               iconWidth, iconHeight, SWP_NOACTIVATE);

  const int footerTop = Py(kFooterTop) + below + howToGrowth_;
  const int footerHeight = Py(kClientHeight) - Py(kFooterTop);
  HWND ok = CreateWindowExW(
      0, L"BUTTON", W(Text(IDS_WELCOME_OK)), WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON,
      Px(kClientWidth - kMargin - kButtonWidth), footerTop + (footerHeight - Py(kButtonHeight)) / 2,
      Px(kButtonWidth), Py(kButtonHeight), hwnd(), reinterpret_cast<HMENU>(IDOK), instance_, nullptr);
  SendMessageW(ok, WM_SETFONT, reinterpret_cast<WPARAM>(fontNormal_.get()), FALSE);
  SetFocus(ok);
}

void frmWelcome::Paint() {
  PaintScope paint(hwnd());
  HDC dc = paint.dc();
  RECT client;
  GetClientRect(hwnd(), &client);
  // picFooter: the band behind the button, with linDivider (and on classic systems the
  // light linDivider2 under it, an etched edge) along its top.
  RECT footer = client;
  footer.top = Py(kFooterTop) + introGrowth_ + howToGrowth_;
  FillRect(dc, &footer, footerBrush_.get());
  RECT linDivider = {client.left, footer.top, client.right, footer.top + 1};
  UniqueBrush dividerBrush(CreateSolidBrush(look_.themedFooter ? ToColorRef(kVistaDividerColor)
                                                               : GetSysColor(COLOR_BTNSHADOW)));
  FillRect(dc, &linDivider, dividerBrush.get());
  if (look_.showSecondDivider) {
    RECT linDivider2 = {client.left, footer.top + 1, client.right, footer.top + 2};
    FillRect(dc, &linDivider2, GetSysColorBrush(COLOR_BTNHIGHLIGHT));
  }
}

void frmWelcome::Unload() {
  if (!hwnd() || unloading_) return;
  unloading_ = true;
  // On Vista and later the welcome start ends with its window. Only a worker window
  // loaded by this instance is unloaded; none is ever created here.
  if (look_.closeEndsProgram && worker_) worker_->Unload();
  Destroy();
  owner_.reset();
  unloading_ = false;
  if (onUnloaded) onUnloaded();
}

LRESULT frmWelcome::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        Unload();
        return 0;
      }
      break;
    case WM_CLOSE:
      Unload();
      return 0;
    case WM_PAINT:
      Paint();
      return 0;
    case WM_CTLCOLORSTATIC: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      const int id = GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
      const bool heading = id == IDC_LBL_WELCOME || id == IDC_LBL_APP_HEADER ||
                           id == IDC_LBL_APP_START_HEADER;
      SetTextColor(dc, heading ? ToColorRef(kWelcomeHeadingColor) : GetSysColor(COLOR_WINDOWTEXT));
      SetBkMode(dc, TRANSPARENT);
      return reinterpret_cast<LRESULT>(bodyBrush_.get());
    }
    case WM_CTLCOLORBTN:
      return reinterpret_cast<LRESULT>(footerBrush_.get());
    default:
      break;
  }
  return DefaultProc(msg, wParam, lParam);
}

}  // namespace qm
