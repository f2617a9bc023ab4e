// Where the snap grid's dots land in the window, one axis at a time.
//
// Dot i (1 .. count) of an axis lies at picture coordinate i x step and shows
// at window coordinate (i x step x zoom - origin + 0.5), truncated. Only the
// coordinates inside the area being painted are wanted, each once, so the
// work follows the painted area and not the size of the picture: a picture
// of 62,914,815 x 44,564,480 has tens of millions of dots per axis.
#pragma once

#include <windows.h>

#include <vector>

class CDC;

// The distinct window coordinates in [lo, hi), in ascending order, at which
// the dots 1 .. count of one axis land. Empty when count < 1.
std::vector<int> GridDotCoords(int count, int step, double zoom, int origin, int lo, int hi);

// Sets the pixels of the dots of a picture of width x height inside the
// area, every step picture pixels from (step, step), in the colour; returns
// how many were set.
int DrawGridDots(CDC& dc, const RECT& area, SIZE picture, int step, double zoom, POINT origin,
                 COLORREF colour);
