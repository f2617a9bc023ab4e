#include "colorcontrol.h"

#include <windowsx.h>

#include "qel/picmsg.h"
#include "colorpopup.h"
#include "colortable.h"
#include "gdiwrap.h"

LRESULT CColorControl::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_PAINT: {
      CPaintDC dc(m_hWnd);
      Paint(dc);
      return 0;
    }
    case WM_PRINTCLIENT: Paint(reinterpret_cast<HDC>(wp)); return 0;
    case WM_NCHITTEST: return HTCLIENT;  // clickable without SS_NOTIFY
    case WM_LBUTTONUP: OnClick(POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)}); return 0;
    case QCPN_SELENDOK: OnColorChosen(static_cast<COLORREF>(wp)); return 0;
    case QCPN_SELCHANGE:
    case QCPN_SELENDCANCEL: return 0;
  }
  return CWnd::WindowProc(msg, wp, lp);
}

void CColorControl::OpenPopup(POINT client, COLORREF initial) {
  ClientToScreen(&client);
  CColorPopup::Create(client, initial, m_hWnd, CColorPopup::kAutomaticText, CColorPopup::kMoreColorsText,
                      kColorDefault);
}

void CColorControl::NotifyChanged() { SendMessageToParent(QCCN_CHANGED); }
