// Texts in fixed-size record fields.
#pragma once
#include <cstddef>
#include <cstring>

// Copies text into the field, cut to N - 1 bytes and always terminated; the
// bytes behind the terminator are left as they are. A null text changes nothing.
template <size_t N>
void CopyFixedText(char (&field)[N], const char* text) {
  if (!text) return;
  size_t n = std::strlen(text);
  if (n > N - 1) n = N - 1;
  std::memcpy(field, text, n);
  field[n] = 0;
}

// The field's last byte made zero, whatever a damaged source put there.
template <size_t N>
void TerminateFixedText(char (&field)[N]) {
  field[N - 1] = 0;
}
