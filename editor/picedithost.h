// CPicEditHost: one editing window of the class "QELPICEDIT" together with
// its own reference to QelCtrl.dll, which registers that class. The library
// is loaded by name when the host is made (every picture view holds one
// reference) and freed only after the window is gone. The host is a plain
// holder of the child's handle: the window's messages are the library's
// own, and the host only sends it the protocol's messages.
#pragma once
#include <windows.h>

#include "modulehandle.h"

class CPicEditHost {
 public:
  CPicEditHost();
  ~CPicEditHost();
  CPicEditHost(const CPicEditHost&) = delete;
  CPicEditHost& operator=(const CPicEditHost&) = delete;

  // Creates the visible child (clipping its children) with that control id;
  // FALSE when the class is not registered.
  BOOL Create(HWND parent, UINT id);
  void Destroy();
  HWND GetSafeHwnd() const { return m_hWnd; }
  bool IsLibraryLoaded() const { return m_library.IsLoaded(); }

  // 0 while there is no window.
  LRESULT Send(UINT msg, WPARAM wp = 0, LPARAM lp = 0) const;
  LRESULT SendText(UINT msg, const char* text) const { return Send(msg, 0, reinterpret_cast<LPARAM>(text)); }
  // QCM_QUERY with the code; 0 while there is no window.
  LRESULT Query(int code) const;

 private:
  CModuleHandle m_library;  // freed after the window (members go after the destructor body)
  HWND m_hWnd = nullptr;
};
