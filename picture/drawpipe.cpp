#include "drawpipe.h"

#include <cmath>

#include "archive.h"
#include "pipepath.h"
#include "strokerun.h"

IMPLEMENT_SERIAL(CDrawPipe, CDrawPoly, 0)

namespace {

constexpr COLORREF kPipeEdgeGrey = 0x666666;
constexpr double kBendPullFactor = 1.8;

void DrawPath(CDC* pDC, const std::vector<CPointD>& path, int nPenWidth, COLORREF c, bool bTruncFirst) {
  if (path.empty()) return;
  CPen pen;
  if (!pen.CreatePen(PS_SOLID, nPenWidth, c)) return;
  CSelectGdi sel(*pDC, pen);
  std::vector<POINT> device(path.size());
  for (size_t i = 0; i < path.size(); ++i) {
    bool trunc = bTruncFirst && i == 0;
    device[i].x = trunc ? TruncCoord(path[i].x) : RoundCoord(path[i].x);
    device[i].y = trunc ? TruncCoord(path[i].y) : RoundCoord(path[i].y);
  }
  // Up to 1,025 strokes of one pipe: each only near the painted area.
  StrokePolyline(pDC, device.data(), device.size(), kStrokeGuard);
}

}  // namespace

CDrawPipe::CDrawPipe() {
  m_nMaxPoints = 10;
  m_clrLine = kPipeEdgeGrey;
}

void CDrawPipe::Serialize(CArchive& ar) {
  CDrawPoly::Serialize(ar);
  if (ar.IsStoring())
    ar << m_nPipeWidth;
  else
    ar >> m_nPipeWidth;
}

int CDrawPipe::HitTest(const CPointD& point, CDrawObj** ppHit) {
  return HitHandlesThenBody(point, ppHit,
                            [&] { return HitPath(m_points, point, HitHalfWidth(m_nPipeWidth)); });
}

int CDrawPipe::HitTestChild(const CPointD& point, CDrawObj** ppHit) {
  // Inside a group the pipe is as wide as it is drawn, not as its line width.
  return Hit(HitPath(m_points, point, HitHalfWidth(m_nPipeWidth)), ppHit);
}

RECT CDrawPipe::GetInvalidRect() {
  CRectD r = GetRect();
  // Held like a coordinate, so that a stored width of 2^31 cannot overflow.
  const int grow = 2 * TruncCoord(m_nPipeWidth) + 2;
  r.Inflate(grow, grow);
  return InvalidRectOf(r);
}

int CDrawPipe::ShadePenWidth() const { return m_nPipeWidth < 6 ? 1 : 2; }

std::vector<CPointD> CDrawPipe::DeviceCentre() const {
  std::vector<CPointD> centre(m_points.size());
  for (size_t i = 0; i < m_points.size(); ++i) centre[i] = PointToDevice(m_points[i]);
  return centre;
}

double CDrawPipe::MaxBendPull() const { return kBendPullFactor * PipeDeviceWidth(m_nPipeWidth, m_view.zoom); }

RECT CDrawPipe::ShadingReach() const {
  // The offset paths bend out to the pulled rounding curves; each stays
  // inside its own points' hull.
  const std::vector<CPointD> centre = DeviceCentre();
  const int steps = PipeShadeSteps(m_nPipeWidth, m_view.zoom);
  const double maxPull = MaxBendPull();
  std::vector<CPointD> outer = centre;
  for (int k : {steps, -steps}) {
    const std::vector<CPointD> path = PipeOffsetPath(centre, k, maxPull);
    outer.insert(outer.end(), path.begin(), path.end());
  }
  if (outer.empty()) return RECT{0, 0, 0, 0};
  return EnclosingRect(BoundingBox(outer.data(), outer.size()), ShadePenWidth() + 2);
}

void CDrawPipe::DrawShading(CDC* pDC) const {
  const int penWidth = ShadePenWidth();
  const std::vector<CPointD> centre = DeviceCentre();
  DrawPath(pDC, centre, penWidth, m_clrFill1, true);
  const int steps = PipeShadeSteps(m_nPipeWidth, m_view.zoom);
  const double maxPull = MaxBendPull();
  for (int k = 1; k <= steps; ++k) {
    COLORREF ramp = PipeRampColor(m_clrFill1, m_clrLine, k, steps);
    DrawPath(pDC, PipeOffsetPath(centre, k, maxPull), penWidth, ramp, false);
    DrawPath(pDC, PipeOffsetPath(centre, -k, maxPull), penWidth, ramp, false);
  }
}

void CDrawPipe::Draw(CDC* pDC, DWORD dwFlags) {
  if (!m_bVisible || !AllFinite(m_points)) return;
  // Every shaded path lies within the steps and the pull of a bend from
  // the centre line.
  const int steps = PipeShadeSteps(m_nPipeWidth, m_view.zoom);
  const int spread = steps + static_cast<int>(std::ceil(MaxBendPull())) + ShadePenWidth() + 3;
  if (!MeetsClip(pDC, DeviceReach(m_points, spread))) return;
  PaintKey key = BasePaintKey();
  key.AddPoints(m_points).Add(m_nPipeWidth);
  m_paintCache.Paint(
      pDC, key, [&] { return ShadingReach(); }, [&](CDC* pOn) { DrawShading(pOn); });
  CDrawObj::Draw(pDC, dwFlags);
}

void CDrawPipe::GetPropList(PropDescList* pList) {
  int n = GetBasePropList(pList);
  PropDesc* rec = pList->items;
  GetPropDesc(PROP_LINECOLOR, PE_COLOR, &rec[n]);
  rec[n++].value = static_cast<LONG_PTR>(m_clrLine);
  GetPropDesc(PROP_FILLCOLOR1, PE_COLOR, &rec[n]);
  rec[n++].value = static_cast<LONG_PTR>(m_clrFill1);
  GetPropDesc(PROP_PIPEWIDTH, PE_INTEGER, &rec[n]);
  rec[n].value = m_nPipeWidth;
  rec[n].minimum = 7;
  rec[n++].maximum = 64;
  pList->count = AppendTopProps(GetRect(), rec, n);
}

DrawObjType CDrawPipe::GetObjType() { return DOT_PIPE; }

LinkFamily CDrawPipe::GetLinkFamily() { return LF_PIPE_TEXT; }

BOOL CDrawPipe::SetProp(int nId, LONG_PTR value) {
  switch (nId) {
    case PROP_FILLCOLOR1: m_clrFill1 = static_cast<COLORREF>(value); return TRUE;
    case PROP_PIPEWIDTH: m_nPipeWidth = static_cast<int>(value); return TRUE;
    default: return SetLineProp(nId, value);
  }
}
