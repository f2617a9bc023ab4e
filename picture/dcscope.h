// A scope that a paint opens on one DC for its length, on this thread:
// scopes nest, and Innermost(hdc) finds the innermost one open on hdc.
// CKnownClipBox and CFramePaint are such scopes.
//
//   class CMyScope : public CDcScope<CMyScope> { ... };
#pragma once
#include <windows.h>

template <class Scope>
class CDcScope {
 public:
  CDcScope(const CDcScope&) = delete;
  CDcScope& operator=(const CDcScope&) = delete;

  // The innermost scope open on hdc on this thread; null when none is.
  static Scope* Innermost(HDC hdc) {
    for (CDcScope* scope = t_innermost; scope; scope = scope->m_outer)
      if (scope->m_hDC == hdc) return static_cast<Scope*>(scope);
    return nullptr;
  }

 protected:
  explicit CDcScope(HDC hdc) : m_hDC(hdc), m_outer(t_innermost) { t_innermost = this; }
  ~CDcScope() { t_innermost = m_outer; }

 private:
  HDC m_hDC;
  CDcScope* m_outer;  // the scope around this one
  static thread_local CDcScope* t_innermost;
};

template <class Scope>
thread_local CDcScope<Scope>* CDcScope<Scope>::t_innermost = nullptr;
