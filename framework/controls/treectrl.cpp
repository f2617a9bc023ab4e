#include "controls/treectrl.h"

#include "controls/commoncontrols.h"

IMPLEMENT_DYNAMIC(CTreeCtrl, CWnd)

namespace {
HTREEITEM NextItem(HWND tree, HTREEITEM item, UINT code) {
  return reinterpret_cast<HTREEITEM>(
      ::SendMessageA(tree, TVM_GETNEXTITEM, code, reinterpret_cast<LPARAM>(item)));
}

HTREEITEM Insert(HWND tree, const char* text, UINT imageMask, int image, int selectedImage, HTREEITEM parent,
                 HTREEITEM after) {
  TVINSERTSTRUCTA insert = {};
  insert.hParent = parent;
  insert.hInsertAfter = after;
  insert.item.mask = TVIF_TEXT | imageMask;
  insert.item.pszText = const_cast<char*>(text ? text : "");
  insert.item.iImage = image;
  insert.item.iSelectedImage = selectedImage;
  return reinterpret_cast<HTREEITEM>(
      ::SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}
}  // namespace

BOOL CTreeCtrl::Create(DWORD style, const RECT& rect, HWND parent, UINT id, DWORD exStyle) {
  return QelCreateControl(*this, WC_TREEVIEWA, exStyle, style, rect, parent, id);
}

HIMAGELIST CTreeCtrl::SetImageList(HIMAGELIST images, int which) {
  return reinterpret_cast<HIMAGELIST>(SendMessage(TVM_SETIMAGELIST, which, reinterpret_cast<LPARAM>(images)));
}

HTREEITEM CTreeCtrl::InsertItem(const char* text, int image, int selectedImage, HTREEITEM parent,
                                HTREEITEM after) {
  return Insert(m_hWnd, text, TVIF_IMAGE | TVIF_SELECTEDIMAGE, image, selectedImage, parent, after);
}
HTREEITEM CTreeCtrl::InsertItem(const char* text, HTREEITEM parent, HTREEITEM after) {
  return Insert(m_hWnd, text, 0, 0, 0, parent, after);
}
BOOL CTreeCtrl::DeleteItem(HTREEITEM item) {
  return SendMessage(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(item)) != 0;
}
BOOL CTreeCtrl::DeleteAllItems() {
  return SendMessage(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT)) != 0;
}
UINT CTreeCtrl::GetCount() const { return static_cast<UINT>(SendMessage(TVM_GETCOUNT)); }

CString CTreeCtrl::GetItemText(HTREEITEM item) const {
  char buf[1024] = "";
  TVITEMA tv = {};
  tv.mask = TVIF_TEXT;
  tv.hItem = item;
  tv.pszText = buf;
  tv.cchTextMax = sizeof buf;
  if (!SendMessage(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv))) return CString();
  return CString(tv.pszText);
}
BOOL CTreeCtrl::SetItemText(HTREEITEM item, const char* text) {
  TVITEMA tv = {};
  tv.mask = TVIF_TEXT;
  tv.hItem = item;
  tv.pszText = const_cast<char*>(text ? text : "");
  return SendMessage(TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&tv)) != 0;
}
BOOL CTreeCtrl::SetItemData(HTREEITEM item, DWORD_PTR data) {
  TVITEMA tv = {};
  tv.mask = TVIF_PARAM;
  tv.hItem = item;
  tv.lParam = static_cast<LPARAM>(data);
  return SendMessage(TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&tv)) != 0;
}
DWORD_PTR CTreeCtrl::GetItemData(HTREEITEM item) const {
  TVITEMA tv = {};
  tv.mask = TVIF_PARAM;
  tv.hItem = item;
  return SendMessage(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv)) ? static_cast<DWORD_PTR>(tv.lParam) : 0;
}
BOOL CTreeCtrl::SetItemImage(HTREEITEM item, int image, int selectedImage) {
  TVITEMA tv = {};
  tv.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
  tv.hItem = item;
  tv.iImage = image;
  tv.iSelectedImage = selectedImage;
  return SendMessage(TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&tv)) != 0;
}
BOOL CTreeCtrl::SetItemState(HTREEITEM item, UINT state, UINT mask) {
  TVITEMA tv = {};
  tv.mask = TVIF_STATE;
  tv.hItem = item;
  tv.state = state;
  tv.stateMask = mask;
  return SendMessage(TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&tv)) != 0;
}
UINT CTreeCtrl::GetItemState(HTREEITEM item, UINT mask) const {
  return static_cast<UINT>(SendMessage(TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), mask));
}

BOOL CTreeCtrl::Expand(HTREEITEM item, UINT code) {
  return SendMessage(TVM_EXPAND, code, reinterpret_cast<LPARAM>(item)) != 0;
}
BOOL CTreeCtrl::SelectItem(HTREEITEM item) {
  return SendMessage(TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item)) != 0;
}
HTREEITEM CTreeCtrl::GetSelectedItem() const { return NextItem(m_hWnd, nullptr, TVGN_CARET); }
HTREEITEM CTreeCtrl::GetRootItem() const { return NextItem(m_hWnd, nullptr, TVGN_ROOT); }
HTREEITEM CTreeCtrl::GetParentItem(HTREEITEM item) const { return NextItem(m_hWnd, item, TVGN_PARENT); }
HTREEITEM CTreeCtrl::GetChildItem(HTREEITEM item) const { return NextItem(m_hWnd, item, TVGN_CHILD); }
HTREEITEM CTreeCtrl::GetNextSiblingItem(HTREEITEM item) const { return NextItem(m_hWnd, item, TVGN_NEXT); }
BOOL CTreeCtrl::ItemHasChildren(HTREEITEM item) const { return GetChildItem(item) != nullptr; }

BOOL CTreeCtrl::SortChildren(HTREEITEM item) {
  return SendMessage(TVM_SORTCHILDREN, 0, reinterpret_cast<LPARAM>(item)) != 0;
}
BOOL CTreeCtrl::SortChildrenCB(HTREEITEM item, PFNTVCOMPARE compare, LPARAM context) {
  TVSORTCB sort = {item, compare, context};
  return SendMessage(TVM_SORTCHILDRENCB, 0, reinterpret_cast<LPARAM>(&sort)) != 0;
}

HTREEITEM CTreeCtrl::HitTest(POINT pt, UINT* flags) const {
  TVHITTESTINFO info = {};
  info.pt = pt;
  HTREEITEM item = reinterpret_cast<HTREEITEM>(SendMessage(TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
  if (flags) *flags = info.flags;
  return item;
}
BOOL CTreeCtrl::GetItemRect(HTREEITEM item, RECT* rect, BOOL textOnly) const {
  *reinterpret_cast<HTREEITEM*>(rect) = item;
  return SendMessage(TVM_GETITEMRECT, textOnly, reinterpret_cast<LPARAM>(rect)) != 0;
}
