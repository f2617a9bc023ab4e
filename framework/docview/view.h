// CView: a child window of a frame that shows its document. It is made by
// the frame from the creation context (which names the document), is told
// of the document's changes (OnUpdate), and is the first target of the
// frame's command route, which it continues to its document.
//
// Views are made with new (by class, through CRuntimeClass::CreateObject)
// and delete themselves when their window is gone.
#pragma once
#include <windows.h>

#include "frames/frame.h"
#include "wnd.h"

class CDC;
class CDocument;

class CView : public CWnd {
  DECLARE_DYNAMIC(CView)

 public:
  CView();
  ~CView() override;

  CDocument* GetDocument() const { return m_pDocument; }
  CFrameWnd* GetParentFrame() const { return QelGetParentFrame(m_hWnd); }

  // Makes the view's window in parent with that id; the context's document
  // takes the view.
  virtual BOOL CreateView(HWND parent, UINT id, CCreateContext* context);

  // The first update, after the document was read or made.
  virtual void OnInitialUpdate();
  // The document changed (sender: the view that changed it, or nullptr).
  virtual void OnUpdate(CView* sender, LPARAM hint, CObject* hintObject);
  // The view became (activate TRUE) or stopped being the frame's active view.
  virtual void OnActivateView(BOOL activate, CView* activated, CView* deactivated);

  BOOL OnCmdMsg(UINT id, int code, void* extra, CmdHandlerInfo* info) override;
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

 protected:
  virtual int OnCreate(CREATESTRUCTA* cs);
  virtual void OnDestroy();
  // Paints the view; the default paints nothing.
  virtual void OnDraw(CDC* dc);
  // The window class of the view's window.
  virtual const char* ViewClassName();

  CDocument* m_pDocument = nullptr;
  CCreateContext* m_pCreateContext = nullptr;  // during creation only

  friend class CDocument;
};
