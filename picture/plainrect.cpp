#include "plainrect.h"

#include <algorithm>

namespace {

// A colour without a palette index or system-colour flag in its top byte.
bool IsPlainRgb(COLORREF c) { return (c >> 24) == 0; }

// The stock objects, asked once: they are the same handles for the whole run.
HGDIOBJ DcPen() {
  static const HGDIOBJ pen = ::GetStockObject(DC_PEN);
  return pen;
}
HGDIOBJ DcBrush() {
  static const HGDIOBJ brush = ::GetStockObject(DC_BRUSH);
  return brush;
}

// The DC's default pen and brush colours, which the DC pen and brush carry
// while no plain shape is being drawn.
constexpr COLORREF kDefaultPenColour = RGB(0, 0, 0);
constexpr COLORREF kDefaultBrushColour = RGB(255, 255, 255);

}  // namespace

bool UprightBounds(const POINT (&p)[4], RECT* bounds) {
  const bool alongX = p[0].y == p[1].y && p[1].x == p[2].x && p[2].y == p[3].y && p[3].x == p[0].x;
  const bool alongY = p[0].x == p[1].x && p[1].y == p[2].y && p[2].x == p[3].x && p[3].y == p[0].y;
  if (!alongX && !alongY) return false;
  *bounds = RECT{std::min(p[0].x, p[2].x), std::min(p[0].y, p[2].y), std::max(p[0].x, p[2].x),
                 std::max(p[0].y, p[2].y)};
  return bounds->right > bounds->left && bounds->bottom > bounds->top;
}

bool PaintPlainRect(HDC hdc, const POINT (&corners)[4], COLORREF line, COLORREF fill) {
  RECT r;
  if (!IsPlainRgb(line) || !IsPlainRgb(fill) || !UprightBounds(corners, &r)) return false;
  if (::GetCurrentObject(hdc, OBJ_PEN) != DcPen() || ::GetCurrentObject(hdc, OBJ_BRUSH) != DcBrush())
    return false;
  const COLORREF oldPen = ::SetDCPenColor(hdc, line);
  const COLORREF oldBrush = ::SetDCBrushColor(hdc, fill);
  ::Rectangle(hdc, r.left, r.top, r.right + 1, r.bottom + 1);
  ::SetDCPenColor(hdc, oldPen);
  ::SetDCBrushColor(hdc, oldBrush);
  return true;
}

PlainShapeColours::PlainShapeColours(HDC hdc)
    : m_hDC(hdc),
      m_oldPen(::SelectObject(hdc, DcPen())),
      m_oldBrush(::SelectObject(hdc, DcBrush())),
      m_oldPenColour(::SetDCPenColor(hdc, kDefaultPenColour)),
      m_oldBrushColour(::SetDCBrushColor(hdc, kDefaultBrushColour)) {}

PlainShapeColours::~PlainShapeColours() {
  ::SetDCPenColor(m_hDC, m_oldPenColour);
  ::SetDCBrushColor(m_hDC, m_oldBrushColour);
  if (m_oldBrush) ::SelectObject(m_hDC, m_oldBrush);
  if (m_oldPen) ::SelectObject(m_hDC, m_oldPen);
}
