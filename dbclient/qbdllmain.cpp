// Entry point of qel3api.dll: sockets start when the library loads.
#include <windows.h>

#include "qbstartup.h"

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  switch (reason) {
    case DLL_PROCESS_ATTACH: return QbStartSockets(QbWinsockStartup, QbShowStartupFailure) ? TRUE : FALSE;
    case DLL_PROCESS_DETACH: QbWinsockCleanup(); break;
  }
  return TRUE;
}
