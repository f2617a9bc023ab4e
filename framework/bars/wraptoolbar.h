// CWrapToolBar: a toolbar (the editor's) of 16 by 16 pixel, 24-bit images
// in three image lists (normal, hot, disabled), each made from one bitmap
// resource with a transparent colour; docked along a side the buttons wrap
// into one column, floating into rows.
#pragma once
#include <windows.h>

#include "bars/toolbar.h"
#include "controls/imagelist.h"

class CWrapToolBar : public CToolBar {
  DECLARE_DYNAMIC(CWrapToolBar)

 public:
  enum ImageKind { kNormal, kHot, kDisabled };

  // Builds the three image lists from the bitmaps and hands them to the bar;
  // FALSE when a bitmap is missing.
  BOOL SetImages(UINT normalBitmap, UINT hotBitmap, UINT disabledBitmap, COLORREF transparent);
  const CImageList& GetImages(ImageKind kind) const { return m_images[kind]; }
  // The image of the button with that command, or -1.
  int ImageOf(UINT id) const;

 private:
  CImageList m_images[3];
};
