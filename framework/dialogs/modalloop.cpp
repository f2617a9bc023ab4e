#include "dialogs/modalloop.h"

#include "wnd.h"

HWND QelModalOwner(HWND parent) {
  HWND owner = parent ? parent : ::GetActiveWindow();
  if (!owner || !::IsWindow(owner)) return nullptr;
  owner = ::GetAncestor(owner, GA_ROOT);
  return owner == ::GetDesktopWindow() ? nullptr : owner;
}

CModalOwnerLock::CModalOwnerLock(HWND owner) : m_owner(owner), m_reenable(owner && ::IsWindowEnabled(owner)) {
  if (m_reenable) ::EnableWindow(owner, FALSE);
}

void CModalOwnerLock::Release() {
  // Enabled before the modal window goes, so that activation returns to the
  // owner instead of a window of another program.
  if (m_reenable && ::IsWindow(m_owner)) ::EnableWindow(m_owner, TRUE);
  m_reenable = false;
}

void QelLeaveModal(HWND modal, CModalOwnerLock& owner) {
  bool wasActive = ::GetActiveWindow() == modal;
  owner.Release();
  if (::IsWindow(modal))
    ::SetWindowPos(modal, nullptr, 0, 0, 0, 0,
                   SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
  HWND back = owner.Owner();
  if (wasActive && back && ::IsWindowEnabled(back)) ::SetActiveWindow(back);
}

bool QelIsInputFor(HWND window, const MSG* msg) {
  bool input = (msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST) ||
               (msg->message >= WM_MOUSEFIRST && msg->message <= WM_MOUSELAST);
  return input && window && (msg->hwnd == window || ::IsChild(window, msg->hwnd));
}

BOOL QelModalPump(HWND modal) {
  MSG msg;
  BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
  if (got == 0) {
    ::PostQuitMessage(static_cast<int>(msg.wParam));
    return FALSE;
  }
  if (got == -1) return FALSE;
  if (!QelWalkPreTranslateTree(modal, &msg)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
  return TRUE;
}
