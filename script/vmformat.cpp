#include "vmformat.h"

#include <cctype>
#include <cstdarg>
#include <cstring>
#include <vector>

#include "crtformat.h"
#include "vmargs.h"
#include "vmcodes.h"

namespace {

void PutBytes(std::vector<unsigned char>& out, const void* p, size_t n) {
  const unsigned char* b = static_cast<const unsigned char*>(p);
  out.insert(out.end(), b, b + n);
}

std::vector<unsigned char> PackArguments(const VmState& s, int first, int count) {
  std::vector<unsigned char> bytes;
  for (int i = first; i < first + count; ++i) {
    VmCell c = PromoteVarArg(Arg(s, i));
    uint8_t base = BaseOf(c.type);
    bool wide = !HasKind(c.type) && (base == VB_I64 || base == VB_F64);
    if (wide) {
      PutBytes(bytes, &c.value, 8);
    } else {
      uint32_t low = Low32(c.value);
      PutBytes(bytes, &low, 4);
    }
  }
  return bytes;
}

uint32_t WordAt(const std::vector<unsigned char>& bytes, size_t offset) {
  uint32_t v = 0;
  if (offset + 4 <= bytes.size()) std::memcpy(&v, bytes.data() + offset, 4);
  return v;
}

// One conversion of the format: how many argument bytes it takes and whether
// it reads a text. Walks the runtime's syntax: flags, width, precision, size.
// Widths and precisions above this are refused, and a text above kMaxOutput
// fails, so that a format cannot make the process build gigabytes of text.
constexpr int kMaxWidth = 65536;
constexpr size_t kMaxOutput = 1u << 20;

struct Conversion {
  size_t star_words = 0;  // '*' widths and precisions
  int width = 0;
  int precision = -1;
  size_t bytes = 0;       // of the converted argument
  bool text = false;
  bool refused = false;
};

Conversion ParseConversion(const char*& p) {
  Conversion c;
  while (*p && std::strchr("-+ #0", *p)) ++p;
  bool star_width = false;
  if (*p == '*') { ++c.star_words; ++p; star_width = true; }
  while (std::isdigit(static_cast<unsigned char>(*p))) {
    if (c.width <= kMaxWidth) c.width = c.width * 10 + (*p - '0');
    ++p;
  }
  if (star_width) c.width = -2;
  if (*p == '.') {
    ++p;
    if (*p == '*') { ++c.star_words; ++p; c.precision = -2; }
    else {
      c.precision = 0;
      while (std::isdigit(static_cast<unsigned char>(*p))) {
        if (c.precision <= kMaxWidth) c.precision = c.precision * 10 + (*p - '0');
        ++p;
      }
    }
  }
  bool wide_int = false, wide_char = false, narrow_char = false;
  for (;;) {
    if (std::strncmp(p, "I64", 3) == 0) { wide_int = true; p += 3; }
    else if (std::strncmp(p, "I32", 3) == 0) { p += 3; }
    else if (std::strncmp(p, "ll", 2) == 0) { wide_int = true; p += 2; }
    else if (*p == 'l' || *p == 'w') { wide_char = true; ++p; }
    else if (*p == 'h') { narrow_char = true; ++p; }
    else if (*p == 'I' || *p == 'L') { ++p; }
    else break;
  }
  char conv = *p;
  if (conv) ++p;
  switch (conv) {
    case 'd': case 'i': case 'o': case 'u': case 'x': case 'X':
      c.bytes = wide_int ? 8 : 4; break;
    case 'c': case 'C': case 'p':
      c.bytes = 4; break;
    case 'e': case 'E': case 'f': case 'g': case 'G': case 'a': case 'A':
      c.bytes = 8; break;
    case 's':
      c.bytes = 4; c.text = true; c.refused = wide_char; break;
    case 'S':
      c.bytes = 4; c.text = true; c.refused = !narrow_char; break;
    case 'n': case 'Z':
      c.refused = true; break;
    default:
      break;
  }
  return c;
}

bool TextReadable(const VmState& s, uint32_t address, int precision) {
  if (address == 0) return true;  // the runtime prints "(null)"
  size_t length;
  if (s.memory.StringLength(address, &length)) return true;
  return precision >= 0 && s.memory.Room(address) >= static_cast<size_t>(precision);
}

// Checks every conversion and pads the argument bytes so that a format
// asking for more arguments than were given reads zeros.
int CheckFormat(const VmState& s, const std::string& format, std::vector<unsigned char>& bytes) {
  size_t offset = 0;
  for (const char* p = format.c_str(); *p;) {
    if (*p++ != '%') continue;
    if (*p == '%') { ++p; continue; }
    Conversion c = ParseConversion(p);
    if (c.refused) return kSysBadFormat;
    int width = c.width;
    if (width == -2) width = static_cast<int>(WordAt(bytes, offset));
    int precision = c.precision;
    if (c.precision == -2) precision = static_cast<int>(WordAt(bytes, offset + 4 * (c.star_words - 1)));
    // A negative '*' width is a left-adjusted one of the same size.
    if (width < -kMaxWidth || width > kMaxWidth || precision > kMaxWidth) return kSysBadFormat;
    offset += 4 * c.star_words;
    if (c.text && !TextReadable(s, WordAt(bytes, offset), precision)) return kSysBadFormat;
    offset += c.bytes;
  }
  if (bytes.size() < offset + 8) bytes.resize(offset + 8, 0);
  return 0;
}

}  // namespace

int FormatArguments(const VmState& s, const std::string& format, int first, int count, std::string* out) {
  std::vector<unsigned char> bytes = PackArguments(s, first, count);
  int rc = CheckFormat(s, format, bytes);
  if (rc) return rc;
  // On this platform a variable argument list is a plain pointer to the
  // arguments as the caller laid them out.
  static_assert(sizeof(va_list) == sizeof(unsigned char*), "va_list is a pointer to the arguments");
  va_list args;
  unsigned char* start = bytes.data();
  std::memcpy(&args, &start, sizeof args);
  // Grows the buffer until the text fits with room to spare (FormatV cuts).
  for (size_t room = 256;; room *= 2) {
    std::vector<char> buf(room);
    va_list copy;
    va_copy(copy, args);
    int length = qel::FormatV(buf.data(), room, format.c_str(), copy);
    va_end(copy);
    if (static_cast<size_t>(length) + 1 < room) {
      out->assign(buf.data(), length);
      return 0;
    }
    if (room >= kMaxOutput) return kSysBadFormat;
  }
}
