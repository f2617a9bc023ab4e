// CWorkspaceBar ("WorkSpace"): the sizing docking bar with two tabs at its
// bottom: "工程" shows the project tree, "属性/动作" shows the property panel
// over the event-link list of the active picture window. The tree, the
// panel and the list use one font ("宋体", 12 pixels).
#pragma once
#include <windows.h>

#include <commctrl.h>

#include "attrlist/eventlinklist.h"
#include "attrlist/propertypanel.h"
#include "controls/imagelist.h"
#include "gdiwrap.h"
#include "controls/tabctrl.h"
#include "projecttree.h"
#include "bars/sizingbar.h"
#include "wnd.h"

class CWorkspaceBar : public CSizingControlBar {
  DECLARE_DYNAMIC(CWorkspaceBar)

 public:
  enum : int { kTabProject = 0, kTabProperties = 1 };

  BOOL Create(CFrameWnd* frame, SIZE size, UINT id);

  // Selects the tab and shows its contents (tab 0 the tree; tab 1 the panel
  // and the list).
  void SelectTab(int index);
  int GetSelectedTab() const;

  CProjectTree& GetTree() { return m_tree; }
  HWND GetPropertyPanel() const { return m_panel.m_hWnd; }
  CDrawAttrList& GetAttributeList() { return m_panel.GetAttributeList(); }
  CEventLinkList& GetEventLinkList() { return m_eventLinks; }
  CTabCtrl& GetTabs() { return m_tabs; }
  const CImageList& GetTreeImages() const { return m_treeImages; }

  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void Layout(int width, int height);
  BOOL CreateTabs();
  BOOL CreateLists();

  CImageList m_treeImages;  // declared first: the controls that show them go first
  CImageList m_linkImages;
  CFont m_font;
  CTabCtrl m_tabs;
  CProjectTree m_tree;
  CPropertyPanel m_panel;
  CEventLinkList m_eventLinks;
};
