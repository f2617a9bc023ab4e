// The clipboard: opened for one window for the life of a scope, and a copy of
// what it holds in one format.
#pragma once
#include <windows.h>

#include <cstddef>
#include <vector>

class CClipboardScope {
 public:
  explicit CClipboardScope(HWND owner) : m_open(::OpenClipboard(owner) != FALSE) {}
  ~CClipboardScope() {
    if (m_open) ::CloseClipboard();
  }
  CClipboardScope(const CClipboardScope&) = delete;
  CClipboardScope& operator=(const CClipboardScope&) = delete;
  bool IsOpen() const { return m_open; }

 private:
  bool m_open;
};

// A copy of the clipboard's data in `format`, at most maxBytes of it; empty
// when there is none or the clipboard cannot be opened.
std::vector<BYTE> TakeClipboardData(HWND owner, UINT format, size_t maxBytes = static_cast<size_t>(-1));
