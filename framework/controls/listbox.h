// CListBox: the platform's list box.
#pragma once
#include "controls/stringlist.h"

class CListBox : public CStringListCtrl {
  DECLARE_DYNAMIC(CListBox)

 public:
  CListBox();
  BOOL Create(DWORD style, const RECT& rect, HWND parent, UINT id, DWORD exStyle = 0);

  CString GetText(int index) const { return ItemText(index); }
  int GetItemHeight(int index = 0) const;
  int GetTopIndex() const;
};
