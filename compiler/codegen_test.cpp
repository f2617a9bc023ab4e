// Instruction sequences produced for statements and expressions.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "crtformat.h"
#include "test_support.h"

namespace tarnic {
namespace {

using Code = std::vector<std::string>;

// Memory words of global and local cells as the dump prints them.
std::string G(int cell) { return qel::FormatStr("%u", 0x800000u | cell); }
std::string L(int cell) { return qel::FormatStr("%u", 0x400000u | cell); }

// The code of main's body after `prefix` instructions of its own (locals etc.).
Code MainCode(const std::string& source, size_t skip = 0) {
  CompileOutput out = Compile(source);
  EXPECT_EQ(out.status, 0) << source << "\n" << out.err_text;
  return DumpFrom(out, out.header.entry + skip);
}

TEST(Codegen, SmallestProgram) {
  CompileOutput out = Compile("int main() { return 0; }");
  EXPECT_EQ(out.status, 0) << out.err_text;
  EXPECT_EQ(Dump(out), (Code{"OP_LDK R=0 A=0 T=0x04", "OP_RET"}));
}

TEST(Codegen, ChainedAssignmentStoresInnermostFirst) {
  EXPECT_EQ(MainCode("int x; int y; int main() { x = y = 3; return 0; }"),
            (Code{"OP_LDM R=1 A=" + G(1), "OP_ASG_RK+0 R=1 A=3 T=0x04", "OP_LDM R=2 A=" + G(0),
                  "OP_ASG_RR+0 R=2 R2=1", "OP_LDK R=0 A=0 T=0x04", "OP_RET"}));
}

TEST(Codegen, CompoundAssignmentWithRealConstantWarns) {
  CompileOutput out = Compile("int x; int main() { x += 1.5; return 0; }");
  EXPECT_EQ(out.status, 0);
  EXPECT_EQ(Lines(out.err_text),
            (Code{"Warning C3000 (1): conversion from \"double\" to \"long\", possible loss of data"}));
  EXPECT_EQ(DumpFrom(out, 0)[1], "OP_ASG_RK+4 R=1 A=0 B=1073217536 T=0x08");
}

TEST(Codegen, LogicalAndEvaluatesBothSides) {
  Code code = MainCode("int a; int f() { return 1; } int main() { a && f(); return 0; }");
  EXPECT_EQ(code, (Code{"OP_CALL A=6", "OP_MOV R=1 R2=0", "OP_LDM R=2 A=" + G(0), "OP_BIN_RR+16 R=2 R2=1",
                        "OP_LDK R=0 A=0 T=0x04", "OP_RET", "OP_LDK R=0 A=1 T=0x04", "OP_RET"}));
}

TEST(Codegen, IncrementOrder) {
  EXPECT_EQ(
      MainCode("int main() { int i; i++; return 0; }", 1),
      (Code{"OP_LDM R=2 A=" + L(0), "OP_LDV R=1 R2=2", "OP_INC R=2", "OP_LDK R=0 A=0 T=0x04", "OP_RET"}));
  EXPECT_EQ(MainCode("int main() { int i; ++i; --i; return 0; }", 1),
            (Code{"OP_LDM R=2 A=" + L(0), "OP_INC R=2", "OP_LDV R=1 R2=2", "OP_LDM R=2 A=" + L(0),
                  "OP_DEC R=2", "OP_LDV R=1 R2=2", "OP_LDK R=0 A=0 T=0x04", "OP_RET"}));
}

TEST(Codegen, IndexingIsUnscaledDereferenceOfSum) {
  EXPECT_EQ(MainCode("int a[10]; int main() { return a[2]; }"),
            (Code{"OP_LDM R=1 A=" + G(0), "OP_BIN_RK+3 R=1 A=2 T=0x04", "OP_TOPTR R=1", "OP_MOV R=0 R2=1",
                  "OP_RET"}));
}

TEST(Codegen, PointerPlusIntegerIsPlainAdd) {
  EXPECT_EQ(MainCode("int *p; int i; int main() { p = p + i; return 0; }"),
            (Code{"OP_LDM R=1 A=" + G(0), "OP_BIN_RM+3 R=1 A=" + G(1), "OP_LDM R=2 A=" + G(0),
                  "OP_ASG_RR+0 R=2 R2=1", "OP_LDK R=0 A=0 T=0x04", "OP_RET"}));
}

TEST(Codegen, AddressOfAndCast) {
  // The double goes back to "int" on its way out of main.
  EXPECT_EQ(
      MainCode("int x; int *p; int main() { p = &x; return (double) x; }"),
      (Code{"OP_LEA R=1 A=" + G(0), "OP_LDM R=2 A=" + G(1), "OP_ASG_RR+0 R=2 R2=1", "OP_LDM R=1 A=" + G(0),
            "OP_CAST R=1 T=0x08", "OP_CAST R=1 T=0x04", "OP_MOV R=0 R2=1", "OP_RET"}));
}

TEST(Codegen, SystemCallWithVariableArgumentsPushesCount) {
  EXPECT_EQ(MainCode("int x; int main() { printf(\"ab\", x); return 0; }"),
            (Code{"OP_LDM R=1 A=" + G(1), "OP_CAST R=1 T=0x20", "OP_PUSHM A=" + G(0), "OP_PUSHR R=1",
                  "OP_PUSHK A=3 T=0x04", "OP_CALLSYS A=204", "OP_MOV R=2 R2=0", "OP_LDK R=0 A=0 T=0x04",
                  "OP_RET"}));
}

TEST(Codegen, ScriptCallPushesLastArgumentFirstAndConverts) {
  CompileOutput out = Compile(
      "int main() { return f(1, 2); }\n"
      "int f(double a, int b) { return b; }");
  ASSERT_EQ(out.status, 0) << out.err_text;
  EXPECT_EQ(Dump(out), (Code{"OP_LDK R=1 A=1 T=0x04", "OP_CAST R=1 T=0x08", "OP_PUSHK A=2 T=0x04",
                             "OP_PUSHR R=1", "OP_CALL A=8", "OP_MOV R=2 R2=0", "OP_MOV R=0 R2=2", "OP_RET",
                             "OP_POPARG", "OP_POPARG", "OP_LDM R=0 A=" + L(1), "OP_RET"}));
}

// The code of the function f defined after a main that only returns 0.
Code FunctionCode(const std::string& f) {
  CompileOutput out = Compile("int main() { return 0; }\n" + f);
  EXPECT_EQ(out.status, 0) << f << "\n" << out.err_text;
  return DumpFrom(out, 2);
}

TEST(Codegen, ReturnConvertsToTheDeclaredResultType) {
  struct Case {
    const char* f;
    Code code;
  };
  const Case cases[] = {
      // A register, a memory cell and a constant of another type are cast
      // in a register that then goes to the accumulator.
      {"int half() { double d; d = 7; return d / 2; }",
       {"OP_LOCAL A=0 T=0x48", "OP_LDM R=1 A=" + L(0), "OP_ASG_RK+0 R=1 A=7 T=0x04", "OP_LDM R=1 A=" + L(0),
        "OP_BIN_RK+1 R=1 A=2 T=0x04", "OP_CAST R=1 T=0x04", "OP_MOV R=0 R2=1", "OP_RET"}},
      {"double f() { int i; return i; }",
       {"OP_LOCAL A=0 T=0x44", "OP_LDM R=1 A=" + L(0), "OP_CAST R=1 T=0x08", "OP_MOV R=0 R2=1", "OP_RET"}},
      {"char f() { return 300; }",
       {"OP_LDK R=1 A=300 T=0x04", "OP_CAST R=1 T=0x00", "OP_MOV R=0 R2=1", "OP_RET"}},
      {"char *f() { return \"ab\"; }",
       {"OP_LDM R=1 A=" + G(0), "OP_CAST R=1 T=0x20", "OP_MOV R=0 R2=1", "OP_RET"}},
      {"int f(char *s) { return s[1]; }",
       {"OP_POPARG", "OP_LDM R=1 A=" + L(0), "OP_BIN_RK+3 R=1 A=1 T=0x04", "OP_TOPTR R=1",
        "OP_CAST R=1 T=0x04", "OP_MOV R=0 R2=1", "OP_RET"}},
      // The declared type already: loaded as before.
      {"int f() { int i; return i; }", {"OP_LOCAL A=0 T=0x44", "OP_LDM R=0 A=" + L(0), "OP_RET"}},
      {"double f() { return 2.5; }", {"OP_LDK R=0 A=0 B=1074003968 T=0x08", "OP_RET"}},
      // A conversion the rule refuses is left as it is.
      {"int f(int *p) { return p; }", {"OP_POPARG", "OP_LDM R=0 A=" + L(0), "OP_RET"}},
  };
  for (const Case& c : cases) EXPECT_EQ(FunctionCode(c.f), c.code) << c.f;
}

TEST(Codegen, ConditionalConvertsSecondBranchToFirstType) {
  EXPECT_EQ(MainCode("int c; int main() { return c ? 1 : 2.5; }"),
            (Code{"OP_LDM R=1 A=" + G(0), "OP_JZ R=1 A=4", "OP_LDK R=1 A=1 T=0x04", "OP_JMP A=7",
                  "OP_LDK R=2 A=0 B=1074003968 T=0x08", "OP_CAST R=2 T=0x04", "OP_LDV R=1 R2=2",
                  "OP_MOV R=0 R2=1", "OP_RET"}));
}

TEST(Codegen, CommaEvaluatesBothAndKeepsRight) {
  EXPECT_EQ(MainCode("int a; int b; int main() { a = (b = 1, 2); return 0; }"),
            (Code{"OP_LDM R=1 A=" + G(1), "OP_ASG_RK+0 R=1 A=1 T=0x04", "OP_LDM R=1 A=" + G(0),
                  "OP_ASG_RK+0 R=1 A=2 T=0x04", "OP_LDK R=0 A=0 T=0x04", "OP_RET"}));
}

TEST(Codegen, UnaryOperators) {
  EXPECT_EQ(MainCode("int a; int main() { a = -a + ~a + !a; return 0; }"),
            (Code{"OP_LDM R=1 A=" + G(0), "OP_NEG R=1", "OP_LDM R=2 A=" + G(0), "OP_BNOT R=2",
                  "OP_BIN_RR+3 R=1 R2=2", "OP_LDM R=2 A=" + G(0), "OP_LNOT R=2", "OP_BIN_RR+3 R=1 R2=2",
                  "OP_LDM R=2 A=" + G(0), "OP_ASG_RR+0 R=2 R2=1", "OP_LDK R=0 A=0 T=0x04", "OP_RET"}));
}

TEST(Codegen, ShiftsShareTheRelationalLevel) {
  // (1 << 2) < 3 and (a < b) << c: the left operand is always the earlier group.
  EXPECT_EQ(MainCode("int x; int a; int b; int main() { x = a << b < 3; x = a < b << 3; return 0; }"),
            (Code{"OP_LDM R=1 A=" + G(1), "OP_BIN_RM+5 R=1 A=" + G(2), "OP_BIN_RK+8 R=1 A=3 T=0x04",
                  "OP_LDM R=2 A=" + G(0), "OP_ASG_RR+0 R=2 R2=1", "OP_LDM R=1 A=" + G(1),
                  "OP_BIN_RM+8 R=1 A=" + G(2), "OP_BIN_RK+5 R=1 A=3 T=0x04", "OP_LDM R=2 A=" + G(0),
                  "OP_ASG_RR+0 R=2 R2=1", "OP_LDK R=0 A=0 T=0x04", "OP_RET"}));
}

TEST(Codegen, PrecedenceOfArithmeticAndBitwise) {
  // a | b ^ c & d == e + f * g groups as a | (b ^ (c & (d == (e + (f * g))))).
  Code code = MainCode(
      "int x; int a; int b; int c; int d; int e; int f; int g;"
      "int main() { x = a | b ^ c & d == e + f * g; return 0; }");
  EXPECT_EQ(code, (Code{"OP_LDM R=1 A=" + G(6), "OP_BIN_RM+0 R=1 A=" + G(7), "OP_LDM R=2 A=" + G(5),
                        "OP_BIN_RR+3 R=2 R2=1", "OP_LDM R=1 A=" + G(4), "OP_BIN_RR+11 R=1 R2=2",
                        "OP_LDM R=2 A=" + G(3), "OP_BIN_RR+13 R=2 R2=1", "OP_LDM R=1 A=" + G(2),
                        "OP_BIN_RR+14 R=1 R2=2", "OP_LDM R=2 A=" + G(1), "OP_BIN_RR+15 R=2 R2=1",
                        "OP_LDM R=1 A=" + G(0), "OP_ASG_RR+0 R=1 R2=2", "OP_LDK R=0 A=0 T=0x04", "OP_RET"}));
}

TEST(Codegen, AssignmentSubCodes) {
  const char* ops[] = {"=", "*=", "/=", "%=", "+=", "-=", "<<=", ">>=", "&=", "|=", "^="};
  for (int i = 0; i < 11; ++i) {
    Code code = MainCode(std::string("int x; int main() { x ") + ops[i] + " 2; return 0; }");
    EXPECT_EQ(code[1], qel::FormatStr("OP_ASG_RK+%d R=1 A=2 T=0x04", i)) << ops[i];
  }
}

TEST(Codegen, BinarySubCodes) {
  const char* ops[] = {"*",  "/",  "%",  "+",  "-", "<<", ">>", ">",  "<",
                       "<=", ">=", "==", "!=", "&", "^",  "|",  "&&", "||"};
  for (int i = 0; i < 18; ++i) {
    Code code = MainCode(std::string("int x; int main() { x = x ") + ops[i] + " 2; return 0; }");
    EXPECT_EQ(code[1], qel::FormatStr("OP_BIN_RK+%d R=1 A=2 T=0x04", i)) << ops[i];
  }
}

TEST(Codegen, WhileLoopWithBreakAndContinue) {
  EXPECT_EQ(MainCode("int i; int main() { while (i) { if (i) break; continue; } return 0; }"),
            (Code{"OP_LDM R=1 A=" + G(0),  // 0: loop start
                  "OP_JZ R=1 A=7", "OP_LDM R=1 A=" + G(0), "OP_JZ R=1 A=5", "OP_JMP A=7", "OP_JMP A=0",
                  "OP_JMP A=0", "OP_LDK R=0 A=0 T=0x04", "OP_RET"}));
}

TEST(Codegen, DoLoopContinuesAtCondition) {
  EXPECT_EQ(MainCode("int i; int main() { do { continue; break; } while (i); return 0; }"),
            (Code{"OP_JMP A=2", "OP_JMP A=4", "OP_LDM R=1 A=" + G(0), "OP_JNZ R=1 A=0",
                  "OP_LDK R=0 A=0 T=0x04", "OP_RET"}));
}

TEST(Codegen, ForLoopContinuesAtThirdPart) {
  EXPECT_EQ(MainCode("int i; int main() { for (i = 0; i < 3; i++) { continue; } return 0; }"),
            (Code{"OP_LDM R=1 A=" + G(0), "OP_ASG_RK+0 R=1 A=0 T=0x04", "OP_LDM R=1 A=" + G(0),
                  "OP_BIN_RK+8 R=1 A=3 T=0x04", "OP_JZ R=1 A=10",                         // 2: start
                  "OP_JMP A=6", "OP_LDM R=2 A=" + G(0), "OP_LDV R=1 R2=2", "OP_INC R=2",  // 6: step
                  "OP_JMP A=2", "OP_LDK R=0 A=0 T=0x04", "OP_RET"}));
  // Without a condition there is no exit test.
  EXPECT_EQ(MainCode("int i; int main() { for (;; i++) { break; } return 0; }"),
            (Code{"OP_JMP A=5", "OP_LDM R=2 A=" + G(0), "OP_LDV R=1 R2=2", "OP_INC R=2", "OP_JMP A=0",
                  "OP_LDK R=0 A=0 T=0x04", "OP_RET"}));
}

TEST(Codegen, IfElse) {
  EXPECT_EQ(MainCode("int i; int main() { if (i) i = 1; else i = 2; return 0; }"),
            (Code{"OP_LDM R=1 A=" + G(0), "OP_JZ R=1 A=5", "OP_LDM R=1 A=" + G(0),
                  "OP_ASG_RK+0 R=1 A=1 T=0x04", "OP_JMP A=7", "OP_LDM R=1 A=" + G(0),
                  "OP_ASG_RK+0 R=1 A=2 T=0x04", "OP_LDK R=0 A=0 T=0x04", "OP_RET"}));
}

TEST(Codegen, FunctionEndsWithOneReturn) {
  CompileOutput out = Compile("void f() { } void g() { return; } int main() { f(); g(); return 0; }");
  ASSERT_EQ(out.status, 0) << out.err_text;
  EXPECT_EQ(Dump(out).size(), 8u);
  EXPECT_EQ(DumpFrom(out, 6), (Code{"OP_RET", "OP_RET"}));  // f: appended; g: its own
}

TEST(Codegen, ReturnBehindAJumpTargetGetsAFinalReturn) {
  // The else part ends in a return, but the then part jumps past it.
  CompileOutput out = Compile(
      "int x; void f(int a) { if (a) { x = 1; } else return; }\n"
      "int main() { f(1); return 0; }");
  ASSERT_EQ(out.status, 0) << out.err_text;
  Code f = DumpFrom(out, 5);
  EXPECT_EQ(f, (Code{"OP_POPARG", "OP_LDM R=1 A=" + L(0), "OP_JZ R=1 A=11", "OP_LDM R=1 A=" + G(0),
                     "OP_ASG_RK+0 R=1 A=1 T=0x04", "OP_JMP A=12", "OP_RET", "OP_RET"}));
}

TEST(Codegen, LaterFunctionIsCalledAtItsEntry) {
  CompileOutput out =
      Compile("int a; int b; int f() { return 1; } int main() { return g() + f(); } int g() { return 2; }");
  ASSERT_EQ(out.status, 0) << out.err_text;
  // Ids: a 0, b 1, main 2, f 3, g 4; main's code comes first, then f, then g.
  EXPECT_EQ(out.header.entry, 0u);
  EXPECT_EQ(Dump(out), (Code{"OP_CALL A=9", "OP_MOV R=1 R2=0", "OP_CALL A=7", "OP_MOV R=2 R2=0",
                             "OP_BIN_RR+3 R=1 R2=2", "OP_MOV R=0 R2=1", "OP_RET", "OP_LDK R=0 A=1 T=0x04",
                             "OP_RET", "OP_LDK R=0 A=2 T=0x04", "OP_RET"}));
}

TEST(Codegen, GlobalInitializersRunBeforeMain) {
  CompileOutput out = Compile("int a = 5; double d = a; int main() { return a; }");
  ASSERT_EQ(out.status, 0) << out.err_text;
  EXPECT_EQ(out.header.entry, 4u);
  EXPECT_EQ(Dump(out), (Code{"OP_LDM R=1 A=" + G(0), "OP_ASG_RK+0 R=1 A=5 T=0x04", "OP_LDM R=1 A=" + G(1),
                             "OP_ASG_RM+0 R=1 A=" + G(0), "OP_LDM R=0 A=" + G(0), "OP_RET"}));
}

TEST(Codegen, LocalsAreCreatedWhereDeclared) {
  EXPECT_EQ(MainCode("int main() { int i = 2; double d[3]; char *p; return 0; }"),
            (Code{"OP_LOCAL A=0 T=0x44", "OP_LDM R=1 A=" + L(0), "OP_ASG_RK+0 R=1 A=2 T=0x04",
                  "OP_LOCAL A=3 B=1 T=0x58", "OP_LOCAL A=0 B=2 T=0x60", "OP_LDK R=0 A=0 T=0x04", "OP_RET"}));
}

TEST(Codegen, ArrayInitializersStoreEachElement) {
  CompileOutput out = Compile("int a[3] = {7, 8, 9}; int main() { return 0; }");
  ASSERT_EQ(out.status, 0) << out.err_text;
  Code code = Dump(out);
  ASSERT_EQ(code.size(), 14u);
  EXPECT_EQ(out.header.entry, 12u);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(code[4 * i], "OP_LDM R=1 A=" + G(0));
    EXPECT_EQ(code[4 * i + 1], qel::FormatStr("OP_BIN_RK+3 R=1 A=%d T=0x04", i));
    EXPECT_EQ(code[4 * i + 2], "OP_TOPTR R=1");
    EXPECT_EQ(code[4 * i + 3], qel::FormatStr("OP_ASG_RK+0 R=1 A=%d T=0x04", 7 + i));
  }
}

TEST(Codegen, StringInitializerStoresTheTerminatingZero) {
  CompileOutput out = Compile("int main() { char s[4] = \"ab\"; return 0; }");
  ASSERT_EQ(out.status, 0) << out.err_text;
  Code code = Dump(out);
  ASSERT_EQ(code.size(), 1u + 12u + 2u);
  EXPECT_EQ(code[0], "OP_LOCAL A=4 T=0x50");
  EXPECT_EQ(code[4], "OP_ASG_RK+0 R=1 A=97 T=0x04");
  EXPECT_EQ(code[8], "OP_ASG_RK+0 R=1 A=98 T=0x04");
  EXPECT_EQ(code[10], "OP_BIN_RK+3 R=1 A=2 T=0x04");
  EXPECT_EQ(code[12], "OP_ASG_RK+0 R=1 A=0 T=0x04");
}

TEST(Codegen, ArraySizeFromInitializer) {
  CompileOutput out =
      Compile("char s[] = \"abc\"; int n[] = {1, 2}; int main() { return sizeof(s) + sizeof(n); }");
  ASSERT_EQ(out.status, 0) << out.err_text;
  EXPECT_EQ(Dump(out).end()[-2], "OP_MOV R=0 R2=1");
  EXPECT_EQ(Dump(out).end()[-4], "OP_LDK R=1 A=3 T=0x04");
  EXPECT_EQ(Dump(out).end()[-3], "OP_BIN_RK+3 R=1 A=8 T=0x04");
}

TEST(Codegen, SizeofValues) {
  struct Case {
    const char* decl;
    const char* expr;
    int size;
  };
  const Case cases[] = {
      {"int a[10];", "sizeof(a)", 40},
      {"double *p;", "sizeof(p)", 8},
      {"", "sizeof(double *)", 4},
      {"", "sizeof(short)", 2},
      {"unsigned char b[3];", "sizeof(b)", 3},
      {"", "sizeof(int64)", 8},
      {"", "sizeof(unsigned short int)", 2},
      {"float f;", "sizeof(f)", 4},
  };
  for (const Case& c : cases) {
    Code code = MainCode(std::string(c.decl) + " int main() { return " + c.expr + "; }");
    EXPECT_EQ(code[0], qel::FormatStr("OP_LDK R=0 A=%d T=0x04", c.size)) << c.expr;
  }
}

TEST(Codegen, RegistersRunOutAtTwentySix) {
  // Each nesting level keeps its left sum in a register while the right one is made.
  auto nested = [](int depth) {
    std::string e = "(a + a)";
    for (int i = 1; i < depth; ++i) e = "(a + a) + " + std::string("(") + e + ")";
    return "int a; int main() { return " + e + "; }";
  };
  EXPECT_EQ(Compile(nested(25)).status, 0);
  CompileOutput out = Compile(nested(26));
  EXPECT_EQ(out.status, 1);
  EXPECT_EQ(Lines(out.err_text), (Code{"Error C1004: out of register"}));
}

TEST(Codegen, ConstantsKeepTheirTypes) {
  EXPECT_EQ(
      MainCode("int x; int main() { x = 0xFFFFFFFF; x = 4294967297; x = '\\0'; x = 'A'; return TRUE; }"),
      (Code{"OP_LDM R=1 A=" + G(0), "OP_ASG_RK+0 R=1 A=4294967295 T=0x05", "OP_LDM R=1 A=" + G(0),
            "OP_ASG_RK+0 R=1 A=1 T=0x04", "OP_LDM R=1 A=" + G(0), "OP_ASG_RK+0 R=1 A=0 T=0x04",
            "OP_LDM R=1 A=" + G(0), "OP_ASG_RK+0 R=1 A=65 T=0x04", "OP_LDK R=0 A=1 T=0x04", "OP_RET"}));
}

TEST(Codegen, ScriptOfHostAndLibraryCallsCompilesCleanly) {
  const char* script =
      "int count = 0;\r\n"
      "int main()\r\n{\r\n"
      "  double x, y;\r\n  char name[32];\r\n  int v;\r\n  long t;\r\n  int y0, mo, d, h, mi, s;\r\n"
      "  if (GetCenterPoint(\"obj1\", &x, &y))\r\n    MoveTo(\"obj1\", x + 10, y);\r\n"
      "  if (dbr_GetDbVal(\"tag1\", &v) && v > 3)\r\n    SetViewFlag(NULL, FALSE);\r\n"
      "  dbr_SetLoaclVal(\"local1\", v * 2);\r\n"
      "  ed_GetText(\"edit1\", name, sizeof(name));\r\n  strcat(name, \"!\");\r\n"
      "  SetViewText(\"text1\", name);\r\n"
      "  t = time();\r\n  LocalTime(t, &y0, &mo, &d, &h, &mi, &s);\r\n"
      "  sprintf(name, \"%04d-%02d-%02d %s\", y0, mo, d, \"ok\");\r\n"
      "  bt_SetCheck(\"check1\", !bt_GetCheck(\"check1\"));\r\n"
      "  EnableWindow(\"button1\", count % 2);\r\n"
      "  count++;\r\n"
      "  if (count > 10) OpenPic(\"main.pic\");\r\n"
      "  return RGB(255, 0, 0);\r\n}\r\n";
  CompileOutput out = Compile(script, true);
  EXPECT_EQ(out.status, 0) << out.err_text;
  EXPECT_EQ(out.err_text, "");
  // The variable-argument tag read gets its count: the name, the address and the count.
  Code code = Dump(out);
  auto call = std::find(code.begin(), code.end(), "OP_CALLSYS A=1500");
  ASSERT_NE(call, code.end());
  EXPECT_EQ(call[-1], "OP_PUSHK A=3 T=0x04");
}

}  // namespace
}  // namespace tarnic
