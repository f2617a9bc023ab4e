// CFrameWnd: a top-level or MDI child window that holds a view (or the MDI
// client), control bars docked at its edges, a menu and accelerators, and
// routes commands.
//
// Command route: the active view (which passes on to its document, which
// passes on to its template), then the frame itself, then the application.
// An MDI frame offers a command to its active child frame first
// (mdiframe.h); a child frame does not pass it to the application, its MDI
// frame does.
//
// Frames are made with new and delete themselves when their window is gone.
// Before a command from a menu or an accelerator is carried out its update
// handlers are asked; a disabled command is not carried out.
#pragma once
#include <windows.h>

#include <shellapi.h>

#include <vector>

#include "commands/cmdids.h"
#include "commands/cmdtarget.h"
#include "qstring.h"
#include "wnd.h"

class CControlBar;
class CDockBar;
class CDocTemplate;
class CDocument;
class CFrameWnd;
class CView;

// What a frame is made for: the view class it creates and the document the
// view shows.
struct CCreateContext {
  CRuntimeClass* m_pNewViewClass = nullptr;
  CDocument* m_pCurrentDoc = nullptr;
  CDocTemplate* m_pNewDocTemplate = nullptr;
  CFrameWnd* m_pCurrentFrame = nullptr;
};

class CFrameWnd : public CWnd {
  DECLARE_DYNAMIC(CFrameWnd)

 public:
  CFrameWnd();
  ~CFrameWnd() override;

  // Makes the frame from the resources of that id: its menu, accelerators,
  // icon and (string resource, up to the first '\n') title; the application's
  // name when the string is missing.
  virtual BOOL LoadFrame(UINT resourceId, DWORD style, HWND parent = nullptr,
                         CCreateContext* context = nullptr);

  // ---- views and documents --------------------------------------------------
  CView* GetActiveView() const { return m_pViewActive; }
  void SetActiveView(CView* view, BOOL notify = TRUE);
  virtual CDocument* GetActiveDocument();
  // The frame whose view is active: an MDI frame's active child, else this.
  virtual CFrameWnd* GetActiveFrame() { return this; }
  // Creates the context's view as the frame's pane.
  CView* CreateView(CCreateContext* context, UINT id = AFX_IDW_PANE_FIRST);
  // After a document was read: the views' first update, the active view,
  // the title, and the frame shown when makeVisible.
  virtual void InitialUpdateFrame(CDocument* doc, BOOL makeVisible);
  // Shows the frame (cmdShow -1: as it is, or normally when hidden) on top.
  virtual void ActivateFrame(int cmdShow = -1);
  virtual BOOL IsMDIChild() const { return FALSE; }

  // ---- title ---------------------------------------------------------------
  // The application title, or for a document frame the document's title.
  virtual void OnUpdateFrameTitle(BOOL addToTitle);
  void SetTitle(const char* title) { m_strTitle = title ? title : ""; }
  const CString& GetTitle() const { return m_strTitle; }
  // Adds " - " and the active document's title to the frame's title.
  BOOL m_bAddToTitle = TRUE;

  // ---- control bars and layout --------------------------------------------
  // Dock bars on the sides allowed (CBRS_ALIGN_ bits, bars/controlbar.h).
  void EnableDocking(DWORD dockStyle);
  // Docks the bar on the side of dockBarId (0: the first side the bar allows),
  // in a new row, or in the row of rowOf after it.
  void DockControlBar(CControlBar* bar, UINT dockBarId = 0, CControlBar* rowOf = nullptr);
  // Floats the bar in a small frame of its own with its client area at
  // topLeft (screen).
  void FloatControlBar(CControlBar* bar, POINT topLeft);
  void ShowControlBar(CControlBar* bar, BOOL show);
  CDockBar* GetDockBar(UINT dockBarId) const;
  // Lays out the status bar, the dock bars and the pane.
  virtual void RecalcLayout(BOOL notify = TRUE);
  // Called by the control bars when they are made and destroyed.
  void AddControlBar(CControlBar* bar);
  void RemoveControlBar(CControlBar* bar);
  const std::vector<CControlBar*>& GetControlBars() const { return m_controlBars; }
  CControlBar* GetControlBar(UINT id) const;

  // ---- status line ---------------------------------------------------------
  void SetMessageText(const char* text);
  void SetMessageText(UINT stringId);

  // ---- messages ------------------------------------------------------------
  BOOL OnCmdMsg(UINT id, int code, void* extra, CmdHandlerInfo* info) override;
  // The frame's accelerators (and the MDI keys); TRUE when the message was
  // turned into a command.
  BOOL PreTranslateMessage(MSG* msg) override;
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

  HMENU m_hMenuDefault = nullptr;  // the menu loaded with the frame
  HACCEL m_hAccelTable = nullptr;
  UINT m_nIDResource = 0;

 protected:
  virtual int OnCreate(CREATESTRUCTA* cs);
  // Makes what fills the client area: the context's view.
  virtual BOOL OnCreateClient(CREATESTRUCTA* cs, CCreateContext* context);
  virtual void OnClose();
  virtual void OnDestroy();
  virtual void OnSize(UINT type);
  virtual void OnSetFocus();
  // A command, a menu item or an accelerator: TRUE when handled.
  virtual BOOL OnCommand(WPARAM wp, LPARAM lp);
  virtual BOOL OnNotify(WPARAM wp, LPARAM lp, LRESULT* result);
  virtual void OnInitMenuPopup(HMENU popup, UINT index, BOOL sysMenu);
  virtual void OnDropFiles(HDROP drop);
  virtual void OnIdleUpdateCmdUI(BOOL disableIfNoHandler);
  void OnMenuSelect(UINT item, UINT flags, HMENU menu);
  void OnUpdateKeyIndicator(CCmdUI* ui);
  // The window class of this frame's windows (its procedure, the icon).
  virtual const char* FrameClassName(UINT iconId);

  // The rectangle that the bars leave for the pane.
  void LayoutBars(RECT* client);
  HWND GetPane() const;
  void UpdateFrameTitleForDocument(const char* docTitle);

  CString m_strTitle;
  CString m_strTitleShown;  // the caption set last
  CView* m_pViewActive = nullptr;
  CCreateContext* m_pCreateContext = nullptr;  // during creation only
  std::vector<CControlBar*> m_controlBars;
  CDockBar* m_dockBars[4] = {};  // top, bottom, left, right
  CString m_strIdleMessage;
  UINT m_nIDTracking = 0;  // the menu item shown on the status line

  DECLARE_COMMAND_MAP()
};

// The frame that holds the window, or nullptr.
CFrameWnd* QelGetParentFrame(HWND hwnd);
// Sends the message to every window below parent, at any depth.
void QelSendToDescendants(HWND parent, UINT msg, WPARAM wp, LPARAM lp);
