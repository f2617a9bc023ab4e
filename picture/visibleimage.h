// An image whose destination spans more than any valid picture reaches on
// the device (a damaged object's corners, saturated at kCoordLimit) is drawn
// only where it shows.
//
// The platform resamples every destination pixel it draws, some 0.5 us each
// under Wine: an image stretched over the whole screen takes a second. A
// valid picture pays that once (the paint cache keeps what it drew); a
// damaged one, whose destination no cache can hold, would pay it at every
// paint. Such an image is resampled onto a raster of the visible part at a
// coarse resolution (kVisibleImagePixels) and that raster is stretched onto
// the DC, which shows the image at a fraction of the cost.
#pragma once

#include <windows.h>

#include "gdiplusapi.h"

// The most pixels the coarse raster of a visible part holds.
constexpr int kVisibleImagePixels = 4096;

// Whether the parallelogram of the upper-left, upper-right and lower-left
// corners spans more than any valid picture reaches (IsBeyondValidExtent).
bool IsBeyondValidImageExtent(const Gdiplus::GpPointF corners[3]);

// Draws the image onto the parallelogram, only in the DC's clip box, through
// a coarse raster of what shows there.
void DrawVisibleImagePart(HDC hdc, Gdiplus::GpImage* image, const Gdiplus::GpPointF corners[3]);
