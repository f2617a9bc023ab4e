#include "resources/resload.h"

#include "wndmodule.h"

const DLGTEMPLATE* QelFindDialogTemplate(UINT id) {
  HINSTANCE module = QelGetResourceHandle();
  HRSRC found = ::FindResourceA(module, MAKEINTRESOURCEA(id), RT_DIALOG);
  HGLOBAL loaded = found ? ::LoadResource(module, found) : nullptr;
  return loaded ? static_cast<const DLGTEMPLATE*>(::LockResource(loaded)) : nullptr;
}

CString QelLoadStringText(UINT id) {
  // A string resource holds at most 4,095 characters; GBK needs up to two bytes each.
  char buf[8192];
  int n = QelLoadString(id, buf, sizeof buf);
  return CString(buf, n);
}

BOOL QelLoadBitmap(CBitmap& bitmap, UINT id) {
  HANDLE image =
      ::LoadImageA(QelGetResourceHandle(), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
  bitmap.DeleteObject();
  return image ? bitmap.Attach(image) : FALSE;
}
