// The fonts of the shared list and colour components: a face, a height in
// pixels and a character set, at normal weight, proof quality, variable
// pitch and of the Swiss family.
#pragma once
#include <windows.h>

inline LOGFONTA ComponentFont(const char* face, int height, BYTE charSet) {
  LOGFONTA lf = {};
  lf.lfHeight = height;
  lf.lfWeight = FW_NORMAL;
  lf.lfCharSet = charSet;
  lf.lfQuality = PROOF_QUALITY;
  lf.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
  lstrcpynA(lf.lfFaceName, face, LF_FACESIZE);
  return lf;
}
