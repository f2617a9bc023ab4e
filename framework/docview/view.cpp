#include "docview/view.h"

#include "docview/document.h"
#include "frames/frameclass.h"
#include "gdiwrap.h"
#include "wndmodule.h"

IMPLEMENT_DYNAMIC(CView, CWnd)

CView::CView() { m_bAutoDelete = true; }

CView::~CView() {
  if (m_pDocument) m_pDocument->RemoveView(this);
}

const char* CView::ViewClassName() {
  return QelPlainWindowClass("QelView", CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW,
                             reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
}

BOOL CView::CreateView(HWND parent, UINT id, CCreateContext* context) {
  const char* cls = ViewClassName();
  if (!cls) return FALSE;
  m_pCreateContext = context;
  BOOL made = CreateEx(0, cls, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, 0, 0, 0,
                       parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)));
  m_pCreateContext = nullptr;
  return made;
}

LRESULT CView::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CREATE: return OnCreate(reinterpret_cast<CREATESTRUCTA*>(lp));
    case WM_DESTROY: OnDestroy(); return Default();
    case WM_PAINT: {
      CPaintDC dc(m_hWnd);
      OnDraw(&dc);
      return 0;
    }
    case WM_INITIALUPDATE: OnInitialUpdate(); return 0;
    case WM_MOUSEACTIVATE: {
      LRESULT result = Default();
      CFrameWnd* frame = GetParentFrame();
      if (result != MA_NOACTIVATE && result != MA_NOACTIVATEANDEAT && frame) frame->SetActiveView(this);
      return result;
    }
  }
  return CWnd::WindowProc(msg, wp, lp);
}

int CView::OnCreate(CREATESTRUCTA*) {
  if (Default() == -1) return -1;
  if (m_pCreateContext && m_pCreateContext->m_pCurrentDoc) m_pCreateContext->m_pCurrentDoc->AddView(this);
  return 0;
}

void CView::OnDestroy() {
  CFrameWnd* frame = GetParentFrame();
  if (frame && frame->GetActiveView() == this) frame->SetActiveView(nullptr, FALSE);
  // Leaving the document may close it (its last view): nothing of the view
  // is used after this.
  if (m_pDocument) m_pDocument->RemoveView(this);
}

void CView::OnInitialUpdate() { OnUpdate(nullptr, 0, nullptr); }

void CView::OnUpdate(CView*, LPARAM, CObject*) { Invalidate(TRUE); }

void CView::OnActivateView(BOOL activate, CView* activated, CView*) {
  if (activate && activated == this && ::GetFocus() != m_hWnd && !::IsChild(m_hWnd, ::GetFocus())) SetFocus();
}

void CView::OnDraw(CDC*) {}

BOOL CView::OnCmdMsg(UINT id, int code, void* extra, CmdHandlerInfo* info) {
  if (CWnd::OnCmdMsg(id, code, extra, info)) return TRUE;
  return m_pDocument && m_pDocument->OnCmdMsg(id, code, extra, info);
}
