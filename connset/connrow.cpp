#include "connrow.h"

#include <cstdlib>
#include <cstring>

#include "crtformat.h"
#include "fixedtext.h"

namespace {

// A text field that may lack its terminator.
template <size_t N>
CString FieldText(const char (&field)[N]) {
  size_t n = 0;
  while (n < N && field[n]) ++n;
  return CString(field, static_cast<int>(n));
}

// The text cut to what a field of N bytes holds, at a character boundary.
template <size_t N>
void PutText(char (&field)[N], const CString& text) {
  int keep = 0;
  while (keep < text.GetLength()) {
    int width = IsGbkLeadByte(static_cast<unsigned char>(text[keep])) ? 2 : 1;
    if (keep + width > static_cast<int>(N) - 1) break;
    keep += width;
  }
  CopyFixedText(field, text.Left(keep));
}

}  // namespace

CString PortText(UINT port) { return CString(qel::FormatStr("%d", static_cast<int>(port)).c_str()); }

ConnRowTexts RowTextsOf(const RtdbConnEntry& entry) {
  return ConnRowTexts{FieldText(entry.host), PortText(entry.port), FieldText(entry.account),
                      FieldText(entry.password)};
}

RtdbConnEntry EntryOf(const ConnRowTexts& row) {
  RtdbConnEntry entry;
  std::memset(&entry, 0, sizeof entry);
  PutText(entry.host, row.host);
  PutText(entry.account, row.account);
  PutText(entry.password, row.password);
  entry.port = static_cast<DWORD>(std::atoi(row.port));
  return entry;
}

UINT EditPortOf(const CString& portText) { return static_cast<UINT>(std::atoi(portText)) & 0xFFFFu; }
