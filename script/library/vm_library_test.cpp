// The library functions called from compiled scripts, a table of cases per
// family.
#include <gtest/gtest.h>

#include <string>

#include "vm_test_util.h"
#include "vmcodes.h"

namespace {

struct IntCase {
  const char* expression;
  int32_t expected;
};

class LibraryInt : public ::testing::TestWithParam<IntCase> {};

TEST_P(LibraryInt, GivesItsValue) {
  const IntCase& c = GetParam();
  LoadedScript s(std::string("int r; int main() { r = ") + c.expression + "; return 0; }");
  ASSERT_EQ(s.Run(), kVmNormalEnd) << c.expression;
  EXPECT_EQ(s.Int(0), c.expected) << c.expression;
}

INSTANTIATE_TEST_SUITE_P(Colour, LibraryInt,
                         ::testing::Values(IntCase{"RGB(255, 0, 0)", 255},
                                           IntCase{"RGB(0, 0, 255)", 0xFF0000},
                                           IntCase{"RGB(256, 0, 0)", 256},
                                           IntCase{"RGB(1, 2, 3)", 0x030201}));

}  // namespace

namespace {

INSTANTIATE_TEST_SUITE_P(Numeric, LibraryInt,
                         ::testing::Values(IntCase{"abs(-5)", 5}, IntCase{"abs(5)", 5},
                                           IntCase{"labs(-7)", 7}, IntCase{"abs(-2147483647 - 1)", INT32_MIN},
                                           IntCase{"atol(\"123abc\")", 123}, IntCase{"atol(\"-42\")", -42},
                                           IntCase{"atol(\"x\")", 0}));

INSTANTIATE_TEST_SUITE_P(Strings, LibraryInt,
                         ::testing::Values(IntCase{"strlen(\"hello\")", 5}, IntCase{"strlen(\"\")", 0},
                                           IntCase{"strlen(\"中文\")", 4}, IntCase{"strcmp(\"b\", \"a\")", 1},
                                           IntCase{"strcmp(\"a\", \"b\")", -1},
                                           IntCase{"strcmp(\"a\", \"a\")", 0},
                                           IntCase{"strcmp(\"\xb0\", \"a\")", 1},  // bytes compare unsigned
                                           IntCase{"stricmp(\"ABC\", \"abc\")", 0},
                                           IntCase{"stricmp(\"abc\", \"ABD\") < 0", 1},
                                           IntCase{"strncmp(\"abcd\", \"abce\", 3)", 0},
                                           IntCase{"strncmp(\"abcd\", \"abce\", 4) < 0", 1},
                                           IntCase{"strncmp(\"ab\", \"abc\", 0)", 0}));

struct DoubleCase {
  const char* expression;
  double expected;
};

class LibraryDouble : public ::testing::TestWithParam<DoubleCase> {};

TEST_P(LibraryDouble, GivesItsValue) {
  const DoubleCase& c = GetParam();
  LoadedScript s(std::string("double d; int main() { d = ") + c.expression + "; return 0; }");
  ASSERT_EQ(s.Run(), kVmNormalEnd) << c.expression;
  EXPECT_NEAR(s.Double(0), c.expected, 1e-12) << c.expression;
}

INSTANTIATE_TEST_SUITE_P(
    Numeric, LibraryDouble,
    ::testing::Values(
        DoubleCase{"acos(1.0)", 0.0}, DoubleCase{"asin(1.0)", 1.5707963267948966},
        DoubleCase{"atan(1.0) * 4", 3.141592653589793}, DoubleCase{"cos(0.0)", 1.0},
        DoubleCase{"exp(1.0)", 2.718281828459045}, DoubleCase{"fabs(-2.5)", 2.5},
        DoubleCase{"fmod(7.5, 2.0)", 1.5}, DoubleCase{"log(1.0)", 0.0}, DoubleCase{"log10(1000.0)", 3.0},
        DoubleCase{"pow(2.0, 10.0)", 1024.0}, DoubleCase{"sin(0.0)", 0.0}, DoubleCase{"tan(0.0)", 0.0},
        DoubleCase{"sqrt(16.0)", 4.0}, DoubleCase{"ceil(1.2)", 2.0}, DoubleCase{"floor(-1.5)", -2.0},
        DoubleCase{"atof(\"2.5e1\")", 25.0}, DoubleCase{"sqrt(2)", 1.4142135623730951},
        DoubleCase{"MakeTime(1899, 1, 1, 0, 0, 0)", 0.0}, DoubleCase{"MakeTime(2000, 13, 1, 0, 0, 0)", 0.0},
        DoubleCase{"MakeTime(2000, 1, 0, 0, 0, 0)", 0.0}, DoubleCase{"MakeTime(2000, 1, 32, 0, 0, 0)", 0.0},
        DoubleCase{"MakeTime(3000, 1, 1, 0, 0, 0)", 0.0}));

// Statements over a character buffer b, an int r, a second buffer t, a char
// pointer p and a null char pointer z; the text of b and the value of r.
struct TextCase {
  const char* statements;
  const char* text;
  int32_t r;
};

class LibraryText : public ::testing::TestWithParam<TextCase> {};

TEST_P(LibraryText, LeavesItsText) {
  const TextCase& c = GetParam();
  LoadedScript s(std::string("char b[40]; int r; char t[40]; char *p; char *z; int64 q; char c; float f;"
                             " int main() { ") +
                 c.statements + " return 0; }");
  ASSERT_EQ(s.Run(), kVmNormalEnd) << c.statements;
  EXPECT_EQ(s.Text(0), c.text) << c.statements;
  EXPECT_EQ(s.Int(1), c.r) << c.statements;
}

INSTANTIATE_TEST_SUITE_P(
    Strings, LibraryText,
    ::testing::Values(
        TextCase{"strcpy(b, \"abc\"); strcat(b, \"def\"); r = strlen(b);", "abcdef", 6},
        TextCase{"strcpy(b, \"abc\"); strcat(b, b);", "abcabc", 0},
        TextCase{"strcpy(b, \"AbC丄x\"); strlwr(b);", "abc丄x", 0},
        TextCase{"strcpy(b, \"aBc丄x\"); strupr(b);", "ABC丄X", 0},
        TextCase{"strcpy(b, \"xxxxxx\"); strncpy(b, \"ab\", 4); r = b[3] + 10 * b[4];", "ab", 1200},
        TextCase{"strcpy(b, \"xxxxxx\"); strncpy(b, \"abcdef\", 3);", "abcxxx", 0},
        TextCase{"strcpy(b, strstr(\"hello world\", \"wor\"));", "world", 0},
        TextCase{"if (strstr(\"abc\", \"x\") == z) r = 1;", "", 1},
        TextCase{
            "strcpy(t, \"a,b;;c,\"); p = strtok(t, \",;\"); while (p) { r++; strcat(b, p); p = strtok(z, \",;\"); }",
            "abc", 3},
        TextCase{"strcpy(t, \";;\"); p = strtok(t, \";\"); if (p == z) r = 1;", "", 1}));

INSTANTIATE_TEST_SUITE_P(
    Format, LibraryText,
    ::testing::Values(
        TextCase{"r = sprintf(b, \"%d-%s\", 42, \"x\");", "42-x", 4},
        TextCase{"r = sprintf(b, \"abc\");", "abc", 3},
        TextCase{"sprintf(b, \"%G\", 1000000.0);", "1E+006", 0},
        TextCase{"sprintf(b, \"%e\", 12.5);", "1.250000e+001", 0},
        TextCase{"q = 1048576; q = q * 1048576; sprintf(b, \"%I64d|%d\", q, 7);", "1099511627776|7", 0},
        TextCase{"sprintf(b, \"%5.2f|%c|%x|%-3d|\", 3.14159, 65, 255, 1);", " 3.14|A|ff|1  |", 0},
        TextCase{"c = -3; f = 1.5; sprintf(b, \"%d %.1f\", c, f);", "-3 1.5", 0},
        TextCase{"sprintf(b, \"%s|%.2s\", z, \"xyz\");", "(null)|xy", 0},
        TextCase{"sprintf(b, \"%*d|%%\", 4, 7);", "   7|%", 0},
        TextCase{"sprintf(b, \"%*d|\", -3, 7);", "7  |", 0},
        TextCase{"strcpy(b, \"zzzzzzzz\"); r = snprintf(b, 4, \"%s\", \"abcdef\");", "abcdzzzz", -1},
        TextCase{"r = snprintf(b, 10, \"%d\", 5);", "5", 1}, TextCase{"itoa(255, b, 16);", "ff", 0},
        TextCase{"itoa(-5, b, 10);", "-5", 0}, TextCase{"ltoa(-1, b, 16);", "ffffffff", 0},
        TextCase{"itoa(5, b, 1);", "", 0}, TextCase{"gcvt(3.14159, 3, b);", "3.14", 0}));

// Calls that would reach memory outside the script's variables fail and end
// the run; the neighbouring variable is untouched.
struct FailureCase {
  const char* statements;
  int code;
};

class LibraryFailure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(LibraryFailure, EndsTheRun) {
  const FailureCase& c = GetParam();
  LoadedScript s(std::string("char s[4]; int guard; char *z; int *n; int main() { guard = 7; ") +
                 c.statements + " guard = 8; return 0; }");
  EXPECT_EQ(s.Run(), kVmSystemFailed) << c.statements;
  EXPECT_EQ(s.vm.LastSystemCode(), c.code) << c.statements;
  EXPECT_EQ(s.Int(1), 7) << c.statements;
}

INSTANTIATE_TEST_SUITE_P(
    Bounds, LibraryFailure,
    ::testing::Values(FailureCase{"strlen(z);", kSysBadString},
                      FailureCase{"strcpy(s, \"abcde\");", kSysBadString},
                      FailureCase{"strcpy(s, \"ab\"); strcat(s, \"cde\");", kSysBadString},
                      FailureCase{"strncpy(s, \"a\", 9);", kSysBadString},
                      FailureCase{"sprintf(s, \"%d\", 123456);", kSysBadString},
                      FailureCase{"sprintf(s, \"%n\", s);", kSysBadFormat},
                      FailureCase{"sprintf(s, \"%s\", 12345);", kSysBadFormat},
                      FailureCase{"sprintf(s, \"%999999999d\", 1);", kSysBadFormat},
                      FailureCase{"sprintf(s, \"%*d\", 100000, 1);", kSysBadFormat},
                      FailureCase{"sprintf(s, \"%.100000f\", 1.0);", kSysBadFormat},
                      FailureCase{"snprintf(s, 9, \"%s\", \"abcdefgh\");", kSysBadString},
                      FailureCase{"itoa(-2147483647, s, 10);", kSysBadString},
                      FailureCase{"GmtTime(0, n, n, n, n, n, n);", kSysBadString}));

TEST(LibraryFormat, ExactFitsAreAccepted) {
  LoadedScript s(
      "char s[4]; int guard; int main() { guard = 7; strcpy(s, \"abcd\"); sprintf(s, \"%d\", 1234); return 0; }");
  EXPECT_EQ(s.Run(), kVmNormalEnd);
  EXPECT_EQ(s.Text(0), "1234");
  EXPECT_EQ(s.Int(1), 7);
}

TEST(LibraryFormat, LongTextsAreFormattedWhole) {
  LoadedScript s(
      "char big[1200]; int r; int main() { r = sprintf(big, \"%1000d|%s\", 1, \"end\"); return 0; }");
  ASSERT_EQ(s.Run(), kVmNormalEnd);
  EXPECT_EQ(s.Int(1), 1004);
  EXPECT_EQ(s.Text(0), std::string(999, ' ') + "1|end");
}

TEST(LibraryFormat, PrintfCountsItsCharacters) {
  LoadedScript s("int r; int main() { r = printf(\"vm %d\\n\", 5); return 0; }");
  ASSERT_EQ(s.Run(), kVmNormalEnd);
  EXPECT_EQ(s.Int(0), 5);
}

TEST(LibraryTime, GmtTimeBreaksDownInUtc) {
  LoadedScript s(
      "int y; int mo; int d; int h; int mi; int se; int r; int main() { int a; int b; int c; int e; int f; int g;"
      " r = GmtTime(86400 * 365 + 3661, &a, &b, &c, &e, &f, &g); y = a; mo = b; d = c; h = e; mi = f; se = g;"
      " return 0; }");
  ASSERT_EQ(s.Run(), kVmNormalEnd);
  EXPECT_EQ(s.Int(6), 1);
  const int expected[] = {1971, 1, 1, 1, 1, 1};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(s.Int(i), expected[i]) << i;
}

TEST(LibraryTime, MakeTimeAndLocalTimeRoundTrip) {
  LoadedScript s(
      "int y; int mo; int d; int h; int mi; int se; int r; int t; int main() {"
      " t = MakeTime(2020, 6, 15, 12, 30, 45); r = LocalTime(t, &y, &mo, &d, &h, &mi, &se); return 0; }");
  ASSERT_EQ(s.Run(), kVmNormalEnd);
  EXPECT_GT(s.Int(7), 1500000000);
  EXPECT_EQ(s.Int(6), 1);
  const int expected[] = {2020, 6, 15, 12, 30, 45};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(s.Int(i), expected[i]) << i;
}

TEST(LibraryTime, ClockFunctions) {
  LoadedScript s(
      "int now; unsigned long tick; double before; double after; int main() { int i; double x;"
      " now = time(); tick = GetTickCount(); before = EndCounTime(); StartCounTime();"
      " for (i = 0; i < 1000; i++) x = x + sqrt(i); after = EndCounTime(); return 0; }");
  ASSERT_EQ(s.Run(), kVmNormalEnd);
  EXPECT_GT(s.Int(0), 1600000000);
  EXPECT_NE(s.Global(1).value, 0u);
  EXPECT_EQ(s.Double(2), 0.0);  // before any StartCounTime
  EXPECT_GE(s.Double(3), 0.0);
  EXPECT_LT(s.Double(3), 60000.0);
}

}  // namespace
