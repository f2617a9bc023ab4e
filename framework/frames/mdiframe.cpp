#include "frames/mdiframe.h"

#include "commands/cmdui.h"
#include "frames/frameclass.h"
#include "frames/mdichild.h"
#include "wndmodule.h"

IMPLEMENT_DYNAMIC(CMDIFrameWnd, CFrameWnd)

namespace {

const char kClientProp[] = "QelMdiClient";

// The frame's default procedure is the platform's MDI frame procedure, which
// needs the client window with every message.
LRESULT CALLBACK MdiFrameDefault(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  return ::DefFrameProcA(hwnd, static_cast<HWND>(::GetPropA(hwnd, kClientProp)), msg, wp, lp);
}

struct WindowCommand {
  UINT id;
  UINT message;
  WPARAM wp;
};
const WindowCommand kWindowCommands[] = {
    {ID_WINDOW_ARRANGE, WM_MDIICONARRANGE, 0},
    {ID_WINDOW_CASCADE, WM_MDICASCADE, 0},
    {ID_WINDOW_TILE_HORZ, WM_MDITILE, MDITILE_HORIZONTAL},
    {ID_WINDOW_TILE_VERT, WM_MDITILE, MDITILE_VERTICAL},
};

}  // namespace

BEGIN_COMMAND_MAP(CMDIFrameWnd, CFrameWnd)
ON_COMMAND_RANGE(ID_WINDOW_ARRANGE, ID_WINDOW_TILE_VERT, OnWindowCommand)
ON_UPDATE_COMMAND_UI_RANGE(ID_WINDOW_ARRANGE, ID_WINDOW_TILE_VERT, OnUpdateWindowCommand)
END_COMMAND_MAP()

HMENU QelFindWindowMenu(HMENU menu) {
  int count = menu ? ::GetMenuItemCount(menu) : 0;
  for (int i = 0; i < count; ++i) {
    HMENU popup = ::GetSubMenu(menu, i);
    if (!popup) continue;
    int items = ::GetMenuItemCount(popup);
    for (int j = 0; j < items; ++j) {
      UINT id = ::GetMenuItemID(popup, j);
      if (id >= ID_WINDOW_NEW && id <= ID_WINDOW_TILE_VERT) return popup;
    }
  }
  return nullptr;
}

const char* CMDIFrameWnd::FrameClassName(UINT iconId) {
  return QelFrameClass("QelMDIFrame", iconId, MdiFrameDefault, nullptr);
}

BOOL CMDIFrameWnd::OnCreateClient(CREATESTRUCTA*, CCreateContext*) {
  CLIENTCREATESTRUCT ccs = {};
  ccs.hWindowMenu = QelFindWindowMenu(m_hMenuDefault);
  ccs.idFirstChild = AFX_IDM_FIRST_MDICHILD;
  m_hWndMDIClient = ::CreateWindowExA(
      WS_EX_CLIENTEDGE, "MDICLIENT", nullptr,
      WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_VSCROLL | WS_HSCROLL, 0, 0, 0, 0, m_hWnd,
      reinterpret_cast<HMENU>(static_cast<UINT_PTR>(AFX_IDW_PANE_FIRST)), QelGetInstanceHandle(), &ccs);
  if (!m_hWndMDIClient) return FALSE;
  ::SetPropA(m_hWnd, kClientProp, m_hWndMDIClient);
  return TRUE;
}

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* maximized) const {
  BOOL max = FALSE;
  HWND active = m_hWndMDIClient ? reinterpret_cast<HWND>(::SendMessageA(m_hWndMDIClient, WM_MDIGETACTIVE, 0,
                                                                        reinterpret_cast<LPARAM>(&max)))
                                : nullptr;
  if (maximized) *maximized = active ? max : FALSE;
  return dynamic_cast<CMDIChildWnd*>(CWnd::FromHandlePermanent(active));
}

CFrameWnd* CMDIFrameWnd::GetActiveFrame() {
  CMDIChildWnd* child = MDIGetActive();
  return child ? static_cast<CFrameWnd*>(child) : this;
}

void CMDIFrameWnd::SetFrameMenu(HMENU menu) {
  if (!menu) menu = m_hMenuDefault;
  if (!m_hWndMDIClient || !menu || ::GetMenu(m_hWnd) == menu) return;
  ::SendMessageA(m_hWndMDIClient, WM_MDISETMENU, reinterpret_cast<WPARAM>(menu),
                 reinterpret_cast<LPARAM>(QelFindWindowMenu(menu)));
  ::DrawMenuBar(m_hWnd);
}

BOOL CMDIFrameWnd::OnCmdMsg(UINT id, int code, void* extra, CmdHandlerInfo* info) {
  CMDIChildWnd* child = MDIGetActive();
  if (child && child->OnCmdMsg(id, code, extra, info)) return TRUE;
  return CFrameWnd::OnCmdMsg(id, code, extra, info);
}

BOOL CMDIFrameWnd::PreTranslateMessage(MSG* msg) {
  if (msg->message < WM_KEYFIRST || msg->message > WM_KEYLAST) return FALSE;
  if (msg->hwnd != m_hWnd && !::IsChild(m_hWnd, msg->hwnd)) return FALSE;
  CMDIChildWnd* child = MDIGetActive();
  // The MDI keys (Ctrl+F4, Ctrl+F6) for the children, unless a child's own
  // accelerators or the frame's take the key first.
  HACCEL accel = child && child->m_hAccelTable ? child->m_hAccelTable : m_hAccelTable;
  if (accel && ::TranslateAcceleratorA(m_hWnd, accel, msg)) return TRUE;
  return m_hWndMDIClient && ::TranslateMDISysAccel(m_hWndMDIClient, msg);
}

void CMDIFrameWnd::OnUpdateFrameTitle(BOOL addToTitle) {
  CFrameWnd::OnUpdateFrameTitle(addToTitle);
  if (CMDIChildWnd* child = MDIGetActive()) child->OnUpdateFrameTitle(addToTitle);
}

void CMDIFrameWnd::OnIdleUpdateCmdUI(BOOL disableIfNoHandler) {
  CFrameWnd::OnIdleUpdateCmdUI(disableIfNoHandler);
  if (CMDIChildWnd* child = MDIGetActive()) child->SendMessage(WM_IDLEUPDATECMDUI, disableIfNoHandler);
}

void CMDIFrameWnd::OnWindowCommand(UINT id) {
  for (const WindowCommand& c : kWindowCommands)
    if (c.id == id) ::SendMessageA(m_hWndMDIClient, c.message, c.wp, 0);
}

void CMDIFrameWnd::OnUpdateWindowCommand(CCmdUI* ui) { ui->Enable(MDIGetActive() != nullptr); }
