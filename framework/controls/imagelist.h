// CImageList: the owner of one image list of the platform.
//
// The list is destroyed with its owner; a control given the handle only
// borrows it (list views with LVS_SHAREIMAGELISTS, trees, tabs, toolbars), so
// the owner must outlive the control's use of it.
#pragma once
#include <windows.h>

#include <commctrl.h>

class CImageList {
 public:
  CImageList() = default;
  ~CImageList() { DeleteImageList(); }
  CImageList(const CImageList&) = delete;
  CImageList& operator=(const CImageList&) = delete;

  // flags: ILC_COLOR24 | ILC_MASK and the like.
  BOOL Create(int cx, int cy, UINT flags, int initial, int grow);
  // From a bitmap resource of this module cut into images cx pixels wide;
  // pixels of the mask colour are transparent.
  BOOL CreateFromBitmap(UINT bitmapId, int cx, int grow, COLORREF mask);
  BOOL DeleteImageList();

  // Adds the images of a bitmap, pixels of the mask colour transparent; the
  // index of the first, -1 on failure. The bitmap stays the caller's.
  int Add(HBITMAP bitmap, COLORREF mask);
  // Adds a bitmap with its own mask bitmap.
  int Add(HBITMAP bitmap, HBITMAP mask);
  int Add(HICON icon);
  int GetImageCount() const;
  BOOL GetIconSize(int* cx, int* cy) const;
  COLORREF SetBkColor(COLORREF colour);
  // style: ILD_NORMAL, ILD_TRANSPARENT, ...
  BOOL Draw(HDC dc, int index, int x, int y, UINT style) const;

  HIMAGELIST GetSafeHandle() const { return m_list; }
  operator HIMAGELIST() const { return m_list; }
  BOOL Attach(HIMAGELIST list);
  HIMAGELIST Detach();

 private:
  HIMAGELIST m_list = nullptr;
};
