// CDrawRect: stored form, handles, resizing, hit test and properties.
#include "drawrect.h"

#include "archive.h"

IMPLEMENT_SERIAL(CDrawRect, CDrawObj, 0)

namespace {

// Handles 1 to 9 have positions. A tenth would lie at the picture origin and
// catch clicks meant for whatever lies there, so none is reported.
constexpr int kRectHandleCount = kRectHandleLast;

}  // namespace

PropDesc& AppendProp(PropDescList* pList, int nId, int nKind, LONG_PTR value) {
  PropDesc& rec = pList->items[pList->count++];
  GetPropDesc(nId, nKind, &rec);
  rec.value = value;
  return rec;
}

PropDesc& AppendNamedProp(PropDescList* pList, int nId, int nKind, const char* pszName, LONG_PTR value) {
  PropDesc& rec = pList->items[pList->count++];
  SetPropDesc(nId, nKind, pszName, &rec);
  rec.value = value;
  return rec;
}

int FillObjectActionKinds(CDrawObj* pObj, LinkFamily family, ActionKindList* pList) {
  if (!pList) return 0;
  pList->count = FillActionKinds(
      family, [pObj](int kind) { return pObj->FindAction(kind); }, pList->items, kMaxActionKinds);
  return pList->count;
}

CDrawRect::CDrawRect() { m_nFillStyle = 1; }

void CDrawRect::Serialize(CArchive& ar) {
  CDrawObj::Serialize(ar);
  if (ar.IsStoring()) {
    for (const CPointD& c : m_corners.p) ar << c.x << c.y;
  } else {
    for (CPointD& c : m_corners.p) ar >> c.x >> c.y;
  }
}

void CDrawRect::SetCorners(const CRectD& rect) { SetCorners(RectCorners::FromRect(rect)); }

void CDrawRect::SetCorners(const RectCorners& corners) {
  m_corners = corners;
  CornersChanged();
}

int CDrawRect::GetHandleCount() { return kRectHandleCount; }

CPointD CDrawRect::GetHandle(int nHandle) { return m_corners.Handle(nHandle); }

int CDrawRect::HitHandle(const CPointD& point, CDrawObj** ppHit) {
  const POINT pt = DevicePointRounded(point);
  for (int h = RH_P1; h <= kRectHandleLast; ++h) {
    if (HandleContains(h, pt)) {
      if (ppHit) *ppHit = this;
      return h;
    }
  }
  return 0;
}

bool CDrawRect::CornersContain(const CPointD& point) const {
  POINT polygon[4];
  for (int i = 0; i < 4; ++i) polygon[i] = TruncatedPoint(m_corners.p[i]);
  CRgn region;
  if (!region.CreatePolygonRgn(polygon, 4, ALTERNATE)) return false;
  const POINT pt = TruncatedPoint(point);
  return region.PtInRegion(pt.x, pt.y) != FALSE;
}

int CDrawRect::HitHandleOrInside(const CPointD& point, CDrawObj** ppHit) {
  if (int h = HitHandle(point, ppHit)) return h;
  if (!CornersContain(point)) return -1;
  if (ppHit) *ppHit = this;
  return 0;
}

double CDrawRect::OutlineTolerance() const {
  const int t = m_nLineWidth / 2 + 1;
  return t > 2 ? t : 2;
}

int CDrawRect::HitTest(const CPointD& point, CDrawObj** ppHit) {
  if (int h = HitHandle(point, ppHit)) return h;
  bool hit = false;
  if (m_nFillStyle == 0) {
    const double t = OutlineTolerance();
    for (int side = 0; side < 4 && !hit; ++side)
      hit = SegmentBandTest(m_corners.p[side], m_corners.p[(side + 1) % 4], point, t) == 0;
  } else {
    hit = CornersContain(point);
  }
  if (!hit) return -1;
  if (ppHit) *ppHit = this;
  return 0;
}

void CDrawRect::MoveHandleTo(int& nHandle, const CPointD& point, HWND hView) {
  InvalidateIn(hView);
  if (!m_corners.MoveHandle(nHandle, point)) return;
  CornersChanged();
  InvalidateIn(hView);
}

CRectD CDrawRect::GetRect() {
  CornersChanged();
  return m_rect;
}

RECT CDrawRect::GetInvalidRect() {
  CRectD r = GetRect();
  r.Normalize();
  r.left -= m_nLineWidth;
  r.top -= m_nLineWidth;
  r.right += m_nLineWidth;
  r.bottom += m_nLineWidth;
  return InvalidRectOf(r);
}

void CDrawRect::MoveBy(const CPointD& offset) {
  if (offset.x == 0.0 && offset.y == 0.0) return;
  m_corners.Offset(offset.x, offset.y);
  CornersChanged();
}

void CDrawRect::Rotate(const CPointD& centre, const DirPair& turn) {
  m_corners.Rotate(centre, turn);
  CornersChanged();
}

void CDrawRect::Flip(double x, double y, int nAxis) {
  m_corners.Flip(x, y, nAxis);
  CornersChanged();
}

void CDrawRect::Scale(const CPointD& anchor, double dFactor) {
  m_corners.Scale(anchor, dFactor);
  CornersChanged();
}

double CDrawRect::GetWidth() { return m_corners.Width(); }

double CDrawRect::GetHeight() { return m_corners.Height(); }

void CDrawRect::SetWidth(double w) {
  m_corners.SetWidth(w);
  CornersChanged();
}

void CDrawRect::SetHeight(double h) {
  m_corners.SetHeight(h);
  CornersChanged();
}

DrawObjType CDrawRect::GetObjType() { return DOT_RECT; }

int CDrawRect::GetActionKinds(ActionKindList* pList) { return FillObjectActionKinds(this, LF_FILLED, pList); }

void CDrawRect::AppendStyleProps(PropDescList* pList) {
  // The border may be "no colour" (-1): the fourth word allows it.
  AppendNamedProp(pList, PROP_LINECOLOR, PE_COLOR, "边框颜色", m_clrLine).minimum = 1;
  if (m_clrLine != kNoColor) {
    AppendProp(pList, PROP_LINESTYLE, PE_LINESTYLE, m_nLineStyle);
    PropDesc& width =
        AppendProp(pList, PROP_LINEWIDTH, PE_INTEGER | PK_MIN_APPLIES | PK_MAX_APPLIES, m_nLineWidth);
    width.minimum = 0;
    width.maximum = 32;
  }
  AppendProp(pList, PROP_FILLMODE, PE_FILLMODE, m_nFillStyle);
  if (m_nFillStyle == 1) {
    AppendNamedProp(pList, PROP_FILLCOLOR1, PE_COLOR, "填充颜色", m_clrFill1);
  } else if (m_nFillStyle > 1) {
    AppendProp(pList, PROP_FILLCOLOR1, PE_COLOR, m_clrFill1);
    AppendProp(pList, PROP_FILLCOLOR2, PE_COLOR, m_clrFill2);
  }
}

void CDrawRect::AppendGeometryProps(PropDescList* pList) {
  const CRectD bounds = GetRect();
  AppendProp(pList, PROP_TOPX, PE_INTEGER, static_cast<int>(bounds.left));
  AppendProp(pList, PROP_TOPY, PE_INTEGER, static_cast<int>(bounds.top));
  AppendProp(pList, PROP_WIDTH, PE_INTEGER | PK_MIN_APPLIES, static_cast<int>(GetWidth() + 0.5)).minimum = 4;
  AppendProp(pList, PROP_HEIGHT, PE_INTEGER | PK_MIN_APPLIES, static_cast<int>(GetHeight() + 0.5)).minimum =
      4;
}

void CDrawRect::GetPropList(PropDescList* pList) {
  GetBasePropList(pList);
  AppendStyleProps(pList);
  AppendGeometryProps(pList);
}

BOOL CDrawRect::SetShapeProp(int nId, LONG_PTR value) {
  if (SetLineAndTopProp(nId, value) || SetFillProp(nId, value)) return TRUE;
  const int n = static_cast<int>(value);
  switch (nId) {
    case PROP_WIDTH: SetWidth(n); return TRUE;
    case PROP_HEIGHT: SetHeight(n); return TRUE;
    default: return FALSE;
  }
}

BOOL CDrawRect::SetProp(int nId, LONG_PTR value) {
  return SetBaseProp(nId, value) || SetShapeProp(nId, value);
}
