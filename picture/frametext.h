// Text drawn inside a rotatable rectangle's own frame, so that it turns,
// stretches and mirrors with the corners.
#pragma once

#include <windows.h>

#include "rectpaint.h"

// How far the text stays inside the frame on each side, in device pixels.
struct FrameInset {
    int left, top, right, bottom;
};

// Draws the text with DrawText and the flags into the frame rectangle
// (0, 0, W, H) shrunk by the inset: zoomed font, transparent background,
// clipped to that rectangle. The DC comes back as it was.
void DrawTextInFrame(HDC hdc, const DeviceFrame& frame, const FrameInset& inset,
                     const char* pszText, const LOGFONTA& font, double dZoom, COLORREF clrText,
                     UINT nFlags);
