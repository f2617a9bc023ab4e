// CTreeCtrl: the platform's tree view.
#pragma once
#include <windows.h>

#include <commctrl.h>

#include "wnd.h"

class CTreeCtrl : public CWnd {
  DECLARE_DYNAMIC(CTreeCtrl)

 public:
  BOOL Create(DWORD style, const RECT& rect, HWND parent, UINT id, DWORD exStyle = 0);

  // which: TVSIL_NORMAL or TVSIL_STATE.
  HIMAGELIST SetImageList(HIMAGELIST images, int which = TVSIL_NORMAL);

  // The new item, nullptr on failure.
  HTREEITEM InsertItem(const char* text, int image, int selectedImage, HTREEITEM parent = TVI_ROOT,
                       HTREEITEM after = TVI_LAST);
  HTREEITEM InsertItem(const char* text, HTREEITEM parent = TVI_ROOT, HTREEITEM after = TVI_LAST);
  BOOL DeleteItem(HTREEITEM item);
  BOOL DeleteAllItems();
  UINT GetCount() const;

  CString GetItemText(HTREEITEM item) const;
  BOOL SetItemText(HTREEITEM item, const char* text);
  BOOL SetItemData(HTREEITEM item, DWORD_PTR data);
  DWORD_PTR GetItemData(HTREEITEM item) const;
  BOOL SetItemImage(HTREEITEM item, int image, int selectedImage);
  // TVIS_ states (TVIS_BOLD, TVIS_EXPANDED, ...).
  BOOL SetItemState(HTREEITEM item, UINT state, UINT mask);
  UINT GetItemState(HTREEITEM item, UINT mask) const;

  // code: TVE_EXPAND, TVE_COLLAPSE, TVE_TOGGLE.
  BOOL Expand(HTREEITEM item, UINT code = TVE_EXPAND);
  BOOL SelectItem(HTREEITEM item);
  HTREEITEM GetSelectedItem() const;
  HTREEITEM GetRootItem() const;
  HTREEITEM GetParentItem(HTREEITEM item) const;
  HTREEITEM GetChildItem(HTREEITEM item) const;
  HTREEITEM GetNextSiblingItem(HTREEITEM item) const;
  BOOL ItemHasChildren(HTREEITEM item) const;

  // Sorts the children of item by their texts.
  BOOL SortChildren(HTREEITEM item);
  // Sorts the children of item by compare (item data of both, then context).
  BOOL SortChildrenCB(HTREEITEM item, PFNTVCOMPARE compare, LPARAM context);

  // The item under a client point, nullptr for none; *flags gets the TVHT_ flags.
  HTREEITEM HitTest(POINT pt, UINT* flags = nullptr) const;
  BOOL GetItemRect(HTREEITEM item, RECT* rect, BOOL textOnly) const;
};
