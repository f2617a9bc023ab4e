// CDrawText: drawing, its handle marks and measuring.
#include "drawtext.h"

#include <cstdlib>

#include "rectpaint.h"
#include "textfont.h"

namespace {

constexpr COLORREF kAnchorMarkGrey = 0x808080;

// The font as drawing or measuring uses it: the stored escapement also turns
// the glyphs whatever graphics mode the DC is in.
LOGFONTA TurnedFont(const LOGFONTA& lf, int nEscapement) {
  LOGFONTA turned = lf;
  turned.lfEscapement = nEscapement;
  turned.lfOrientation = nEscapement;
  return turned;
}

}  // namespace

void CDrawText::Draw(CDC* pDC, DWORD dwFlags) {
  if (!m_bVisible || !IsFinite(m_ptA) || !IsFinite(m_ptB)) return;
  // The escapement stays in the object's font and is stored with it.
  m_font.lfEscapement = EscapementOfDirection();
  CFont font;
  if (CreateZoomedFont(font, TurnedFont(m_font, m_font.lfEscapement), m_view.zoom)) {
    const CPointD a = PointToDevice(m_ptA);
    const COLORREF oldText = pDC->SetTextColor(m_clrLine);
    const bool opaque = m_clrFill1 != kNoColor;
    const COLORREF oldBk = opaque ? pDC->SetBkColor(m_clrFill1) : 0;
    const int oldMode = pDC->SetBkMode(opaque ? OPAQUE : TRANSPARENT);
    {
      CSelectGdi selectFont(*pDC, font);
      ::TextOutA(*pDC, TruncCoord(a.x), TruncCoord(a.y), m_strText.GetString(), m_strText.GetLength());
    }
    pDC->SetBkMode(oldMode);
    if (opaque) pDC->SetBkColor(oldBk);
    pDC->SetTextColor(oldText);
  }
  CDrawObj::Draw(pDC, dwFlags);
}

void CDrawText::DrawTracker(CDC* pDC, int nState) {
  if ((nState != 1 && nState != 2) || !IsFinite(m_ptA) || !IsFinite(m_ptB)) return;
  const POINT turn = DevicePointRounded(GetHandle(1));
  pDC->InvertRect(RECT{turn.x - 3, turn.y - 3, turn.x + 3, turn.y + 3});

  const POINT anchor = DevicePointRounded(GetHandle(2));
  CPen pen;
  if (!pen.CreatePen(PS_SOLID, 1, kAnchorMarkGrey)) return;
  CSelectGdi selectPen(*pDC, pen);
  CSelectGdi selectBrush(*pDC, ::GetStockObject(HOLLOW_BRUSH));
  const int oldRop = pDC->SetROP2(R2_XORPEN);
  pDC->Rectangle(RECT{anchor.x - 3, anchor.y - 3, anchor.x + 3, anchor.y + 3});
  pDC->SetROP2(oldRop);
}

void CDrawText::CalcExtent(HWND hView) {
  if (!hView) return;
  CClientDC dc(hView);
  CFont font;
  if (!dc.GetSafeHdc() || !CreateZoomedFont(font, TurnedFont(m_font, 0), m_view.zoom)) return;
  SIZE extent = {0, 0};
  {
    CSelectGdi selectFont(dc, font);
    ::GetTextExtentPoint32A(dc, m_strText.GetString(), m_strText.GetLength(), &extent);
  }
  // The extent is in device pixels at the current zoom; the end point is a
  // picture position.
  const double zoom = m_view.zoom > 0.0 ? m_view.zoom : 1.0;
  double width = extent.cx / zoom;
  const double minimum = std::abs(static_cast<double>(m_font.lfHeight));
  if (width < minimum) width = minimum;
  const DirPair along = Direction(m_ptA, m_ptB);
  m_ptB = CPointD(m_ptA.x + width * along.cosine, m_ptA.y + width * along.sine);
  PointsChanged();
  InvalidateIn(hView);
}
