// CDrawGroup: handles on the reference rectangle, hit testing through the
// children, the tracker, fitting the children, and the group properties.
#include "drawgroup.h"

#include <cmath>

#include "drawrect.h"
#include "trackerframe.h"

namespace {

// Below this a side counts as zero: the reference rectangle is unset.
constexpr double kDegenerateSide = 1e-7;
// Factors outside this range would lose the children (or overflow them).
constexpr double kMinFactor = 0.001;
constexpr double kMaxFactor = 1000.0;
constexpr double kSideHitHalfWidth = 3.0;

bool IsDegenerate(const CRectD& r) {
  return std::fabs(r.Width()) < kDegenerateSide || std::fabs(r.Height()) < kDegenerateSide;
}

bool PointInRounded(const CRectD& r, const CPointD& p) {
  RECT rc = r.ToRect();
  POINT pt = {RoundCoord(p.x), RoundCoord(p.y)};
  return ::PtInRect(&rc, pt) != FALSE;
}

}  // namespace

bool CDrawGroup::HasReferenceRect() const { return !IsDegenerate(m_rectRef); }

CPointD CDrawGroup::GetHandle(int nHandle) {
  return RectHandle(HasReferenceRect() ? m_rectRef : m_rect, nHandle);
}

int CDrawGroup::HitReferenceFrame(const CPointD& point) {
  POINT pt = DevicePointRounded(point);
  for (int h = 1; h <= 8; ++h) {
    RECT r = GetHandleRect(h);
    if (::PtInRect(&r, pt)) return h;
  }
  const CRectD r(std::trunc(m_rectRef.left), std::trunc(m_rectRef.top), std::trunc(m_rectRef.right),
                 std::trunc(m_rectRef.bottom));
  const CPointD corners[5] = {CPointD(r.left, r.top), CPointD(r.right, r.top), CPointD(r.right, r.bottom),
                              CPointD(r.left, r.bottom), CPointD(r.left, r.top)};
  for (int side = 0; side < 4; ++side)
    if (SegmentBandTest(corners[side], corners[side + 1], point, kSideHitHalfWidth) == 0) return 0;
  return -1;
}

int CDrawGroup::HitTest(const CPointD& point, CDrawObj** ppHit) {
  if (HasReferenceRect()) {
    int h = HitReferenceFrame(point);
    if (h >= 0) {
      if (ppHit) *ppHit = this;
      return h;
    }
    // A click inside the frame still reaches the children below.
  }
  if (!PointInRounded(GetRect(), point)) return -1;
  for (POSITION pos = m_children.GetHeadPosition(); pos;) {
    CDrawObj* hit = nullptr;
    if (ChildAt(m_children.GetNext(pos))->HitTestChild(point, &hit) < 0) continue;
    // The leaf that was clicked is marked; a nested group or sub-picture
    // has marked its own leaf already.
    if (hit && hit->GetObjType() != DOT_GROUP && hit->GetObjType() != DOT_CELL) hit->SetSelected(TRUE);
    if (ppHit) *ppHit = this;
    return 0;
  }
  return -1;
}

void CDrawGroup::MoveHandleTo(int& nHandle, const CPointD& point, HWND hView) {
  CRectD r = m_rectRef;
  if (!MoveRectHandle(r, nHandle, point)) return;
  if (hView) {
    RECT before = InvalidRectOf(m_rectRef, 3);
    RECT after = InvalidRectOf(r, 3);
    ::InvalidateRect(hView, &before, FALSE);
    ::InvalidateRect(hView, &after, FALSE);
  }
  m_rectRef = r;
}

RECT CDrawGroup::OwnFrameRect() { return InvalidRectOf(GetRect()); }

void CDrawGroup::DrawTracker(CDC* pDC, int nState) {
  if (nState != 1 && nState != 2) return;
  for (int h = 1; h <= 8; ++h) {
    POINT pt = DevicePointTruncated(GetHandle(h));
    pDC->InvertRect(RECT{pt.x - 3, pt.y - 3, pt.x + 4, pt.y + 4});
  }
  RECT frame = HasReferenceRect() ? InvalidRectOf(m_rectRef) : OwnFrameRect();
  ::InflateRect(&frame, -2, -2);
  DrawTrackerFramePair(pDC, frame);
}

void CDrawGroup::RescaleChildren() {
  if (!HasReferenceRect()) return;
  const CRectD wanted = m_rectRef;
  const CRectD current = GetRect();
  double sx = std::fabs(wanted.Width() / current.Width());
  double sy = std::fabs(wanted.Height() / current.Height());
  double s =
      std::fabs(wanted.Height() - current.Height()) > std::fabs(wanted.Width() - current.Width()) ? sy : sx;
  // Also drops a request that a zero-size union cannot meet (s not finite).
  if (!(s >= kMinFactor && s <= kMaxFactor)) {
    m_rectRef = m_rect;
    return;
  }
  const CPointD anchor(current.left, current.top);
  for (POSITION pos = m_children.GetHeadPosition(); pos;) ChildAt(m_children.GetNext(pos))->Scale(anchor, s);
  MoveBy(CPointD(wanted.left - current.left, wanted.top - current.top));
  ResetReferenceRect();
}

void CDrawGroup::AppendGroupProps(PropDescList* pList) {
  const CRectD r = GetRect();
  AppendProp(pList, PROP_CHILDCOUNT, PE_INTEGER | PK_READONLY, m_children.GetCount());
  AppendProp(pList, PROP_TOPX, PE_INTEGER, static_cast<int>(r.left));
  AppendProp(pList, PROP_TOPY, PE_INTEGER, static_cast<int>(r.top));
}

void CDrawGroup::GetPropList(PropDescList* pList) {
  GetBasePropList(pList);
  AppendGroupProps(pList);
}

BOOL CDrawGroup::SetGroupProp(int nId, LONG_PTR value) {
  const CRectD r = GetRect();
  const double v = static_cast<double>(static_cast<int>(value));
  switch (nId) {
    case PROP_TOPX: MoveBy(CPointD(v - r.left, 0.0)); return TRUE;
    case PROP_TOPY: MoveBy(CPointD(0.0, v - r.top)); return TRUE;
    default: return FALSE;
  }
}

BOOL CDrawGroup::SetProp(int nId, LONG_PTR value) {
  return SetBaseProp(nId, value) || SetGroupProp(nId, value);
}
