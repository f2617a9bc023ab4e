// Fonts of the text objects: the default of a new text object and the
// zoomed font that drawing and measuring use.
#pragma once

#include <windows.h>

#include "gdiwrap.h"

// The default GUI font with width 0 and a cell height of its height (taken
// as a positive number) plus 2.
LOGFONTA DefaultTextFont();

// The largest font cell drawing asks the platform for, in device pixels:
// four times a 256-pixel title at the editor's largest zoom (400%). A stored
// height or width of 2^31 would have the font engine render glyphs for
// minutes.
constexpr LONG kMaxFontPixels = 1024;

// A font height or width in device pixels, truncated toward zero and held to
// +-kMaxFontPixels; the sign stays (a height's sign chooses between cell and
// character height). A NaN gives 0, the platform's default.
LONG BoundedFontSize(double size);

// The font as drawing hands it to the platform: height and width bounded,
// weight held to the platform's 0 .. 1000, face name terminated within its
// 32 bytes (a face read from a file need not end there).
LOGFONTA BoundedFont(const LOGFONTA& lf);

// Creates the font with its height multiplied by the zoom and truncated,
// bounded as BoundedFont.
bool CreateZoomedFont(CFont& font, const LOGFONTA& lf, double dZoom);
