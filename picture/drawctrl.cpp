// CDrawCtrl: geometry, minimum size, window placement and the tracker.
#include "drawctrl.h"

#include <cstdlib>

#include "archive.h"
#include "drawlink.h"
#include "drawrect.h"
#include "textfont.h"
#include "trackerframe.h"
#include "wnd.h"

IMPLEMENT_SERIAL(CDrawCtrl, CDrawObj, 0)

namespace {

// A view change keeps controls from collapsing: at or below this...
constexpr double kCollapsedSide = 6.0;
// ...a side grows to this.
constexpr double kRegrownSide = 12.0;
// The smallest window a control is placed in.
constexpr double kMinWindowSide = 6.0;
// Placement moves and sizes only: the stacking order stays.
constexpr UINT kPlacementFlags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
static_assert(kPlacementFlags == 0x214, "placement flags");

constexpr COLORREF kHandleRim = 0xE1E1E1;

}  // namespace

LOGFONTA ZoomedControlFont(const LOGFONTA& lf, double dZoom) {
  LOGFONTA zoomed = BoundedFont(lf);
  zoomed.lfHeight = BoundedFontSize(lf.lfHeight * dZoom + 0.5);
  return zoomed;
}

LOGFONTA DefaultControlFont() { return DefaultTextFont(); }

LOGFONTA ControlFontOf(const LOGFONTA& lf) {
  LOGFONTA copy = lf;
  copy.lfHeight = std::abs(lf.lfHeight);
  copy.lfWidth = 0;
  copy.lfFaceName[LF_FACESIZE - 1] = '\0';
  return copy;
}

CDrawCtrl::CDrawCtrl() = default;

void CDrawCtrl::Serialize(CArchive& ar) { CDrawObj::Serialize(ar); }

int CDrawCtrl::HitTest(const CPointD& point, CDrawObj** ppHit) {
  int h = CDrawObj::HitTest(point, ppHit);
  if (h >= 0) return h;
  CRectD r = m_rect;
  r.Normalize();
  RECT rc = r.ToRect();
  POINT pt = {RoundCoord(point.x), RoundCoord(point.y)};
  if (!::PtInRect(&rc, pt)) return -1;
  if (ppHit) *ppHit = this;
  return 0;
}

void CDrawCtrl::DrawTracker(CDC* pDC, int nState) {
  if (nState != 1 && nState != 2) return;
  RECT frame = GetInvalidRect();
  ::InflateRect(&frame, -2, -2);
  DrawTrackerFramePair(pDC, frame);
  for (int h = 1; h <= GetHandleCount(); ++h) {
    POINT pt = DevicePointRounded(GetHandle(h));
    pDC->FillSolidRect(RECT{pt.x - 3, pt.y - 3, pt.x + 4, pt.y + 4}, kHandleRim);
    pDC->FillSolidRect(RECT{pt.x - 2, pt.y - 2, pt.x + 3, pt.y + 3}, 0x000000);
  }
}

void CDrawCtrl::Flip(double x, double y, int nAxis) {
  if (nAxis == 0) {
    m_rect.left = 2.0 * x - m_rect.left;
    m_rect.right = 2.0 * x - m_rect.right;
  } else {
    m_rect.top = 2.0 * y - m_rect.top;
    m_rect.bottom = 2.0 * y - m_rect.bottom;
  }
  m_rect.Normalize();
}

void CDrawCtrl::KeepMinimumSize() {
  CRectD r = m_rect;
  r.Normalize();
  bool changed = false;
  if (r.Width() <= kCollapsedSide) {
    r.right = r.left + kRegrownSide;
    changed = true;
  }
  if (r.Height() <= kCollapsedSide) {
    r.bottom = r.top + kRegrownSide;
    changed = true;
  }
  if (changed) {
    r.Normalize();
    m_rect = r;
  }
}

void CDrawCtrl::GrowSidesTo(double least) {
  CRectD r = m_rect;
  r.Normalize();
  bool changed = false;
  if (r.Width() < least) {
    r.right = r.left + least;
    changed = true;
  }
  if (r.Height() < least) {
    r.bottom = r.top + least;
    changed = true;
  }
  if (changed) m_rect = r;
}

void CDrawCtrl::OnViewChanged() { KeepMinimumSize(); }

void CDrawCtrl::EnableWnd(BOOL bEnable) {
  if (m_pCtrlWnd && m_pCtrlWnd->GetSafeHwnd()) m_pCtrlWnd->EnableWindow(bEnable);
}

DrawObjType CDrawCtrl::GetObjType() { return DOT_CTRL; }

BOOL CDrawCtrl::SetGeometryProp(int nId, LONG_PTR value) {
  const double v = static_cast<double>(static_cast<int>(value));
  switch (nId) {
    case PROP_TOPX: MoveBy(CPointD(v - m_rect.left, 0.0)); break;
    case PROP_TOPY: MoveBy(CPointD(0.0, v - m_rect.top)); break;
    case PROP_WIDTH: SetWidth(v); break;
    case PROP_HEIGHT: SetHeight(v); break;
    default: return FALSE;
  }
  OnViewChanged();
  return TRUE;
}

BOOL CDrawCtrl::SetProp(int nId, LONG_PTR value) {
  return SetBaseProp(nId, value) || SetGeometryProp(nId, value);
}

void CDrawCtrl::AppendGeometryProps(PropDescList* pList) {
  AppendProp(pList, PROP_TOPX, PE_INTEGER, static_cast<int>(m_rect.left));
  AppendProp(pList, PROP_TOPY, PE_INTEGER, static_cast<int>(m_rect.top));
  AppendProp(pList, PROP_WIDTH, PE_INTEGER | PK_MIN_APPLIES, static_cast<int>(GetWidth() + 0.5)).minimum = 4;
  AppendProp(pList, PROP_HEIGHT, PE_INTEGER | PK_MIN_APPLIES, static_cast<int>(GetHeight() + 0.5)).minimum =
      4;
}

void CDrawCtrl::GetHostedPropList(PropDescList* pList) {
  GetBasePropList(pList);
  AppendProp(pList, PROP_PAGES, PE_BUTTON, 0);
  AppendGeometryProps(pList);
}

int CDrawCtrl::GetHostedActionKinds(ActionKindList* pList) {
  return FillObjectActionKinds(this, LF_HOSTED, pList);
}

void CDrawCtrl::CountWindows(int& nCount) {
  if (m_pCtrlWnd && m_pCtrlWnd->GetSafeHwnd()) ++nCount;
}

RECT CDrawCtrl::DeviceRect() const {
  CRectD r = m_rect;
  r.Normalize();
  return m_view.ToDevice(r).ToRect();
}

void CDrawCtrl::DeferWindowPos(HDWP& hdwp) {
  if (!m_pCtrlWnd || !m_pCtrlWnd->GetSafeHwnd() || !hdwp) return;
  GrowSidesTo(kMinWindowSide);
  RECT rc = DeviceRect();
  hdwp = m_pCtrlWnd->DeferWindowPos(hdwp, nullptr, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                                    kPlacementFlags);
}

BOOL CDrawCtrl::HasType(DrawObjType type) { return type == DOT_CTRL; }

double CDrawCtrl::GetWidth() { return m_rect.right - m_rect.left; }

double CDrawCtrl::GetHeight() { return m_rect.bottom - m_rect.top; }

void CDrawCtrl::SetWidth(double w) { m_rect.right = m_rect.left + w; }

void CDrawCtrl::SetHeight(double h) { m_rect.bottom = m_rect.top + h; }

CObject* CDrawCtrl::PrepareEventLink(int nKind) {
  CObject* pLink = GetAction(nKind);
  const DrawLinkOps* pOps = GetDrawLinkOps();
  if (pLink && pOps && pOps->SetTrigger) pOps->SetTrigger(pLink, nKind);
  return pLink;
}
