#include "frames/mdichild.h"

#include "docview/doctemplate.h"
#include "docview/document.h"
#include "docview/view.h"
#include "frames/frameclass.h"
#include "frames/mdiframe.h"
#include "wndmodule.h"

IMPLEMENT_DYNAMIC(CMDIChildWnd, CFrameWnd)

const char* CMDIChildWnd::FrameClassName(UINT iconId) {
  return QelFrameClass("QelMDIChild", iconId, ::DefMDIChildProcA, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
}

BOOL CMDIChildWnd::LoadFrame(UINT resourceId, DWORD style, HWND parent, CCreateContext* context) {
  auto* frame = dynamic_cast<CMDIFrameWnd*>(CWnd::FromHandlePermanent(parent));
  if (!frame || !frame->m_hWndMDIClient) return FALSE;
  m_nIDResource = resourceId;
  // The template's menu and keys, before the child's first activation.
  if (context && context->m_pNewDocTemplate) {
    m_hMenuShared = context->m_pNewDocTemplate->m_hMenuShared;
    m_hAccelTable = context->m_pNewDocTemplate->m_hAccelTable;
  }
  const char* cls = FrameClassName(resourceId);
  m_pCreateContext = context;
  BOOL made = cls && CreateEx(WS_EX_MDICHILD, cls, "", style | WS_CHILD, CW_USEDEFAULT, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, frame->m_hWndMDIClient, nullptr);
  m_pCreateContext = nullptr;
  return made;
}

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame() const {
  HWND client = GetParent();
  return dynamic_cast<CMDIFrameWnd*>(CWnd::FromHandlePermanent(client ? ::GetParent(client) : nullptr));
}

BOOL CMDIChildWnd::DestroyWindow() {
  if (!m_hWnd) return FALSE;
  HWND client = GetParent();
  HWND self = m_hWnd;
  // The object may be gone when this returns (frames delete themselves).
  ::SendMessageA(client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(self), 0);
  return !::IsWindow(self);
}

void CMDIChildWnd::MDIActivate() {
  ::SendMessageA(GetParent(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

void CMDIChildWnd::MDIMaximize() {
  ::SendMessageA(GetParent(), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

void CMDIChildWnd::ActivateFrame(int cmdShow) {
  if (cmdShow == -1) {
    // A new child takes the state of the active one: maximised stays maximised.
    BOOL maximized = FALSE;
    CMDIFrameWnd* frame = GetMDIFrame();
    CMDIChildWnd* active = frame ? frame->MDIGetActive(&maximized) : nullptr;
    cmdShow = active && active != this && maximized ? SW_SHOWMAXIMIZED : SW_SHOW;
    if (active == this && IsWindowVisible()) cmdShow = SW_SHOWNA;
  }
  // Maximised through the MDI client, which keeps its children's state.
  if (cmdShow == SW_SHOWMAXIMIZED) {
    ShowWindow(SW_SHOW);
    MDIMaximize();
  } else {
    ShowWindow(cmdShow);
  }
  MDIActivate();
}

void CMDIChildWnd::OnUpdateFrameTitle(BOOL addToTitle) {
  CDocument* doc = GetActiveDocument();
  SetChildTitle(addToTitle && m_bAddToTitle && doc ? doc->GetTitle().GetString() : m_strTitle.GetString());
}

void CMDIChildWnd::SetChildTitle(const char* title) {
  CString text = title ? title : "";
  if (text == m_strTitleShown) return;
  m_strTitleShown = text;
  SetWindowText(text);
}

LRESULT CMDIChildWnd::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_MDIACTIVATE) {
    LRESULT result = Default();
    OnMDIActivate(reinterpret_cast<HWND>(lp) == m_hWnd, reinterpret_cast<HWND>(lp),
                  reinterpret_cast<HWND>(wp));
    return result;
  }
  return CFrameWnd::WindowProc(msg, wp, lp);
}

void CMDIChildWnd::OnSetFocus() {
  Default();  // the MDI client keeps its active child in step
  if (m_pViewActive && ::IsWindow(m_pViewActive->m_hWnd)) m_pViewActive->SetFocus();
}

void CMDIChildWnd::OnMDIActivate(BOOL activate, HWND activated, HWND) {
  CMDIFrameWnd* frame = GetMDIFrame();
  if (!frame) return;
  if (activate) {
    frame->SetFrameMenu(m_hMenuShared);
    if (m_pViewActive) m_pViewActive->OnActivateView(TRUE, m_pViewActive, m_pViewActive);
  } else {
    if (m_pViewActive) m_pViewActive->OnActivateView(FALSE, m_pViewActive, m_pViewActive);
    if (!activated) frame->SetFrameMenu(nullptr);  // the last child went away
  }
  frame->OnUpdateFrameTitle(TRUE);
}
