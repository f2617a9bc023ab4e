#include "runtimeview.h"

#include "qel/picmsg.h"
#include "gdiwrap.h"
#include "viewertexts.h"

namespace {

const char kViewClass[] = "QelViewRuntimeView";

// Double clicks, redraw on resizing, the arrow cursor, the window colour.
const char* ViewClassName() {
  static ATOM atom = [] {
    WNDCLASSA wc = {};
    wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kViewClass;
    return ::RegisterClassA(&wc);
  }();
  return atom ? kViewClass : nullptr;
}

}  // namespace

HMENU CreateViewerContextMenu() {
  HMENU bar = ::CreateMenu();
  HMENU popup = ::CreatePopupMenu();
  ::AppendMenuA(popup, MF_STRING | MF_GRAYED, ID_VIEWER_MAINMENU, kMenuTitle);
  ::AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
  ::AppendMenuA(popup, MF_STRING, ID_APP_EXIT, kMenuExit);
  ::AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), "");
  return bar;
}

CRuntimeView::CRuntimeView() = default;

CRuntimeView::~CRuntimeView() {
  // The window first: it must not call into the project while it goes.
  m_host.Destroy();
  DestroyWindow();
}

bool CRuntimeView::CreateView(HWND parent, UINT id) {
  const char* cls = ViewClassName();
  if (!cls) return false;
  // Bordered as asked, then the view's own class takes the border away.
  if (!CreateEx(0, cls, "", WS_CHILD | WS_VISIBLE | WS_BORDER, 0, 0, 0, 0, parent,
                reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id))))
    return false;
  ModifyStyle(WS_BORDER, 0, SWP_FRAMECHANGED);
  return true;
}

LRESULT CRuntimeView::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CREATE: return OnCreate();
    case WM_SIZE: OnSize(LOWORD(lp), HIWORD(lp)); return 0;
    case WM_PAINT: OnPaint(); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_CONTEXTMENU:
      OnContextMenu(reinterpret_cast<HWND>(wp), POINT{(short)LOWORD(lp), (short)HIWORD(lp)});
      return 0;
    case QCN_VIEWCHANGED: return 0;
    case QCN_LINKPICTURE: OnLinkPicture(reinterpret_cast<const char*>(lp)); return 0;
    case QVM_LOADLINKEDPIC: OnLoadLinkedPicture(); return 0;
  }
  return CWnd::WindowProc(msg, wp, lp);
}

int CRuntimeView::OnCreate() {
  if (Default() == -1) return -1;
  if (m_host.Create(m_hWnd, ID_RUNTIME_WINDOW))
    m_host.SendCallbacks(m_project.GetHostCallbacks(), m_project.GetLocalCallbacks());
  return 0;
}

void CRuntimeView::OnSize(int cx, int cy) { m_host.Move(cx, cy); }

void CRuntimeView::OnPaint() {
  // The runtime window covers the view: nothing to draw, only the update
  // region to take.
  CPaintDC paint(m_hWnd);
}

void CRuntimeView::OnContextMenu(HWND, POINT screen) {
  HMENU menu = CreateViewerContextMenu();
  HWND owner = ::GetAncestor(m_hWnd, GA_ROOT);
  ::TrackPopupMenu(::GetSubMenu(menu, 0), TPM_LEFTALIGN | TPM_RIGHTBUTTON, screen.x, screen.y, 0, owner,
                   nullptr);
  ::DestroyMenu(menu);
}

void CRuntimeView::OnLinkPicture(const char* name) {
  // A request without a name counts as one with an empty name.
  m_pendingPicture = name ? name : "";
  PostMessage(QVM_LOADLINKEDPIC, 0, 0);
}

void CRuntimeView::OnLoadLinkedPicture() {
  if (m_pendingPicture.empty()) return;
  // Taken out before the load, so that a request made while the new picture
  // starts is kept for its own posted message.
  std::string name;
  name.swap(m_pendingPicture);
  OpenPicture(name.c_str());
}
