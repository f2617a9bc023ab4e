#include "tablists.h"

void FitListColumns(CListCtrl& list, int width) {
  list.SetColumnWidth(0, kNameColumnWidth);
  list.SetColumnWidth(1, width > kValueColumnReserve ? width - kValueColumnReserve : 0);
}

int InsertImageRow(CListCtrl& list, const char* text, int image) {
  LVITEMA item = {};
  item.mask = LVIF_TEXT | LVIF_IMAGE;
  item.iItem = list.GetItemCount();
  item.pszText = const_cast<char*>(text ? text : "");
  item.iImage = image < 0 ? I_IMAGENONE : image;
  return static_cast<int>(list.SendMessage(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

int RowImage(const CListCtrl& list, int row) {
  LVITEMA item = {};
  item.mask = LVIF_IMAGE;
  item.iItem = row;
  if (!list.SendMessage(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return -1;
  return item.iImage < 0 ? -1 : item.iImage;
}
