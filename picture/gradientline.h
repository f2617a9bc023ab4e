// Upright gradients filled through one line of them.
//
// GDI+ gives every pixel of an upright linear gradient (one running across
// or downwards) the colour of its column, or of its row, but works its way
// through every pixel it fills: through the whole painted area for a shape
// that covers it. GDI+ filling one line of the gradient, at the same device
// pixels, on a surface one pixel thick, and a copy of that line stretched
// over the fill's visible part give the same pixels.
#pragma once

#include <windows.h>

#include <functional>

// Fills what the DC's clip lets show of `area` (logical units of the DC),
// within the device region `shape` when one is given, with the gradient
// that fillLine draws on the DC it is handed: it draws at the gradient's own
// place in the logical units of hdc, covering `area`, and only the first
// row (bAcross) or column of the visible part lands on that DC's surface.
// False, with nothing drawn, where this does not apply: a DC that is not a
// 32-bit memory DC mapped by a translation only.
bool FillThroughGradientLine(HDC hdc, const RECT& area, bool bAcross, HRGN shape,
                             const std::function<void(HDC)>& fillLine);
