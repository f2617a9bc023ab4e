#include "tickscope.h"

namespace {
// The innermost scope open on this thread; each links to the one around it.
thread_local CTickScope* t_innermost = nullptr;
}  // namespace

CTickScope::CTickScope(HWND hWnd, CTickRepaint& repaint, Answerer& answerer)
    : m_hWnd(hWnd), m_repaint(repaint), m_answerer(answerer), m_outer(t_innermost) {
  t_innermost = this;
}

CTickScope::~CTickScope() { t_innermost = m_outer; }

CTickScope* CTickScope::Of(HWND hWnd) {
  if (!hWnd) return nullptr;
  for (CTickScope* scope = t_innermost; scope; scope = scope->m_outer)
    if (scope->m_hWnd == hWnd) return scope;
  return nullptr;
}
