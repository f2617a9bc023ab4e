#include "knownclip.h"

namespace {
// The innermost scope open on this thread; each links to the one around it.
thread_local CKnownClipBox* t_innermost = nullptr;
}  // namespace

CKnownClipBox::CKnownClipBox(HDC hdc, const RECT& box) : m_hDC(hdc), m_box(box), m_outer(t_innermost) {
  t_innermost = this;
}

CKnownClipBox::~CKnownClipBox() { t_innermost = m_outer; }

const RECT* CKnownClipBox::Of(HDC hdc) {
  for (const CKnownClipBox* scope = t_innermost; scope; scope = scope->m_outer)
    if (scope->m_hDC == hdc) return &scope->m_box;
  return nullptr;
}
