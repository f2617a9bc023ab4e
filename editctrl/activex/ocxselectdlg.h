// The ActiveX control picker: a modal dialog that lists the registered
// controls by their names and gives the chosen class identifier.
#pragma once
#include <windows.h>

// True, with the chosen class in *chosen, when the engineer chose a control
// with OK; false when the dialog was cancelled.
bool SelectOcxControl(HWND owner, CLSID* chosen);
