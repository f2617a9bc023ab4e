// CCmdUI: the user-interface item of one command (a menu item, a toolbar
// button, a status-bar pane) while its state is asked along the command route.
//
// An update handler says whether the command is enabled and checked:
//
//   void CMainFrame::OnUpdateViewOutput(CCmdUI* ui) { ui->SetCheck(m_output.IsWindowVisible()); }
//
// DoUpdate offers the item to a target's route; when no update handler
// answered and the caller asks for it, the item is enabled exactly when some
// target has a command handler for it. The base class works on a menu item;
// toolbars and status bars derive their own.
#pragma once
#include <windows.h>

class CCmdTarget;
class CWnd;

class CCmdUI {
 public:
  CCmdUI() = default;
  virtual ~CCmdUI() = default;

  UINT m_nID = 0;
  UINT m_nIndex = 0;           // position in the menu, the bar
  UINT m_nIndexMax = 0;        // items there (a handler may add or remove menu items)
  HMENU m_hMenu = nullptr;     // the menu of a menu item
  HMENU m_hSubMenu = nullptr;  // the pop-up that this menu item opens
  CWnd* m_pOther = nullptr;    // the bar of a button or pane

  virtual void Enable(BOOL on = TRUE);
  // 0 clear, 1 checked, 2 indeterminate.
  virtual void SetCheck(int check = 1);
  // A round mark instead of a tick.
  virtual void SetRadio(BOOL on = TRUE);
  virtual void SetText(const char* text);

  // From an update handler: let the next target of the route answer too.
  void ContinueRouting() { m_bContinueRouting = TRUE; }

  // Asks target's route for the state; TRUE when an update handler answered.
  BOOL DoUpdate(CCmdTarget* target, BOOL disableIfNoHandler);

  BOOL m_bEnableChanged = FALSE;  // Enable was called during the update
  BOOL m_bContinueRouting = FALSE;
};

// Only records what the handlers say: used before a command from a menu or
// an accelerator is carried out, which is refused while it is disabled.
class CTestCmdUI : public CCmdUI {
 public:
  void Enable(BOOL on = TRUE) override {
    m_bEnabled = on;
    m_bEnableChanged = TRUE;
  }
  void SetCheck(int) override {}
  void SetRadio(BOOL) override {}
  void SetText(const char*) override {}
  BOOL m_bEnabled = TRUE;
};

// TRUE when the command may be carried out now: no update handler disabled it.
BOOL QelIsCommandEnabled(CCmdTarget* target, UINT id);
