// CRuntimeHost: the runtime picture window ("QELPICVIEW") of the runtime
// library QelRun.dll, which the viewer loads by file name and speaks to
// through window messages only.
//
// Constructing the host loads the library; destroying it destroys the window
// and then frees the library. Without the library (or without the window)
// every message is skipped.
#pragma once
#include "picwindowhost.h"

class CRuntimeHost : public CPicWindowHost {
 public:
  static const char kLibraryName[];  // "QelRun.dll"
  static const char kWindowClass[];  // "QELPICVIEW"

  CRuntimeHost() : CPicWindowHost(kLibraryName, kWindowClass) {}

  // QCM_LOADPICDATA with {local-tag table, host table, bytes, count}; the
  // window reads the picture during the call. 0 when there is no window.
  LRESULT SendLoadPicData(const LocalTagCallbackBlock& local, const HostCallbackBlock& host,
                          const void* bytes, DWORD count) const;
  void Move(int cx, int cy) const;
};
