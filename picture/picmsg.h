// Window messages that the picture model itself sends.
#pragma once

#include <windows.h>

// One block of compiler output text (wParam 1, lParam the text) to the output window.
#define QCN_OUTPUTTEXT 0x4DC
