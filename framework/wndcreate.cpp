// Making windows through the layer and taking over existing ones.
//
// CreateEx attaches the object before the window's first message, whatever the
// window class (a system control too): a creation hook of this thread sees the
// new handle before WM_NCCREATE and puts the layer's procedure in front.
#include "wndimpl.h"
#include "wndmodule.h"

namespace {

// The object whose window CreateEx is making now, and the class asked for: the
// first window of that class created meanwhile is its window (a creation may
// make helper windows of other classes first).
struct PendingCreate {
  CWnd* wnd;  // cleared once attached
  const char* className;
  HWND attached;  // the handle the hook attached it to
};
PendingCreate* g_pending = nullptr;

bool IsClassOf(HWND hwnd, const char* className) {
  if (IS_INTRESOURCE(className))
    return ::GetClassWord(hwnd, GCW_ATOM) == static_cast<WORD>(reinterpret_cast<UINT_PTR>(className));
  char name[256];
  return ::GetClassNameA(hwnd, name, sizeof name) > 0 && ::lstrcmpiA(name, className) == 0;
}

LRESULT CALLBACK CreationHook(int code, WPARAM wp, LPARAM lp) {
  HWND hwnd = reinterpret_cast<HWND>(wp);
  if (code == HCBT_CREATEWND && g_pending && g_pending->wnd && IsClassOf(hwnd, g_pending->className)) {
    CWnd* wnd = g_pending->wnd;
    g_pending->wnd = nullptr;
    g_pending->attached = hwnd;
    CWndAccess::Attach(wnd, hwnd, true);
    QelGuarded(hwnd, WM_NULL, [wnd] {  // a hook is a callback: nothing may leave it
      wnd->PreSubclassWindow();
      return LRESULT(0);
    });
  }
  return ::CallNextHookEx(nullptr, code, wp, lp);
}

}  // namespace

BOOL CWnd::CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style, int x, int y,
                    int cx, int cy, HWND parent, HMENU menuOrId, void* param) {
  if (m_hWnd || !className) return FALSE;
  PendingCreate pending{this, className, nullptr};
  PendingCreate* outer = g_pending;
  g_pending = &pending;
  HHOOK hook = ::SetWindowsHookExA(WH_CBT, CreationHook, nullptr, ::GetCurrentThreadId());
  HWND hwnd = ::CreateWindowExA(exStyle, className, windowName, style, x, y, cx, cy, parent, menuOrId,
                                QelGetInstanceHandle(), param);
  if (hook) ::UnhookWindowsHookEx(hook);
  g_pending = outer;
  if (!hwnd) {
    // A refused creation has normally detached us at WM_NCDESTROY already (and
    // an object that deletes itself is gone: it is not touched here).
    auto& windows = QelGetModuleState().windows;
    auto it = pending.attached ? windows.find(pending.attached) : windows.end();
    if (it != windows.end() && it->second == this) CWndAccess::Detach(this);
    return FALSE;
  }
  if (!m_hWnd) {  // not seen by the hook: take the window over now
    CWndAccess::Attach(this, hwnd, true);
    PreSubclassWindow();
  }
  return m_hWnd == hwnd;
}

BOOL CWnd::Create(const char* className, const char* windowName, DWORD style, const RECT& rect, HWND parent,
                  UINT id, void* param) {
  return CreateEx(0, className, windowName, style, rect.left, rect.top, rect.right - rect.left,
                  rect.bottom - rect.top, parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), param);
}

BOOL CWnd::SubclassWindow(HWND hwnd) {
  if (m_hWnd || !::IsWindow(hwnd) || FromHandlePermanent(hwnd)) return FALSE;
  DWORD pid = 0;
  ::GetWindowThreadProcessId(hwnd, &pid);
  if (pid != ::GetCurrentProcessId()) return FALSE;
  CWndAccess::Attach(this, hwnd, true);
  if (!CWndAccess::IsSubclassed(this)) {  // already running our procedure: not ours to take
    CWndAccess::Detach(this);
    return FALSE;
  }
  PreSubclassWindow();
  return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, HWND parent) {
  HWND item = ::GetDlgItem(parent, static_cast<int>(id));
  return item ? SubclassWindow(item) : FALSE;
}

HWND CWnd::UnsubclassWindow() {
  HWND hwnd = m_hWnd;
  if (!hwnd || !CWndAccess::IsSubclassed(this)) return nullptr;
  // Another procedure put in front of ours after us cannot be unhooked safely.
  if (reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(hwnd, GWLP_WNDPROC)) != QelWndProc) return nullptr;
  CWndAccess::Detach(this);
  return hwnd;
}

BOOL CWnd::DestroyWindow() {
  if (!m_hWnd) return FALSE;
  return ::DestroyWindow(m_hWnd);
}

CWnd::CWnd() = default;

CWnd::~CWnd() {
  if (!m_hWnd) return;
  // The object is going: the window goes with it, its last messages handled by
  // this base part alone; it must not try to delete the object again.
  m_bAutoDelete = false;
  if (FromHandlePermanent(m_hWnd) == this) ::DestroyWindow(m_hWnd);
  if (m_hWnd) CWndAccess::Detach(this);  // not destroyable from here (another thread)
}
