#include "dialogs/numbertext.h"

#include <cmath>
#include <cstdlib>
#include <string>

#include "crtformat.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The text without blanks at either end.
std::string Trimmed(const char* text) {
  std::string s = text ? text : "";
  size_t first = 0, last = s.size();
  while (first < last && IsBlank(s[first])) ++first;
  while (last > first && IsBlank(s[last - 1])) --last;
  return s.substr(first, last - first);
}

// An optional sign, then digits only; the magnitude up to limit (beyond it:
// false). *negative tells the sign.
bool ParseMagnitude(const std::string& s, bool allowMinus, unsigned long long limit,
                    unsigned long long* magnitude, bool* negative) {
  size_t i = 0;
  *negative = false;
  if (i < s.size() && (s[i] == '+' || (allowMinus && s[i] == '-'))) *negative = s[i++] == '-';
  if (i == s.size()) return false;
  unsigned long long n = 0;
  for (; i < s.size(); ++i) {
    if (!IsDigit(s[i])) return false;
    n = n * 10 + static_cast<unsigned>(s[i] - '0');
    if (n > limit) return false;
  }
  *magnitude = n;
  return true;
}

// Digits with at most one point and at least one digit, then an optional
// exponent: the only number forms a dialog accepts.
bool IsDecimalForm(const std::string& s) {
  size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  int digits = 0;
  for (; i < s.size() && IsDigit(s[i]); ++i) ++digits;
  if (i < s.size() && s[i] == '.')
    for (++i; i < s.size() && IsDigit(s[i]); ++i) ++digits;
  if (digits == 0) return false;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    int exponentDigits = 0;
    for (; i < s.size() && IsDigit(s[i]); ++i) ++exponentDigits;
    if (exponentDigits == 0) return false;
  }
  return i == s.size();
}

}  // namespace

CString QelIntText(int value) { return CString(qel::FormatStr("%d", value).c_str()); }
CString QelUIntText(UINT value) { return CString(qel::FormatStr("%u", value).c_str()); }
CString QelDoubleText(double value) { return CString(qel::FormatStr("%.15g", value).c_str()); }

bool QelParseInt(const char* text, int* value) {
  unsigned long long magnitude = 0;
  bool negative = false;
  if (!ParseMagnitude(Trimmed(text), true, 2147483648ULL, &magnitude, &negative)) return false;
  if (!negative && magnitude > 2147483647ULL) return false;
  *value = negative ? static_cast<int>(-static_cast<long long>(magnitude)) : static_cast<int>(magnitude);
  return true;
}

bool QelParseUInt(const char* text, UINT* value) {
  unsigned long long magnitude = 0;
  bool negative = false;
  if (!ParseMagnitude(Trimmed(text), false, 4294967295ULL, &magnitude, &negative)) return false;
  *value = static_cast<UINT>(magnitude);
  return true;
}

bool QelParseDouble(const char* text, double* value) {
  std::string s = Trimmed(text);
  if (!IsDecimalForm(s)) return false;
  double d = std::strtod(s.c_str(), nullptr);
  if (!std::isfinite(d)) return false;
  *value = d;
  return true;
}
