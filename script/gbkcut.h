// Cutting GBK text to a byte limit: a double-byte character is kept whole or
// left out whole, so a cut text never ends on a lead byte whose trail byte
// was dropped (which would swallow the next byte in any text joined to it).
#pragma once
#include <cstddef>

#include "qstring.h"

// The length of the longest prefix of text that fits into limit bytes
// without splitting a character. The text ends at its first zero byte or
// after available bytes, whichever comes first; a lead byte that is the
// text's last byte stands alone and counts as one character.
inline size_t GbkFitLength(const char* text, size_t available, size_t limit) {
  if (!text) return 0;
  size_t i = 0;
  while (i < available && i < limit && text[i]) {
    const bool pair = IsGbkLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < available && text[i + 1];
    const size_t step = pair ? 2 : 1;
    if (i + step > limit) break;
    i += step;
  }
  return i;
}
