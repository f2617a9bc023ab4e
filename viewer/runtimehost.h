// CRuntimeHost: the runtime picture window ("QELPICVIEW") of the runtime
// library QelRun.dll, which the viewer loads by file name and speaks to
// through window messages only.
//
// Constructing the host loads the library; destroying it destroys the window
// and then frees the library. Without the library (or without the window)
// every message is skipped.
#pragma once
#include <windows.h>

struct HostCallbackBlock;
struct LocalTagCallbackBlock;

class CRuntimeHost {
 public:
  static const char kLibraryName[];  // "QelRun.dll"
  static const char kWindowClass[];  // "QELPICVIEW"

  CRuntimeHost();
  ~CRuntimeHost();
  CRuntimeHost(const CRuntimeHost&) = delete;
  CRuntimeHost& operator=(const CRuntimeHost&) = delete;

  // Creates the window: child of parent, visible, clipping its children,
  // empty rectangle, the given control identifier. False when it cannot be
  // made (for instance without the library).
  bool Create(HWND parent, UINT id);
  void Destroy();
  HWND GetHwnd() const { return m_hWnd; }
  bool Exists() const { return m_hWnd && ::IsWindow(m_hWnd); }
  bool LibraryLoaded() const { return m_module != nullptr; }

  void SendHostCallbacks(const HostCallbackBlock& host);
  void SendLocalCallbacks(const LocalTagCallbackBlock& local);
  // QCM_LOADPICDATA with {local-tag table, host table, bytes, count}; the
  // window reads the picture during the call. 0 when there is no window.
  LRESULT SendLoadPicData(const LocalTagCallbackBlock& local, const HostCallbackBlock& host,
                          const void* bytes, DWORD count);
  void Move(int cx, int cy);

 private:
  HMODULE m_module = nullptr;
  HWND m_hWnd = nullptr;
};
