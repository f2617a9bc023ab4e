#include "crtformat.h"

#include <cstdio>
#include <vector>

namespace qel {

int FormatV(char* buf, size_t n, const char* fmt, va_list args) {
  if (n == 0) return 0;
  int len = _vsnprintf(buf, n, fmt, args);  // msvcrt: -1 when cut, no terminator then
  if (len < 0 || static_cast<size_t>(len) >= n) {
    buf[n - 1] = '\0';
    len = static_cast<int>(n - 1);
  }
  return len;
}

int Format(char* buf, size_t n, const char* fmt, ...) {
  va_list args;
  va_start(args, fmt);
  int len = FormatV(buf, n, fmt, args);
  va_end(args);
  return len;
}

std::string FormatStrV(const char* fmt, va_list args) {
  std::vector<char> buf(256);
  for (;;) {
    va_list copy;
    va_copy(copy, args);
    int len = _vsnprintf(buf.data(), buf.size(), fmt, copy);
    va_end(copy);
    if (len >= 0 && static_cast<size_t>(len) < buf.size()) return std::string(buf.data(), len);
    buf.resize(buf.size() * 2);
  }
}

std::string FormatStr(const char* fmt, ...) {
  va_list args;
  va_start(args, fmt);
  std::string s = FormatStrV(fmt, args);
  va_end(args);
  return s;
}

}  // namespace qel
