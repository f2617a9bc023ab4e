// Drawing of the colour popup: the palette cells and the two boxes on the
// button face, the hot item raised, the chosen one sunken (on the highlight
// colour when it is not hot), and a raised edge round the window.
#include "colorpopup.h"
#include "colortable.h"
#include "gdiwrap.h"

namespace {

void FillColor(HDC dc, const RECT& rect, COLORREF color) { CDC(dc).FillSolidRect(rect, color); }

void Frame(HDC dc, const RECT& rect, int sysColor) { ::FrameRect(dc, &rect, ::GetSysColorBrush(sysColor)); }

void HorizontalLine(HDC dc, int left, int right, int y, int sysColor) {
  FillColor(dc, RECT{left, y, right, y + 1}, ::GetSysColor(sysColor));
}

}  // namespace

void CColorPopup::Paint(HDC dc) {
  RECT client;
  GetClientRect(&client);
  FillColor(dc, client, ::GetSysColor(COLOR_BTNFACE));
  HPALETTE palette = static_cast<HPALETTE>(m_palette.GetSafeHandle());
  HPALETTE oldPalette = palette ? ::SelectPalette(dc, palette, FALSE) : nullptr;
  if (palette) ::RealizePalette(dc);
  HGDIOBJ oldFont = m_font.GetSafeHandle() ? ::SelectObject(dc, m_font.GetSafeHandle()) : nullptr;
  ::SetBkMode(dc, TRANSPARENT);
  for (int i = 0; i < m_colorCount; ++i) PaintCell(dc, i);
  PaintBox(dc, kPopupAutoBox);
  PaintBox(dc, kPopupMoreBox);
  ::DrawEdge(dc, &client, EDGE_RAISED, BF_RECT);
  if (oldFont) ::SelectObject(dc, oldFont);
  if (oldPalette) ::SelectPalette(dc, oldPalette, FALSE);
}

void CColorPopup::PaintItemFrame(HDC dc, int item, const RECT& rect) {
  const bool hot = item == m_hot, chosen = item == m_chosen;
  FillColor(dc, rect, ::GetSysColor(chosen && !hot ? COLOR_3DHILIGHT : COLOR_BTNFACE));
  const UINT edge = (chosen ? BDR_SUNKENOUTER : 0) | (hot ? BDR_RAISEDINNER : 0);
  RECT edged = rect;
  if (edge) ::DrawEdge(dc, &edged, edge, BF_RECT);
}

// On a palette device the cell's colour is matched through the popup's
// own palette.
void CColorPopup::PaintCell(HDC dc, int item) {
  const RECT rect = GetItemRect(item);
  PaintItemFrame(dc, item, rect);
  RECT swatch = rect;
  ::InflateRect(&swatch, -(m_margin + 1), -(m_margin + 1));
  const COLORREF c = kPopupColors[item].color;
  const bool paletteDevice = (::GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE) != 0;
  FillColor(dc, swatch, paletteDevice ? PALETTERGB(GetRValue(c), GetGValue(c), GetBValue(c)) : c);
  Frame(dc, swatch, COLOR_BTNSHADOW);
}

void CColorPopup::PaintBox(HDC dc, int item) {
  if (!Exists(item)) return;
  RECT rect = GetItemRect(item);
  PaintItemFrame(dc, item, rect);
  if (item == kPopupAutoBox) {
    RECT frame = rect;
    ::InflateRect(&frame, -m_margin, -m_margin);
    Frame(dc, frame, COLOR_BTNSHADOW);
  } else {
    // The separator in the gap above the box: shadow, then highlight.
    HorizontalLine(dc, rect.left, rect.right, rect.top - m_margin, COLOR_BTNSHADOW);
    HorizontalLine(dc, rect.left, rect.right, rect.top - m_margin + 1, COLOR_BTNHIGHLIGHT);
  }
  const CString& text = item == kPopupAutoBox ? m_autoText : m_moreText;
  ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
  ::DrawTextA(dc, text, text.GetLength(), &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}
