#include "textfont.h"

#include <algorithm>
#include <cstdlib>

LOGFONTA DefaultTextFont() {
  LOGFONTA lf = {};
  ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
  lf.lfHeight = std::abs(lf.lfHeight) + 2;
  lf.lfWidth = 0;
  return lf;
}

LONG BoundedFontSize(double size) {
  if (size >= kMaxFontPixels) return kMaxFontPixels;
  if (size <= -kMaxFontPixels) return -kMaxFontPixels;
  return size == size ? static_cast<LONG>(size) : 0;
}

LOGFONTA BoundedFont(const LOGFONTA& lf) {
  constexpr LONG kHeaviest = 1000;
  LOGFONTA bounded = lf;
  bounded.lfHeight = BoundedFontSize(lf.lfHeight);
  bounded.lfWidth = BoundedFontSize(lf.lfWidth);
  bounded.lfWeight = std::clamp(lf.lfWeight, 0L, kHeaviest);
  bounded.lfFaceName[LF_FACESIZE - 1] = '\0';
  return bounded;
}

bool CreateZoomedFont(CFont& font, const LOGFONTA& lf, double dZoom) {
  LOGFONTA zoomed = BoundedFont(lf);
  zoomed.lfHeight = BoundedFontSize(lf.lfHeight * dZoom);
  return font.CreateFontIndirect(&zoomed) != FALSE;
}
