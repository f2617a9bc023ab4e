// The viewer's message boxes go through one function, so that a test can
// answer them instead of an operator.
#pragma once
#include <windows.h>

// Shows the box (QelMessageBox: owned by owner's top-level window; a null
// title takes the application's name) and returns the button pressed.
int ViewerMessageBox(HWND owner, const char* text, const char* title, UINT type);

using ViewerMessageBoxFn = int (*)(HWND owner, const char* text, const char* title, UINT type);
// Replaces the box (nullptr puts the real one back); returns the previous one.
ViewerMessageBoxFn SetViewerMessageBox(ViewerMessageBoxFn fn);
