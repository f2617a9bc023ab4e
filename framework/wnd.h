// CWnd: a C++ object attached to a window handle.
//
// A class derives from CWnd and overrides WindowProc with one switch that calls
// a small named handler per message, passing everything else to its base:
//
//   LRESULT CMyWnd::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
//     switch (msg) {
//     case WM_PAINT: OnPaint(); return 0;
//     case WM_TIMER: OnTimer(wp); return 0;
//     }
//     return CWnd::WindowProc(msg, wp, lp);
//   }
//
// Child notifications (WM_COMMAND and WM_NOTIFY from a control, WM_DRAWITEM,
// WM_MEASUREITEM, WM_DELETEITEM, WM_COMPAREITEM, WM_CTLCOLOR*, scroll-bar
// WM_HSCROLL/WM_VSCROLL) are first offered to the child's own object through
// OnChildNotify; the parent's WindowProc sees them only when the child does not
// handle them. So an owner-drawn button draws itself and handles its own clicks.
// A child whose object belongs to another module (a DLL's control under a
// program's window) is asked through a registered message, with the same result.
//
// Windows reach an object in three ways: CreateEx/Create (the object is attached
// before the window's first message), SubclassWindow (an existing window, its
// procedure kept and called for everything the object passes on), and a window
// class registered with QelRegisterGlobalClass<T> (wndclass.h: the object is made
// on the window's first message and deleted after WM_NCDESTROY). The handle map
// is per module (wndmodule.h) and used on the user-interface thread only. A
// handler that destroys its own window must not touch its object afterwards:
// an object that belongs to its window is gone by then.
//
// No exception leaves a window procedure: it is caught at the boundary and
// reported (QelSetExceptionReporter); WM_NCCREATE and WM_CREATE then fail the
// creation and WM_PAINT validates the window so the paint is not retried forever.
#pragma once
#include <windows.h>

#include "commands/cmdtarget.h"
#include "qstring.h"

class CWnd : public CCmdTarget {
  DECLARE_DYNAMIC(CWnd)

 public:
  CWnd();
  // Destroys a window that is still attached (a window never outlives its object).
  virtual ~CWnd();
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;

  HWND m_hWnd = nullptr;

  HWND GetSafeHwnd() const { return m_hWnd; }
  operator HWND() const { return m_hWnd; }

  // The object attached to a handle in this module, or nullptr.
  static CWnd* FromHandlePermanent(HWND hwnd);
  // Number of handles attached in this module.
  static size_t GetAttachedCount();

  // --- Creation and attachment ---------------------------------------------
  // Creates the window and attaches this object before the window's first
  // message; the class may be any class (a system control included). False
  // when the object already has a window or the creation fails.
  BOOL CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style, int x, int y,
                int cx, int cy, HWND parent, HMENU menuOrId, void* param = nullptr);
  BOOL Create(const char* className, const char* windowName, DWORD style, const RECT& rect, HWND parent,
              UINT id, void* param = nullptr);
  // Attaches to an existing window and routes its messages through this object;
  // the window's procedure gets whatever the object passes on.
  BOOL SubclassWindow(HWND hwnd);
  BOOL SubclassDlgItem(UINT id, HWND parent);
  // Puts the window's procedure back and detaches; returns the handle.
  HWND UnsubclassWindow();
  // Virtual: an MDI child is destroyed through its MDI client.
  virtual BOOL DestroyWindow();

  // --- Messages ----------------------------------------------------------------
  // One switch per class; unhandled messages go to the base class.
  virtual LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp);
  // A child notification offered back to this (the child's) object; true when
  // handled, with the parent's answer in *result.
  virtual bool OnChildNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result);
  // Called when the object is attached to a window it did not create through
  // its class's own procedure (created or subclassed); may change the style.
  virtual void PreSubclassWindow();
  // Called after the last message, once the object is detached.
  virtual void PostNcDestroy();
  // Offered every message that a loop of the layer (the program's, a modal
  // dialog's) takes from the queue for this window or one of its children,
  // innermost window first; TRUE eats it (it is then neither translated nor
  // dispatched). A dialog lets IsDialogMessage see its keys here.
  virtual BOOL PreTranslateMessage(MSG* msg);

  // The window's previous procedure (or the default one) for any message.
  LRESULT DefWindowProc(UINT msg, WPARAM wp, LPARAM lp);
  // The default handling of the message being handled now.
  LRESULT Default();

  LRESULT SendMessage(UINT msg, WPARAM wp = 0, LPARAM lp = 0) const;
  // The answer that SendMessage gets from this window's handlers (with the
  // same exception boundary), made without the platform's dispatch: no
  // hooks, and no procedure that another module put in front of the window.
  // For a caller on the window's thread that asks the window itself.
  LRESULT AnswerDirectly(UINT msg, WPARAM wp, LPARAM lp);
  BOOL PostMessage(UINT msg, WPARAM wp = 0, LPARAM lp = 0) const;
  // Sends to the parent window; 0 when there is none.
  LRESULT SendMessageToParent(UINT msg, WPARAM wp = 0, LPARAM lp = 0) const;

  // --- Window relations ------------------------------------------------------
  // The parent window's handle (any module), or nullptr.
  HWND GetParent() const;
  // The parent's object in this module, or nullptr.
  CWnd* GetParentWnd() const;
  int GetDlgCtrlID() const;
  int SetDlgCtrlID(int id);
  HWND GetDlgItem(int id) const;
  void SetDlgItemText(int id, const char* text);
  // The text of the child with that id (empty when there is none).
  CString GetDlgItemText(int id) const;
  LRESULT SendDlgItemMessage(int id, UINT msg, WPARAM wp = 0, LPARAM lp = 0) const;
  void CheckDlgButton(int id, UINT check);
  UINT IsDlgButtonChecked(int id) const;

  // --- Text and fonts ----------------------------------------------------------
  void SetWindowText(const char* text);
  // Copies at most n - 1 bytes and a terminator; returns the length copied.
  int GetWindowText(char* buf, int n) const;
  void GetWindowText(CString& text) const;
  int GetWindowTextLength() const;
  void SetFont(HFONT font, BOOL redraw = TRUE);
  HFONT GetFont() const;

  // --- State, placement and painting -----------------------------------------
  BOOL ShowWindow(int cmd);
  BOOL EnableWindow(BOOL enable = TRUE);
  BOOL IsWindowEnabled() const;
  BOOL IsWindowVisible() const;
  DWORD GetStyle() const;
  DWORD GetExStyle() const;
  // Removes then adds style bits; flags non-zero also applies them (SetWindowPos).
  BOOL ModifyStyle(DWORD remove, DWORD add, UINT flags = 0);
  BOOL MoveWindow(int x, int y, int cx, int cy, BOOL repaint = TRUE);
  BOOL MoveWindow(const RECT& rect, BOOL repaint = TRUE);
  BOOL SetWindowPos(HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
  // Adds this window to a deferred batch; returns the batch (nullptr on failure,
  // when the platform has already freed it).
  HDWP DeferWindowPos(HDWP batch, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
  void GetClientRect(RECT* rect) const;
  void GetWindowRect(RECT* rect) const;
  void ClientToScreen(POINT* pt) const;
  void ClientToScreen(RECT* rect) const;
  void ScreenToClient(POINT* pt) const;
  void ScreenToClient(RECT* rect) const;
  void Invalidate(BOOL erase = TRUE);
  void InvalidateRect(const RECT* rect, BOOL erase = TRUE);
  void ValidateRect(const RECT* rect);
  void UpdateWindow();
  // Turns drawing of the window off and on again (WM_SETREDRAW).
  void SetRedraw(BOOL redraw = TRUE);
  HWND SetFocus();

  // --- Timers and capture ------------------------------------------------------
  UINT_PTR SetTimer(UINT_PTR id, UINT elapseMs);
  BOOL KillTimer(UINT_PTR id);
  HWND SetCapture();
  static BOOL ReleaseCapture();
  static HWND GetCapture();

  // --- Scroll bars -------------------------------------------------------------
  int SetScrollInfo(int bar, const SCROLLINFO& info, BOOL redraw = TRUE);
  BOOL GetScrollInfo(int bar, SCROLLINFO* info, UINT mask = SIF_ALL) const;
  int SetScrollPos(int bar, int pos, BOOL redraw = TRUE);
  int GetScrollPos(int bar) const;

 protected:
  // Set for objects that belong to their window (made by a global class's
  // procedure): PostNcDestroy deletes them.
  bool m_bAutoDelete = false;

 private:
  friend struct CWndAccess;
  WNDPROC m_pfnSuper = nullptr;  // procedure the object passes messages on to
  bool m_subclassed = false;     // our procedure stands in front of the window's own
};

// The text of any window (of any module); empty for nullptr.
CString QelGetWindowText(HWND hwnd);

// Offers a message to PreTranslateMessage of the objects of this module on the
// way from its window up through its parents, ending with the first top-level
// window or with stop (a modal dialog: nothing beyond it sees the message);
// TRUE when one of them ate it.
BOOL QelWalkPreTranslateTree(HWND stop, MSG* msg);
