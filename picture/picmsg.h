// Window messages that the picture model itself sends.
#pragma once

#include <windows.h>

// One block of compiler output text (wParam 1, lParam the text) to the output window.
#define QCN_OUTPUTTEXT 0x4DC

// To a plug-in object's window: show the plug-in's property pages (wParam 0,
// lParam the zero-terminated title prefix); 0 when they were closed with OK.
#define QPM_SHOWPAGES 0xB05
