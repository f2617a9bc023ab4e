// The clip box of a DC as a paint of many objects knows it, so that each
// object's test whether it meets the painted area (CDrawObj::MeetsClip)
// asks the platform nothing.
//
// Asking the DC for its clip box costs some 0.6 us under Wine; a picture of
// a thousand objects asked it a thousand times per repaint. The runtime
// window's surface clips its DC to the painted area and says so here for
// the length of the paint. Drawings only narrow the clip inside that (and
// restore it), so the box stays around everything that can show: an object
// it meets but a narrower clip would have skipped is cut by the platform,
// and the pixels are the same.
//
//   CKnownClipBox known(hdc, area);
//   ... objects draw on hdc ...
//
// Scopes belong to the thread that opens them and nest (CDcScope).
#pragma once
#include <windows.h>

#include "dcscope.h"

class CKnownClipBox : public CDcScope<CKnownClipBox> {
 public:
  CKnownClipBox(HDC hdc, const RECT& box) : CDcScope(hdc), m_box(box) {}

  // The box known for hdc on this thread; null when none is.
  static const RECT* Of(HDC hdc) {
    const CKnownClipBox* scope = Innermost(hdc);
    return scope ? &scope->m_box : nullptr;
  }

 private:
  RECT m_box;
};
