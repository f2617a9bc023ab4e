// Sampex's property sheet (QPM_SHOWPAGES): one tag query page, CPageQueryTag
// on dialog 6000, whose tag list asks the picture window for tags.
#pragma once
#include <windows.h>

#include "qstring.h"

// The answers of QPM_SHOWPAGES.
enum : int { kSheetOk = 0, kSheetNotOk = 1 };

// The sheet's title: the host's prefix followed by " 插件属性页".
CString SampexSheetTitle(const char* pszPrefix);

// Shows the sheet titled pszTitle modally, owned by the plug-in window
// hOwner, its page querying hPicture (null: the page queries nothing);
// kSheetOk when it was closed with OK, else kSheetNotOk.
//
// Only hOwner's top-level window is disabled while the sheet runs, and only
// when it was enabled; it alone is enabled again afterwards, so a plug-in
// window that the editor keeps disabled stays disabled.
int ShowPropertySheet(HWND hOwner, HWND hPicture, const char* pszTitle);
