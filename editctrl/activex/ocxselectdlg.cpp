#include "ocxselectdlg.h"

// The dialog stands on the framework's dialogs, which are not part of the
// layer yet: until then nothing can be chosen.
bool SelectOcxControl(HWND, CLSID*) { return false; }
