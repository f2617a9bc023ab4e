// The inverse of a colour: each of red, green and blue taken as 255 minus its
// value (grid dots on the background, new objects on a background of their
// own colour).
#pragma once
#include <windows.h>

inline COLORREF InverseColor(COLORREF c) {
  return RGB(255 - GetRValue(c), 255 - GetGValue(c), 255 - GetBValue(c));
}
