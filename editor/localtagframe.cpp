#include "localtagframe.h"

#include "editorapp.h"
#include "mainframe.h"
#include "qelidedoc.h"
#include "workspacebar.h"

IMPLEMENT_DYNCREATE(CLocalTagFrm, CMDIChildWnd)
IMPLEMENT_DYNCREATE(CLocalTagView, CView)

const char kLocalTagTitleSuffix[] = " - 本地标签表";

void CLocalTagFrm::OnUpdateFrameTitle(BOOL) {
  CDocument* doc = GetActiveDocument();
  if (doc) SetChildTitle(doc->GetTitle() + kLocalTagTitleSuffix);
}

void CLocalTagFrm::ActivateFrame(int cmdShow) {
  CMDIChildWnd::ActivateFrame(cmdShow == -1 ? SW_SHOWMAXIMIZED : cmdShow);
}

void CLocalTagFrm::OnMDIActivate(BOOL activate, HWND activated, HWND deactivated) {
  CMDIChildWnd::OnMDIActivate(activate, activated, deactivated);
  if (!activate) return;
  if (CMainFrame* frame = EditorMainFrame()) {
    frame->ShowDrawBar(FALSE);
    frame->GetWorkspaceBar().SelectTab(CWorkspaceBar::kTabProject);
  }
}

CQelideDoc* CLocalTagView::GetDocument() const { return static_cast<CQelideDoc*>(m_pDocument); }
