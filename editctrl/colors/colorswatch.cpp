#include "colorswatch.h"

#include "colortable.h"
#include "gdiwrap.h"

void CColorSwatch::InitColor(COLORREF color) {
  m_color = color;
  if (m_hWnd) Invalidate(TRUE);
}

void CColorSwatch::SetColor(COLORREF color) {
  if (color == kColorDefault) color = m_defaultColor;
  if (color == m_color) return;
  m_color = color;
  if (m_hWnd) Invalidate(TRUE);
  NotifyChanged();
}

// The whole client area, a one-pixel black border round the colour.
void CColorSwatch::Paint(HDC dc) {
  RECT client;
  GetClientRect(&client);
  CBrush fill;
  fill.CreateSolidBrush(DrawableColor(m_color));
  CSelectGdi brush(dc, fill.GetSafeHandle());
  CSelectGdi pen(dc, ::GetStockObject(BLACK_PEN));
  ::Rectangle(dc, client.left, client.top, client.right, client.bottom);
}

void CColorSwatch::OnClick(POINT client) { OpenPopup(client, m_color); }
