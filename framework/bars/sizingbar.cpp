#include "sizingbar.h"

#include <algorithm>

#include "bars/dockbar.h"
#include "bars/dockcontext.h"
#include "bars/trackdraw.h"
#include "frames/frame.h"
#include "gdiwrap.h"
#include "frames/frameclass.h"
#include "wndmodule.h"

IMPLEMENT_DYNAMIC(CSizingControlBar, CControlBar)

namespace {

const int kBorder = 2;
const char kClassName[] = "QelSizingBar";
const int kTrackLine = 4;            // the width of the tracking line
const int kMarlettTenthsPoint = 68;  // the close cross: 6.8 points
const int kGripLineGap = 3;

std::vector<CSizingControlBar*>& BarList() {
  static std::vector<CSizingControlBar*> bars;
  return bars;
}

POINT MessagePoint(LPARAM lp) {
  return POINT{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
}

}  // namespace

CSizingControlBar::CSizingControlBar() = default;

CSizingControlBar::~CSizingControlBar() {
  auto& bars = BarList();
  bars.erase(std::remove(bars.begin(), bars.end(), this), bars.end());
}

const std::vector<CSizingControlBar*>& CSizingControlBar::AllBars() { return BarList(); }

BOOL CSizingControlBar::Create(const char* title, CFrameWnd* frame, SIZE size, BOOL gripper, UINT id,
                               DWORD style) {
  const char* cls = QelPlainWindowClass(kClassName, CS_DBLCLKS, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
  m_szHorz = m_szVert = m_szFloat = size;
  m_cyGripper = gripper ? kGripper : 0;
  m_strTitle = title ? title : "";
  if (gripper) style |= CBRS_GRIPPER;
  if (!cls || !CreateBar(frame, cls, title, WS_CLIPCHILDREN, style, id)) return FALSE;
  BOOL full = TRUE;
  ::SystemParametersInfoA(SPI_GETDRAGFULLWINDOWS, 0, &full, 0);
  m_bDragFullWindows = full;
  BarList().push_back(this);
  return TRUE;
}

void CSizingControlBar::SetDockedSize(BOOL horz, SIZE size) {
  size.cx = std::max(size.cx, m_szMin.cx);
  size.cy = std::max(size.cy, m_szMin.cy);
  (horz ? m_szHorz : m_szVert) = size;
}

SIZE CSizingControlBar::CalcFixedLayout(BOOL, BOOL horz) { return horz ? m_szHorz : m_szVert; }

BOOL CSizingControlBar::IsHorzDocked() const { return m_pDockBar ? m_pDockBar->IsHorz() : IsHorz(); }

UINT CSizingControlBar::EdgeHitCode() const {
  switch (m_pDockBar ? m_pDockBar->AlignStyle() : 0) {
    case CBRS_ALIGN_LEFT: return HTRIGHT;
    case CBRS_ALIGN_RIGHT: return HTLEFT;
    case CBRS_ALIGN_TOP: return HTBOTTOM;
    case CBRS_ALIGN_BOTTOM: return HTTOP;
    default: return HTNOWHERE;
  }
}

RECT CSizingControlBar::NonClientInsets() const {
  RECT insets = {kBorder, kBorder, kBorder, kBorder};
  if (!m_pDockBar) return insets;
  switch (EdgeHitCode()) {
    case HTRIGHT: insets.right = kEdge; break;
    case HTLEFT: insets.left = kEdge; break;
    case HTBOTTOM: insets.bottom = kEdge; break;
    case HTTOP: insets.top = kEdge; break;
  }
  if (m_cyGripper) (IsHorzDocked() ? insets.left : insets.top) += m_cyGripper;
  return insets;
}

RECT CSizingControlBar::WindowBox() const {
  RECT box;
  GetWindowRect(&box);
  ::OffsetRect(&box, -box.left, -box.top);
  return box;
}

RECT CSizingControlBar::CloseButtonBox() const {
  RECT none = {0, 0, 0, 0};
  if (!m_cyGripper || !m_pDockBar) return none;
  RECT box = WindowBox();
  RECT insets = NonClientInsets();
  if (IsHorzDocked()) {  // the gripper runs down the left side; the button at its top
    int left = insets.left - m_cyGripper;
    return RECT{left, insets.top, left + kCloseButton, insets.top + kCloseButton};
  }
  int top = insets.top - m_cyGripper;
  return RECT{box.right - insets.right - kCloseButton, top, box.right - insets.right, top + kCloseButton};
}

RECT CSizingControlBar::GripBox() const {
  RECT none = {0, 0, 0, 0};
  if (!m_cyGripper || !m_pDockBar) return none;
  RECT box = WindowBox(), insets = NonClientInsets(), button = CloseButtonBox();
  if (IsHorzDocked())
    return RECT{insets.left - m_cyGripper, button.bottom, insets.left, box.bottom - insets.bottom};
  return RECT{insets.left, insets.top - m_cyGripper, button.left, insets.top};
}

void CSizingControlBar::DrawNonClient(HDC dc, const RECT& window) {
  RECT insets = NonClientInsets();
  RECT inner = {window.left + insets.left, window.top + insets.top, window.right - insets.right,
                window.bottom - insets.bottom};
  int saved = ::SaveDC(dc);
  ::ExcludeClipRect(dc, inner.left, inner.top, inner.right, inner.bottom);
  ::FillRect(dc, &window, ::GetSysColorBrush(COLOR_BTNFACE));
  if (!m_cyGripper || !m_pDockBar) {
    ::RestoreDC(dc, saved);
    return;
  }
  RECT button = CloseButtonBox();
  // Two raised lines along the gripper, up to the close button.
  RECT line;
  if (IsHorzDocked()) {
    int left = insets.left - m_cyGripper + 2;
    line = {left, button.bottom + 2, left + 3, inner.bottom};
    for (int i = 0; i < 2; ++i, ::OffsetRect(&line, kGripLineGap, 0))
      ::DrawEdge(dc, &line, BDR_RAISEDINNER, BF_RECT);
  } else {
    int top = insets.top - m_cyGripper + 2;
    line = {inner.left, top, button.left - 2, top + 3};
    for (int i = 0; i < 2; ++i, ::OffsetRect(&line, 0, kGripLineGap))
      ::DrawEdge(dc, &line, BDR_RAISEDINNER, BF_RECT);
  }
  // The close button: the Marlett cross, raised under the mouse, sunk while pressed.
  if (m_closeState == 1) ::DrawEdge(dc, &button, BDR_RAISEDINNER, BF_RECT);
  if (m_closeState == 2) ::DrawEdge(dc, &button, BDR_SUNKENOUTER, BF_RECT);
  LOGFONTA lf = {};
  lf.lfHeight = -::MulDiv(kMarlettTenthsPoint, 96, 720);
  lf.lfCharSet = SYMBOL_CHARSET;
  lstrcpyA(lf.lfFaceName, "Marlett");
  CFont font;
  font.CreateFontIndirect(&lf);
  CSelectGdi select(dc, font);
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
  RECT text = button;
  if (m_closeState == 2) ::OffsetRect(&text, 1, 1);
  ::DrawTextA(dc, "r", 1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  ::RestoreDC(dc, saved);
}

void CSizingControlBar::SetCloseState(int state) {
  if (state == m_closeState) return;
  m_closeState = state;
  ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
}

LRESULT CSizingControlBar::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_NCHITTEST: {
      POINT at = MessagePoint(lp);
      RECT window;
      GetWindowRect(&window);
      POINT local = {at.x - window.left, at.y - window.top};
      RECT box = WindowBox(), button = CloseButtonBox(), insets = NonClientInsets();
      RECT client = {insets.left, insets.top, box.right - insets.right, box.bottom - insets.bottom};
      RECT grip = GripBox();
      if (::PtInRect(&button, local)) return HTCLOSE;
      if (::PtInRect(&grip, local)) return HTCAPTION;
      if (::PtInRect(&client, local)) return HTCLIENT;
      UINT edge = EdgeHitCode();
      bool onEdge = (edge == HTRIGHT && local.x >= box.right - kEdge) ||
                    (edge == HTLEFT && local.x < kEdge) ||
                    (edge == HTBOTTOM && local.y >= box.bottom - kEdge) || (edge == HTTOP && local.y < kEdge);
      return onEdge ? edge : HTBORDER;
    }
    case WM_NCLBUTTONDOWN: OnNcLButtonDown(static_cast<UINT>(wp), MessagePoint(lp)); return 0;
    case WM_NCLBUTTONDBLCLK:
      if (wp != HTCAPTION) return 0;  // the edge and the button take no double click
      break;
    case WM_NCMOUSEMOVE: OnNcMouseMove(static_cast<UINT>(wp)); return 0;
    case WM_NCMOUSELEAVE:
      if (!m_closePressed) SetCloseState(0);
      return 0;
    case WM_MOUSEMOVE:
      if (m_tracking || m_closePressed) {
        POINT at = MessagePoint(lp);
        ClientToScreen(&at);
        if (m_tracking)
          TrackTo(at);
        else {
          RECT window;
          GetWindowRect(&window);
          POINT local = {at.x - window.left, at.y - window.top};
          RECT button = CloseButtonBox();
          SetCloseState(::PtInRect(&button, local) ? 2 : 0);
        }
        return 0;
      }
      break;
    case WM_LBUTTONUP:
      if (m_tracking) {
        StopTracking(TRUE);
        return 0;
      }
      if (m_closePressed) {
        m_closePressed = FALSE;
        ::ReleaseCapture();
        bool hide = m_closeState == 2;
        SetCloseState(0);
        if (hide && m_pDockSite) m_pDockSite->ShowControlBar(this, FALSE);
        return 0;
      }
      break;
    case WM_KEYDOWN:
      if (m_tracking && wp == VK_ESCAPE) {
        StopTracking(FALSE);
        return 0;
      }
      break;
    case WM_CAPTURECHANGED:
      if (m_tracking && reinterpret_cast<HWND>(lp) != m_hWnd) StopTracking(FALSE);
      m_closePressed = FALSE;
      break;
    case WM_DESTROY:
      BarList().erase(std::remove(BarList().begin(), BarList().end(), this), BarList().end());
      break;
  }
  return CControlBar::WindowProc(msg, wp, lp);
}

void CSizingControlBar::OnNcLButtonDown(UINT hit, POINT screen) {
  if (hit == HTCLOSE) {
    m_closePressed = TRUE;
    SetCapture();
    SetCloseState(2);
    return;
  }
  if (hit == HTCAPTION && m_pDockSite) {
    CDockContext(this).Track(screen);
    return;
  }
  if (hit != HTNOWHERE && hit == EdgeHitCode()) StartTracking(screen);
}

void CSizingControlBar::OnNcMouseMove(UINT hit) {
  if (m_closePressed) return;
  SetCloseState(hit == HTCLOSE ? 1 : 0);
  TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE | TME_NONCLIENT, m_hWnd, 0};
  ::TrackMouseEvent(&track);
}

void CSizingControlBar::StartTracking(POINT screen) {
  RECT window;
  GetWindowRect(&window);
  m_trackStart = IsHorzDocked() ? window.bottom - window.top : window.right - window.left;
  m_trackThickness = m_trackStart;
  m_trackOrigin = screen;
  // The frame's client area (its pane) keeps at least one pixel.
  m_trackMax = m_trackStart;
  if (HWND pane = m_pDockSite ? ::GetDlgItem(m_pDockSite->m_hWnd, AFX_IDW_PANE_FIRST) : nullptr) {
    RECT r;
    ::GetWindowRect(pane, &r);
    m_trackMax += std::max(0L, (IsHorzDocked() ? r.bottom - r.top : r.right - r.left) - 1);
  }
  m_tracking = TRUE;
  SetCapture();
  SetFocus();  // for Escape
  if (!m_bDragFullWindows) DrawTrackingLine();
}

int CSizingControlBar::ThicknessAt(POINT screen) const {
  int delta = 0;
  switch (EdgeHitCode()) {
    case HTRIGHT: delta = screen.x - m_trackOrigin.x; break;
    case HTLEFT: delta = m_trackOrigin.x - screen.x; break;
    case HTBOTTOM: delta = screen.y - m_trackOrigin.y; break;
    case HTTOP: delta = m_trackOrigin.y - screen.y; break;
  }
  int minimum = IsHorzDocked() ? m_szMin.cy : m_szMin.cx;
  return std::min(std::max(m_trackStart + delta, minimum), std::max(minimum, m_trackMax));
}

void CSizingControlBar::TrackTo(POINT screen) {
  int thickness = ThicknessAt(screen);
  if (thickness == m_trackThickness) return;
  if (m_bDragFullWindows) {
    m_trackThickness = thickness;
    ApplyThickness(thickness);
    return;
  }
  DrawTrackingLine();  // away from the old place
  m_trackThickness = thickness;
  DrawTrackingLine();
}

void CSizingControlBar::StopTracking(BOOL accept) {
  if (!m_tracking) return;
  m_tracking = FALSE;
  if (!m_bDragFullWindows) DrawTrackingLine();  // inverted once more: gone
  if (::GetCapture() == m_hWnd) ::ReleaseCapture();
  ApplyThickness(accept ? m_trackThickness : m_trackStart);
}

void CSizingControlBar::DrawTrackingLine() {
  RECT window;
  GetWindowRect(&window);
  RECT line = window;
  int delta = m_trackThickness - m_trackStart;
  switch (EdgeHitCode()) {
    case HTRIGHT:
      line.left = window.right + delta - kTrackLine;
      line.right = line.left + kTrackLine;
      break;
    case HTLEFT:
      line.left = window.left - delta;
      line.right = line.left + kTrackLine;
      break;
    case HTBOTTOM:
      line.top = window.bottom + delta - kTrackLine;
      line.bottom = line.top + kTrackLine;
      break;
    case HTTOP:
      line.top = window.top - delta;
      line.bottom = line.top + kTrackLine;
      break;
  }
  QelInvertTrackingRect(line);
}

void CSizingControlBar::ApplyThickness(int thickness) {
  if (IsHorzDocked())
    SetDockedSize(TRUE, SIZE{m_szHorz.cx, thickness});
  else
    SetDockedSize(FALSE, SIZE{thickness, m_szVert.cy});
  if (m_pDockSite) m_pDockSite->RecalcLayout();
}
