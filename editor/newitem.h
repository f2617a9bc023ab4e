// The dialog of a new picture or folder (dialog 137): its title and label
// say which; it shows the folder it goes into and takes a name of at most
// 24 characters. TRUE with the name when the engineer confirmed.
#pragma once
#include <windows.h>

#include "qstring.h"

BOOL AskNewItemName(HWND owner, bool picture, const CString& folder, CString* name);
