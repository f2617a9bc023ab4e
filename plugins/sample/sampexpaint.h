// How a Sampex control looks: its back colour, a 3D frame round the client
// area, and a fixed text in its font. Painting goes through a memory drawing
// surface that is copied to the output at the end.
#pragma once
#include <windows.h>

#include "gdiwrap.h"

// What the face is drawn with; the control keeps these.
struct SampexFace {
  COLORREF back;  // initially the system button-face colour
  LOGFONTA font;  // initially the platform's default GUI font
  UINT format;    // DrawText flags
};

// The text every Sampex control shows.
extern const char kSampexText[];
// DT_CENTER | DT_VCENTER | DT_SINGLELINE.
constexpr UINT kSampexTextFormat = 37;

// The face of a new control, from the platform's current settings.
SampexFace DefaultSampexFace();

// Paints the part of the output's clip box that needs it; client is the
// control's client rectangle.
void PaintSampexFace(CDC* pOutput, const RECT& client, const SampexFace& face);
