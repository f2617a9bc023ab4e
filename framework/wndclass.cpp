#include "wndclass.h"

#include <algorithm>

#include "wndmodule.h"

ATOM QelRegisterCreatingClass(const char* name, UINT style, HBRUSH background, HCURSOR cursor, WNDPROC proc) {
  WNDCLASSA wc = {};
  wc.style = style;
  wc.lpfnWndProc = proc;
  wc.hInstance = QelGetInstanceHandle();
  wc.hCursor = cursor;
  wc.hbrBackground = background;
  wc.lpszClassName = name;
  ATOM atom = ::RegisterClassA(&wc);
  if (atom) QelGetModuleState().ownClasses.push_back(atom);
  return atom;
}

void QelUnregisterOwnClasses() {
  QelModuleState& state = QelGetModuleState();
  for (ATOM atom : state.ownClasses)
    ::UnregisterClassA(reinterpret_cast<const char*>(static_cast<UINT_PTR>(atom)), state.hInstance);
  state.ownClasses.clear();
}
