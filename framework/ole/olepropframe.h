// The property frame of hosted controls: a modal property sheet owned by the
// given window, at (0, 0), with the caption, one page per page class of the
// control, each page given the object and a page site of the frame.
//
// The system uses its own frame rather than the platform's, so that it
// behaves alike on every platform.
#pragma once
#include <windows.h>
#include <ocidl.h>

// S_OK when the frame was shown and closed (with OK or Cancel: pages apply
// their changes themselves); a failure when it could not be shown.
HRESULT QelShowPropertyFrame(HWND owner, const char* caption, IUnknown* object, const CAUUID& pages,
                             LCID locale);
