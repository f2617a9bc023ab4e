// CEventLinkList: the event-link list of the "属性/动作" tab: one row per link
// kind that the selected object offers ("动作": the kind's image and name;
// "定义": the mode of the link it has). A right click on the selected row
// pops up menu 140, whose choice (direct link, script, remove) goes back to
// the editing window with QCM_SETEVENTLINK.
#pragma once
#include <windows.h>

#include <vector>

#include "controls/listctrl.h"
#include "qel/picmsg.h"  // the property and link-kind records

class CEventLinkList : public CListCtrl {
  DECLARE_DYNAMIC(CEventLinkList)

 public:
  enum : int { kMaxLinks = 32 };

  // A report list with single selection, grid lines and full-row select,
  // and its two columns.
  BOOL Create(HWND parent, UINT id);

  // Shows the link-kind records of an editing window (a copy of at most 32;
  // none for a missing list).
  void LoadLinks(HWND editWindow, const ActionKindList* list);
  void Clear() { LoadLinks(nullptr, nullptr); }
  HWND GetEditWindow() const { return m_editWindow; }
  int GetLinkCount() const { return static_cast<int>(m_links.size()); }
  const ActionKindDesc& GetLink(int row) const { return m_links.at(static_cast<size_t>(row)); }
  // The row's image, -1 for none.
  int GetRowImage(int row) const;

  // Menu 140 for a row: each mode enabled when the kind allows it, the
  // mode of the existing link checked, removing enabled only when there is
  // a link. The caller destroys the menu.
  HMENU MakeLinkMenu(int row) const;
  // A choice of that menu: the mode goes to the editing window (a choice
  // that the row does not allow is ignored).
  void ChooseLinkMode(int row, UINT command);

 protected:
  bool OnChildNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;

 private:
  void ShowLinkMenu(int row, POINT screen);

  std::vector<ActionKindDesc> m_links;
  HWND m_editWindow = nullptr;
};
