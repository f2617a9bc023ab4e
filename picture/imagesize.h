// The pixel size an image file states in its header, read before anything
// is decoded, so that a small file claiming a huge image (a few kilobytes of
// PNG can state 20,000 x 20,000 pixels) is refused before it is unpacked.
#pragma once

#include <windows.h>

#include <cstddef>

// The most pixels an image object decodes and draws: a 6,000 x 4,000 photo
// fits, and it takes 128 MB decoded. The platform converts the whole image
// again at every drawing, so a larger one would hold every repaint.
constexpr double kMaxImagePixels = 32.0 * 1024 * 1024;

// Width and height stated by a PNG, BMP, GIF or JPEG header; false for any
// other or a header too short to say.
bool ReadStatedImageSize(const BYTE* bytes, size_t length, SIZE* pSize);

// Whether an image of w x h pixels is within kMaxImagePixels.
inline bool IsDrawableImageSize(double w, double h) { return w * h <= kMaxImagePixels; }
