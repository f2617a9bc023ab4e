// CWorkspaceBar ("WorkSpace"): the sizing docking bar with two tabs at its
// bottom: "工程" shows the project tree, "属性/动作" shows the property panel
// over the event-link list of the active picture window. The tree, the
// panel and the list use one font ("宋体", 12 pixels).
#pragma once
#include <windows.h>

#include <commctrl.h>

#include "projecttree.h"
#include "sizingbar.h"
#include "wnd.h"

class CWorkspaceBar : public CSizingControlBar {
  DECLARE_DYNAMIC(CWorkspaceBar)

 public:
  enum : int { kTabProject = 0, kTabProperties = 1 };

  ~CWorkspaceBar() override;
  BOOL Create(CFrameWnd* frame, SIZE size, UINT id);

  // Selects the tab and shows its contents (tab 0 the tree; tab 1 the panel
  // and the list).
  void SelectTab(int index);
  int GetSelectedTab() const;

  CProjectTree& GetTree() { return m_tree; }
  HWND GetPropertyPanel() const { return m_panel.m_hWnd; }
  HWND GetEventLinkList() const { return m_eventLinks.m_hWnd; }
  HWND GetTabs() const { return m_tabs.m_hWnd; }
  HIMAGELIST GetTreeImages() const { return m_treeImages; }

  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void Layout(int width, int height);
  BOOL CreateTabs();
  BOOL CreateLists();

  CWnd m_tabs;
  CProjectTree m_tree;
  CWnd m_panel;       // the property panel's place
  CWnd m_eventLinks;
  HIMAGELIST m_treeImages = nullptr;
  HIMAGELIST m_linkImages = nullptr;
  HFONT m_font = nullptr;
};
