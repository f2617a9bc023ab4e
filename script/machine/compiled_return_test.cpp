// Values returned by script functions reach their callers as the declared
// result type: scripts compiled in-process and run on the script machine.
#include <gtest/gtest.h>

#include <string>

#include "vm_test_util.h"
#include "vmcodes.h"

namespace {

// The text that main leaves in the global buffer b (cell 0).
std::string Printed(const std::string& functions, const std::string& main_body) {
  LoadedScript s("char b[64];\n" + functions + "\nint main() { " + main_body + " return 0; }");
  EXPECT_EQ(s.Run(), kVmNormalEnd) << functions;
  return s.Text(0);
}

// The returned value kinds: constants, variables and computed values, of an
// integer and of a real type (127216 is 0x1F0F0: its low byte and low word
// have their top bits set).
const char* const kIntegerKinds[] = {
    "return 127216;",
    "int v; v = 127216; return v;",
    "int v; v = 63608; return v * 2;",
};
const char* const kRealKinds[] = {
    "return 127216.75;",
    "double v; v = 127216.75; return v;",
    "double v; v = 254433.5; return v / 2;",
};

struct DeclaredType {
  const char* type;
  const char* format;        // prints the value as that type
  const char* from_integer;  // what each integer kind gives
  const char* from_real;     // what each real kind gives
};

const DeclaredType kDeclaredTypes[] = {
    {"char", "%d", "-16", "-16"},
    {"unsigned char", "%u", "240", "240"},
    {"short", "%d", "-3856", "-3856"},
    {"unsigned short", "%u", "61680", "61680"},
    {"int", "%d", "127216", "127216"},
    {"unsigned", "%u", "127216", "127216"},
    {"int64", "%I64d", "127216", "127216"},
    {"float", "%.2f", "127216.00", "127216.75"},
    {"double", "%.2f", "127216.00", "127216.75"},
};

TEST(CompiledReturn, EveryDeclaredTypeTakesEveryValueKind) {
  for (const DeclaredType& t : kDeclaredTypes) {
    // A following argument shows that the value took its type's room in the
    // variable argument list.
    const std::string call = std::string("sprintf(b, \"") + t.format + "|%d\", f(), 5);";
    for (const char* body : kIntegerKinds)
      EXPECT_EQ(Printed(std::string(t.type) + " f() { " + body + " }", call),
                std::string(t.from_integer) + "|5")
          << t.type << ": " << body;
    for (const char* body : kRealKinds)
      EXPECT_EQ(Printed(std::string(t.type) + " f() { " + body + " }", call), std::string(t.from_real) + "|5")
          << t.type << ": " << body;
  }
}

TEST(CompiledReturn, AnIntFunctionReturningAQuotientGivesAnInt) {
  LoadedScript s(
      "char b[64]; int x; int twice;\n"
      "int half() { double d; d = 7; return d / 2; }\n"
      "int main() { x = half(); twice = half() * 2; sprintf(b, \"%d %d %d\", half(), 5, x); return 0; }");
  ASSERT_EQ(s.Run(), kVmNormalEnd);
  EXPECT_EQ(s.Text(0), "3 5 3");
  EXPECT_EQ(s.Int(2), 6);  // the caller computes with the int 3, not with 3.5
}

TEST(CompiledReturn, PointerAndCharacterResults) {
  EXPECT_EQ(Printed("char *name() { return \"abc\"; }", "sprintf(b, \"%s|%d\", name(), 5);"), "abc|5");
  EXPECT_EQ(Printed("char *none() { return 0; }", "sprintf(b, \"%d|%d\", none() == 0, 5);"), "1|5");
  EXPECT_EQ(Printed("int code(char *s) { return s[1]; }", "sprintf(b, \"%d|%d\", code(\"AB\"), 5);"), "66|5");
}

}  // namespace
