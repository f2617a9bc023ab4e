// Fonts for windows. The owners of GDI handles (CFont and friends) live with
// framework/gdiwrap.h; the window layer only needs to read the
// platform's defaults, which are never spelt out in code or tests.
#pragma once
#include <windows.h>

// The platform's default GUI font as a LOGFONTA, read at run time.
BOOL QelGetDefaultGuiFont(LOGFONTA* lf);
