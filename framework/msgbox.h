// Message boxes with GBK texts.
#pragma once
#include <windows.h>

// Shows a message box owned by owner's top-level window (owner nullptr: the
// active window of this thread). title nullptr takes the caption of that
// top-level window, or the application's name when it has none. Returns the
// button pressed (IDOK...), 0 when the box could not be shown.
int QelMessageBox(HWND owner, const char* text, const char* title, UINT type);
