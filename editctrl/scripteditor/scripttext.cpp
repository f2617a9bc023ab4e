#include "scripttext.h"

size_t ScriptByteOfChar(const char* text, size_t length, long position) {
  size_t at = 0;
  for (long chars = 0; chars < position && at < length; ++chars) at += ScriptCharBytes(text, length, at);
  return at;
}

long ScriptCharCount(const char* text, size_t length) {
  long chars = 0;
  for (size_t at = 0; at < length; ++chars) at += ScriptCharBytes(text, length, at);
  return chars;
}

size_t ScriptWholeCharBytes(const char* text, size_t length, long chars) {
  size_t at = 0, last = 0;
  for (long n = 0; n < chars && at < length; ++n) {
    last = at;
    at += ScriptCharBytes(text, length, at);
  }
  const bool brokenLead = at - last == 1 && IsGbkLeadByte(static_cast<unsigned char>(text[last]));
  return brokenLead ? last : at;
}

CString IndentedLineBreak(const char* line, size_t length) {
  if (length > kIndentLineBytes) length = kIndentLineBytes;
  size_t tabs = 0;
  while (tabs < length && (line[tabs] == '\t' || line[tabs] == '{')) ++tabs;
  if (tabs == 0) return CString();
  return CString("\r\n") + CString('\t', static_cast<int>(tabs));
}

CString WordBeforeColumn(const char* line, size_t length, long column, long* wordColumn) {
  size_t at = 0, wordAt = 0;
  long position = 0, wordPosition = 0;
  while (position < column && at < length) {
    const size_t bytes = ScriptCharBytes(line, length, at);
    const bool word = bytes == 1 && IsScriptWordByte(static_cast<unsigned char>(line[at]));
    at += bytes;
    ++position;
    if (!word) {
      wordAt = at;
      wordPosition = position;
    }
  }
  if (wordColumn) *wordColumn = wordPosition;
  return CString(line + wordAt, static_cast<int>(at - wordAt));
}

ScriptEditRange ScriptEditedRange(const char* before, size_t beforeLength, const char* after,
                                  size_t afterLength) {
  const size_t shorter = beforeLength < afterLength ? beforeLength : afterLength;
  size_t prefix = 0;
  while (prefix < shorter && before[prefix] == after[prefix]) ++prefix;
  size_t suffix = 0;
  while (suffix < shorter - prefix && before[beforeLength - 1 - suffix] == after[afterLength - 1 - suffix])
    ++suffix;
  // The characters wholly within the common bytes, less the last of them:
  // the byte after it, which differs, may pair with it on one side only.
  long first = 0;
  size_t start = 0;
  for (size_t next; start < beforeLength; start = next, ++first) {
    next = start + ScriptCharBytes(before, beforeLength, start);
    if (next > prefix) break;
  }
  if (first > 0 && prefix < beforeLength + afterLength - shorter)
    start = ScriptByteOfChar(before, beforeLength, --first);
  // From a common character start the same bytes make the same characters:
  // the edit ends at the first pair of character starts, one in each text,
  // with equal tails that lie within the common end.
  size_t oldAt = start, newAt = start;
  long oldEnd = first, newEnd = first;
  for (;;) {
    const size_t oldTail = beforeLength - oldAt, newTail = afterLength - newAt;
    if (oldTail == newTail && oldTail <= suffix) break;
    if (oldTail >= newTail) {
      oldAt += ScriptCharBytes(before, beforeLength, oldAt);
      ++oldEnd;
    } else {
      newAt += ScriptCharBytes(after, afterLength, newAt);
      ++newEnd;
    }
  }
  return {first, oldEnd, newEnd};
}
