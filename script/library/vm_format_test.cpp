// The format grammar of sprintf, printf and snprintf against generated
// hostile formats: every combination of flags, widths, precisions, size
// letters from the whole ASCII range and conversion characters from the
// whole byte range is either formatted exactly as the platform formats that
// conversion (with its one argument of the right type), or refused with the
// format code; no format writes outside the destination or through an
// argument, or reads through one that was not checked.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <regex>
#include <string>
#include <vector>

#include "../../compiler/opcodes.h"
#include "crtformat.h"
#include "vm_program.h"
#include "vm_test_util.h"
#include "vmcodes.h"
#include "vmstorage.h"

namespace {

using namespace tarnic;

// The grammar written a second way, as one expression over the whole format:
// plain text and "%%", at most one conversion, plain text again.
const std::regex kOneConversion(
    "^((?:[^%]|%%)*)(?:%([-+ #0]*)([1-9][0-9]*|\\*)?(\\.([0-9]*|\\*))?(I64|I32|ll|h|l|L)?([diouxXeEfgGcsp])"
    "((?:[^%]|%%)*))?$");

enum class Kind { kInt32, kInt64, kDouble, kChar, kText, kAddress, kNone };

// The sizes each conversion character allows, and what it reads.
Kind KindOf(const std::string& size, char conversion) {
  using Sizes = std::vector<std::string>;
  auto in = [&size](const Sizes& sizes) {
    return std::find(sizes.begin(), sizes.end(), size) != sizes.end();
  };
  if (std::strchr("diouxX", conversion)) {
    if (in(Sizes{"", "h", "l", "I32"})) return Kind::kInt32;
    if (in(Sizes{"I64", "ll"})) return Kind::kInt64;
  }
  if (std::strchr("eEfgG", conversion) && in(Sizes{"", "l", "L"})) return Kind::kDouble;
  if (conversion == 'c' && in(Sizes{"", "h"})) return Kind::kChar;
  if (conversion == 's' && in(Sizes{"", "h"})) return Kind::kText;
  if (conversion == 'p' && size.empty()) return Kind::kAddress;
  return Kind::kNone;
}

constexpr int kLimit = 65536;
constexpr size_t kRoom = 200000;  // the destination: the widest allowed conversion fits
constexpr size_t kGuard = 64;

constexpr size_t kArenaBytes = kGuard + kRoom + kGuard;

// Guard bytes around the destination, and a word that an argument points
// at: none of them may change. Both lie where scripts can address memory,
// the machine's own storage; only the destination enters the memory map.
unsigned char* const g_arena = static_cast<unsigned char*>(VmStorageAllocate(kArenaBytes));
unsigned char g_fill[kArenaBytes];  // what the arena holds before a format
uint32_t* const g_target = [] {
  auto* word = static_cast<uint32_t*>(VmStorageAllocate(sizeof(uint32_t)));
  *word = 0x5A5A5A5A;
  return word;
}();

uint32_t Address(const void* p) { return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(p)); }

class FormatGrammar : public ::testing::Test {
 public:
  FormatGrammar() {
    VmProgram p;
    p.Global(0x90, 1024);               // the format text
    p.Global(0x90, 11, "hello world");  // a text for %s
    p.code = {I(OP_RET)};
    std::vector<uint8_t> bytes = p.Bytes();
    EXPECT_EQ(vm.Load(bytes.data(), bytes.size()), 0);
    EXPECT_TRUE(vm.State().memory.AddBuffer(g_arena + kGuard, kRoom));
    std::memset(g_arena, 0xCC, kArenaBytes);
    std::memset(g_fill, 0xCC, sizeof g_fill);
  }
  ~FormatGrammar() override { vm.State().memory.Remove(g_arena + kGuard); }

  char* FormatBuffer() {
    return reinterpret_cast<char*>(static_cast<uintptr_t>(Low32(vm.State().globals->Cell(0)->value)));
  }
  uint32_t Hello() { return Low32(vm.State().globals->Cell(1)->value); }
  const char* Destination() { return reinterpret_cast<const char*>(g_arena + kGuard); }

  // sprintf(destination, format, values...) called as a script calls it.
  int Sprintf(const std::string& format, const std::vector<VmCell>& values) {
    std::memcpy(FormatBuffer(), format.c_str(), format.size() + 1);
    VmState& s = vm.State();
    s.args.clear();
    for (auto it = values.rbegin(); it != values.rend(); ++it) s.args.push_back(*it);
    s.args.push_back(MakeAddress(0x10, Address(FormatBuffer())));
    s.args.push_back(MakeAddress(0x10, Address(Destination())));
    s.args.push_back(MakeInt32(static_cast<int32_t>(values.size() + 3)));
    s.budget_left = kVmInstructionBudget;
    s.over_budget = false;
    return vm.CallFunction(200);
  }

  // Nothing outside the text and its zero changed, and the argument's target
  // is untouched. The text is filled again for the next format.
  bool Untouched(size_t written) {
    const bool clean = std::memcmp(g_arena, g_fill, kGuard) == 0 &&
                       std::memcmp(g_arena + kGuard + written, g_fill, kArenaBytes - kGuard - written) == 0 &&
                       *g_target == 0x5A5A5A5A;
    std::memset(clean ? g_arena + kGuard : g_arena, 0xCC, clean ? written : kArenaBytes);
    return clean;
  }

  // What the grammar says about a format: refused, or the text the platform
  // makes of it with the star values and one argument of the conversion's kind.
  bool Expected(const std::string& format, const std::vector<int32_t>& stars, std::string* text) {
    std::smatch m;
    kind = Kind::kNone;
    star_args = stars;  // a format outside the expression is given both
    if (!std::regex_match(format, m, kOneConversion)) return false;
    star_args.clear();
    if (!m[7].matched) {
      *text = qel::FormatStr(format.c_str());  // plain text and "%%" only
      return true;
    }
    kind = KindOf(m[6].str(), m[7].str()[0]);
    if (kind == Kind::kNone) return false;
    std::string conversion = "%" + m[2].str();
    std::vector<int32_t> star_values;
    if (m[3].matched) {
      if (m[3].str() == "*") {
        int32_t w = stars[0];
        star_args.push_back(w);
        if (w < -kLimit || w > kLimit) return false;
        star_values.push_back(w);
        conversion += "*";
      } else {
        if (m[3].length() > 6 || std::stoi(m[3].str()) > kLimit) return false;
        conversion += m[3].str();
      }
    }
    if (m[4].matched) {
      if (m[5].str() == "*") {
        int32_t p = stars[1];
        star_args.push_back(p);
        if (p > kLimit) return false;
        // A negative precision read from the arguments means none.
        if (p >= 0) {
          star_values.push_back(p);
          conversion += ".*";
        }
      } else {
        if (m[5].length() > 6 || (m[5].length() > 0 && std::stoi(m[5].str()) > kLimit)) return false;
        conversion += m[4].str();
      }
    }
    conversion += m[6].str() + m[7].str();
    const std::string platform = m[1].str() + conversion + m[8].str();
    *text = Platform(platform, star_values);
    return true;
  }

  // The values a format is given: its star values, then one argument of the
  // kind the grammar reads; a refused one gets pointers to `hostile` (the
  // target word, which a "%n" would change, or an address in the unmapped
  // first page, which any read through an unchecked argument would hit).
  std::vector<VmCell> Values(bool accepted, uint32_t hostile) {
    std::vector<VmCell> values;
    for (int32_t star : star_args) values.push_back(MakeInt32(star));
    if (!accepted) {
      values.push_back(MakeAddress(0x20 | VB_I32, hostile));
      values.push_back(MakeAddress(0x20 | VB_I8, hostile));
      return values;
    }
    switch (kind) {
      case Kind::kInt32: values.push_back(MakeInt32(-1234567)); break;
      case Kind::kInt64: values.push_back(MakeInt64(-(int64_t(1) << 40) - 5)); break;
      case Kind::kDouble: values.push_back(MakeDouble(-1234.5678)); break;
      case Kind::kChar: values.push_back(MakeInt32('Q')); break;
      case Kind::kText: values.push_back(MakeAddress(0x10, Hello())); break;
      case Kind::kAddress: values.push_back(MakeAddress(0x20 | VB_I8, 0x1234)); break;
      case Kind::kNone: break;
    }
    return values;
  }

  // Checks one format; false (with a failure) when it breaks the grammar.
  bool Check(const std::string& format, const std::vector<int32_t>& stars) {
    std::string expected;
    const bool accepted = Expected(format, stars, &expected);
    for (uint32_t hostile : {Address(g_target), 16u}) {
      const int rc = Sprintf(format, Values(accepted, hostile));
      const size_t length = rc == 0 ? static_cast<size_t>(vm.Accumulator().value) : 0;
      const std::string got(Destination(), length < kRoom ? length : 0);
      const bool right =
          accepted ? rc == 0 && got == expected && Destination()[length] == '\0' : rc == kSysBadFormat;
      if (!right) {
        ADD_FAILURE() << "format \"" << format
                      << "\": " << (accepted ? "expected \"" + expected + "\"" : "expected refusal")
                      << ", got code " << rc << " and \"" << got << "\"";
        return false;
      }
      if (!Untouched(accepted ? expected.size() + 1 : 0)) {
        ADD_FAILURE() << "format \"" << format << "\" wrote outside its text";
        return false;
      }
      if (accepted) break;  // an accepted format reads no pointer but its checked text
    }
    return true;
  }

  Kind kind = Kind::kNone;         // what the format's conversion reads
  std::vector<int32_t> star_args;  // and the star values it reads before it, in order
  CScriptVM vm;

 private:
  std::string Platform(const std::string& format, const std::vector<int32_t>& stars) {
    switch (kind) {
      case Kind::kInt32: return WithStars(format, stars, int32_t(-1234567));
      case Kind::kInt64: return WithStars(format, stars, -(int64_t(1) << 40) - 5);
      case Kind::kDouble: return WithStars(format, stars, -1234.5678);
      case Kind::kChar: return WithStars(format, stars, int32_t('Q'));
      case Kind::kText: return WithStars(format, stars, "hello world");
      case Kind::kAddress: return WithStars(format, stars, reinterpret_cast<void*>(0x1234));
      case Kind::kNone: break;
    }
    return "";
  }

  template <typename T>
  static std::string WithStars(const std::string& format, const std::vector<int32_t>& stars, T value) {
    if (stars.empty()) return qel::FormatStr(format.c_str(), value);
    if (stars.size() == 1) return qel::FormatStr(format.c_str(), stars[0], value);
    return qel::FormatStr(format.c_str(), stars[0], stars[1], value);
  }
};

// A width or precision with the value a "*" reads.
struct Number {
  const char* text;
  int32_t star;
};

// The values that the first and second "*" of a format read (a size or
// conversion byte of "*" makes one where the form has none).
std::vector<int32_t> StarsOf(const Number& width, const Number& precision) {
  return {std::strchr(width.text, '*') ? width.star : 4,
          std::strchr(precision.text, '*') ? precision.star : 2};
}

// Every size letter of the ASCII range (and the longer sizes) with every
// conversion byte, under a few flag, width and precision forms.
TEST_F(FormatGrammar, EverySizeLetterWithEveryConversionByte) {
  std::vector<std::string> sizes = {"", "I64", "I32", "ll", "hh", "I6", "I3"};
  for (int c = 1; c < 128; ++c) sizes.push_back(std::string(1, static_cast<char>(c)));
  struct Form {
    const char* flags;
    Number width, precision;
  } forms[] = {{"", {"", 0}, {"", 0}},
               {"-0", {"*", 9}, {".*", 3}},
               {"+ #", {"12", 0}, {".4", 0}},
               {"", {"65537", 0}, {"", 0}}};
  int failures = 0;
  for (const Form& form : forms)
    for (const std::string& size : sizes)
      for (int conversion = 1; conversion < 256 && failures < 20; ++conversion) {
        std::string format = std::string("<") + "%" + form.flags + form.width.text + form.precision.text +
                             size + static_cast<char>(conversion) + ">";
        if (!Check(format, StarsOf(form.width, form.precision))) ++failures;
      }
}

const char* const kConversions[] = {"d",    "i",  "o",  "u",   "x",  "X",  "e",  "E",    "f", "g",
                                    "G",    "c",  "s",  "p",   "n",  "S",  "C",  "a",    "Z", "%",
                                    "I64d", "ld", "hd", "lld", "Lf", "ls", "hs", "I64s", "ln"};

// Checks prefix + "%" + flags + width + precision + conversion + "|" for
// every combination; stops after 20 failures.
void CheckEveryCombination(FormatGrammar& t, const std::vector<const char*>& prefixes,
                           const std::vector<const char*>& flag_sets, const std::vector<Number>& widths,
                           const std::vector<Number>& precisions) {
  int failures = 0;
  for (const char* prefix : prefixes)
    for (const char* flags : flag_sets)
      for (const Number& width : widths)
        for (const Number& precision : precisions)
          for (const char* conversion : kConversions) {
            if (failures >= 20) return;
            std::string format =
                std::string(prefix) + "%" + flags + width.text + precision.text + conversion + "|";
            if (!t.Check(format, StarsOf(width, precision))) ++failures;
          }
}

// Every combination of plain text before, flags, widths (with "*" values in
// and out of range), precisions and the conversions with their usual sizes.
TEST_F(FormatGrammar, EveryFlagWidthAndPrecisionCombination) {
  CheckEveryCombination(
      *this, {"", "AAAA", "%%", "x%%y"}, {"", "-", "+", " ", "#", "0", "-+ #0", "00--"},
      {{"", 0}, {"7", 0}, {"*", 5}, {"*", -6}, {"*", -65537}, {"*", 70000}, {"65537", 0}, {"99999999999", 0}},
      {{"", 0}, {".", 0}, {".0", 0}, {".3", 0}, {".*", 3}, {".*", -2}, {".*", 70000}, {".65537", 0}});
}

// The largest widths and precisions are formatted whole.
TEST_F(FormatGrammar, TheLargestWidthsAndPrecisions) {
  CheckEveryCombination(*this, {""}, {"", "-0"}, {{"", 0}, {"65536", 0}, {"*", 65536}, {"*", -65536}},
                        {{"", 0}, {".65536", 0}, {".*", 65536}});
}

// Formats that the platform's own grammar reads differently from a simple
// check: a script that tries them ends with the format code, and the word
// its argument names is untouched.
TEST(FormatScripts, FormatsThatOnceReachedThePlatformAreRefused) {
  for (const char* format :
       {"AAAA%5%n", "%Fs", "%5%n", "%hn", "%I64n", "%-%n", "%.%s", "%ls", "%S", "%C", "%Z"}) {
    LoadedScript s(
        std::string("char b[64]; int guard; int *p; int main() { guard = 7; p = &guard; sprintf(b, \"") +
        format + "\", p, p, 305419896); guard = 8; return 0; }");
    EXPECT_EQ(s.Run(), kVmSystemFailed) << format;
    EXPECT_EQ(s.vm.LastSystemCode(), kSysBadFormat) << format;
    EXPECT_EQ(s.Int(1), 7) << format;
    EXPECT_EQ(s.Text(0), "") << format;
  }
}

}  // namespace
