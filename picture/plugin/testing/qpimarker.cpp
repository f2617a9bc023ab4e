// qpimarker.dll: a library that no picture may make the system load. It lies
// outside the program folder (the "outside" folder below the tests folder)
// and leaves the tests' load marker as soon as its start-up code runs.
#include <windows.h>

#include "testing/loadmarker.h"
#include "qpitest_host.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) loadmarker::Write(qpitest::kMarkerName);
  return TRUE;
}
