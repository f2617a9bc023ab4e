// CComboBox: the platform's combo box.
#pragma once
#include "controls/stringlist.h"

class CComboBox : public CStringListCtrl {
  DECLARE_DYNAMIC(CComboBox)

 public:
  CComboBox();
  BOOL Create(DWORD style, const RECT& rect, HWND parent, UINT id, DWORD exStyle = 0);

  CString GetLBText(int index) const { return ItemText(index); }
  // Selects the first item that begins with text; CB_ERR when none.
  int SelectString(int start, const char* text);
  void ShowDropDown(BOOL show = TRUE);
  BOOL GetDroppedState() const;
  void LimitText(int max);
};
