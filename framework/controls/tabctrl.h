// CTabCtrl: the platform's tab control.
#pragma once
#include <windows.h>

#include <commctrl.h>

#include "wnd.h"

class CTabCtrl : public CWnd {
  DECLARE_DYNAMIC(CTabCtrl)

 public:
  BOOL Create(DWORD style, const RECT& rect, HWND parent, UINT id);

  // The index of the new tab, -1 on failure; image -1 shows none.
  int InsertItem(int index, const char* text, int image = -1);
  BOOL DeleteAllItems();
  int GetItemCount() const;
  int GetCurSel() const;
  // Selects a tab without notifying the parent; the previous selection or -1.
  int SetCurSel(int index);
  CString GetItemText(int index) const;
  HIMAGELIST SetImageList(HIMAGELIST images);
  // Sets the width and height of fixed-width tabs.
  void SetItemSize(int cx, int cy);
  BOOL GetItemRect(int index, RECT* rect) const;
  // Display rectangle from window rectangle (larger FALSE) or back.
  void AdjustRect(BOOL larger, RECT* rect) const;
};
