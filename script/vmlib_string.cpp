// String library functions (150-160) on the script's character arrays. Every
// text must end inside the variable that holds it and every write must fit
// inside the destination variable; otherwise the function fails (and the run
// ends) instead of touching memory that is not the script's.
#include <cstdint>
#include <cstring>
#include <string>

#include "vmargs.h"
#include "vmcodes.h"
#include "vmlib.h"

namespace {

// The texts of arguments first..first+n-1.
bool Texts(const VmState& s, int first, int n, std::string* out) {
  for (int i = 0; i < n; ++i)
    if (!ReadText(s, ArgAddress(s, first + i), &out[i])) return false;
  return true;
}

// At most n bytes of the text at an address, up to its zero; false when the
// variable ends first.
bool BoundedText(const VmState& s, uint32_t address, size_t n, std::string* out) {
  size_t room = s.memory.Room(address);
  const char* p = HostPointer(address);
  size_t i = 0;
  for (; i < n; ++i) {
    if (i >= room) return false;
    if (p[i] == 0) break;
  }
  out->assign(p, i);
  return true;
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
  std::string t[2];
  if (!Texts(s, 0, 2, t)) return kSysBadString;
  uint32_t end = ArgAddress(s, 0) + static_cast<uint32_t>(t[0].size());
  if (!WriteBytes(s, end, t[1].c_str(), t[1].size() + 1)) return kSysBadString;
  SetCharPointerResult(s, ArgAddress(s, 0));
  return 0;
}

int Compare(VmState& s, bool ignore_case) {
  std::string t[2];
  if (!Texts(s, 0, 2, t)) return kSysBadString;
  int r = ignore_case ? _stricmp(t[0].c_str(), t[1].c_str()) : Sign(std::strcmp(t[0].c_str(), t[1].c_str()));
  SetIntResult(s, r);
  return 0;
}

int Copy(VmState& s) {
  std::string t;
  if (!ReadText(s, ArgAddress(s, 1), &t)) return kSysBadString;
  if (!WriteBytes(s, ArgAddress(s, 0), t.c_str(), t.size() + 1)) return kSysBadString;
  SetCharPointerResult(s, ArgAddress(s, 0));
  return 0;
}

int Length(VmState& s) {
  std::string t;
  if (!ReadText(s, ArgAddress(s, 0), &t)) return kSysBadString;
  SetIntResult(s, static_cast<int32_t>(t.size()));
  return 0;
}

int InPlaceCase(VmState& s, bool upper) {
  std::string t;
  if (!ReadText(s, ArgAddress(s, 0), &t)) return kSysBadString;
  ChangeCase(HostPointer(ArgAddress(s, 0)), t.size(), upper);
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
  std::string a, b;
  if (!BoundedText(s, ArgAddress(s, 0), n, &a) || !BoundedText(s, ArgAddress(s, 1), n, &b))
    return kSysBadString;
  SetIntResult(s, std::strncmp(a.c_str(), b.c_str(), n));
  return 0;
}

// The runtime's strncpy: n bytes written, the text then zero padding.
int BoundedCopy(VmState& s) {
  int32_t n = ArgInt(s, 2);
  std::string t;
  if (n < 0 || !BoundedText(s, ArgAddress(s, 1), static_cast<size_t>(n), &t)) return kSysBadString;
  std::string out = t;
  out.resize(static_cast<size_t>(n), '\0');
  if (!WriteBytes(s, ArgAddress(s, 0), out.data(), out.size())) return kSysBadString;
  SetCharPointerResult(s, ArgAddress(s, 0));
  return 0;
}

int Find(VmState& s) {
  std::string t[2];
  if (!Texts(s, 0, 2, t)) return kSysBadString;
  size_t at = t[0].find(t[1]);
  SetCharPointerResult(s, at == std::string::npos ? 0 : ArgAddress(s, 0) + static_cast<uint32_t>(at));
  return 0;
}

// The runtime's tokenizer, its position kept per machine: a null text goes on
// after the previous token.
int Tokenize(VmState& s) {
  uint32_t start = ArgAddress(s, 0) ? ArgAddress(s, 0) : s.memory.TokenNext();
  std::string delimiters;
  if (!ReadText(s, ArgAddress(s, 1), &delimiters)) return kSysBadString;
  SetCharPointerResult(s, 0);
  if (start == 0) return 0;
  std::string text;
  if (!ReadText(s, start, &text)) return kSysBadString;
  size_t first = text.find_first_not_of(delimiters);
  if (first == std::string::npos) {
    s.memory.SetTokenNext(0);
    return 0;
  }
  size_t end = text.find_first_of(delimiters, first);
  if (end == std::string::npos) {
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
