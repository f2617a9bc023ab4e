// CFrameWnd: messages, the command route, menus, tips and the status line.
#include <windows.h>

#include <commctrl.h>

#include "app/frameapp.h"
#include "bars/controlbar.h"
#include "commands/cmdui.h"
#include "docview/view.h"
#include "frames/frame.h"
#include "resources/resload.h"
#include "wndmodule.h"

namespace {

const char kDefaultIdleMessage[] = "就绪";
const int kTipChars = 80;  // the tip buffer of TTN_GETDISPINFO

// The part of a command's string resource: 0 the status-line prompt, 1 the tip.
CString PromptPart(UINT id, int part) {
  CString text = QelLoadStringText(id);
  int newline = text.Find('\n');
  if (part == 0) return newline < 0 ? text : text.Left(newline);
  return newline < 0 ? CString() : text.Mid(newline + 1);
}

bool IsKeyMessage(UINT msg) { return msg >= WM_KEYFIRST && msg <= WM_KEYLAST; }

// A window that is a control bar or sits inside one (a toolbar's buttons).
bool IsInControlBar(HWND hwnd) {
  for (HWND at = hwnd; at; at = ::GetParent(at)) {
    if (dynamic_cast<CControlBar*>(CWnd::FromHandlePermanent(at))) return true;
    if (!(::GetWindowLongA(at, GWL_STYLE) & WS_CHILD)) break;
  }
  return false;
}

}  // namespace

BEGIN_COMMAND_MAP(CFrameWnd, CWnd)
ON_UPDATE_COMMAND_UI_RANGE(ID_INDICATOR_CAPS, ID_INDICATOR_SCRL, OnUpdateKeyIndicator)
END_COMMAND_MAP()

LRESULT CFrameWnd::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CREATE: return OnCreate(reinterpret_cast<CREATESTRUCTA*>(lp));
    case WM_CLOSE: OnClose(); return 0;
    case WM_DESTROY: OnDestroy(); return Default();
    case WM_SIZE: OnSize(static_cast<UINT>(wp)); return 0;
    case WM_SETFOCUS: OnSetFocus(); return 0;
    case WM_COMMAND:
      if (OnCommand(wp, lp)) return 0;
      break;
    case WM_NOTIFY: {
      LRESULT result = 0;
      if (OnNotify(wp, lp, &result)) return result;
      break;
    }
    case WM_INITMENUPOPUP:
      Default();
      OnInitMenuPopup(reinterpret_cast<HMENU>(wp), LOWORD(lp), HIWORD(lp));
      return 0;
    case WM_MENUSELECT: OnMenuSelect(LOWORD(wp), HIWORD(wp), reinterpret_cast<HMENU>(lp)); break;
    case WM_EXITMENULOOP: SetMessageText(AFX_IDS_IDLEMESSAGE); break;
    case WM_SETMESSAGESTRING:
      if (lp)
        SetMessageText(reinterpret_cast<const char*>(lp));
      else
        SetMessageText(static_cast<UINT>(wp));
      return 0;
    case WM_IDLEUPDATECMDUI: OnIdleUpdateCmdUI(static_cast<BOOL>(wp)); return 0;
    case WM_DROPFILES: OnDropFiles(reinterpret_cast<HDROP>(wp)); return 0;
    case WM_QUERYENDSESSION: {
      CFrameApp* app = QelGetFrameApp();
      return app && app->m_pMainWnd == this ? app->SaveAllModified() : TRUE;
    }
  }
  return CWnd::WindowProc(msg, wp, lp);
}

BOOL CFrameWnd::OnCmdMsg(UINT id, int code, void* extra, CmdHandlerInfo* info) {
  CView* view = GetActiveView();
  if (view && view->OnCmdMsg(id, code, extra, info)) return TRUE;
  if (CWnd::OnCmdMsg(id, code, extra, info)) return TRUE;
  if (IsMDIChild()) return FALSE;  // its MDI frame passes the command to the application
  CWinApp* app = QelGetApp();
  return app && app->OnCmdMsg(id, code, extra, info);
}

BOOL CFrameWnd::OnCommand(WPARAM wp, LPARAM lp) {
  UINT id = LOWORD(wp);
  UINT notifyCode = HIWORD(wp);
  // A menu item, an accelerator (code 1) or a toolbar button (BN_CLICKED
  // from a bar); other notifications of the frame's children are theirs.
  bool fromBar = lp && notifyCode == BN_CLICKED && IsInControlBar(reinterpret_cast<HWND>(lp));
  if (lp && !fromBar) return FALSE;
  if (id == 0) return FALSE;
  if (!QelIsCommandEnabled(this, id)) return TRUE;  // disabled now: nothing happens
  return OnCmdMsg(id, CN_COMMAND, nullptr, nullptr);
}

BOOL CFrameWnd::OnNotify(WPARAM, LPARAM lp, LRESULT* result) {
  const NMHDR* hdr = reinterpret_cast<const NMHDR*>(lp);
  if (!hdr) return FALSE;
  if (hdr->code == TTN_GETDISPINFOA) {
    auto* info = reinterpret_cast<NMTTDISPINFOA*>(lp);
    if (info->uFlags & TTF_IDISHWND) return FALSE;
    CString tip = PromptPart(static_cast<UINT>(hdr->idFrom), 1);
    lstrcpynA(info->szText, tip, kTipChars);
    info->lpszText = info->szText;
    *result = 0;
    return TRUE;
  }
  if (hdr->code == TBN_HOTITEMCHANGE) {
    // A bar with CBRS_FLYBY shows the prompt of the button under the mouse.
    auto* bar = dynamic_cast<CControlBar*>(CWnd::FromHandlePermanent(::GetParent(hdr->hwndFrom)));
    if (!bar || !(bar->GetBarStyle() & CBRS_FLYBY)) return FALSE;
    auto* hot = reinterpret_cast<const NMTBHOTITEM*>(lp);
    SetMessageText((hot->dwFlags & HICF_LEAVING) ? static_cast<UINT>(AFX_IDS_IDLEMESSAGE)
                                                 : static_cast<UINT>(hot->idNew));
    *result = 0;
    return TRUE;
  }
  if (hdr->code == TTN_GETDISPINFOW) {
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(lp);
    if (info->uFlags & TTF_IDISHWND) return FALSE;
    CString tip = PromptPart(static_cast<UINT>(hdr->idFrom), 1);
    info->szText[0] = 0;
    ::MultiByteToWideChar(CP_ACP, 0, tip, -1, info->szText, kTipChars);
    info->szText[kTipChars - 1] = 0;
    info->lpszText = info->szText;
    *result = 0;
    return TRUE;
  }
  return FALSE;
}

void CFrameWnd::OnInitMenuPopup(HMENU popup, UINT, BOOL sysMenu) {
  if (sysMenu) return;
  CCmdUI state;
  state.m_hMenu = popup;
  state.m_nIndexMax = static_cast<UINT>(::GetMenuItemCount(popup));
  for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
    state.m_nID = ::GetMenuItemID(popup, static_cast<int>(state.m_nIndex));
    if (state.m_nID == 0 || state.m_nID == static_cast<UINT>(-1)) continue;  // separators, pop-ups
    state.m_hSubMenu = nullptr;
    state.DoUpdate(this, TRUE);
    // A handler may have taken items out or put some in (the recent files).
    UINT count = static_cast<UINT>(::GetMenuItemCount(popup));
    if (count < state.m_nIndexMax) {
      state.m_nIndex -= state.m_nIndexMax - count;
      while (state.m_nIndex < count &&
             ::GetMenuItemID(popup, static_cast<int>(state.m_nIndex)) == state.m_nID)
        ++state.m_nIndex;
    }
    state.m_nIndexMax = count;
  }
}

void CFrameWnd::OnMenuSelect(UINT item, UINT flags, HMENU menu) {
  if (flags == 0xFFFF && !menu) {  // the menu closed
    m_nIDTracking = 0;
    SetMessageText(AFX_IDS_IDLEMESSAGE);
    return;
  }
  UINT id = (flags & (MF_POPUP | MF_SEPARATOR)) ? 0 : item;
  if (id == m_nIDTracking) return;
  m_nIDTracking = id;
  SetMessageText(id ? id : static_cast<UINT>(AFX_IDS_IDLEMESSAGE));
}

void CFrameWnd::SetMessageText(const char* text) {
  CControlBar* bar = GetControlBar(AFX_IDW_STATUS_BAR);
  if (bar) bar->SetWindowText(text);
}

void CFrameWnd::SetMessageText(UINT stringId) {
  CString text = stringId ? PromptPart(stringId, 0) : CString();
  if (stringId == AFX_IDS_IDLEMESSAGE || text.IsEmpty()) {
    text = PromptPart(AFX_IDS_IDLEMESSAGE, 0);
    if (text.IsEmpty()) text = kDefaultIdleMessage;
  }
  SetMessageText(text.GetString());
}

void CFrameWnd::OnIdleUpdateCmdUI(BOOL disableIfNoHandler) {
  for (CControlBar* bar : std::vector<CControlBar*>(m_controlBars))
    if (bar->IsWindowVisible()) bar->OnUpdateCmdUI(this, disableIfNoHandler);
  OnUpdateFrameTitle(TRUE);
}

void CFrameWnd::OnUpdateKeyIndicator(CCmdUI* ui) {
  static const struct {
    UINT id;
    int key;
  } kKeys[] = {
      {ID_INDICATOR_CAPS, VK_CAPITAL}, {ID_INDICATOR_NUM, VK_NUMLOCK}, {ID_INDICATOR_SCRL, VK_SCROLL}};
  for (const auto& k : kKeys)
    if (k.id == ui->m_nID) ui->Enable(::GetKeyState(k.key) & 1);
}

BOOL CFrameWnd::PreTranslateMessage(MSG* msg) {
  if (!IsKeyMessage(msg->message) || !m_hAccelTable) return FALSE;
  if (msg->hwnd != m_hWnd && !::IsChild(m_hWnd, msg->hwnd)) return FALSE;
  return ::TranslateAcceleratorA(m_hWnd, m_hAccelTable, msg);
}
