// CPicWindowHost: one picture window of a library's window class together
// with the host program's own reference to that library, which registers the
// class: the editor's "QELPICEDIT" of QelCtrl.dll, the viewer's "QELPICVIEW"
// of QelRun.dll. The library is loaded by name when the host is made and
// freed only after the window is gone. The host is a plain holder of the
// child's handle: the window's messages are the library's own, and the host
// only sends it the protocol's messages; without the window every message is
// skipped.
#pragma once
#include <windows.h>

#include "modulehandle.h"

struct HostCallbackBlock;
struct LocalTagCallbackBlock;

class CPicWindowHost {
 public:
  CPicWindowHost(const char* library, const char* windowClass);
  ~CPicWindowHost();
  CPicWindowHost(const CPicWindowHost&) = delete;
  CPicWindowHost& operator=(const CPicWindowHost&) = delete;

  // Creates the visible child (clipping its children, empty rectangle) with
  // that control id, in place of one made before; false when the class is
  // not registered (for instance without the library).
  bool Create(HWND parent, UINT id);
  void Destroy();
  HWND GetSafeHwnd() const { return m_hWnd; }
  bool Exists() const { return m_hWnd && ::IsWindow(m_hWnd); }
  bool IsLibraryLoaded() const { return m_library.IsLoaded(); }

  // 0 while there is no window.
  LRESULT Send(UINT msg, WPARAM wp = 0, LPARAM lp = 0) const;
  LRESULT SendText(UINT msg, const char* text) const { return Send(msg, 0, reinterpret_cast<LPARAM>(text)); }
  // QCM_QUERY with the code; 0 while there is no window.
  LRESULT Query(int code) const;
  // The project's two callback tables; the window keeps copies of them.
  void SendCallbacks(const HostCallbackBlock& host, const LocalTagCallbackBlock& local) const;

 private:
  CModuleHandle m_library;  // freed after the window (members go after the destructor body)
  const char* m_windowClass;
  HWND m_hWnd = nullptr;
};
