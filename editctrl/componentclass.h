// The window classes of the shared list and colour components: registered
// by the module that the component is compiled into, once, with the arrow
// cursor; a DLL unregisters them with its other classes when it is unloaded.
#pragma once
#include <windows.h>

#include "wndclass.h"
#include "wndmodule.h"

// Registers the class unless this module has it already; returns its name.
inline const char* ComponentClass(const char* name, UINT style, HBRUSH background) {
  WNDCLASSA existing;
  if (!::GetClassInfoA(QelGetInstanceHandle(), name, &existing))
    QelRegisterCreatingClass(name, style, background, ::LoadCursorA(nullptr, IDC_ARROW), ::DefWindowProcA);
  return name;
}
