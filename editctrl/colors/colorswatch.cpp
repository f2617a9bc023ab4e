#include "colorswatch.h"

#include <windowsx.h>

#include "../picmsg.h"
#include "colorpopup.h"
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
  Invalidate(TRUE);
  SendMessageToParent(QCCN_CHANGED);
}

LRESULT CColorSwatch::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = ::BeginPaint(m_hWnd, &ps);
      OnPaint(dc);
      ::EndPaint(m_hWnd, &ps);
      return 0;
    }
    case WM_PRINTCLIENT: OnPaint(reinterpret_cast<HDC>(wp)); return 0;
    case WM_NCHITTEST: return HTCLIENT;  // clickable without SS_NOTIFY
    case WM_LBUTTONUP: OnLButtonUp(POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)}); return 0;
    case QCPN_SELENDOK: SetColor(static_cast<COLORREF>(wp)); return 0;
    case QCPN_SELCHANGE:
    case QCPN_SELENDCANCEL: return 0;
  }
  return CWnd::WindowProc(msg, wp, lp);
}

// The whole client area, a one-pixel black border round the colour.
void CColorSwatch::OnPaint(HDC dc) {
  RECT client;
  GetClientRect(&client);
  CBrush fill;
  fill.CreateSolidBrush(DrawableColor(m_color));
  CSelectGdi brush(dc, fill.GetSafeHandle());
  CSelectGdi pen(dc, ::GetStockObject(BLACK_PEN));
  ::Rectangle(dc, client.left, client.top, client.right, client.bottom);
}

void CColorSwatch::OnLButtonUp(POINT client) {
  ClientToScreen(&client);
  CColorPopup::Create(client, m_color, m_hWnd, CColorPopup::kAutomaticText,
                      CColorPopup::kMoreColorsText, kColorDefault);
}
