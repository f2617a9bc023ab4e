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
  CPicView* view = GetPicView();
  CQelideDoc* doc = view ? view->GetDocument() : nullptr;
  // The project's last window: its close question covers the pictures.
  if (!doc || !doc->HasOtherFrame(this)) {
    CMDIChildWnd::OnClose();
    return;
  }
  if (!view->SaveIfModified()) return;  // a failed save keeps the window
  DestroyWindow();
}

void CPicFrm::OnMDIActivate(BOOL activate, HWND activated, HWND deactivated) {
  CMDIChildWnd::OnMDIActivate(activate, activated, deactivated);
  if (activate)
    if (CMainFrame* frame = EditorMainFrame()) frame->ShowDrawBar(TRUE);
}

void CPicFrm::ActivateFrame(int cmdShow) { CMDIChildWnd::ActivateFrame(cmdShow == -1 ? SW_SHOWMAXIMIZED : cmdShow); }
