#include "scripttext.h"

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
