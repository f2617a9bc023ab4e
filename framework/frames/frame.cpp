// CFrameWnd: making the frame, its view and title, closing it.
#include "frames/frame.h"

#include <shellapi.h>

#include "app/frameapp.h"
#include "docview/doctemplate.h"
#include "docview/document.h"
#include "docview/view.h"
#include "frames/frameclass.h"
#include "resources/resload.h"
#include "wndmodule.h"

IMPLEMENT_DYNAMIC(CFrameWnd, CWnd)

CFrameWnd::CFrameWnd() { m_bAutoDelete = true; }

CFrameWnd::~CFrameWnd() = default;

const char* CFrameWnd::FrameClassName(UINT iconId) {
  return QelFrameClass("QelFrame", iconId, ::DefWindowProcA, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
}

BOOL CFrameWnd::LoadFrame(UINT resourceId, DWORD style, HWND parent, CCreateContext* context) {
  m_nIDResource = resourceId;
  CString title = QelLoadStringText(resourceId);
  int newline = title.Find('\n');
  if (newline >= 0) title = title.Left(newline);
  if (title.IsEmpty() && QelGetApp()) title = QelGetApp()->m_pszAppName;
  m_strTitle = title;
  HINSTANCE res = QelGetResourceHandle();
  m_hMenuDefault = ::LoadMenuA(res, MAKEINTRESOURCEA(resourceId));
  m_hAccelTable = ::LoadAcceleratorsA(res, MAKEINTRESOURCEA(resourceId));
  const char* cls = FrameClassName(resourceId);
  m_pCreateContext = context;
  BOOL made = cls && CreateEx(0, cls, m_strTitle, style, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                              CW_USEDEFAULT, parent, m_hMenuDefault);
  m_pCreateContext = nullptr;
  if (!made) {
    // The window was never made (or is gone already): the menu is ours to free.
    if (m_hMenuDefault && !::IsMenu(m_hMenuDefault)) m_hMenuDefault = nullptr;
    if (m_hMenuDefault) ::DestroyMenu(m_hMenuDefault);
    m_hMenuDefault = nullptr;
    return FALSE;
  }
  if (!context) QelSendToDescendants(m_hWnd, WM_INITIALUPDATE, 0, 0);
  return TRUE;
}

int CFrameWnd::OnCreate(CREATESTRUCTA*) {
  if (Default() == -1) return -1;
  return OnCreateClient(nullptr, m_pCreateContext) ? 0 : -1;
}

BOOL CFrameWnd::OnCreateClient(CREATESTRUCTA*, CCreateContext* context) {
  if (context && context->m_pNewViewClass) return CreateView(context) != nullptr;
  return TRUE;
}

CView* CFrameWnd::CreateView(CCreateContext* context, UINT id) {
  CObject* made = context->m_pNewViewClass->CreateObject();
  CView* view = dynamic_cast<CView*>(made);
  if (!view) {
    delete made;
    return nullptr;
  }
  if (!view->CreateView(m_hWnd, id, context)) {
    delete view;  // no window was made, so nothing deletes it
    return nullptr;
  }
  return view;
}

void CFrameWnd::SetActiveView(CView* view, BOOL notify) {
  CView* old = m_pViewActive;
  if (view == old) return;
  m_pViewActive = view;
  if (!notify) return;
  if (old) old->OnActivateView(FALSE, view, old);
  if (view) view->OnActivateView(TRUE, view, old);
}

CDocument* CFrameWnd::GetActiveDocument() {
  CView* view = GetActiveFrame() == this ? m_pViewActive : GetActiveFrame()->GetActiveView();
  return view ? view->GetDocument() : nullptr;
}

void CFrameWnd::InitialUpdateFrame(CDocument* doc, BOOL makeVisible) {
  CView* view = m_pViewActive;
  if (!view) view = dynamic_cast<CView*>(CWnd::FromHandlePermanent(GetPane()));
  if (makeVisible) {
    QelSendToDescendants(m_hWnd, WM_INITIALUPDATE, 0, 0);
    if (view) SetActiveView(view, FALSE);
    ActivateFrame(-1);
    if (view) view->OnActivateView(TRUE, view, view);
  }
  if (doc) doc->UpdateFrameCounts();
  OnUpdateFrameTitle(TRUE);
}

void CFrameWnd::ActivateFrame(int cmdShow) {
  if (cmdShow == -1) cmdShow = IsWindowVisible() ? SW_SHOWNA : SW_SHOW;
  ShowWindow(cmdShow);
  ::BringWindowToTop(m_hWnd);
}

void CFrameWnd::OnUpdateFrameTitle(BOOL addToTitle) {
  CDocument* doc = GetActiveDocument();
  UpdateFrameTitleForDocument(addToTitle && m_bAddToTitle && doc ? doc->GetTitle().GetString() : nullptr);
}

void CFrameWnd::UpdateFrameTitleForDocument(const char* docTitle) {
  CString text = m_strTitle;
  if (docTitle && *docTitle) {
    if (!text.IsEmpty()) text += " - ";
    text += docTitle;
  }
  // The same text again would only flicker (and an MDI frame's caption may
  // carry its maximised child's title besides ours).
  if (text == m_strTitleShown) return;
  m_strTitleShown = text;
  SetWindowText(text);
}

void CFrameWnd::OnClose() {
  CFrameApp* app = QelGetFrameApp();
  if (app && app->m_pMainWnd == this) {
    if (!app->SaveAllModified()) return;
    app->CloseAllDocuments(FALSE);
    if (!::IsWindow(m_hWnd)) return;  // the documents took the frame with them
    DestroyWindow();
    return;
  }
  CDocument* doc = GetActiveDocument();
  if (doc && !doc->CanCloseFrame(this)) return;
  if (doc && doc->m_bAutoDelete && !doc->HasOtherFrame(this)) {
    doc->OnCloseDocument();  // destroys this frame too
    return;
  }
  DestroyWindow();
}

void CFrameWnd::OnDestroy() {
  // The menu set by a document template is the template's: put ours back so
  // that the window takes only its own menu with it.
  if (m_hMenuDefault && ::GetMenu(m_hWnd) != m_hMenuDefault) ::SetMenu(m_hWnd, m_hMenuDefault);
  CFrameApp* app = QelGetFrameApp();
  if (app && app->m_pMainWnd == this) ::DragAcceptFiles(m_hWnd, FALSE);
}

void CFrameWnd::OnSize(UINT type) {
  Default();
  if (type != SIZE_MINIMIZED) RecalcLayout();
}

void CFrameWnd::OnSetFocus() {
  if (m_pViewActive && ::IsWindow(m_pViewActive->m_hWnd))
    m_pViewActive->SetFocus();
  else
    Default();
}

void CFrameWnd::OnDropFiles(HDROP drop) {
  UINT count = ::DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
  // One document at a time: the first file dropped is opened, however long its path.
  CString path;
  if (count > 0) {
    UINT length = ::DragQueryFileA(drop, 0, nullptr, 0);
    char* buf = path.GetBuffer(static_cast<int>(length) + 1);
    buf[0] = '\0';
    path.ReleaseBuffer(static_cast<int>(::DragQueryFileA(drop, 0, buf, length + 1)));
  }
  bool have = !path.IsEmpty();
  ::DragFinish(drop);
  CFrameApp* app = QelGetFrameApp();
  if (!have || !app) return;
  ::SetForegroundWindow(m_hWnd);
  app->OpenDocumentFile(path);
}

HWND CFrameWnd::GetPane() const { return ::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST); }

CFrameWnd* QelGetParentFrame(HWND hwnd) {
  for (HWND h = hwnd ? ::GetParent(hwnd) : nullptr; h; h = ::GetParent(h))
    if (CFrameWnd* frame = dynamic_cast<CFrameWnd*>(CWnd::FromHandlePermanent(h))) return frame;
  return nullptr;
}

void QelSendToDescendants(HWND parent, UINT msg, WPARAM wp, LPARAM lp) {
  for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    ::SendMessageA(child, msg, wp, lp);
    QelSendToDescendants(child, msg, wp, lp);
  }
}
