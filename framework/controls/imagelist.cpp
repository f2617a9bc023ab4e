#include "controls/imagelist.h"

#include "controls/commoncontrols.h"
#include "wndmodule.h"

BOOL CImageList::Create(int cx, int cy, UINT flags, int initial, int grow) {
  QelInitCommonControls();
  return Attach(ImageList_Create(cx, cy, flags, initial, grow));
}

BOOL CImageList::CreateFromBitmap(UINT bitmapId, int cx, int grow, COLORREF mask) {
  QelInitCommonControls();
  return Attach(ImageList_LoadImageA(QelGetResourceHandle(), MAKEINTRESOURCEA(bitmapId), cx, grow, mask,
                                     IMAGE_BITMAP, LR_CREATEDIBSECTION));
}

BOOL CImageList::DeleteImageList() {
  HIMAGELIST list = Detach();
  return list ? ImageList_Destroy(list) : FALSE;
}

int CImageList::Add(HBITMAP bitmap, COLORREF mask) { return ImageList_AddMasked(m_list, bitmap, mask); }
int CImageList::Add(HBITMAP bitmap, HBITMAP mask) { return ImageList_Add(m_list, bitmap, mask); }
int CImageList::Add(HICON icon) { return ImageList_AddIcon(m_list, icon); }
int CImageList::GetImageCount() const { return m_list ? ImageList_GetImageCount(m_list) : 0; }
BOOL CImageList::GetIconSize(int* cx, int* cy) const { return ImageList_GetIconSize(m_list, cx, cy); }
COLORREF CImageList::SetBkColor(COLORREF colour) { return ImageList_SetBkColor(m_list, colour); }
BOOL CImageList::Draw(HDC dc, int index, int x, int y, UINT style) const {
  return ImageList_Draw(m_list, index, dc, x, y, style);
}

BOOL CImageList::Attach(HIMAGELIST list) {
  if (!list) return FALSE;
  DeleteImageList();
  m_list = list;
  return TRUE;
}

HIMAGELIST CImageList::Detach() {
  HIMAGELIST list = m_list;
  m_list = nullptr;
  return list;
}
