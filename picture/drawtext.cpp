// CDrawText: stored form, text box geometry, editing and properties.
#include "drawtext.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "archive.h"
#include "drawrect.h"
#include "textedit.h"
#include "textfont.h"

IMPLEMENT_SERIAL(CDrawText, CDrawObj, 0)

namespace {

constexpr int kTextHandleCount = 4;
// A turn dragged closer than this to A is ignored.
constexpr double kMinTurnDistance = 10.0;
constexpr double kPi = 3.14159265358979323846;

CPointD Moved(const CPointD& p, double dx, double dy) { return CPointD(p.x + dx, p.y + dy); }

}  // namespace

CDrawText::CDrawText() : m_strText("单行文字"), m_font(DefaultTextFont()), m_dRefHeight(m_font.lfHeight) {}

void CDrawText::Serialize(CArchive& ar) {
  CDrawObj::Serialize(ar);
  if (ar.IsStoring()) {
    ar << m_ptA.x << m_ptA.y << m_ptB.x << m_ptB.y;
    ar << m_strText;
    ar.Write(&m_font, sizeof m_font);
  } else {
    ar >> m_ptA.x >> m_ptA.y >> m_ptB.x >> m_ptB.y;
    ar >> m_strText;
    ar.Read(&m_font, sizeof m_font);
    m_dRefHeight = m_font.lfHeight;
  }
}

void CDrawText::SetFont(const LOGFONTA& lf) {
  m_font = lf;
  m_dRefHeight = m_font.lfHeight;
}

void CDrawText::SetPoints(const CPointD& a, const CPointD& b) {
  m_ptA = a;
  m_ptB = b;
  PointsChanged();
}

void CDrawText::PointsChanged() { GetRect(); }

void CDrawText::GetTextBox(CPointD box[4]) const {
  const double h = std::abs(static_cast<double>(m_font.lfHeight));
  const DirPair along = Direction(m_ptA, m_ptB);
  // "Down" in the text's frame: the direction of AB turned by 90 degrees.
  const double downX = -along.sine * h;
  const double downY = along.cosine * h;
  box[0] = m_ptA;
  box[1] = m_ptB;
  box[2] = Moved(m_ptB, downX, downY);
  box[3] = Moved(m_ptA, downX, downY);
}

int CDrawText::GetHandleCount() { return kTextHandleCount; }

CPointD CDrawText::GetHandle(int nHandle) {
  CPointD box[4];
  GetTextBox(box);
  // Handle 1 (B) turns the text; A and the lower corners only show.
  switch (nHandle) {
    case 1: return box[1];
    case 2: return box[0];
    case 3: return box[2];
    case 4: return box[3];
    default: return CPointD();
  }
}

HCURSOR CDrawText::GetHandleCursor(int nHandle) {
  return ::LoadCursorA(nullptr, nHandle != 0 ? IDC_HAND : IDC_SIZEALL);
}

int CDrawText::HitTest(const CPointD& point, CDrawObj** ppHit) {
  if (HandleContains(1, DevicePointRounded(point))) {
    if (ppHit) *ppHit = this;
    return 1;
  }
  CPointD box[4];
  GetTextBox(box);
  POINT polygon[4];
  for (int i = 0; i < 4; ++i) polygon[i] = TruncatedPoint(box[i]);
  CRgn region;
  const POINT pt = TruncatedPoint(point);
  if (!region.CreatePolygonRgn(polygon, 4, ALTERNATE) || !region.PtInRegion(pt.x, pt.y)) return -1;
  if (ppHit) *ppHit = this;
  return 0;
}

void CDrawText::MoveHandleTo(int& nHandle, const CPointD& point, HWND hView) {
  if (nHandle != 1 || Distance(m_ptA, point) < kMinTurnDistance) return;
  InvalidateIn(hView);
  const DirPair turn = SubtractDirections(Direction(m_ptA, point), Direction(m_ptA, m_ptB));
  m_ptB = RotateForward(m_ptA, m_ptB, turn);
  PointsChanged();
  InvalidateIn(hView);
}

CRectD CDrawText::GetRect() {
  CPointD box[4];
  GetTextBox(box);
  const CRectD r = BoundingBox(box, 4);
  m_rect = r;
  return r;
}

RECT CDrawText::GetInvalidRect() { return InvalidRectOf(GetRect()); }

void CDrawText::SetText(const char* pszText) { m_strText = pszText ? pszText : ""; }

CString CDrawText::GetText() { return m_strText; }

int CDrawText::EditObjectText(HWND hOwner) { return ::EditObjectText(hOwner, this); }

void CDrawText::MoveBy(const CPointD& offset) {
  if (offset.x == 0.0 && offset.y == 0.0) return;
  m_ptA = Moved(m_ptA, offset.x, offset.y);
  m_ptB = Moved(m_ptB, offset.x, offset.y);
  PointsChanged();
}

int CDrawText::Stretch(const CPointD& anchor, const CPointD& from, const CPointD& to) {
  const double fx = from.x == anchor.x ? 0.0 : (to.x - from.x) / (from.x - anchor.x);
  const double fy = from.y == anchor.y ? 0.0 : (to.y - from.y) / (from.y - anchor.y);
  if (fx == 0.0 && fy == 0.0) return 0;
  const double oldLength = Distance(m_ptA, m_ptB);
  for (CPointD* p : {&m_ptA, &m_ptB}) {
    p->x += (p->x - anchor.x) * fx;
    p->y += (p->y - anchor.y) * fy;
  }
  const double newLength = Distance(m_ptA, m_ptB);
  // A text without length has no scale to follow: its height stays.
  if (oldLength > 0.0 && newLength > 0.0) {
    m_dRefHeight = m_dRefHeight * newLength / oldLength;
    // Held to the font field's range: a long run of stretches must not
    // overflow the cast.
    m_font.lfHeight = static_cast<LONG>(std::clamp(m_dRefHeight, -2147483647.0, 2147483647.0));
  }
  PointsChanged();
  return 0;
}

void CDrawText::Rotate(const CPointD& centre, const DirPair& turn) {
  m_ptA = RotateForward(centre, m_ptA, turn);
  m_ptB = RotateForward(centre, m_ptB, turn);
  PointsChanged();
}

void CDrawText::Flip(double x, double y, int nAxis) {
  for (CPointD* p : {&m_ptA, &m_ptB}) {
    if (nAxis)
      p->y = 2.0 * y - p->y;
    else
      p->x = 2.0 * x - p->x;
  }
  PointsChanged();
}

void CDrawText::Scale(const CPointD& anchor, double f) {
  for (CPointD* p : {&m_ptA, &m_ptB}) {
    p->x = (p->x - anchor.x) * f + anchor.x;
    p->y = (p->y - anchor.y) * f + anchor.y;
  }
  PointsChanged();
}

int CDrawText::EscapementOfDirection() const {
  double degrees = DirectionAngle(m_ptA, m_ptB) * 180.0 / kPi;
  if (degrees >= 360.0) degrees -= 360.0;
  double tenths = degrees * 10.0;
  // Axis directions come out of the trigonometry a hair off a whole tenth;
  // they must not truncate to the tenth below.
  if (!std::isfinite(tenths)) return 0;  // points so far apart that their direction overflows
  const double whole = std::floor(tenths + 0.5);
  if (std::fabs(tenths - whole) < 1e-6) tenths = whole;
  return static_cast<int>(-tenths);
}

void CDrawText::GetPropList(PropDescList* pList) {
  GetBasePropList(pList);
  AppendProp(pList, PROP_TEXT, PE_TEXT, reinterpret_cast<LONG_PTR>(m_strText.GetString()));
  AppendNamedProp(pList, PROP_LINECOLOR, PE_COLOR, "字体颜色", m_clrLine);
  AppendProp(pList, PROP_FONT, PE_FONT, reinterpret_cast<LONG_PTR>(&m_font));
  AppendNamedProp(pList, PROP_FILLCOLOR1, PE_COLOR, "背景颜色", m_clrFill1).minimum = 1;
  const CRectD bounds = GetRect();
  AppendProp(pList, PROP_TOPX, PE_INTEGER, static_cast<int>(bounds.left));
  AppendProp(pList, PROP_TOPY, PE_INTEGER, static_cast<int>(bounds.top));
}

DrawObjType CDrawText::GetObjType() { return DOT_TEXT; }

BOOL CDrawText::SetProp(int nId, LONG_PTR value) {
  if (SetBaseProp(nId, value) || SetLineAndTopProp(nId, value) || SetFillProp(nId, value)) return TRUE;
  switch (nId) {
    case PROP_TEXT: SetText(reinterpret_cast<const char*>(value)); return TRUE;
    case PROP_FONT:
      if (!value) return FALSE;
      SetFont(*reinterpret_cast<const LOGFONTA*>(value));
      return TRUE;
    default: return FALSE;
  }
}

int CDrawText::GetActionKinds(ActionKindList* pList) {
  return FillObjectActionKinds(this, LF_PIPE_TEXT, pList);
}
