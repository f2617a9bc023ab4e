// CMDIFrameWnd: the main frame of a multi-document program. Its pane is the
// MDI client, whose children are CMDIChildWnd frames; the menu of the active
// child's document template replaces the frame's own while a child is
// active, and the "window" pop-up of that menu lists the children.
#pragma once
#include "frames/frame.h"

class CMDIChildWnd;

class CMDIFrameWnd : public CFrameWnd {
  DECLARE_DYNAMIC(CMDIFrameWnd)

 public:
  HWND m_hWndMDIClient = nullptr;

  // The active child frame (maximised: *maximized TRUE), or nullptr.
  CMDIChildWnd* MDIGetActive(BOOL* maximized = nullptr) const;
  CFrameWnd* GetActiveFrame() override;
  // Sets menu (nullptr: the frame's own) with its window pop-up.
  void SetFrameMenu(HMENU menu);

  BOOL OnCmdMsg(UINT id, int code, void* extra, CmdHandlerInfo* info) override;
  BOOL PreTranslateMessage(MSG* msg) override;
  void OnUpdateFrameTitle(BOOL addToTitle) override;

 protected:
  BOOL OnCreateClient(CREATESTRUCTA* cs, CCreateContext* context) override;
  void OnIdleUpdateCmdUI(BOOL disableIfNoHandler) override;
  const char* FrameClassName(UINT iconId) override;

  void OnWindowCommand(UINT id);
  void OnUpdateWindowCommand(CCmdUI* ui);

  DECLARE_COMMAND_MAP()
};

// The pop-up of menu that holds the window-arrangement commands, or nullptr.
HMENU QelFindWindowMenu(HMENU menu);
