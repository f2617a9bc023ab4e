// CListBox: the platform's list box.
#pragma once
#include "wnd.h"

class CListBox : public CWnd {
  DECLARE_DYNAMIC(CListBox)

 public:
  BOOL Create(DWORD style, const RECT& rect, HWND parent, UINT id, DWORD exStyle = 0);

  // Index of the new item (a sorted box places it by its text), negative on failure.
  int AddString(const char* text);
  int InsertString(int index, const char* text);
  int DeleteString(int index);
  void ResetContent();
  int GetCount() const;
  int GetCurSel() const;
  int SetCurSel(int index);
  CString GetText(int index) const;
  int SetItemData(int index, DWORD_PTR data);
  DWORD_PTR GetItemData(int index) const;
  int GetItemHeight(int index = 0) const;
  // First item after start (-1: from the top) equal to text, any case; LB_ERR when none.
  int FindStringExact(int start, const char* text) const;
  int GetTopIndex() const;
};
