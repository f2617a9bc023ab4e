// String library functions (150-160) on the script's character arrays. Every
// text must end inside the variable that holds it and every write must fit
// inside the destination variable; otherwise the function fails (and the run
// ends) instead of touching memory that is not the script's. Texts are worked
// on where they lie, and every byte read, compared or written is charged to
// the run's budget.
#include <cstdint>
#include <cstring>

#include "vmargs.h"
#include "vmcodes.h"
#include "vmlib.h"
#include "vmwork.h"

namespace {

struct Text {
  const char* p;
  size_t length;
};

// The texts of arguments first..first+n-1.
int Texts(VmState& s, int first, int n, Text* out) {
  for (int i = 0; i < n; ++i) {
    int rc = TextArg(s, first + i, &out[i].p, &out[i].length);
    if (rc) return rc;
  }
  return 0;
}

int Sign(int v) { return v < 0 ? -1 : (v > 0 ? 1 : 0); }

// Changes the case of ASCII letters, leaving both bytes of every double-byte
// (GBK) character alone.
void ChangeCase(char* p, size_t n, bool upper) {
  for (size_t i = 0; i < n; ++i) {
    unsigned char c = static_cast<unsigned char>(p[i]);
    if (c >= 0x81 && c <= 0xFE && i + 1 < n) {
      ++i;
      continue;
    }
    if (upper && c >= 'a' && c <= 'z') p[i] = static_cast<char>(c - 'a' + 'A');
    if (!upper && c >= 'A' && c <= 'Z') p[i] = static_cast<char>(c - 'A' + 'a');
  }
}

int Concatenate(VmState& s) {
  Text t[2];
  int rc = Texts(s, 0, 2, t);
  if (rc) return rc;
  uint32_t end = ArgAddress(s, 0) + static_cast<uint32_t>(t[0].length);
  // memmove in WriteCharged: strcat(b, b) reads the text it extends.
  rc = WriteCharged(s, end, t[1].p, t[1].length + 1);
  if (rc) return rc;
  SetCharPointerResult(s, ArgAddress(s, 0));
  return 0;
}

int Compare(VmState& s, bool ignore_case) {
  Text t[2];
  int rc = Texts(s, 0, 2, t);
  if (rc) return rc;
  SetIntResult(s, ignore_case ? _stricmp(t[0].p, t[1].p) : Sign(std::strcmp(t[0].p, t[1].p)));
  return 0;
}

int Copy(VmState& s) {
  Text t;
  int rc = TextArg(s, 1, &t.p, &t.length);
  if (!rc) rc = WriteCharged(s, ArgAddress(s, 0), t.p, t.length + 1);
  if (rc) return rc;
  SetCharPointerResult(s, ArgAddress(s, 0));
  return 0;
}

int Length(VmState& s) {
  Text t;
  int rc = TextArg(s, 0, &t.p, &t.length);
  if (rc) return rc;
  SetIntResult(s, static_cast<int32_t>(t.length));
  return 0;
}

int InPlaceCase(VmState& s, bool upper) {
  Text t;
  int rc = TextArg(s, 0, &t.p, &t.length);
  if (!rc) rc = ChargeBytes(s, t.length) ? 0 : kSysOverBudget;
  if (rc) return rc;
  ChangeCase(HostPointer(ArgAddress(s, 0)), t.length, upper);
  SetCharPointerResult(s, ArgAddress(s, 0));
  return 0;
}

// A negative count is the runtime's huge unsigned count.
size_t CountArg(const VmState& s, int i) {
  int32_t n = ArgInt(s, i);
  return n < 0 ? SIZE_MAX : static_cast<size_t>(n);
}

int BoundedCompare(VmState& s) {
  size_t n = CountArg(s, 2);
  Text a, b;
  int rc = BoundedTextAt(s, ArgAddress(s, 0), n, &a.p, &a.length);
  if (!rc) rc = BoundedTextAt(s, ArgAddress(s, 1), n, &b.p, &b.length);
  if (rc) return rc;
  // Neither text is read past its zero or its checked bytes.
  SetIntResult(s, std::strncmp(a.p, b.p, n));
  return 0;
}

// The runtime's strncpy: n bytes written, the text then zero padding.
int BoundedCopy(VmState& s) {
  int32_t n = ArgInt(s, 2);
  if (n < 0) return kSysBadString;
  Text t;
  int rc = BoundedTextAt(s, ArgAddress(s, 1), static_cast<size_t>(n), &t.p, &t.length);
  if (!rc) rc = WritableCharged(s, ArgAddress(s, 0), static_cast<size_t>(n));
  if (rc) return rc;
  if (n > 0) {
    char* d = HostPointer(ArgAddress(s, 0));
    std::memmove(d, t.p, t.length);
    std::memset(d + t.length, 0, static_cast<size_t>(n) - t.length);
  }
  SetCharPointerResult(s, ArgAddress(s, 0));
  return 0;
}

// The first occurrence of the pattern: candidates are found by their first
// byte, and every candidate compared is charged with the pattern's length,
// so a search that would compare for hours ends with the budget instead.
int FindIn(VmState& s, const Text& text, const Text& pattern, size_t* at) {
  *at = SIZE_MAX;
  if (pattern.length == 0) {
    *at = 0;
    return 0;
  }
  const char* end = text.p + text.length;
  for (const char* p = text.p; static_cast<size_t>(end - p) >= pattern.length;) {
    const void* first = std::memchr(p, pattern.p[0], static_cast<size_t>(end - p) - pattern.length + 1);
    const char* candidate = first ? static_cast<const char*>(first) : end - pattern.length + 1;
    if (!ChargeBytes(s, static_cast<size_t>(candidate - p))) return kSysOverBudget;
    if (!first) return 0;
    if (!ChargeBytes(s, pattern.length)) return kSysOverBudget;
    if (std::memcmp(candidate, pattern.p, pattern.length) == 0) {
      *at = static_cast<size_t>(candidate - text.p);
      return 0;
    }
    p = candidate + 1;
  }
  return 0;
}

int Find(VmState& s) {
  Text t[2];
  size_t at;
  int rc = Texts(s, 0, 2, t);
  if (!rc) rc = FindIn(s, t[0], t[1], &at);
  if (rc) return rc;
  SetCharPointerResult(s, at == SIZE_MAX ? 0 : ArgAddress(s, 0) + static_cast<uint32_t>(at));
  return 0;
}

// The runtime's tokenizer, its position kept per machine: a null text goes on
// after the previous token. The delimiters are looked up in a table, so the
// work grows with the lengths of the two texts, not with their product.
int Tokenize(VmState& s) {
  uint32_t start = ArgAddress(s, 0) ? ArgAddress(s, 0) : s.memory.TokenNext();
  Text delimiters, text;
  int rc = TextArg(s, 1, &delimiters.p, &delimiters.length);
  if (rc) return rc;
  SetCharPointerResult(s, 0);
  if (start == 0) return 0;
  rc = TextAt(s, start, &text.p, &text.length);
  if (rc) return rc;
  bool is_delimiter[256] = {};
  for (size_t i = 0; i < delimiters.length; ++i)
    is_delimiter[static_cast<unsigned char>(delimiters.p[i])] = true;
  size_t first = 0;
  while (first < text.length && is_delimiter[static_cast<unsigned char>(text.p[first])]) ++first;
  if (first == text.length) {
    s.memory.SetTokenNext(0);
    return 0;
  }
  size_t end = first;
  while (end < text.length && !is_delimiter[static_cast<unsigned char>(text.p[end])]) ++end;
  if (end == text.length) {
    s.memory.SetTokenNext(0);
  } else {
    HostPointer(start)[end] = '\0';
    s.memory.SetTokenNext(start + static_cast<uint32_t>(end) + 1);
  }
  SetCharPointerResult(s, start + static_cast<uint32_t>(first));
  return 0;
}

struct StringFunction {
  int id;
  int args;
  int (*run)(VmState&);
};

const StringFunction kStringFunctions[] = {
    {150, 2, Concatenate},
    {151, 2, [](VmState& s) { return Compare(s, false); }},
    {152, 2, Copy},
    {153, 2, [](VmState& s) { return Compare(s, true); }},
    {154, 1, Length},
    {155, 1, [](VmState& s) { return InPlaceCase(s, false); }},
    {156, 3, BoundedCompare},
    {157, 3, BoundedCopy},
    {158, 2, Find},
    {159, 2, Tokenize},
    {160, 1, [](VmState& s) { return InPlaceCase(s, true); }},
};

}  // namespace

int VmCallString(VmState& s, int id) {
  for (const StringFunction& f : kStringFunctions) {
    if (f.id != id) continue;
    int rc = PopArguments(s, f.args);
    return rc ? rc : f.run(s);
  }
  return kSysUnknown;
}
