// What a drawing asked the platform for: the drawing is recorded into an
// enhanced metafile, whose records keep the arguments of every call as they
// were given (the pen widths, the fonts, the points), and the records are
// read back. Tests assert on this work rather than on time.
#pragma once
#include <windows.h>

#include <functional>
#include <vector>

namespace qeltest {

struct GdiRecording {
  std::vector<LONG> penWidths;  // every pen created, cosmetic or geometric
  std::vector<LOGFONTW> fonts;  // every font created
  int setPixels = 0;            // SetPixel calls
  int patternFills = 0;         // PatBlt calls (the dotted runs of the trackers' frames)
  long long copiedPixels = 0;   // pixels that those fills and block copies cover
  int shapes = 0;               // polygons, poly-lines, lines, rectangles, ellipses
  int strokes = 0;              // of those the poly-lines and lines
  int texts = 0;                // text outputs
  LONG maxCoord = 0;            // largest |coordinate| of any point handed over
  LONG maxStrokeCoord = 0;      // the same of the poly-lines and lines
  int records = 0;

  LONG WidestPen() const;
  LONG TallestFont() const;  // largest |height| of the fonts created
  LONG WidestFont() const;   // largest |width| of the fonts created
};

// Records what draw does on a metafile device context whose clip box is
// (0, 0, width, height).
GdiRecording RecordGdi(int width, int height, const std::function<void(HDC)>& draw);

}  // namespace qeltest
