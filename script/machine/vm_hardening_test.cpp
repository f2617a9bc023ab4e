// The machine's guards against scripts that would loop forever, test a
// condition by the wrong bits, lose their locals' slots, change a variable
// through a cast, or lose their globals to a run that could not start.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#include "vm_test_util.h"
#include "vmcodes.h"

// While set, every allocation that may fail without an exception fails: the
// machine's run state is made that way, so a run cannot even begin.
static bool g_failNothrowNew = false;

void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  if (g_failNothrowNew) return nullptr;
  return std::malloc(size ? size : 1);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  if (g_failNothrowNew) return nullptr;
  return std::malloc(size ? size : 1);
}

namespace {

TEST(VmBudget, AnEndlessLoopEndsWithItsCodeAndTheNextFiringRunsAgain) {
  LoadedScript s("int n; int spins; int main() { n++; if (n == 1) while (1) spins++; return 0; }");
  EXPECT_EQ(s.Run(), kVmBudgetExceeded);
  EXPECT_GT(s.Int(1), 100000);
  // The globals survive, and the second firing (from the entry) ends normally.
  EXPECT_EQ(s.Run(), kVmNormalEnd);
  EXPECT_EQ(s.Int(0), 2);
  EXPECT_EQ(s.vm.LastEndCode(), kVmNormalEnd);
}

TEST(VmBudget, AnEndlessLoopInsideACalledFunctionIsStoppedToo) {
  LoadedScript s(
      "int r; int f(int n) { while (n > 0) n = n + 1 - 1; return n; } int main() { r = f(1); return 0; }");
  EXPECT_EQ(s.Run(), kVmBudgetExceeded);
}

TEST(VmBudget, WorkWithinTheBudgetCompletesAndTheBudgetCanBeRaised) {
  const std::string source =
      "int i; int sum; int main() { for (i = 0; i < 1000000; i++) sum += 1; return 0; }";
  LoadedScript within(source);
  EXPECT_EQ(within.Run(), kVmNormalEnd);
  EXPECT_EQ(within.Int(1), 1000000);

  LoadedScript small(source);
  small.vm.SetInstructionBudget(1000);
  EXPECT_EQ(small.Run(), kVmBudgetExceeded);
  EXPECT_LT(small.Int(1), 1000);
  // A budget survives a new load.
  std::vector<uint8_t> code = CompileScript(source);
  ASSERT_EQ(small.vm.Load(code.data(), code.size()), 0);
  EXPECT_EQ(small.vm.Run(), kVmBudgetExceeded);
  small.vm.SetInstructionBudget(50000000);
  EXPECT_EQ(small.vm.Run(), kVmNormalEnd);
}

struct TruthCase {
  const char* declaration;
  const char* value;
  bool truth;
};

class ConditionTruth : public ::testing::TestWithParam<TruthCase> {};

// if, while, the conditional operator, ! and && all see the value by its type.
TEST_P(ConditionTruth, EveryConditionAgrees) {
  const TruthCase& c = GetParam();
  LoadedScript s(std::string("int r_if; int r_while; int r_cond; int r_not; int r_and; ") + c.declaration +
                 " v; int main() { v = " + c.value +
                 "; if (v) r_if = 1; while (v) { r_while = 1; break; } r_cond = v ? 1 : 0;"
                 " r_not = !v; r_and = v && 1; return 0; }");
  ASSERT_EQ(s.Run(), kVmNormalEnd) << c.declaration << " " << c.value;
  const int t = c.truth ? 1 : 0;
  EXPECT_EQ(s.Int(0), t) << c.declaration << " " << c.value;
  EXPECT_EQ(s.Int(1), t) << c.declaration << " " << c.value;
  EXPECT_EQ(s.Int(2), t) << c.declaration << " " << c.value;
  EXPECT_EQ(s.Int(3), 1 - t) << c.declaration << " " << c.value;
  EXPECT_EQ(s.Int(4), t) << c.declaration << " " << c.value;
}

INSTANTIATE_TEST_SUITE_P(ByType, ConditionTruth,
                         ::testing::Values(TruthCase{"double", "1.0", true}, TruthCase{"double", "0.5", true},
                                           TruthCase{"double", "-2.0", true},
                                           TruthCase{"double", "0.0", false}, TruthCase{"float", "1.0", true},
                                           TruthCase{"float", "0.0", false},
                                           TruthCase{"int64", "65536; v = v * 65536", true},
                                           TruthCase{"int64", "0", false}, TruthCase{"int", "-1", true},
                                           TruthCase{"int", "0", false}, TruthCase{"char", "0", false},
                                           TruthCase{"unsigned char", "128", true}));

// The compiler numbers every local of a function; a declaration that did not
// run (in a branch not taken) must not shift the locals declared after it.
TEST(VmLocals, ASkippedDeclarationKeepsTheLaterLocalsInTheirSlots) {
  LoadedScript s(
      "int r; int q; int f(int a) { if (a) { int x; double y; x = 1; y = 2.0; } int k; double m; k = 7;"
      " m = 2.5; if (a) { int late; late = 3; k = k + late; } return k + (int)(m * 2); }"
      " int main() { r = f(0); q = f(1); return 0; }");
  ASSERT_EQ(s.Run(), kVmNormalEnd);
  EXPECT_EQ(s.Int(0), 12);
  EXPECT_EQ(s.Int(1), 15);
}

// A cast converts the value in its register; the variable keeps its type and
// value, so it reads and stores as before.
TEST(VmCast, ACastOfAVariableLeavesTheVariableAlone) {
  LoadedScript s(
      "int x; double d; double e; int back; char *p; char t[4]; int main() { x = 7; d = (double) x / 2;"
      " e = 2.75; back = (int) e; x = x + 1; e = e * 2; p = (char *) t; return 0; }");
  ASSERT_EQ(s.Run(), kVmNormalEnd);
  EXPECT_EQ(s.Global(0).type, 0x84);
  EXPECT_EQ(s.Int(0), 8);
  EXPECT_DOUBLE_EQ(s.Double(1), 3.5);
  EXPECT_EQ(s.Global(2).type, 0x88);
  EXPECT_DOUBLE_EQ(s.Double(2), 5.5);
  EXPECT_EQ(s.Int(3), 2);
  EXPECT_EQ(s.Global(5).type, 0x90);
  EXPECT_EQ(Low32(s.Global(4).value), Low32(s.Global(5).value));
}

// strtok's position inside a local text is forgotten when the function that
// owned the text returns: strtok(NULL) then finds no more tokens, even when
// new storage has taken the old place.
TEST(VmLibraryMemory, TheTokenizerForgetsATextThatWasFreed) {
  LoadedScript s(
      "char *first; char *after; char *again; char *none; int ended; char keep[16];"
      " void split() { char t[16]; strcpy(t, \"a b c\"); first = strtok(t, \" \"); }"
      " void refill() { char u[16]; strcpy(u, \"x y z\"); again = strtok(none, \" \"); }"
      " int main() { split(); after = strtok(none, \" \"); refill(); if (after == none) { if (again == none) ended = 1; }"
      " strcpy(keep, \"p q\"); strtok(keep, \" \"); return 0; }");
  ASSERT_EQ(s.Run(), kVmNormalEnd);
  EXPECT_EQ(s.Int(4), 1);
  // A global text keeps its position from one firing to the next.
  LoadedScript g(
      "char keep[16]; char *none; char *p; int n; int main() { if (n == 0) p = strtok(keep, \" \");"
      " else p = strtok(none, \" \"); n++; return 0; }");
  g.Poke(0, std::string("p q", 4));
  ASSERT_EQ(g.Run(), kVmNormalEnd);
  ASSERT_EQ(g.Run(), kVmNormalEnd);
  EXPECT_EQ(g.Text(0), "p");
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(static_cast<uintptr_t>(Low32(g.Global(2).value)))),
            "q");
}

// A run whose register block or first frame cannot be made has run nothing:
// the globals and the code stay, and the next run is still the first one.
TEST(VmRunState, AFailedFirstStepFreesOnlyTheRunState) {
  LoadedScript s("int seeded = 40; int runs; int main() { runs++; seeded++; return 0; }");
  g_failNothrowNew = true;
  const int failed = s.Run();
  g_failNothrowNew = false;
  EXPECT_EQ(failed, kVmNoMemory);
  ASSERT_NE(s.vm.State().globals, nullptr);
  EXPECT_EQ(s.Int(1), 0);
  EXPECT_EQ(s.Run(), kVmNormalEnd);  // from instruction 0: the initial value is set first
  EXPECT_EQ(s.Int(0), 41);
  EXPECT_EQ(s.Int(1), 1);
  EXPECT_EQ(s.Run(), kVmNormalEnd);  // from the entry
  EXPECT_EQ(s.Int(0), 42);
  EXPECT_EQ(s.Int(1), 2);
}

}  // namespace
