// The machine running compiled scripts: arithmetic, control flow, calls,
// globals across runs, pointers and arrays, and the end codes.
#include <gtest/gtest.h>

#include <string>

#include "vm_test_util.h"
#include "vmcodes.h"

namespace {

struct IntCase {
  const char* expression;
  int32_t expected;
};

class IntExpression : public ::testing::TestWithParam<IntCase> {};

TEST_P(IntExpression, GivesItsValue) {
  const IntCase& c = GetParam();
  LoadedScript s(std::string("int r; int z; int main() { r = ") + c.expression + "; return 0; }");
  ASSERT_EQ(s.Run(), kVmNormalEnd) << c.expression;
  EXPECT_EQ(s.Int(0), c.expected) << c.expression;
}

INSTANTIATE_TEST_SUITE_P(
    Operators, IntExpression,
    ::testing::Values(IntCase{"1 + 2 * 3", 7}, IntCase{"(1 + 2) * 3", 9}, IntCase{"10 - 2 - 3", 5},
                      IntCase{"7 / 2", 3}, IntCase{"-7 / 2", -3}, IntCase{"7 % 3", 1}, IntCase{"-7 % 3", -1},
                      IntCase{"1 << 4", 16}, IntCase{"-16 >> 2", -4}, IntCase{"1 << 33", 2},
                      IntCase{"5 > 3", 1}, IntCase{"3 >= 4", 0}, IntCase{"3 <= 3", 1}, IntCase{"2 < 1", 0},
                      IntCase{"2 == 2", 1}, IntCase{"2 != 2", 0}, IntCase{"6 & 3", 2}, IntCase{"6 ^ 3", 5},
                      IntCase{"6 | 3", 7}, IntCase{"1 | 2 ^ 3 & 4", 3}, IntCase{"!0", 1}, IntCase{"!5", 0},
                      IntCase{"~0", -1}, IntCase{"-(3 + 4)", -7}, IntCase{"1 && 0", 0}, IntCase{"0 || 2", 1},
                      IntCase{"1 ? 5 : 6", 5}, IntCase{"z ? 5 : 6", 6}, IntCase{"1 + 2 < 4 && 2 * 3 == 6", 1},
                      IntCase{"2147483647 + 1", INT32_MIN}, IntCase{"(int) 2.9", 2},
                      IntCase{"(int) -2.9", -2}, IntCase{"(char) 300", 44},
                      IntCase{"(unsigned char) -1", 255}));

TEST(VmArithmetic, RealValuesComputeInDouble) {
  LoadedScript s("double d; double e; int main() { d = 1.5 * 2 + 0.25; e = 0.0; e = 1.0 / e; return 0; }");
  ASSERT_EQ(s.Run(), kVmNormalEnd);
  EXPECT_DOUBLE_EQ(s.Double(0), 3.25);
  EXPECT_TRUE(s.Double(1) > 1e308);  // real division by zero is no error
}

TEST(VmArithmetic, NarrowTypesComputeInTheirOwnWidth) {
  LoadedScript s(
      "char c; int r; int w; int main() { c = 100; c = c + c; r = c; c = 100; w = c * 3; return 0; }");
  ASSERT_EQ(s.Run(), kVmNormalEnd);
  EXPECT_EQ(s.Int(1), -56);
  EXPECT_EQ(s.Int(2), 300);  // with an int operand the char is widened first
}

TEST(VmArithmetic, FloatWithInt64ComputesInInt64) {
  LoadedScript s("float f; int64 i; int64 r; int main() { f = 2.75; i = 10; r = i + f; return 0; }");
  ASSERT_EQ(s.Run(), kVmNormalEnd);
  EXPECT_EQ(s.Int(2), 12);
}

TEST(VmArithmetic, CompoundAssignmentsConvertToTheTarget) {
  LoadedScript s(
      "int i; double d; int s; int main() { i = 7; i *= 3; i -= 1; i /= 3; i %= 4; i <<= 3; i |= 1; i ^= 3; i &= 14;"
      " d = 1; d += 2; d *= 1.5; s = 1; s += 2.5; return 0; }");
  ASSERT_EQ(s.Run(), kVmNormalEnd);
  // 21, 20, 6, 2, 16, 17, 18, 2
  EXPECT_EQ(s.Int(0), 2);
  EXPECT_DOUBLE_EQ(s.Double(1), 4.5);
  EXPECT_EQ(s.Int(2), 3);  // 1 + 2.5 computed as double, stored truncated
}

TEST(VmArithmetic, IncrementsPrefixAndPostfix) {
  LoadedScript s("int i; int a; int b; int main() { i = 5; a = i++; b = ++i; i--; --i; return 0; }");
  ASSERT_EQ(s.Run(), kVmNormalEnd);
  EXPECT_EQ(s.Int(0), 5);
  EXPECT_EQ(s.Int(1), 5);
  EXPECT_EQ(s.Int(2), 7);
}

TEST(VmArithmetic, IntegerDivisionByZeroEndsTheRun) {
  for (const char* body : {"r = 5 / z;", "r = 5 % z;", "r = 5; r /= z;", "r = 5; r %= z;"}) {
    LoadedScript s(std::string("int r; int z; int main() { ") + body + " return 0; }");
    EXPECT_EQ(s.Run(), kVmDivideByZero) << body;
  }
}

// The quotients that overflow their type would trap in native code.
TEST(VmArithmetic, LowestIntegerDividedByMinusOneEndsTheRun) {
  const std::string lowest32 = "int c; int d; int main() { c = -2147483647 - 1; d = -1; ";
  const std::string lowest64 = "int64 a; int64 b; int main() { a = 1; a = a << 31; a = a * a * 2; b = -1; ";
  for (const std::string& source : {lowest32 + "c = c / d; return 0; }", lowest32 + "c = c % d; return 0; }",
                                    lowest32 + "c /= d; return 0; }", lowest32 + "c %= -1; return 0; }",
                                    lowest64 + "a = a / b; return 0; }", lowest64 + "a %= b; return 0; }"}) {
    LoadedScript s(source);
    EXPECT_EQ(s.Run(), kVmDivideOverflow) << source;
  }
  // One above the lowest, and the narrow types (computed without a trap), divide.
  LoadedScript s(
      "int c; char h; int main() { c = -2147483647; c = c / -1; h = -128; h = h / -1; return 0; }");
  EXPECT_EQ(s.Run(), kVmNormalEnd);
  EXPECT_EQ(s.Int(0), 2147483647);
  EXPECT_EQ(s.Int(1), -128);
}

TEST(VmControl, LoopsSumOneToHundred) {
  LoadedScript s(
      "int w; int f; int d; int i; int main() {"
      " i = 1; while (i <= 100) { w += i; i++; }"
      " for (i = 1; i <= 100; i++) f += i;"
      " i = 1; do { d += i; i++; } while (i <= 100);"
      " return 0; }");
  ASSERT_EQ(s.Run(), kVmNormalEnd);
  EXPECT_EQ(s.Int(0), 5050);
  EXPECT_EQ(s.Int(1), 5050);
  EXPECT_EQ(s.Int(2), 5050);
}

TEST(VmControl, BreakAndContinue) {
  LoadedScript s(
      "int odd; int last; int main() { int i;"
      " for (i = 0; i < 100; i++) { if (i % 2 == 0) continue; if (i > 9) break; odd += i; }"
      " last = i; i = 0; while (1) { i++; if (i == 7) break; } odd = odd * 100 + i; return 0; }");
  ASSERT_EQ(s.Run(), kVmNormalEnd);
  EXPECT_EQ(s.Int(0), 2507);  // 1 + 3 + 5 + 7 + 9, then 7
  EXPECT_EQ(s.Int(1), 11);
}

TEST(VmControl, IfElseChains) {
  LoadedScript s(
      "int r; int k(int v) { if (v < 0) return -1; else if (v == 0) return 0; else return 1; }"
      " int main() { r = k(-5) * 100 + k(0) * 10 + k(9); return 0; }");
  ASSERT_EQ(s.Run(), kVmNormalEnd);
  EXPECT_EQ(s.Int(0), -99);
}

TEST(VmCalls, FirstArgumentIsTheFirstParameter) {
  LoadedScript s(
      "int r; double q; int sub(int a, int b) { return a - b; }"
      " double mix(int a, double b, int c) { return a * 100 + b * 10 + c; }"
      " int main() { r = sub(10, 3); q = mix(1, 2.5, 3); return 0; }");
  ASSERT_EQ(s.Run(), kVmNormalEnd);
  EXPECT_EQ(s.Int(0), 7);
  EXPECT_DOUBLE_EQ(s.Double(1), 128.0);
}

TEST(VmCalls, Recursion) {
  LoadedScript s(
      "int r; int f; int fib(int n) { if (n < 2) return n; return fib(n - 1) + fib(n - 2); }"
      " int fact(int n) { if (n <= 1) return 1; return n * fact(n - 1); }"
      " int main() { r = fib(15); f = fact(10); return 0; }");
  ASSERT_EQ(s.Run(), kVmNormalEnd);
  EXPECT_EQ(s.Int(0), 610);
  EXPECT_EQ(s.Int(1), 3628800);
}

TEST(VmCalls, LocalsAreFreshPerCall) {
  LoadedScript s(
      "int r; int depth(int n) { int here; here = n; if (n > 0) depth(n - 1); return here; }"
      " int main() { r = depth(5); return 0; }");
  ASSERT_EQ(s.Run(), kVmNormalEnd);
  EXPECT_EQ(s.Int(0), 5);
}

TEST(VmCalls, RunawayRecursionEndsWithAnEndCode) {
  LoadedScript s("int f(int n) { return f(n + 1); } int main() { f(0); return 0; }");
  EXPECT_EQ(s.Run(), kVmGrowReturnStack);
  // The machine is usable again afterwards.
  EXPECT_EQ(s.Run(), kVmGrowReturnStack);
}

TEST(VmGlobals, InitialValuesRunOnlyOnTheFirstRun) {
  LoadedScript s(
      "int g = 5; int n; double d = 1.5; int main() { n = n + 1; g = g + 1; d = d * 2; return 0; }");
  ASSERT_EQ(s.Run(), kVmNormalEnd);
  EXPECT_EQ(s.Int(0), 6);
  EXPECT_EQ(s.Int(1), 1);
  EXPECT_DOUBLE_EQ(s.Double(2), 3.0);
  ASSERT_EQ(s.Run(), kVmNormalEnd);
  EXPECT_EQ(s.Int(0), 7);
  EXPECT_EQ(s.Int(1), 2);
  EXPECT_DOUBLE_EQ(s.Double(2), 6.0);
}

TEST(VmGlobals, TwoMachinesSideBySideKeepTheirOwnGlobals) {
  const char* source = "int n; int main() { n = n + 1; return 0; }";
  LoadedScript a(source), b(source);
  for (int i = 0; i < 3; ++i) ASSERT_EQ(a.Run(), kVmNormalEnd);
  ASSERT_EQ(b.Run(), kVmNormalEnd);
  EXPECT_EQ(a.Int(0), 3);
  EXPECT_EQ(b.Int(0), 1);
}

TEST(VmPointers, ArrayIndexingIsScaledByTheElementSize) {
  LoadedScript s(
      "int a[5]; double d[4]; short h[3]; int r; double q; int w; int main() { int i;"
      " for (i = 0; i < 5; i++) a[i] = i * 10;"
      " for (i = 0; i < 4; i++) d[i] = i + 0.5;"
      " h[0] = 1; h[1] = -2; h[2] = 3;"
      " r = a[0] + a[3]; q = d[1] + d[3]; w = h[1] * h[2]; return 0; }");
  ASSERT_EQ(s.Run(), kVmNormalEnd);
  EXPECT_EQ(s.Int(3), 30);
  EXPECT_DOUBLE_EQ(s.Double(4), 5.0);
  EXPECT_EQ(s.Int(5), -6);
}

TEST(VmPointers, PointerArithmeticAndDereference) {
  LoadedScript s(
      "int a[5]; int *p; int r; int s; int main() { int i;"
      " for (i = 0; i < 5; i++) a[i] = i * 10;"
      " p = a; p = p + 2; r = *p; p++; s = *p; *p = 99; return 0; }");
  ASSERT_EQ(s.Run(), kVmNormalEnd);
  EXPECT_EQ(s.Int(2), 20);
  EXPECT_EQ(s.Int(3), 30);
}

TEST(VmPointers, AddressOfALocalPassedToAFunction) {
  LoadedScript s(
      "int r; double q; void set(int *p, double *d) { *p = 42; *d = 2.5; }"
      " int main() { int x; double y; set(&x, &y); r = x; q = y; return 0; }");
  ASSERT_EQ(s.Run(), kVmNormalEnd);
  EXPECT_EQ(s.Int(0), 42);
  EXPECT_DOUBLE_EQ(s.Double(1), 2.5);
}

TEST(VmPointers, LocalArrays) {
  LoadedScript s(
      "int r; int sum(int *v, int n) { int t; int i; t = 0; for (i = 0; i < n; i++) t += v[i]; return t; }"
      " int main() { int b[4]; b[0] = 1; b[1] = 2; b[2] = 3; b[3] = 4; r = sum(b, 4); return 0; }");
  ASSERT_EQ(s.Run(), kVmNormalEnd);
  EXPECT_EQ(s.Int(0), 10);
}

TEST(VmPointers, ConditionalWithAVariableKeepsItAssignable) {
  LoadedScript s("int c; int x; int r; int main() { c = 1; x = 4; r = c ? x : 2; x = 9; return 0; }");
  ASSERT_EQ(s.Run(), kVmNormalEnd);
  EXPECT_EQ(s.Int(2), 4);
  EXPECT_EQ(s.Int(1), 9);
}

}  // namespace

namespace {

TEST(VmGlobals, ArrayAndTextInitializers) {
  LoadedScript s(
      "int a[3] = {4, 5, 6}; char t[8] = \"hey\"; int r; int main() { r = a[0] + a[1] * a[2] + strlen(t); return 0; }");
  ASSERT_EQ(s.Run(), kVmNormalEnd);
  EXPECT_EQ(s.Int(3), 37);  // the text constant takes cell 2
  EXPECT_EQ(s.Text(1), "hey");
}

TEST(VmControl, ContinueInADoLoopTestsTheCondition) {
  LoadedScript s(
      "int n; int odd; int main() { do { n++; if (n % 2 == 0) continue; odd += n; } while (n < 9); return 0; }");
  ASSERT_EQ(s.Run(), kVmNormalEnd);
  EXPECT_EQ(s.Int(0), 9);
  EXPECT_EQ(s.Int(1), 25);
}

TEST(VmCalls, SixteenArgumentsArriveInOrder) {
  LoadedScript s(
      "int r; int f(int a, int b, int c, int d, int e, int g, int h, int i, int j, int k, int l, int m, int n, int o,"
      " int p, int q) { return a * 1 + b * 2 + c * 3 + d * 4 + e * 5 + g * 6 + h * 7 + i * 8 + j * 9 + k * 10"
      " + l * 11 + m * 12 + n * 13 + o * 14 + p * 15 + q * 16; }"
      " int main() { r = f(1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 100); return 0; }");
  ASSERT_EQ(s.Run(), kVmNormalEnd);
  EXPECT_EQ(s.Int(0), 1601);
}

TEST(VmCalls, NestedCallsAsArguments) {
  LoadedScript s(
      "int r; int add(int a, int b) { return a + b; } int twice(int a) { return a * 2; }"
      " int main() { r = add(twice(add(1, 2)), add(twice(3), 4)); return 0; }");
  ASSERT_EQ(s.Run(), kVmNormalEnd);
  EXPECT_EQ(s.Int(0), 16);
}

TEST(VmPointers, ComparisonsAndSteppingOfCharPointers) {
  LoadedScript s(
      "char b[8]; char *p; char *q; int r; int n; int main() { strcpy(b, \"abcdef\"); p = b; q = p + 3;"
      " if (q > p) r = 1; while (*p) { n++; p++; } return 0; }");
  ASSERT_EQ(s.Run(), kVmNormalEnd);
  EXPECT_EQ(s.Int(3), 1);
  EXPECT_EQ(s.Int(4), 6);
}

TEST(VmPointers, AFreedLocalCannotBeReachedAfterItsFunctionReturned) {
  LoadedScript s(
      "int *keep; int r; void f() { int x; x = 5; keep = &x; } int main() { f(); r = *keep; return 0; }");
  EXPECT_EQ(s.Run(), kVmBadAddress);
}

TEST(VmPointers, WritingPastAnArrayEndsTheRun) {
  LoadedScript s(
      "int a[2]; int guard; int main() { int i; guard = 7; for (i = 0; i < 100; i++) a[i] = -1; return 0; }");
  EXPECT_EQ(s.Run(), kVmPointerStore);
  EXPECT_EQ(s.Int(1), 7);
}

}  // namespace
