// Names that the engineer types for new projects, pictures and folders
// become file and folder names: a name is refused when it holds a path
// separator or any of \ / : * ? " < > |, a control character, "..", or is a
// device name of the platform (CON, PRN, AUX, NUL, COM1 to COM9, LPT1 to
// LPT9, also followed by an extension), or ends in a dot or a blank.
#pragma once
#include <windows.h>

#include "qstring.h"

bool IsUsableItemName(const char* name);
// Whether the name is one of those device names (its part before the first
// dot, blanks at its end ignored, in any case).
bool IsDeviceName(const char* name);
// The first folder or file name of the path that is a device name, empty
// when none is. The platform opens a path ending in one as the device (a
// serial port or the console, which may never answer) wherever it stands, so
// no project may live under such a folder or be such a file.
CString DeviceNameInPath(const char* path);

// Trims the typed name; FALSE, after telling why in a message box owned by
// owner, when it is empty (emptyText, emptyTitle) or no usable name.
bool AcceptItemName(HWND owner, CString& name, const char* emptyText, const char* emptyTitle);
