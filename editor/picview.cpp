// CPicView: the editing window and the rulers, the picture's life and the
// editing window's notices. The commands are in piccommands.cpp.
#include "picview.h"

#include <algorithm>

#include "crtformat.h"
#include "editorapp.h"
#include "editortexts.h"
#include "mainframe.h"
#include "msgbox.h"
#include "qel/picmsg.h"
#include "qelidedoc.h"

IMPLEMENT_DYNCREATE(CPicView, CView)

namespace {

const int kRuler = CRulerWnd::kThickness;

}  // namespace

CPicView::CPicView() = default;

CPicView::~CPicView() = default;

CQelideDoc* CPicView::GetDocument() const { return static_cast<CQelideDoc*>(m_pDocument); }

int CPicView::OnCreate(CREATESTRUCTA* cs) {
  if (CView::OnCreate(cs) == -1) return -1;
  m_edit.Create(m_hWnd, kEditWindowId);
  m_topRuler.Create(m_hWnd, kTopRulerId, RECT{kRuler, 0, kRuler, kRuler});
  m_leftRuler.Create(m_hWnd, kLeftRulerId, RECT{0, kRuler, kRuler, kRuler});
  if (m_edit.GetSafeHwnd() && GetDocument()) {
    CProject& project = GetDocument()->GetProject();
    m_edit.SendCallbacks(project.GetHostCallbacks(), project.GetLocalCallbacks());
  }
  return 0;
}

void CPicView::OnDestroy() {
  m_edit.Destroy();  // the library reference goes with the view object, after the window
  CView::OnDestroy();
}

void CPicView::Layout(int width, int height) {
  if (m_edit.GetSafeHwnd())
    ::MoveWindow(m_edit.GetSafeHwnd(), kRuler, kRuler, std::max(0, width - kRuler),
                 std::max(0, height - kRuler), TRUE);
  if (m_topRuler.m_hWnd) m_topRuler.MoveWindow(kRuler, 0, std::max(0, width - kRuler), kRuler);
  if (m_leftRuler.m_hWnd) m_leftRuler.MoveWindow(0, kRuler, kRuler, std::max(0, height - kRuler));
}

void CPicView::OnDraw(CDC* dc) {
  // The corner between the rulers, with the rulers' inner edges run round it.
  const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
  const COLORREF lines[] = {RGB(0, 0, 0), RGB(128, 128, 128), face};  // from the edge inwards
  dc->FillSolidRect(RECT{0, 0, kRuler, kRuler}, face);
  for (int i = 0; i < 3; ++i) {
    int at = kRuler - 1 - i;
    dc->FillSolidRect(RECT{at, 0, at + 1, at + 1}, lines[i]);  // the right edge
    dc->FillSolidRect(RECT{0, at, at + 1, at + 1}, lines[i]);  // the bottom edge
  }
}

void CPicView::SendFolder() {
  if (!GetDocument()) return;
  CString folder = GetDocument()->GetPictureFolder();
  m_edit.SendText(QCM_PICFOLDER, folder);
}

int CPicView::OpenPicture(const char* name) {
  SetPictureName(name);
  if (!m_edit.GetSafeHwnd()) return 0;
  SendFolder();
  return m_edit.SendText(QCM_OPENPIC, m_strPictureName) == 0 ? 1 : 0;
}

int CPicView::NewPicture(const char* name) {
  SetPictureName(name);
  if (!m_edit.GetSafeHwnd()) return 0;
  SendFolder();
  m_edit.SendText(QCM_NEWPIC, m_strPictureName);
  return 1;
}

BOOL CPicView::IsPictureModified() const { return m_edit.Query(QCQ_MODIFIED) != 0; }

BOOL CPicView::SavePicture() {
  if (m_edit.GetSafeHwnd() && m_edit.Send(QCM_SAVEPIC) == 0) return TRUE;
  QelMessageBox(m_hWnd, qel::FormatStr(kTextSavePictureFailed, m_strPictureName.GetString()).c_str(), nullptr,
                MB_OK | MB_ICONSTOP);
  return FALSE;
}

int CPicView::Compile(const char* compilerPath) {
  return static_cast<int>(m_edit.Send(QCM_COMPILE, 0, reinterpret_cast<LPARAM>(compilerPath)));
}

BOOL CPicView::SaveIfModified() {
  if (!IsPictureModified()) return TRUE;
  CString text = qel::FormatStr(kTextPictureModified, m_strPictureName.GetString()).c_str();
  if (QelMessageBox(m_hWnd, text, nullptr, MB_YESNO | MB_ICONQUESTION) != IDYES) return TRUE;
  return SavePicture();
}

void CPicView::Renotify() { m_edit.Send(QCM_RENOTIFY); }

LRESULT CPicView::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_SIZE: Layout(LOWORD(lp), HIWORD(lp)); break;
    case WM_SETFOCUS:
      if (m_edit.GetSafeHwnd()) ::SetFocus(m_edit.GetSafeHwnd());
      return 0;
    case WM_PRINTCLIENT: {
      CDC dc(reinterpret_cast<HDC>(wp));
      OnDraw(&dc);
      return 0;
    }
    case QCN_VIEWCHANGED:
    case QCN_PROPERTIES:
    case QCN_EVENTLINKS:
    case QCN_CHANGED:
    case QCN_OUTPUTTEXT: OnNotice(msg, wp, lp); return 0;  // the sender ignores the result
  }
  return CView::WindowProc(msg, wp, lp);
}

void CPicView::OnNotice(UINT msg, WPARAM wp, LPARAM lp) {
  CMainFrame* frame = EditorMainFrame();
  switch (msg) {
    case QCN_VIEWCHANGED:
      if (wp == kEditWindowId) OnViewChanged(reinterpret_cast<const ViewInfo*>(lp));
      return;
    case QCN_PROPERTIES:
      if (frame) frame->ShowProperties(reinterpret_cast<const PropDescList*>(lp), m_edit.GetSafeHwnd());
      return;
    case QCN_EVENTLINKS:
      if (frame) frame->ShowEventLinks(reinterpret_cast<const ActionKindList*>(lp), m_edit.GetSafeHwnd());
      return;
    case QCN_CHANGED:
      if (frame) frame->GetWorkspaceBar().SelectTab(CWorkspaceBar::kTabProperties);
      return;
    case QCN_OUTPUTTEXT:
      if (frame && lp) frame->AppendOutput(reinterpret_cast<const char*>(lp));
      return;
  }
}

void CPicView::OnViewChanged(const ViewInfo* info) {
  if (!info) return;
  const double scale = info->zoom * 0.01;
  m_topRuler.SetOriginAndScale(info->x, scale);
  m_leftRuler.SetOriginAndScale(info->y, scale);
  m_zoom = info->zoom;
}
