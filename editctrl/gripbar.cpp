#include "gripbar.h"

#include <commctrl.h>

#include "gdiwrap.h"

namespace {

// Distance of the first gripper line from the leading edge and between lines.
constexpr int kGripInset = 2;
constexpr int kGripPitch = 3;

void Draw3dLine(HDC hdc, const RECT& r, COLORREF light, COLORREF dark) {
  CDC dc(hdc);
  dc.FillSolidRect({r.left, r.top, r.right, r.top + 1}, light);
  dc.FillSolidRect({r.left, r.top, r.left + 1, r.bottom}, light);
  dc.FillSolidRect({r.left, r.bottom - 1, r.right, r.bottom}, dark);
  dc.FillSolidRect({r.right - 1, r.top, r.right, r.bottom}, dark);
}

// A window DC released on scope exit.
class CWindowDCScope {
 public:
  explicit CWindowDCScope(HWND hwnd) : m_hWnd(hwnd), m_hdc(::GetWindowDC(hwnd)) {}
  ~CWindowDCScope() {
    if (m_hdc) ::ReleaseDC(m_hWnd, m_hdc);
  }
  CWindowDCScope(const CWindowDCScope&) = delete;
  CWindowDCScope& operator=(const CWindowDCScope&) = delete;
  HDC hdc() const { return m_hdc; }

 private:
  HWND m_hWnd;
  HDC m_hdc;
};

}  // namespace

BOOL CGripToolBar::Create(HWND parent, UINT id, DWORD style) {
  RECT none = {0, 0, 0, 0};
  return CToolBarCtrl::Create(style, none, parent, id);
}

LRESULT CGripToolBar::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_NCCALCSIZE:
      Default();
      if (!m_bFloating) OnNcCalcSize(reinterpret_cast<RECT*>(lp));
      return 0;
    case WM_NCPAINT:
      if (m_bFloating) break;
      OnNcPaint();
      return 0;
  }
  return CToolBarCtrl::WindowProc(msg, wp, lp);
}

void CGripToolBar::OnNcCalcSize(RECT* proposed) {
  if (IsVertical())
    proposed->top += kGripSpace;
  else
    proposed->left += kGripSpace;
}

void CGripToolBar::OnNcPaint() {
  CWindowDCScope scope(m_hWnd);
  if (!scope.hdc()) return;
  RECT window, client;
  GetWindowRect(&window);
  GetClientRect(&client);
  ClientToScreen(&client);
  ::OffsetRect(&client, -window.left, -window.top);
  ::OffsetRect(&window, -window.left, -window.top);
  // Only the area outside the client area is ours.
  ::ExcludeClipRect(scope.hdc(), client.left, client.top, client.right, client.bottom);
  CDC dc(scope.hdc());
  dc.FillSolidRect(window, ::GetSysColor(COLOR_BTNFACE));
  COLORREF light = ::GetSysColor(COLOR_BTNHIGHLIGHT);
  COLORREF dark = ::GetSysColor(COLOR_BTNSHADOW);
  for (int i = 0; i < 2; ++i) {
    int at = kGripInset + i * kGripPitch;
    RECT line = IsVertical() ? RECT{window.left + kGripInset, at, window.right - kGripInset, at + kGripPitch}
                             : RECT{at, window.top + kGripInset, at + kGripPitch, window.bottom - kGripInset};
    Draw3dLine(scope.hdc(), line, light, dark);
  }
}
