// The tabbed pickers: a tab control over a function tree ("函数"), the local
// tag panel ("本地标签") and the database tag panel ("QEL库标签"), one shown
// at a time.
//   CExpPickTab     the expression page's: the nineteen expression
//                   functions; the panels insert references ("TV(name)")
//   CScriptPickTab  the script editor's: the system-function catalogue; the
//                   panels insert plain names
//
//   picker          tab control  local panel  function tree  database panel
//   CExpPickTab     1075         1076         1077           1078
//   CScriptPickTab  1095         1096         1097           1098
#pragma once
#include <windows.h>

#include <memory>

#include "controls/tabctrl.h"
#include "functiontree.h"
#include "gdiwrap.h"
#include "tagpickpanel.h"

class CPickTab : public CWnd {
 public:
  struct Ids {
    UINT tab, localPanel, tree, databasePanel;
  };
  enum Part : int { kFunctionsTab = 0, kLocalTab = 1, kDatabaseTab = 2 };

  ~CPickTab() override;

  BOOL Create(DWORD style, const RECT& rect, HWND parent, UINT id);

  // The edit control that every part inserts into (borrowed).
  void SetTarget(HWND target);
  void SetHostCallbacks(const HostCallbackBlock* host) { m_databasePanel.SetHostCallbacks(host); }
  void LoadLocalTags(const LocalTagCallbackBlock* table) { m_localPanel.LoadLocalTags(table); }

  const Ids& GetIds() const { return m_ids; }
  CTabCtrl& Tabs() { return m_tabs; }
  CFunctionTree& Tree() { return *m_tree; }
  CTagPickPanel& LocalPanel() { return m_localPanel; }
  CTagPickPanel& DatabasePanel() { return m_databasePanel; }
  // Shows the part of a tab and hides the other two.
  void ShowPart(int tab);

 protected:
  CPickTab(const Ids& ids, std::unique_ptr<CFunctionTree> tree, int insertMode);
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  int OnCreate();
  void Layout(int width, int height);

  Ids m_ids;
  int m_insertMode;
  CFont m_font;
  CTabCtrl m_tabs;
  std::unique_ptr<CFunctionTree> m_tree;
  CTagPickPanel m_localPanel;
  CTagPickPanel m_databasePanel;
};

class CExpPickTab : public CPickTab {
 public:
  CExpPickTab();
};

class CScriptPickTab : public CPickTab {
 public:
  CScriptPickTab();
};
