// CPageQueryTag: the tag query page "标签查询" (dialog 6000) of Sampex's
// property sheet. The engineer types a query string and presses "查询"; the
// page's tag list asks the picture window for the matching tags and lists
// them. Without a picture window the button does nothing.
#pragma once
#include <windows.h>

#include "sampextaglist.h"
#include "sheets/proppage.h"

class CPageQueryTag : public CPropertyPage {
 public:
  // The list's control id on the page.
  enum : UINT { kListId = 0xFFFF };

  // picture: the window asked for tags (null: none).
  explicit CPageQueryTag(HWND picture);

  CSampexTagList& List() { return m_list; }

 protected:
  // Places the list over the frame 6002, one pixel inside it on every side.
  BOOL OnInitDialog() override;
  bool OnCommand(UINT id, UINT code, HWND control) override;

 private:
  // "查询": the edit box's text, trimmed at both ends, is the pattern.
  void OnQuery();

  CSampexTagList m_list;
  HWND m_picture;
};
