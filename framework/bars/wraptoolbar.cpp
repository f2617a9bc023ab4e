#include "wraptoolbar.h"

IMPLEMENT_DYNAMIC(CWrapToolBar, CToolBar)

namespace {
const int kImageSize = 16;
const int kGrow = 8;
}  // namespace

BOOL CWrapToolBar::SetImages(UINT normalBitmap, UINT hotBitmap, UINT disabledBitmap, COLORREF transparent) {
  const UINT ids[3] = {normalBitmap, hotBitmap, disabledBitmap};
  for (int i = 0; i < 3; ++i)
    if (!m_images[i].CreateFromBitmap(ids[i], kImageSize, kGrow, transparent)) return FALSE;
  SetImageLists(m_images[kNormal], m_images[kHot], m_images[kDisabled]);
  return TRUE;
}

int CWrapToolBar::ImageOf(UINT id) const {
  int index = CommandToIndex(id);
  return index < 0 ? -1 : GetButtonImage(index);
}
