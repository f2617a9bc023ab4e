#include "localtagframe.h"

#include "commands/cmdids.h"
#include "commands/cmdui.h"
#include "editorapp.h"
#include "editortexts.h"
#include "localtagdlg.h"
#include "mainframe.h"
#include "msgbox.h"
#include "qel/picmsg.h"
#include "qelidedoc.h"
#include "resource.h"
#include "workspacebar.h"

IMPLEMENT_DYNCREATE(CLocalTagFrm, CMDIChildWnd)
IMPLEMENT_DYNCREATE(CLocalTagView, CView)

void CLocalTagFrm::OnUpdateFrameTitle(BOOL) {
  CDocument* doc = GetActiveDocument();
  if (doc) SetChildTitle(doc->GetTitle() + kTitleLocalTagTable);
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
    frame->ClearPropertyLists();
  }
}

// ---- the view --------------------------------------------------------------------

BEGIN_COMMAND_MAP(CLocalTagView, CView)
ON_COMMAND(ID_LOCALTAG_ADD, OnAdd)
ON_COMMAND(ID_LOCALTAG_MODIFY, OnModify)
ON_UPDATE_COMMAND_UI(ID_LOCALTAG_MODIFY, OnUpdateNeedsMark)
ON_COMMAND(ID_LOCALTAG_DELETE, OnDelete)
ON_UPDATE_COMMAND_UI(ID_LOCALTAG_DELETE, OnUpdateNeedsMark)
ON_COMMAND(ID_EDIT_CUT, OnDelete)
ON_UPDATE_COMMAND_UI(ID_EDIT_CUT, OnUpdateNeedsMark)
END_COMMAND_MAP()

CQelideDoc* CLocalTagView::GetDocument() const { return static_cast<CQelideDoc*>(m_pDocument); }

int CLocalTagView::OnCreate(CREATESTRUCTA* cs) {
  if (CView::OnCreate(cs) == -1) return -1;
  RECT none = {0, 0, 0, 0};
  if (!m_grid.Create(WS_CHILD | WS_VISIBLE, none, m_hWnd, kGridId)) return -1;
  return 0;
}

void CLocalTagView::OnUpdate(CView*, LPARAM, CObject*) {
  if (CQelideDoc* doc = GetDocument()) m_grid.ShowTags(&doc->GetProject().m_localTags);
}

LRESULT CLocalTagView::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_SIZE:
      if (m_grid.m_hWnd) m_grid.MoveWindow(0, 0, LOWORD(lp), HIWORD(lp));
      break;
    case WM_SETFOCUS:
      if (m_grid.m_hWnd) m_grid.SetFocus();
      return 0;
    case QLN_ROWDBLCLK:
      if (wp == kGridId) OnModify();
      return 0;
    case WM_DESTROY:
      m_grid.ShowTags(nullptr);  // the project's tags are not the grid's to keep
      break;
  }
  return CView::WindowProc(msg, wp, lp);
}

void CLocalTagView::OnUpdateNeedsMark(CCmdUI* ui) { ui->Enable(m_grid.FirstMarkedRow() >= 0); }

void CLocalTagView::Note(const char* text) {
  QelMessageBox(m_hWnd, text, kTitleInfo, MB_OK | MB_ICONINFORMATION);
}

void CLocalTagView::TagsChanged() {
  m_grid.UpdateRows();
  if (CQelideDoc* doc = GetDocument()) doc->SetModifiedFlag(TRUE);
}

void CLocalTagView::OnAdd() {
  CQelideDoc* doc = GetDocument();
  if (!doc) return;
  CLocalTagDlg dialog(m_hWnd, doc->GetProject().m_localTags);
  if (dialog.DoModal() == IDOK) TagsChanged();
}

void CLocalTagView::OnModify() {
  CQelideDoc* doc = GetDocument();
  LocalTagRecord* tag = doc ? doc->GetProject().m_localTags.GetTag(m_grid.FirstMarkedRow()) : nullptr;
  if (!tag) return Note(kTextChooseTag);
  if (tag->system == 1) return Note(kTextSystemTagFixed);
  CLocalTagDlg dialog(m_hWnd, doc->GetProject().m_localTags, tag);
  if (dialog.DoModal() != IDOK || !dialog.ApplyTo(*tag)) return;
  m_grid.Invalidate(FALSE);
  doc->SetModifiedFlag(TRUE);
}

void CLocalTagView::OnDelete() {
  CQelideDoc* doc = GetDocument();
  if (!doc || m_grid.FirstMarkedRow() < 0) return Note(kTextChooseTag);
  if (QelMessageBox(m_hWnd, kTextDeleteTags, kTitleInfo, MB_YESNOCANCEL | MB_ICONQUESTION) != IDYES) return;
  CLocalTagArray& tags = doc->GetProject().m_localTags;
  // Marked system tags stay; every other marked tag goes, those after it
  // moving up in their order.
  for (int row = 0; row < tags.GetCount();) {
    const LocalTagRecord* tag = tags.GetTag(row);
    if (m_grid.IsMarked(row) && tag->system != 1)
      tags.RemoveAt(row);
    else
      ++row;
  }
  TagsChanged();
}
