#include "vmformat.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "crtformat.h"
#include "vmargs.h"
#include "vmcodes.h"
#include "vmwork.h"

namespace {

// Widths and precisions above this are refused, and an output of kMaxOutput
// or more fails, so that a format cannot make the process build gigabytes of
// text.
constexpr int kMaxWidth = 65536;
constexpr size_t kMaxOutput = 1u << 20;

// What a conversion reads from the arguments.
enum class ArgKind { kInt32, kInt64, kDouble, kChar, kText, kAddress };

// The allowed pairs of size and conversion character, and the size that the
// platform's format is given for them.
struct ConversionRule {
  const char* chars;
  const char* size;
  ArgKind kind;
  const char* platform_size;
};

const ConversionRule kRules[] = {
    {"diouxX", "", ArgKind::kInt32, ""},
    {"diouxX", "h", ArgKind::kInt32, "h"},
    {"diouxX", "l", ArgKind::kInt32, ""},
    {"diouxX", "I32", ArgKind::kInt32, ""},
    {"diouxX", "I64", ArgKind::kInt64, "I64"},
    {"diouxX", "ll", ArgKind::kInt64, "I64"},
    {"eEfgG", "", ArgKind::kDouble, ""},
    {"eEfgG", "l", ArgKind::kDouble, ""},
    {"eEfgG", "L", ArgKind::kDouble, ""},
    {"c", "", ArgKind::kChar, ""},
    {"c", "h", ArgKind::kChar, ""},
    {"s", "", ArgKind::kText, ""},
    {"s", "h", ArgKind::kText, ""},
    {"p", "", ArgKind::kAddress, ""},
};

// Size prefixes the grammar knows, longest first where one starts another.
const char* const kSizes[] = {"I64", "I32", "ll", "h", "l", "L"};

const char kFlags[] = "-+ #0";
constexpr int kStar = -2;  // a width or precision read from the arguments
constexpr int kNone = -1;

struct Conversion {
  bool flag[sizeof kFlags - 1] = {};
  int width = kNone;
  int precision = kNone;
  const ConversionRule* rule = nullptr;
  char conversion = 0;
};

bool StartsWith(const char* p, const char* end, const char* prefix) {
  size_t n = std::strlen(prefix);
  return static_cast<size_t>(end - p) >= n && std::memcmp(p, prefix, n) == 0;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Digits, or a star; false when the number is above kMaxWidth.
bool ParseNumber(const char*& p, const char* end, int* value) {
  if (p < end && *p == '*') {
    ++p;
    *value = kStar;
    return true;
  }
  int v = 0;
  while (p < end && IsDigit(*p)) {
    v = v * 10 + (*p++ - '0');
    if (v > kMaxWidth) return false;
  }
  *value = v;
  return true;
}

// The conversion after a "%" (p at the first byte after it); false when it is
// outside the grammar.
bool ParseConversion(const char*& p, const char* end, Conversion* c) {
  for (const char* f; p < end && *p && (f = std::strchr(kFlags, *p)) != nullptr; ++p)
    c->flag[f - kFlags] = true;
  if (p < end && (IsDigit(*p) || *p == '*')) {
    if (!ParseNumber(p, end, &c->width)) return false;
  }
  if (p < end && *p == '.') {
    ++p;
    if (!ParseNumber(p, end, &c->precision)) return false;
  }
  const char* size = "";
  for (const char* known : kSizes) {
    if (StartsWith(p, end, known)) {
      size = known;
      p += std::strlen(known);
      break;
    }
  }
  if (p >= end) return false;
  c->conversion = *p++;
  for (const ConversionRule& rule : kRules) {
    if (c->conversion != 0 && std::strchr(rule.chars, c->conversion) && std::strcmp(rule.size, size) == 0) {
      c->rule = &rule;
      return true;
    }
  }
  return false;
}

// The variable arguments as the platform's formatter would find them.
class ArgumentBytes {
 public:
  ArgumentBytes(const VmState& s, int first, int count) {
    for (int i = first; i < first + count && i < kVmArgArea; ++i) {
      VmCell c = PromoteVarArg(Arg(s, i));
      uint8_t base = BaseOf(c.type);
      bool wide = !HasKind(c.type) && (base == VB_I64 || base == VB_F64);
      std::memcpy(bytes_ + size_, &c.value, wide ? 8 : 4);
      size_ += wide ? 8 : 4;
    }
  }
  // The next n bytes (4 or 8); zeros past the last argument.
  uint64_t Take(size_t n) {
    uint64_t v = 0;
    if (offset_ < size_) std::memcpy(&v, bytes_ + offset_, std::min(n, size_ - offset_));
    offset_ += n;
    return v;
  }

 private:
  unsigned char bytes_[kVmArgArea * 8];
  size_t size_ = 0;
  size_t offset_ = 0;
};

// The platform's format for one parsed conversion with its width and
// precision resolved: only numbers and the characters of the grammar.
struct PlatformFormat {
  PlatformFormat(const Conversion& c, int width, int precision) {
    char* p = text;
    *p++ = '%';
    for (size_t i = 0; i < sizeof kFlags - 1; ++i)
      if (c.flag[i] || (i == 0 && width < 0)) *p++ = kFlags[i];
    if (width != 0) p += qel::Format(p, text + sizeof text - p, "%d", width < 0 ? -width : width);
    if (precision >= 0) p += qel::Format(p, text + sizeof text - p, ".%d", precision);
    qel::Format(p, text + sizeof text - p, "%s%c", c.rule->platform_size, c.conversion);
  }
  // "%", five flags, two numbers of at most 6 digits, a point, a size of 3
  // and the conversion character.
  char text[32];
};

class Formatter {
 public:
  Formatter(VmState& s, int first, int count, std::string* out) : s_(s), args_(s, first, count), out_(*out) {}

  int Literal(const char* p, size_t n) {
    if (out_.size() + n + 1 >= kMaxOutput) return kSysBadFormat;
    if (!ChargeBytes(s_, n)) return kSysOverBudget;
    out_.append(p, n);
    return 0;
  }

  int Convert(const Conversion& c) {
    int width = c.width == kStar ? static_cast<int32_t>(args_.Take(4)) : c.width;
    int precision = c.precision == kStar ? static_cast<int32_t>(args_.Take(4)) : c.precision;
    if (width < -kMaxWidth || width > kMaxWidth || precision > kMaxWidth) return kSysBadFormat;
    if (precision < 0) precision = kNone;
    if (width == kNone) width = 0;
    if (!ChargeWork(s_, kWorkPerConversion)) return kSysOverBudget;
    const PlatformFormat format(c, width, precision);
    // Bounds of what one conversion can produce: its padding, its digits
    // (a 64-bit octal number has 22; the largest doubles 309 before the
    // point), a sign and a prefix.
    const size_t pad = static_cast<size_t>(width < 0 ? -width : width);
    const size_t digits = static_cast<size_t>(precision < 0 ? 6 : precision);
    switch (c.rule->kind) {
      case ArgKind::kInt32: return Emit(format, pad + digits + 32, static_cast<uint32_t>(args_.Take(4)));
      case ArgKind::kInt64: return Emit(format, pad + digits + 32, args_.Take(8));
      case ArgKind::kDouble: return Emit(format, pad + digits + 340, BitsToDouble(args_.Take(8)));
      case ArgKind::kChar: return Emit(format, pad + 2, static_cast<int32_t>(args_.Take(4)));
      case ArgKind::kAddress:
        return Emit(format, pad + 20, reinterpret_cast<void*>(static_cast<uintptr_t>(args_.Take(4))));
      case ArgKind::kText: return Text(format, pad, precision, static_cast<uint32_t>(args_.Take(4)));
    }
    return kSysBadFormat;
  }

 private:
  // A text must end inside its variable, or have as many bytes there as
  // the precision reads; the platform then reads no further.
  int Text(const PlatformFormat& format, size_t pad, int precision, uint32_t address) {
    if (address == 0) return Emit(format, pad + 8, static_cast<const char*>(nullptr));  // "(null)"
    const char* text;
    size_t length;
    int rc =
        BoundedTextAt(s_, address, precision < 0 ? SIZE_MAX : static_cast<size_t>(precision), &text, &length);
    if (rc) return rc == kSysOverBudget ? rc : kSysBadFormat;
    return Emit(format, pad + length + 1, text);
  }

  // Formats one value into the output with a room of `bound` characters,
  // which the conversion cannot fill, and charges what it produced. A short
  // conversion is made on the stack, a wide one in place in the output.
  template <typename T>
  int Emit(const PlatformFormat& format, size_t bound, T value) {
    if (out_.size() + 1 >= kMaxOutput) return kSysBadFormat;
    int length;
    char small[512];
    if (bound < sizeof small) {
      length = qel::Format(small, bound + 1, format.text, value);
      out_.append(small, static_cast<size_t>(length));
    } else {
      const size_t start = out_.size();
      out_.resize(start + bound + 1);
      length = qel::Format(&out_[start], bound + 1, format.text, value);
      out_.resize(start + static_cast<size_t>(length));
    }
    if (static_cast<size_t>(length) >= bound || out_.size() + 1 >= kMaxOutput) return kSysBadFormat;
    return ChargeWork(s_, CharWork(static_cast<size_t>(length))) ? 0 : kSysOverBudget;
  }

  VmState& s_;
  ArgumentBytes args_;
  std::string& out_;
};

}  // namespace

int FormatArguments(VmState& s, const char* format, size_t length, int first, int count, std::string* out) {
  out->clear();
  out->reserve(128);
  Formatter formatter(s, first, count, out);
  const char* end = format + length;
  for (const char* p = format; p < end;) {
    const void* percent = std::memchr(p, '%', static_cast<size_t>(end - p));
    const char* next = percent ? static_cast<const char*>(percent) : end;
    int rc = formatter.Literal(p, static_cast<size_t>(next - p));
    if (rc) return rc;
    if (next == end) break;
    p = next + 1;
    if (p < end && *p == '%') {
      rc = formatter.Literal("%", 1);
      ++p;
    } else {
      Conversion c;
      rc = ParseConversion(p, end, &c) ? formatter.Convert(c) : kSysBadFormat;
    }
    if (rc) return rc;
  }
  return 0;
}
