// Resources of this module: dialog templates, strings and bitmaps.
//
// Every program and DLL links its own copy of the layer, so these read the
// resource handle of the module they are compiled into (wndmodule.h): a DLL's
// dialogs, strings and bitmaps come from the DLL, never from the program that
// loaded it.
#pragma once
#include <windows.h>

#include "gdiwrap.h"
#include "qstring.h"

// The dialog template with that id, or nullptr when the module has none. The
// template stays valid while the module is loaded.
const DLGTEMPLATE* QelFindDialogTemplate(UINT id);

// The string resource with that id; empty when there is none.
CString QelLoadStringText(UINT id);

// Loads the bitmap resource with that id as a DIB section into bitmap (which
// gives up what it held); FALSE when there is none.
BOOL QelLoadBitmap(CBitmap& bitmap, UINT id);
