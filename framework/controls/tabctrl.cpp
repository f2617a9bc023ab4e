#include "controls/tabctrl.h"

#include "controls/commoncontrols.h"

IMPLEMENT_DYNAMIC(CTabCtrl, CWnd)

BOOL CTabCtrl::Create(DWORD style, const RECT& rect, HWND parent, UINT id) {
  return QelCreateControl(*this, WC_TABCONTROLA, 0, style, rect, parent, id);
}

int CTabCtrl::InsertItem(int index, const char* text, int image) {
  TCITEMA item = {};
  item.mask = TCIF_TEXT | (image >= 0 ? TCIF_IMAGE : 0);
  item.pszText = const_cast<char*>(text ? text : "");
  item.iImage = image;
  return static_cast<int>(SendMessage(TCM_INSERTITEMA, index, reinterpret_cast<LPARAM>(&item)));
}
BOOL CTabCtrl::DeleteAllItems() { return SendMessage(TCM_DELETEALLITEMS) != 0; }
int CTabCtrl::GetItemCount() const { return static_cast<int>(SendMessage(TCM_GETITEMCOUNT)); }
int CTabCtrl::GetCurSel() const { return static_cast<int>(SendMessage(TCM_GETCURSEL)); }
int CTabCtrl::SetCurSel(int index) { return static_cast<int>(SendMessage(TCM_SETCURSEL, index)); }
CString CTabCtrl::GetItemText(int index) const {
  char buf[256] = "";
  TCITEMA item = {};
  item.mask = TCIF_TEXT;
  item.pszText = buf;
  item.cchTextMax = sizeof buf;
  if (!SendMessage(TCM_GETITEMA, index, reinterpret_cast<LPARAM>(&item))) return CString();
  return CString(item.pszText);
}
HIMAGELIST CTabCtrl::SetImageList(HIMAGELIST images) {
  return reinterpret_cast<HIMAGELIST>(SendMessage(TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images)));
}
void CTabCtrl::SetItemSize(int cx, int cy) { SendMessage(TCM_SETITEMSIZE, 0, MAKELPARAM(cx, cy)); }
BOOL CTabCtrl::GetItemRect(int index, RECT* rect) const {
  return SendMessage(TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(rect)) != 0;
}
void CTabCtrl::AdjustRect(BOOL larger, RECT* rect) const {
  SendMessage(TCM_ADJUSTRECT, larger, reinterpret_cast<LPARAM>(rect));
}
