// CPageTrigger "触发器": when a cyclic link fires, with the picture's cycle
// (trigger 0) or with a period of its own (trigger 1, 100 to 50000 ms).
// The period is hidden, and not checked, while the picture's cycle is chosen.
//
// The page also serves the script editor's trigger command: the editor
// keeps the trigger and period until its script is saved, so there the page
// is made without a link and hands its values to the editor instead.
#pragma once
#include "linkpage.h"

// What the trigger page hands its values to when it serves the script
// editor: the editor takes them and counts its script as changed.
class CTriggerHolder {
 public:
  virtual void TakeTrigger(int trigger, int period) = 0;

 protected:
  ~CTriggerHolder() = default;
};

class CPageTrigger : public CLinkPage {
  DECLARE_DYNCREATE(CPageTrigger)

 public:
  enum : int { kMinPeriod = 100, kMaxPeriod = 50000 };

  CPageTrigger() : CPageTrigger(nullptr, nullptr) {}
  CPageTrigger(CPicEditWnd* wnd, CAction* link);

  // The page writes into the script editor (as well as into its link, when
  // it has one).
  void ServeScriptDialog(CTriggerHolder* dialog);

  BOOL OnApply() override;

  int m_nTrigger = 0;    // 0 picture cycle, 1 own period
  int m_nPeriod = 1000;  // milliseconds
  int m_bForScript = 0;  // the page serves a script dialog
  CTriggerHolder* m_pScriptDlg = nullptr;

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* dx) override;
  bool OnCommand(UINT id, UINT code, HWND control) override;

 private:
  void ShowPeriod(bool show);

  CAction* m_pLink;
};
