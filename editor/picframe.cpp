#include "picframe.h"

#include "editorapp.h"
#include "mainframe.h"
#include "picview.h"
#include "qelidedoc.h"

IMPLEMENT_DYNCREATE(CPicFrm, CMDIChildWnd)

CPicView* CPicFrm::GetPicView() const { return dynamic_cast<CPicView*>(m_pViewActive); }

void CPicFrm::OnUpdateFrameTitle(BOOL) {
  CPicView* view = GetPicView();
  CQelideDoc* doc = view ? view->GetDocument() : nullptr;
  if (doc) SetChildTitle(doc->GetTitle() + "\\pic\\" + view->GetPictureName());
}

void CPicFrm::OnClose() {
  if (CMainFrame* frame = EditorMainFrame()) frame->ClearPropertyLists();
  CPicView* view = GetPicView();
  CQelideDoc* doc = view ? view->GetDocument() : nullptr;
  // The project's last window: its close question covers the pictures.
  if (!doc || !doc->HasOtherFrame(this)) {
    HWND self = m_hWnd;
    CMDIChildWnd::OnClose();                         // may close the project, and this frame with it
    if (::IsWindow(self) && view) view->Renotify();  // kept: its lists come back
    return;
  }
  if (!view->SaveIfModified()) {
    view->Renotify();  // a failed save keeps the window, and its lists come back
    return;
  }
  DestroyWindow();
}

void CPicFrm::OnMDIActivate(BOOL activate, HWND activated, HWND deactivated) {
  CMDIChildWnd::OnMDIActivate(activate, activated, deactivated);
  // Bringing a window forward maximised may activate it twice: its lists are
  // asked for once.
  bool wasActive = m_active;
  m_active = activate != FALSE;
  if (!activate) return;
  if (CMainFrame* frame = EditorMainFrame()) frame->ShowDrawBar(TRUE);
  CPicView* view = GetPicView();
  if (!view) return;
  // The picture takes the keyboard with its frame (the view passes the focus
  // on to the editing window).
  view->SetFocus();
  if (!wasActive) view->Renotify();
}

void CPicFrm::ActivateFrame(int cmdShow) {
  CMDIChildWnd::ActivateFrame(cmdShow == -1 ? SW_SHOWMAXIMIZED : cmdShow);
}
