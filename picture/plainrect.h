// The plain rectangle in one platform call: an upright outline one pixel
// wide in a solid colour around a solid fill.
//
// Drawing such a rectangle the general way (a pen and a brush made,
// selected, used by a polygon and an outline poly-line, unselected and
// deleted) costs some ten platform calls; a picture of a thousand squares
// that a tick moves spends most of its repaint there. A paint that draws
// many objects selects the DC's own pen and brush (the stock DC_PEN and
// DC_BRUSH, PlainShapeColours below) for its length; a plain rectangle then
// sets their colours and draws with Rectangle, which gives the same pixels:
// the outline of corners (l, t) to (r, b) covers the frame of columns l to
// r and rows t to b, both included, and the fill what lies inside it.
#pragma once
#include <windows.h>

// The bounds of the four device corners (in outline order) when they
// outline an upright rectangle (each side along an axis) with width and
// height of at least one pixel; false otherwise.
bool UprightBounds(const POINT (&p)[4], RECT* bounds);

// Draws the rectangle of the four device corners (in outline order, an
// upright rectangle at least one pixel wide and high) with a solid outline
// one pixel wide in `line` and a solid fill in `fill`, when the DC has the
// DC pen and brush selected and both colours are plain RGB. The DC pen and
// brush colours are left as found. False (nothing drawn) otherwise: the
// caller draws the general way.
bool PaintPlainRect(HDC hdc, const POINT (&corners)[4], COLORREF line, COLORREF fill);

// Selects the DC pen and brush into a DC for the length of a scope, so that
// plain rectangles drawn on it take the short way. Their colours start as
// the DC's default pen and brush (black, white), so a drawing that uses
// whatever is selected draws as before.
class PlainShapeColours {
 public:
  explicit PlainShapeColours(HDC hdc);
  ~PlainShapeColours();
  PlainShapeColours(const PlainShapeColours&) = delete;
  PlainShapeColours& operator=(const PlainShapeColours&) = delete;

 private:
  HDC m_hDC;
  HGDIOBJ m_oldPen;
  HGDIOBJ m_oldBrush;
  COLORREF m_oldPenColour;
  COLORREF m_oldBrushColour;
};
