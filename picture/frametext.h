// Text drawn inside a rotatable rectangle's own frame, so that it turns,
// stretches and mirrors with the corners.
#pragma once

#include <windows.h>

#include "rectpaint.h"

// How far the text stays inside the frame on each side, in device pixels.
struct FrameInset {
  int left, top, right, bottom;
};

// The part of the frame, in the frame's own pixels, that can show through a
// clip box of the DC: the clip box taken into the frame (its bounding box
// there), grown by a pixel for the sampling at its edges and cut to
// (0, 0, W, H). Empty when no part of the frame shows. A turned text is laid
// out in a bitmap of just this part, so its memory follows what is visible,
// not the size of the frame.
RECT VisibleFramePart(const DeviceFrame& frame, const RECT& clip);

// Draws the text with DrawText and the flags into the frame rectangle
// (0, 0, W, H) shrunk by the inset: zoomed font, transparent background,
// clipped to that rectangle. The DC comes back as it was.
void DrawTextInFrame(HDC hdc, const DeviceFrame& frame, const FrameInset& inset, const char* pszText,
                     const LOGFONTA& font, double dZoom, COLORREF clrText, UINT nFlags);
