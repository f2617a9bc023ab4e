// The window classes of the application layer's windows (frames, views,
// bars), registered on first use with this module's instance; the windows'
// objects do the rest.
#pragma once
#include <windows.h>

// The class named prefix + icon id, with that default procedure (the one the
// frame's object passes unhandled messages to), the icon of that id from the
// module's resources (the platform's application icon when there is none),
// the arrow cursor and the background brush; nullptr when it cannot be made.
const char* QelFrameClass(const char* prefix, UINT iconId, WNDPROC defaultProc, HBRUSH background);

// A class of that name with the default procedure, the arrow cursor, the
// background brush and the class style; nullptr when it cannot be made.
const char* QelPlainWindowClass(const char* name, UINT style, HBRUSH background);
