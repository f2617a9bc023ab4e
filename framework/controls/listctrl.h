// CListCtrl: the platform's list view (used here in report style).
#pragma once
#include <windows.h>

#include <commctrl.h>

#include "wnd.h"

class CListCtrl : public CWnd {
  DECLARE_DYNAMIC(CListCtrl)

 public:
  BOOL Create(DWORD style, const RECT& rect, HWND parent, UINT id, DWORD exStyle = 0);

  // LVS_EX_ styles (grid lines, full-row select, ...); the previous ones.
  DWORD SetExtendedStyle(DWORD exStyle);
  DWORD GetExtendedStyle() const;
  // which: LVSIL_SMALL, LVSIL_NORMAL or LVSIL_STATE; the list does not own it
  // unless it has LVS_SHAREIMAGELISTS cleared (the platform's rule).
  HIMAGELIST SetImageList(HIMAGELIST images, int which);
  HWND GetHeaderCtrl() const;

  // Index of the new column, -1 on failure; width -1 leaves the default.
  int InsertColumn(int column, const char* heading, int format = LVCFMT_LEFT, int width = -1);
  BOOL DeleteColumn(int column);
  int GetColumnWidth(int column) const;
  BOOL SetColumnWidth(int column, int width);

  // Index of the new row, -1 on failure; image -1 shows none.
  int InsertItem(int index, const char* text, int image = -1);
  BOOL SetItemText(int item, int subItem, const char* text);
  CString GetItemText(int item, int subItem) const;
  BOOL DeleteItem(int item);
  BOOL DeleteAllItems();
  int GetItemCount() const;
  BOOL SetItemData(int item, DWORD_PTR data);
  DWORD_PTR GetItemData(int item) const;
  BOOL SetItemState(int item, UINT state, UINT mask);
  UINT GetItemState(int item, UINT mask) const;
  // The next row after start (-1: from the top) with the LVNI_ flags.
  int GetNextItem(int start, UINT flags) const;
  // The first selected row, -1 when none.
  int GetSelectedItem() const;
  BOOL EnsureVisible(int item, BOOL partialOk = FALSE);
  // code: LVIR_BOUNDS, LVIR_ICON, LVIR_LABEL.
  BOOL GetItemRect(int item, RECT* rect, UINT code) const;
  // The row under a client point, -1 for none; *flags gets the LVHT_ flags.
  int HitTest(POINT pt, UINT* flags = nullptr) const;
};

// The text of a cell of any list view window (of any module).
CString QelListViewText(HWND list, int item, int subItem);
