// The dotted frame that the trackers draw around their objects (every
// selected object, groups and controls): alternating black and white pixels,
// so it shows on any background.
#pragma once

#include <windows.h>

#include "gdiwrap.h"

// Along the rows y = top and y = bottom - 1, pixel x black and x + 1 white for
// x = left, left + 2, ... while x < right - 2; the columns likewise.
void DrawTrackerFrame(CDC* pDC, const RECT& r);
// Those frames one after another.
void DrawTrackerFrames(CDC* pDC, const RECT* frames, int count);
// The two frames the trackers draw around an object: outer, then outer
// shrunk by a pixel on every side.
void DrawTrackerFramePair(CDC* pDC, const RECT& outer);
