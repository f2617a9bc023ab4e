// The folder of the module (program or library) that this code is linked
// into, with a trailing backslash: the control libraries find their
// "System" files below it and load plug-in libraries from it alone.
#pragma once
#include "qstring.h"

CString GetModuleDir();
