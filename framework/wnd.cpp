// CWnd's thin wrappers over the window functions of the platform.
#include "wnd.h"

IMPLEMENT_DYNAMIC(CWnd, CCmdTarget)

CString QelGetWindowText(HWND hwnd) {
  CString text;
  if (!hwnd) return text;
  int n = ::GetWindowTextLengthA(hwnd);
  char* buf = text.GetBuffer(n + 1);
  buf[0] = '\0';
  ::GetWindowTextA(hwnd, buf, n + 1);
  text.ReleaseBuffer();
  return text;
}

LRESULT CWnd::SendMessage(UINT msg, WPARAM wp, LPARAM lp) const {
  return ::SendMessageA(m_hWnd, msg, wp, lp);
}
BOOL CWnd::PostMessage(UINT msg, WPARAM wp, LPARAM lp) const { return ::PostMessageA(m_hWnd, msg, wp, lp); }
LRESULT CWnd::SendMessageToParent(UINT msg, WPARAM wp, LPARAM lp) const {
  HWND parent = GetParent();
  return parent ? ::SendMessageA(parent, msg, wp, lp) : 0;
}

HWND CWnd::GetParent() const { return m_hWnd ? ::GetParent(m_hWnd) : nullptr; }
CWnd* CWnd::GetParentWnd() const { return FromHandlePermanent(GetParent()); }
int CWnd::GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
int CWnd::SetDlgCtrlID(int id) { return static_cast<int>(::SetWindowLongPtrA(m_hWnd, GWLP_ID, id)); }
HWND CWnd::GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
void CWnd::SetDlgItemText(int id, const char* text) { ::SetDlgItemTextA(m_hWnd, id, text ? text : ""); }
CString CWnd::GetDlgItemText(int id) const { return QelGetWindowText(GetDlgItem(id)); }
LRESULT CWnd::SendDlgItemMessage(int id, UINT msg, WPARAM wp, LPARAM lp) const {
  return ::SendDlgItemMessageA(m_hWnd, id, msg, wp, lp);
}
void CWnd::CheckDlgButton(int id, UINT check) { ::CheckDlgButton(m_hWnd, id, check); }
UINT CWnd::IsDlgButtonChecked(int id) const { return ::IsDlgButtonChecked(m_hWnd, id); }

void CWnd::SetWindowText(const char* text) { ::SetWindowTextA(m_hWnd, text ? text : ""); }
int CWnd::GetWindowText(char* buf, int n) const {
  if (!buf || n <= 0) return 0;
  buf[0] = '\0';
  return ::GetWindowTextA(m_hWnd, buf, n);
}
void CWnd::GetWindowText(CString& text) const { text = QelGetWindowText(m_hWnd); }
int CWnd::GetWindowTextLength() const { return ::GetWindowTextLengthA(m_hWnd); }
void CWnd::SetFont(HFONT font, BOOL redraw) {
  SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), MAKELPARAM(redraw ? TRUE : FALSE, 0));
}
HFONT CWnd::GetFont() const { return reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)); }

BOOL CWnd::ShowWindow(int cmd) { return ::ShowWindow(m_hWnd, cmd); }
BOOL CWnd::EnableWindow(BOOL enable) { return ::EnableWindow(m_hWnd, enable); }
BOOL CWnd::IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
BOOL CWnd::IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
DWORD CWnd::GetStyle() const { return static_cast<DWORD>(::GetWindowLongPtrA(m_hWnd, GWL_STYLE)); }
DWORD CWnd::GetExStyle() const { return static_cast<DWORD>(::GetWindowLongPtrA(m_hWnd, GWL_EXSTYLE)); }
BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT flags) {
  DWORD old = GetStyle();
  DWORD style = (old & ~remove) | add;
  if (style == old) return FALSE;
  ::SetWindowLongPtrA(m_hWnd, GWL_STYLE, static_cast<LONG_PTR>(style));
  if (flags)
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | flags);
  return TRUE;
}
BOOL CWnd::MoveWindow(int x, int y, int cx, int cy, BOOL repaint) {
  return ::MoveWindow(m_hWnd, x, y, cx, cy, repaint);
}
BOOL CWnd::MoveWindow(const RECT& r, BOOL repaint) {
  return MoveWindow(r.left, r.top, r.right - r.left, r.bottom - r.top, repaint);
}
BOOL CWnd::SetWindowPos(HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
  return ::SetWindowPos(m_hWnd, insertAfter, x, y, cx, cy, flags);
}
HDWP CWnd::DeferWindowPos(HDWP batch, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
  return batch ? ::DeferWindowPos(batch, m_hWnd, insertAfter, x, y, cx, cy, flags) : nullptr;
}
void CWnd::GetClientRect(RECT* r) const { ::GetClientRect(m_hWnd, r); }
void CWnd::GetWindowRect(RECT* r) const { ::GetWindowRect(m_hWnd, r); }
void CWnd::ClientToScreen(POINT* pt) const { ::ClientToScreen(m_hWnd, pt); }
void CWnd::ClientToScreen(RECT* r) const {
  ::MapWindowPoints(m_hWnd, HWND_DESKTOP, reinterpret_cast<POINT*>(r), 2);
}
void CWnd::ScreenToClient(POINT* pt) const { ::ScreenToClient(m_hWnd, pt); }
void CWnd::ScreenToClient(RECT* r) const {
  ::MapWindowPoints(HWND_DESKTOP, m_hWnd, reinterpret_cast<POINT*>(r), 2);
}
void CWnd::Invalidate(BOOL erase) { ::InvalidateRect(m_hWnd, nullptr, erase); }
void CWnd::InvalidateRect(const RECT* r, BOOL erase) { ::InvalidateRect(m_hWnd, r, erase); }
void CWnd::ValidateRect(const RECT* r) { ::ValidateRect(m_hWnd, r); }
void CWnd::UpdateWindow() { ::UpdateWindow(m_hWnd); }
void CWnd::SetRedraw(BOOL redraw) { SendMessage(WM_SETREDRAW, redraw ? TRUE : FALSE); }
HWND CWnd::SetFocus() { return ::SetFocus(m_hWnd); }

UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT elapseMs) { return ::SetTimer(m_hWnd, id, elapseMs, nullptr); }
BOOL CWnd::KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id); }
HWND CWnd::SetCapture() { return ::SetCapture(m_hWnd); }
BOOL CWnd::ReleaseCapture() { return ::ReleaseCapture(); }
HWND CWnd::GetCapture() { return ::GetCapture(); }

int CWnd::SetScrollInfo(int bar, const SCROLLINFO& info, BOOL redraw) {
  SCROLLINFO copy = info;
  copy.cbSize = sizeof copy;
  return ::SetScrollInfo(m_hWnd, bar, &copy, redraw);
}
BOOL CWnd::GetScrollInfo(int bar, SCROLLINFO* info, UINT mask) const {
  info->cbSize = sizeof *info;
  info->fMask = mask;
  return ::GetScrollInfo(m_hWnd, bar, info);
}
int CWnd::SetScrollPos(int bar, int pos, BOOL redraw) { return ::SetScrollPos(m_hWnd, bar, pos, redraw); }
int CWnd::GetScrollPos(int bar) const { return ::GetScrollPos(m_hWnd, bar); }
