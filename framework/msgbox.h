// Message boxes with GBK texts, and the sound of a refused action.
#pragma once
#include <windows.h>

// Shows a message box owned by owner's top-level window (owner nullptr: the
// active window of this thread). title nullptr takes the caption of that
// top-level window, or the application's name when it has none. Returns the
// button pressed (IDOK...), 0 when the box could not be shown.
int QelMessageBox(HWND owner, const char* text, const char* title, UINT type);

// Every QelMessageBox goes to fn instead while it is set (tests answer the
// boxes of the code they drive); nullptr puts the real box back. Returns the
// previous one. fn receives the arguments as given (title may be nullptr).
using QelMessageBoxFn = int (*)(HWND owner, const char* text, const char* title, UINT type);
QelMessageBoxFn QelSetMessageBoxHook(QelMessageBoxFn fn);

// The sound of an action that was refused (MessageBeep with type, such as
// MB_ICONWARNING): the user hears that nothing was done.
void QelBeep(UINT type);

// Every QelBeep goes to fn instead while it is set (tests hear the refusals
// of the code they drive); nullptr puts the sound back. Returns the previous one.
using QelBeepFn = void (*)(UINT type);
QelBeepFn QelSetBeepHook(QelBeepFn fn);
