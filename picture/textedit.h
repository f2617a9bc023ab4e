// Editing a text object's text in a dialog (EditObjectText of the single-line
// and the multi-line text). The dialog, a sheet with one text page, belongs
// to the editing control, which installs it once at start-up; without it
// (the runtime library, the model's own tests) nothing opens.
#pragma once
#include <windows.h>

class CDrawObj;

// Shows the text of obj for editing, owned by the window; non-zero when the
// text was written.
using TextEditorFn = int (*)(HWND hOwner, CDrawObj* pObj);

// Installs the editor (null removes it). Not thread-safe: call once at start-up.
void SetTextEditor(TextEditorFn pfnEditor);
// Opens the installed editor for obj; 0 without one.
int EditObjectText(HWND hOwner, CDrawObj* pObj);
