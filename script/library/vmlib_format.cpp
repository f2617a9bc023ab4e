// Formatting library functions (200-205).
#include <cstdio>
#include <cstdlib>
#include <string>

#include "vmargs.h"
#include "vmcodes.h"
#include "vmformat.h"
#include "vmlib.h"

namespace {

constexpr int kMaxCount = 32;

// Formats with the format text at area place `format_at`, the variable
// arguments following it.
int FormatFrom(VmState& s, int format_at, int args, std::string* out) {
  const char* format;
  size_t length;
  int rc = TextArg(s, format_at, &format, &length);
  return rc ? rc : FormatArguments(s, format, length, format_at + 1, args - format_at - 1, out);
}

int PrintToBuffer(VmState& s) {
  int args;
  int rc = PopCountedArguments(s, 3, kMaxCount, &args);
  std::string text;
  if (!rc) rc = FormatFrom(s, 1, args, &text);
  if (rc) return rc;
  rc = WriteCharged(s, ArgAddress(s, 0), text.c_str(), text.size() + 1);
  if (rc) return rc;
  SetIntResult(s, static_cast<int32_t>(text.size()));
  return 0;
}

int PrintToOutput(VmState& s) {
  int args;
  int rc = PopCountedArguments(s, 2, kMaxCount, &args);
  std::string text;
  if (!rc) rc = FormatFrom(s, 0, args, &text);
  if (rc) return rc == kSysArgCount ? kSysPrintfCount : rc;
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fflush(stdout);
  SetIntResult(s, static_cast<int32_t>(text.size()));
  return 0;
}

// The runtime's bounded formatting: at most n characters, a terminating zero
// only when the text is shorter, and -1 when the text did not fit.
int PrintBounded(VmState& s) {
  int args;
  int rc = PopCountedArguments(s, 4, kMaxCount, &args);
  std::string text;
  if (!rc) rc = FormatFrom(s, 2, args, &text);
  if (rc) return rc;
  int32_t n = ArgInt(s, 1);
  size_t room = n < 0 ? text.size() + 1 : static_cast<size_t>(n);
  size_t write = text.size() < room ? text.size() + 1 : room;
  rc = WriteCharged(s, ArgAddress(s, 0), text.c_str(), write);
  if (rc) return rc;
  SetIntResult(s, text.size() <= room ? static_cast<int32_t>(text.size()) : -1);
  return 0;
}

// itoa and ltoa: the runtime's conversion; a radix outside 2..36 gives "".
int IntegerToText(VmState& s) {
  int rc = PopArguments(s, 3);
  if (rc) return rc;
  int radix = ArgInt(s, 2);
  char text[40] = "";
  if (radix >= 2 && radix <= 36) _itoa(ArgInt(s, 0), text, radix);
  std::string t(text);
  if (!WriteBytes(s, ArgAddress(s, 1), t.c_str(), t.size() + 1)) return kSysBadString;
  SetCharPointerResult(s, ArgAddress(s, 1));
  return 0;
}

// gcvt: the runtime's conversion with the digits kept to 1..64.
int RealToText(VmState& s) {
  int rc = PopArguments(s, 3);
  if (rc) return rc;
  int digits = ArgInt(s, 1);
  digits = digits < 1 ? 1 : (digits > 64 ? 64 : digits);
  char text[400] = "";
  _gcvt(ArgDouble(s, 0), digits, text);
  std::string t(text);
  if (!WriteBytes(s, ArgAddress(s, 2), t.c_str(), t.size() + 1)) return kSysBadString;
  SetCharPointerResult(s, ArgAddress(s, 2));
  return 0;
}

}  // namespace

int VmCallFormat(VmState& s, int id) {
  switch (id) {
    case 200: return PrintToBuffer(s);
    case 201:
    case 202: return IntegerToText(s);
    case 203: return RealToText(s);
    case 204: return PrintToOutput(s);
    case 205: return PrintBounded(s);
    default: return kSysUnknown;
  }
}
