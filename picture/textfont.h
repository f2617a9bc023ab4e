// Fonts of the text objects: the default of a new text object and the
// zoomed font that drawing and measuring use.
#pragma once

#include <windows.h>

#include "gdiwrap.h"

// The default GUI font with width 0 and a cell height of its height (taken
// as a positive number) plus 2.
LOGFONTA DefaultTextFont();

// Creates the font with its height multiplied by the zoom and truncated.
bool CreateZoomedFont(CFont& font, const LOGFONTA& lf, double dZoom);
