#include "controls/listctrl.h"

#include "controls/commoncontrols.h"

IMPLEMENT_DYNAMIC(CListCtrl, CWnd)

// The control truncates to the buffer, so the buffer grows until the text fits.
CString QelListViewText(HWND list, int item, int subItem) {
  for (int size = 256;; size *= 4) {
    CString text;
    char* buf = text.GetBuffer(size);
    buf[0] = '\0';
    LVITEMA lv = {};
    lv.iSubItem = subItem;
    lv.pszText = buf;
    lv.cchTextMax = size;
    LRESULT n = ::SendMessageA(list, LVM_GETITEMTEXTA, item, reinterpret_cast<LPARAM>(&lv));
    text.ReleaseBuffer(-1);
    if (n < size - 1 || size >= (1 << 20)) return text;
  }
}

BOOL CListCtrl::Create(DWORD style, const RECT& rect, HWND parent, UINT id, DWORD exStyle) {
  return QelCreateControl(*this, WC_LISTVIEWA, exStyle, style, rect, parent, id);
}

DWORD CListCtrl::SetExtendedStyle(DWORD exStyle) {
  return static_cast<DWORD>(SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, exStyle));
}
DWORD CListCtrl::GetExtendedStyle() const {
  return static_cast<DWORD>(SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE));
}
HIMAGELIST CListCtrl::SetImageList(HIMAGELIST images, int which) {
  return reinterpret_cast<HIMAGELIST>(SendMessage(LVM_SETIMAGELIST, which, reinterpret_cast<LPARAM>(images)));
}
HWND CListCtrl::GetHeaderCtrl() const { return reinterpret_cast<HWND>(SendMessage(LVM_GETHEADER)); }

int CListCtrl::InsertColumn(int column, const char* heading, int format, int width) {
  LVCOLUMNA col = {};
  col.mask = LVCF_FMT | LVCF_TEXT | LVCF_SUBITEM | (width >= 0 ? LVCF_WIDTH : 0);
  col.fmt = format;
  col.cx = width;
  col.pszText = const_cast<char*>(heading ? heading : "");
  col.iSubItem = column;
  return static_cast<int>(SendMessage(LVM_INSERTCOLUMNA, column, reinterpret_cast<LPARAM>(&col)));
}
BOOL CListCtrl::DeleteColumn(int column) { return SendMessage(LVM_DELETECOLUMN, column) != 0; }
int CListCtrl::GetColumnWidth(int column) const {
  return static_cast<int>(SendMessage(LVM_GETCOLUMNWIDTH, column));
}
BOOL CListCtrl::SetColumnWidth(int column, int width) {
  return SendMessage(LVM_SETCOLUMNWIDTH, column, MAKELPARAM(width, 0)) != 0;
}

int CListCtrl::InsertItem(int index, const char* text, int image) {
  LVITEMA item = {};
  item.mask = LVIF_TEXT | (image >= 0 ? LVIF_IMAGE : 0);
  item.iItem = index;
  item.pszText = const_cast<char*>(text ? text : "");
  item.iImage = image;
  return static_cast<int>(SendMessage(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}
BOOL CListCtrl::SetItemText(int item, int subItem, const char* text) {
  LVITEMA lv = {};
  lv.iSubItem = subItem;
  lv.pszText = const_cast<char*>(text ? text : "");
  return SendMessage(LVM_SETITEMTEXTA, item, reinterpret_cast<LPARAM>(&lv)) != 0;
}
CString CListCtrl::GetItemText(int item, int subItem) const { return QelListViewText(m_hWnd, item, subItem); }
BOOL CListCtrl::DeleteItem(int item) { return SendMessage(LVM_DELETEITEM, item) != 0; }
BOOL CListCtrl::DeleteAllItems() { return SendMessage(LVM_DELETEALLITEMS) != 0; }
int CListCtrl::GetItemCount() const { return static_cast<int>(SendMessage(LVM_GETITEMCOUNT)); }
BOOL CListCtrl::SetItemData(int item, DWORD_PTR data) {
  LVITEMA lv = {};
  lv.mask = LVIF_PARAM;
  lv.iItem = item;
  lv.lParam = static_cast<LPARAM>(data);
  return SendMessage(LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&lv)) != 0;
}
DWORD_PTR CListCtrl::GetItemData(int item) const {
  LVITEMA lv = {};
  lv.mask = LVIF_PARAM;
  lv.iItem = item;
  return SendMessage(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&lv)) ? static_cast<DWORD_PTR>(lv.lParam) : 0;
}
BOOL CListCtrl::SetItemState(int item, UINT state, UINT mask) {
  LVITEMA lv = {};
  lv.state = state;
  lv.stateMask = mask;
  return SendMessage(LVM_SETITEMSTATE, item, reinterpret_cast<LPARAM>(&lv)) != 0;
}
UINT CListCtrl::GetItemState(int item, UINT mask) const {
  return static_cast<UINT>(SendMessage(LVM_GETITEMSTATE, item, mask));
}
int CListCtrl::GetNextItem(int start, UINT flags) const {
  return static_cast<int>(SendMessage(LVM_GETNEXTITEM, start, MAKELPARAM(flags, 0)));
}
int CListCtrl::GetSelectedItem() const { return GetNextItem(-1, LVNI_SELECTED); }
BOOL CListCtrl::EnsureVisible(int item, BOOL partialOk) {
  return SendMessage(LVM_ENSUREVISIBLE, item, partialOk) != 0;
}
BOOL CListCtrl::GetItemRect(int item, RECT* rect, UINT code) const {
  rect->left = static_cast<LONG>(code);
  return SendMessage(LVM_GETITEMRECT, item, reinterpret_cast<LPARAM>(rect)) != 0;
}
int CListCtrl::HitTest(POINT pt, UINT* flags) const {
  LVHITTESTINFO info = {};
  info.pt = pt;
  int item = static_cast<int>(SendMessage(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
  if (flags) *flags = info.flags;
  return item;
}
