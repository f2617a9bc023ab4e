// The common controls and the rich edit control of the platform, made ready
// once per process before the first window of their classes is created.
#pragma once
#include <windows.h>

#include "wnd.h"

// Registers every common-control class the system uses (list view, tree view,
// tab, up-down, IP address, toolbar, tooltips, progress and status bars);
// repeated calls cost nothing. FALSE when the platform refuses.
BOOL QelInitCommonControls();

// Loads the rich edit 2.0 library ("RichEdit20A") once; FALSE when it is missing.
BOOL QelLoadRichEdit();

// Creates a control of a system class as a child window attached to wnd,
// after making its class ready.
BOOL QelCreateControl(CWnd& wnd, const char* className, DWORD exStyle, DWORD style, const RECT& rect,
                      HWND parent, UINT id);

// A text argument of a control message; nullptr stands for the empty text.
inline LPARAM QelTextParam(const char* text) { return reinterpret_cast<LPARAM>(text ? text : ""); }

// A text the control answers by index: lengthMsg gives its length (or a
// negative error), textMsg copies it into a buffer (LB_GETTEXT, CB_GETLBTEXT).
CString QelGetIndexedText(HWND control, UINT lengthMsg, UINT textMsg, int index);
