// The tracking marks of the bars' mouse moves: a rectangle of the screen
// inverted through the halftone pattern. Drawn twice, a mark is gone again.
#pragma once
#include <windows.h>

void QelInvertTrackingRect(const RECT& screenRect);
