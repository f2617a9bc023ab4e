// The colour popup at work: the hot item follows the mouse and the arrow
// keys, a release or Enter ends the selection, Esc or a release outside
// cancels it; the owner hears of each change and of the end, and the popup
// then destroys itself.
#include "colorpopup.h"

#include <windowsx.h>

#include "qel/picmsg.h"
#include "colortable.h"
#include "dialogs/commondlg.h"

LRESULT CColorPopup::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  const POINT at = {GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
  switch (msg) {
    case WM_PAINT: {
      CPaintDC dc(m_hWnd);
      Paint(dc);
      KeepCapture();
      return 0;
    }
    case WM_PRINTCLIENT: Paint(reinterpret_cast<HDC>(wp)); return 0;
    case WM_MOUSEMOVE: OnMouseMove(at); return 0;
    case WM_LBUTTONUP: OnLButtonUp(at); return 0;  // the popup is gone
    case WM_KEYDOWN:
      if (!OnKeyDown(static_cast<UINT>(wp))) KeepCapture();
      return 0;
    case WM_ACTIVATEAPP:
      if (wp || m_dialogOpen || m_ending) break;
      // Lost while the popup is still being opened: the cancel waits until
      // the opening is done.
      if (m_opening) {
        PostMessage(WM_ACTIVATEAPP, FALSE, 0);
        return 0;
      }
      EndSelection(m_hot, true);
      return 0;
    case WM_CLOSE:
      if (!m_ending) EndSelection(m_hot, true);
      return 0;
    case WM_KILLFOCUS: ReleaseCapture(); break;
    case WM_QUERYNEWPALETTE: Invalidate(FALSE); return TRUE;
    case WM_PALETTECHANGED:
      if (reinterpret_cast<HWND>(wp) != m_hWnd) Invalidate(FALSE);
      return 0;
  }
  return CWnd::WindowProc(msg, wp, lp);
}

void CColorPopup::PostNcDestroy() {
  if (m_live) delete this;
}

// Another window took the mouse while the popup is open: take it back.
void CColorPopup::KeepCapture() {
  if (!m_ending && !m_dialogOpen && GetCapture() != m_hWnd) SetCapture();
}

void CColorPopup::OnMouseMove(POINT client) {
  const int item = ItemAt(client);
  if (item != kPopupNoItem && item != m_hot) SetHot(item);
  KeepCapture();
}

void CColorPopup::OnLButtonUp(POINT client) {
  RECT inside;
  GetClientRect(&inside);
  EndSelection(m_hot, !::PtInRect(&inside, client));
}

bool CColorPopup::OnKeyDown(UINT key) {
  switch (key) {
    case VK_ESCAPE: EndSelection(m_hot, true); return true;
    case VK_RETURN:
    case VK_SPACE: EndSelection(m_hot, false); return true;
  }
  SetHot(NextPopupItem(m_hot, key, HasAutoBox(), HasMoreBox()));
  return false;
}

// The old and the new hot item are redrawn; a palette colour or the default
// value becomes the current colour, and the owner hears of it.
void CColorPopup::SetHot(int item) {
  if (item == m_hot) return;
  const RECT oldRect = GetItemRect(m_hot), newRect = GetItemRect(item);
  m_hot = item;
  InvalidateRect(&oldRect, FALSE);
  InvalidateRect(&newRect, FALSE);
  const COLORREF color = ItemColor(item);
  if (item != kPopupMoreBox && item != kPopupNoItem) m_current = color;
  ::SendMessageA(m_owner, QCPN_SELCHANGE, color, 0);
}

void CColorPopup::EndSelection(int item, bool cancelled) {
  m_ending = true;
  if (GetCapture() == m_hWnd) ReleaseCapture();
  if (!cancelled && item == kPopupMoreBox)
    cancelled = !RunColorDialog();
  else if (!cancelled && Exists(item))
    m_current = ItemColor(item);
  if (cancelled) m_current = m_initial;
  // The owner may do anything in its handler, destroying this popup too:
  // nothing of the object is touched after it.
  const HWND self = m_hWnd;
  ::SendMessageA(m_owner, cancelled ? QCPN_SELENDCANCEL : QCPN_SELENDOK, m_current, 0);
  if (::IsWindow(self)) ::DestroyWindow(self);
}

// The platform's colour dialog, fully open, any colour, starting at the
// initial colour; its OK makes the chosen colour current.
bool CColorPopup::RunColorDialog() {
  CColorDialog dialog(DrawableColor(m_initial), CC_FULLOPEN | CC_ANYCOLOR, m_hWnd);
  m_dialogOpen = true;
  const bool chosen = dialog.DoModal() == IDOK;
  m_dialogOpen = false;
  if (chosen) m_current = dialog.GetColor();
  return chosen;
}
