#include "wraptoolbar.h"

#include "wndmodule.h"

IMPLEMENT_DYNAMIC(CWrapToolBar, CToolBar)

namespace {

const int kImageSize = 16;

HIMAGELIST ImagesFromBitmap(UINT id, COLORREF transparent) {
  HBITMAP bitmap = static_cast<HBITMAP>(
      ::LoadImageA(QelGetResourceHandle(), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (!bitmap) return nullptr;
  HIMAGELIST images = ::ImageList_Create(kImageSize, kImageSize, ILC_COLOR24 | ILC_MASK, 0, 8);
  if (images) ::ImageList_AddMasked(images, bitmap, transparent);
  ::DeleteObject(bitmap);
  return images;
}

}  // namespace

CWrapToolBar::~CWrapToolBar() {
  for (HIMAGELIST& images : m_images)
    if (images) ::ImageList_Destroy(images);
}

BOOL CWrapToolBar::SetImages(UINT normalBitmap, UINT hotBitmap, UINT disabledBitmap, COLORREF transparent) {
  const UINT ids[3] = {normalBitmap, hotBitmap, disabledBitmap};
  HIMAGELIST made[3] = {};
  for (int i = 0; i < 3; ++i) made[i] = ImagesFromBitmap(ids[i], transparent);
  if (!made[0] || !made[1] || !made[2]) {
    for (HIMAGELIST images : made)
      if (images) ::ImageList_Destroy(images);
    return FALSE;
  }
  SetImageLists(made[kNormal], made[kHot], made[kDisabled]);
  for (int i = 0; i < 3; ++i) {
    if (m_images[i]) ::ImageList_Destroy(m_images[i]);
    m_images[i] = made[i];
  }
  return TRUE;
}

int CWrapToolBar::ImageOf(UINT id) const {
  int index = CommandToIndex(id);
  return index < 0 ? -1 : GetButtonImage(index);
}
