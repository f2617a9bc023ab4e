// CComboBox: the platform's combo box.
#pragma once
#include "wnd.h"

class CComboBox : public CWnd {
  DECLARE_DYNAMIC(CComboBox)

 public:
  BOOL Create(DWORD style, const RECT& rect, HWND parent, UINT id, DWORD exStyle = 0);

  int AddString(const char* text);
  int InsertString(int index, const char* text);
  int DeleteString(int index);
  void ResetContent();
  int GetCount() const;
  int GetCurSel() const;
  int SetCurSel(int index);
  CString GetLBText(int index) const;
  int SetItemData(int index, DWORD_PTR data);
  DWORD_PTR GetItemData(int index) const;
  int FindStringExact(int start, const char* text) const;
  // Selects the first item that begins with text; CB_ERR when none.
  int SelectString(int start, const char* text);
  void ShowDropDown(BOOL show = TRUE);
  BOOL GetDroppedState() const;
  void LimitText(int max);
};
