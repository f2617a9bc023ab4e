// Reading a script text character by character as the rich edit control
// counts its positions: a GBK character (a lead byte and a trail byte) is one
// character and so is a line end of a carriage return and a line feed; every
// other byte is one. A word character is a single-byte letter, digit, "_" or
// "#": a trail byte is never read on its own, so it never counts as a letter.
#pragma once
#include <cstddef>

#include "qstring.h"

// The bytes of the character that starts at `at` (0 at or past the end).
inline size_t ScriptCharBytes(const char* text, size_t length, size_t at) {
  if (at >= length) return 0;
  const unsigned char c = static_cast<unsigned char>(text[at]);
  if (at + 1 < length) {
    const unsigned char next = static_cast<unsigned char>(text[at + 1]);
    const bool trail = next >= 0x40 && next <= 0xFE && next != 0x7F;
    if (IsGbkLeadByte(c) && trail) return 2;
    if (c == '\r' && next == '\n') return 2;
  }
  return 1;
}

// The byte offset of character `position`; the length when the text holds
// fewer characters.
size_t ScriptByteOfChar(const char* text, size_t length, long position);
// The characters of a text.
long ScriptCharCount(const char* text, size_t length);
// The bytes of a text's first `chars` characters, less a lead byte at the end
// that has no trail byte: it would join the text that follows.
size_t ScriptWholeCharBytes(const char* text, size_t length, long chars);

inline bool IsScriptWordByte(unsigned char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '#';
}

// Enter's text after a line: a carriage return and line feed followed by one
// tab for each leading tab or "{" among the line's first kIndentLineBytes
// bytes; empty when the line starts with neither (the control then breaks
// the line itself).
CString IndentedLineBreak(const char* line, size_t length);
constexpr size_t kIndentLineBytes = 2048;

// The word that ends just before character `column` of a line: the run of
// word characters there, empty when there is none; its first character's
// column goes to *wordColumn.
CString WordBeforeColumn(const char* line, size_t length, long column, long* wordColumn);

// The characters that an edit replaced, found by comparing the text before
// with the text after: characters first to oldEnd of the old text became
// first to newEnd of the new one, the rest is the same on both sides. The
// bounds lie one character wide of the differing bytes where a character
// there could have paired with them (a GBK lead byte, a carriage return).
struct ScriptEditRange {
  long first;
  long oldEnd;
  long newEnd;
};
ScriptEditRange ScriptEditedRange(const char* before, size_t beforeLength, const char* after,
                                  size_t afterLength);
