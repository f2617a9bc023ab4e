// The translated machine against the direct interpreter: random programs,
// compiled scripts stopped by every budget, and the hostile programs end with
// the same end codes, results, instruction counts and work units. (Every
// compiled-script test of the machine compares the two as well, through
// LoadedScript.)
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "../../compiler/code_dump.h"
#include "../../compiler/opcodes.h"
#include "vm_hostile.h"
#include "vm_program.h"
#include "vm_test_util.h"
#include "vmcodes.h"
#include "vmfastpath.h"
#include "vmtranslate.h"

namespace {

using tarnic::CodeByteInstruction;
using namespace tarnic;

// Random programs of every instruction over scalar variables of every type,
// written mostly in the compiler's sequences that the translation fuses (a
// register loaded from memory and used at once, tested by a jump or stored
// into a variable, a postfix step) but with random registers, sub-codes,
// operand types, memory words (locals that do not exist yet, locals beyond
// the first block of cells, globals that do not exist) and jump targets
// (into the middle of a sequence, past the end), with calls, locals and
// deterministic system functions. No instruction takes a real address, so
// both machines hold the same bits everywhere.
class RandomCode {
 public:
  explicit RandomCode(std::mt19937& rng) : rng_(rng) {
    for (uint8_t type : {0x80, 0x81, 0x82, 0x83, 0x84, 0x85, 0x86, 0x87, 0x88, 0xA4, 0x84, 0x88})
      p_.Global(type, 0);
  }

  VmProgram Make() {
    const uint32_t pieces = 4 + Pick(24);
    for (uint32_t i = 0; i < pieces; ++i) Piece();
    p_.code.push_back(I(OP_RET));
    // The function that the calls reach.
    const uint32_t function = static_cast<uint32_t>(p_.code.size());
    for (uint32_t i = Pick(3); i > 0; --i) p_.code.push_back(I(OP_POPARG));
    for (uint32_t i = Pick(6); i > 0; --i) Piece();
    p_.code.push_back(I(OP_MOV, 0, Register()));
    p_.code.push_back(I(OP_RET));
    for (CodeByteInstruction& in : p_.code) {
      if (in.op == OP_CALL && in.a == kFunction) in.a = function;
      if ((IsJump(in.op) || in.op == OP_CALL) && in.a == kSomewhere)
        in.a = Pick(static_cast<uint32_t>(p_.code.size()) + 2);
    }
    return p_;
  }

 private:
  static constexpr uint32_t kFunction = 0xFFFFFFF0;   // patched to the function's first instruction
  static constexpr uint32_t kSomewhere = 0xFFFFFFF1;  // patched to a random instruction (or past the end)
  static constexpr uint32_t kCallIds[] = {50, 100, 104, 106, 108, 111, 114, 116, 151, 155, 40, 1100};

  uint32_t Pick(uint32_t n) { return rng_() % n; }
  static bool IsJump(uint8_t op) { return op == OP_JMP || op == OP_JZ || op == OP_JNZ; }

  uint8_t Register() {
    const uint32_t roll = Pick(20);
    if (roll == 0) return 0;
    if (roll == 1) return 31;
    if (roll == 2) return static_cast<uint8_t>(Pick(40));
    return static_cast<uint8_t>(1 + Pick(4));
  }

  uint32_t MemoryWord() {
    const uint32_t roll = Pick(20);
    if (roll < 12) return kMemoryGlobal | Pick(p_.entries);
    if (roll < 18) return kMemoryLocal | Pick(roll == 17 ? 40 : 6);
    if (roll == 18) return kMemoryGlobal | (p_.entries + Pick(3));
    return rng_();
  }

  uint8_t ConstantType() {
    const uint32_t roll = Pick(20);
    if (roll < 10) return 0x04;
    if (roll < 15) return 0x08;
    if (roll < 19) return static_cast<uint8_t>(Pick(9));
    return static_cast<uint8_t>(rng_());
  }

  uint32_t Value(uint8_t type) {
    if (Pick(4) == 0) return rng_();
    if (type == 0x08 || type == 0x06) return Pick(2) ? 0 : 0x3FF00000 + Pick(0x100000);
    return Pick(21) - 5;
  }

  CodeByteInstruction Constant(uint8_t op, uint8_t r) {
    const uint8_t type = ConstantType();
    // A double's value lies in its high word.
    const bool real = type == 0x08;
    const uint32_t value = Value(type);
    return I(op, r, 0, real ? 0 : value, real ? value : (Pick(8) ? 0 : rng_()), type);
  }

  // An instruction of one of the assignment and binary families on register
  // x, with a random sub-code (some without a meaning) and operand.
  CodeByteInstruction Family(uint8_t x) {
    static const uint8_t kFirsts[] = {OP_ASG_RR, OP_ASG_RM, OP_ASG_RK, OP_BIN_RR, OP_BIN_RM, OP_BIN_RK};
    static const uint8_t kCounts[] = {16, 16, 16, 21, 27, 21};
    const uint32_t f = Pick(6);
    const uint8_t op =
        static_cast<uint8_t>(kFirsts[f] + (Pick(5) ? Pick(f < 3 ? 11 : 18) : Pick(kCounts[f])));
    if (f == 2 || f == 5) return Constant(op, x);
    if (f == 1 || f == 4) return I(op, x, 0, MemoryWord());
    return I(op, x, Register());
  }

  // A variable that is mostly an integer or mostly a double: a global of
  // that type or a local (which the program may create with any type).
  uint32_t TypedWord(bool real) {
    if (Pick(3) == 0) return kMemoryLocal | Pick(6);
    static const uint32_t kIntegers[] = {4, 10}, kDoubles[] = {8, 11};
    return kMemoryGlobal | (real ? kDoubles : kIntegers)[Pick(2)];
  }

  // The compiler's sequences on integer or double variables that the typed
  // ops stand for: a variable and a constant or a register's value (mostly of
  // the variable's type) combined by a common operation, the result kept,
  // tested by a jump or stored into a variable.
  void Typed() {
    std::vector<CodeByteInstruction>& c = p_.code;
    static const uint8_t kOperations[] = {0, 3, 4, 7, 8, 9, 10, 11, 12, 13};
    const bool real = Pick(2) != 0;
    const uint8_t x = static_cast<uint8_t>(1 + Pick(2)), y = static_cast<uint8_t>(3 + Pick(2));
    const uint8_t operation = kOperations[Pick(sizeof kOperations)];
    const bool with_register = Pick(2) != 0;
    CodeByteInstruction constant = Constant(with_register ? OP_LDK : OP_BIN_RK, x);
    if (Pick(4)) {
      constant.t = real ? 0x08 : 0x04;
      constant.a = real ? 0 : Value(0x04);
      constant.b = real ? Value(0x08) : 0;
    }
    if (with_register) {
      constant.r = y;
      c.push_back(constant);
    }
    c.push_back(I(OP_LDM, x, 0, TypedWord(real)));
    if (with_register) {
      c.push_back(I(static_cast<uint8_t>(OP_BIN_RR + operation), x, y));
    } else {
      constant.op = static_cast<uint8_t>(OP_BIN_RK + operation);
      c.push_back(constant);
    }
    const uint32_t tail = Pick(3);
    if (tail == 0) c.push_back(I(Pick(2) ? OP_JZ : OP_JNZ, x, 0, kSomewhere));
    if (tail == 1) {
      c.push_back(I(OP_LDM, y, 0, TypedWord(real)));
      c.push_back(I(OP_ASG_RR, y, x));
    }
  }

  void Piece() {
    std::vector<CodeByteInstruction>& c = p_.code;
    const uint8_t x = Register();
    switch (Pick(13)) {
      case 0:
        c.push_back(I(OP_LOCAL, 0, 0, 0, Pick(Pick(8) ? 6 : 40),
                      static_cast<uint8_t>(0x40 + (Pick(8) ? Pick(9) : 0x2F))));
        return;
      case 1:
      case 2:
      case 3: {
        // A register loaded from memory and used at once.
        c.push_back(I(OP_LDM, x, 0, MemoryWord()));
        c.push_back(Family(Pick(6) ? x : Register()));
        const uint32_t tail = Pick(3);
        if (tail == 0) c.push_back(I(Pick(2) ? OP_JZ : OP_JNZ, Pick(6) ? x : Register(), 0, kSomewhere));
        if (tail == 1) {
          const uint8_t y = Register();
          c.push_back(I(OP_LDM, y, 0, MemoryWord()));
          c.push_back(I(static_cast<uint8_t>(OP_ASG_RR + (Pick(6) ? 0 : Pick(11))), Pick(6) ? y : Register(),
                        Pick(6) ? x : Register()));
        }
        return;
      }
      case 4: {
        // A prefix or postfix step, the way a loop ends.
        const uint8_t y = Register();
        c.push_back(I(OP_LDM, x, 0, MemoryWord()));
        if (Pick(3)) c.push_back(I(OP_LDV, y, Pick(6) ? x : Register()));
        c.push_back(I(Pick(2) ? OP_INC : OP_DEC, Pick(6) ? x : Register()));
        if (Pick(2)) c.push_back(I(OP_JMP, 0, 0, kSomewhere));
        return;
      }
      case 5: c.push_back(Constant(OP_LDK, x)); return;
      case 6: c.push_back(Family(x)); return;
      case 7: {
        static const uint8_t kSingles[] = {OP_MOV,  OP_LDM,   OP_LDV, OP_LDMC, OP_TOPTR,
                                           OP_INC,  OP_DEC,   OP_NEG, OP_BNOT, OP_LNOT,
                                           OP_CAST, OP_PUSHR, OP_JZ,  OP_JNZ,  OP_JMP};
        const uint8_t op = kSingles[Pick(sizeof kSingles)];
        c.push_back(I(op, x, Register(), IsJump(op) ? kSomewhere : MemoryWord(), 0,
                      op == OP_CAST ? static_cast<uint8_t>(Pick(4) ? Pick(9) : Pick(64)) : 0));
        return;
      }
      case 8: {
        static const uint8_t kPushes[] = {OP_PUSHK, OP_PUSHM, OP_PUSHR};
        for (uint32_t i = Pick(3); i > 0; --i) {
          const uint8_t push = kPushes[Pick(3)];
          c.push_back(push == OP_PUSHK ? Constant(OP_PUSHK, 0) : I(push, Register(), 0, MemoryWord()));
        }
        c.push_back(I(OP_CALL, 0, 0, Pick(10) ? kFunction : kSomewhere));
        const uint8_t result = Register();
        c.push_back(I(OP_MOV, result, 0));
        // The result stored into a variable, as the compiler stores it.
        if (Pick(2)) {
          const uint8_t y = Pick(6) ? static_cast<uint8_t>(result % 4 + 1) : Register();
          c.push_back(I(OP_LDM, y, 0, MemoryWord()));
          c.push_back(I(OP_ASG_RR, y, Pick(6) ? result : Register()));
        }
        return;
      }
      case 9:
        for (uint32_t i = Pick(3); i > 0; --i) c.push_back(Pick(2) ? Constant(OP_PUSHK, 0) : I(OP_PUSHR, x));
        c.push_back(I(OP_CALLSYS, 0, 0, kCallIds[Pick(sizeof kCallIds / sizeof kCallIds[0])]));
        return;
      case 10: c.push_back(I(OP_LDM, 0, 0, MemoryWord())); return;
      case 11: Typed(); return;
      default: {
        CodeByteInstruction in =
            I(static_cast<uint8_t>(rng_()), x, Register(), MemoryWord(), 0, ConstantType());
        if (in.op == OP_LEA) in.op = OP_LDMC;  // an address would differ between the machines
        if (in.op == OP_LOCAL) in.t &= 0x6F;   // no array: its buffer's address would differ
        c.push_back(in);
        return;
      }
    }
  }

  std::mt19937& rng_;
  VmProgram p_;
};

// Loads a program into both machines; false when it does not load (in both).
bool LoadBoth(const std::vector<uint8_t>& bytes, CScriptVM& translated, CScriptVM& direct) {
  direct.UseDirectInterpreter(true);
  const int loaded = translated.Load(bytes.data(), bytes.size());
  EXPECT_EQ(direct.Load(bytes.data(), bytes.size()), loaded);
  return loaded == 0;
}

void RunBoth(CScriptVM& translated, CScriptVM& direct, uint64_t budget, const std::string& what, bool bits) {
  translated.SetInstructionBudget(budget);
  direct.SetInstructionBudget(budget);
  translated.Run();
  direct.Run();
  ExpectSameRun(translated, direct, what, bits);
}

// The instructions of a program, one a line, for a failure's message.
std::string Listing(const VmProgram& p) {
  std::string text;
  int i = 0;
  for (const std::string& line : DumpInstructions(p.code)) text += std::to_string(i++) + " " + line + "\n";
  return text;
}

TEST(TranslatedMachine, RandomProgramsEndLikeTheDirectInterpreter) {
  std::mt19937 rng(20261211);
  for (int round = 0; round < 3000; ++round) {
    const VmProgram program = RandomCode(rng).Make();
    const std::vector<uint8_t> bytes = program.Bytes();
    CScriptVM translated, direct;
    ASSERT_TRUE(LoadBoth(bytes, translated, direct)) << round;
    for (int run = 0; run < 3; ++run) {
      const uint64_t budget = 1 + rng() % 3000;
      RunBoth(translated, direct, budget,
              "round " + std::to_string(round) + ", budget " + std::to_string(budget), true);
      ASSERT_FALSE(HasFailure()) << Listing(program);
    }
  }
}

// The kinds that the random programs' translations should use and do not:
// each typed shape for integers and for doubles, the integer steps, the
// jumps into a copied loop test, and the ops of calls and their results.
std::vector<std::string> KindsMissed(const std::set<uint16_t>& used) {
  struct Range {
    const char* name;
    uint16_t first, count;
  };
  const uint16_t shape = VOP_LDM_BIN_RR - VOP_LDM_BIN_RK;
  const Range ranges[] = {
      {"I32_LDM_BIN_RK", VOP_I32_LDM_BIN_RK, shape},
      {"I32_LDM_BIN_RR", VOP_I32_LDM_BIN_RR, shape},
      {"I32_LDM_BIN_RK_JUMP", VOP_I32_LDM_BIN_RK_JUMP, shape},
      {"I32_LDM_BIN_RR_JUMP", VOP_I32_LDM_BIN_RR_JUMP, shape},
      {"I32_LDM_BIN_RK_STORE", VOP_I32_LDM_BIN_RK_STORE, shape},
      {"I32_LDM_BIN_RR_STORE", VOP_I32_LDM_BIN_RR_STORE, shape},
      {"F64_LDM_BIN_RK", VOP_F64_LDM_BIN_RK, shape},
      {"F64_LDM_BIN_RR", VOP_F64_LDM_BIN_RR, shape},
      {"F64_LDM_BIN_RK_JUMP", VOP_F64_LDM_BIN_RK_JUMP, shape},
      {"F64_LDM_BIN_RR_JUMP", VOP_F64_LDM_BIN_RR_JUMP, shape},
      {"F64_LDM_BIN_RK_STORE", VOP_F64_LDM_BIN_RK_STORE, shape},
      {"F64_LDM_BIN_RR_STORE", VOP_F64_LDM_BIN_RR_STORE, shape},
      {"I32_LDM_INCDEC", VOP_I32_LDM_INCDEC, 1},
      {"I32_LDM_LDV_INCDEC", VOP_I32_LDM_LDV_INCDEC, 1},
      {"I32_LDM_LDV_INCDEC_JMP", VOP_I32_LDM_LDV_INCDEC_JMP, 1},
      {"I32_LDM_LDV_INCDEC_INTO", VOP_I32_LDM_LDV_INCDEC_INTO, 1},
      {"PUSH_CALL", VOP_PUSH_CALL, 1},
      {"MOV_TO_ACC_RET", VOP_MOV_TO_ACC_RET, 1},
      {"MOV_FROM_ACC_STORE", VOP_MOV_FROM_ACC_STORE, 1},
      {"LDM_LDV_INCDEC_INTO", VOP_LDM_LDV_INCDEC_INTO, 1},
      {"JMP_INTO", VOP_JMP_INTO, 1},
  };
  std::vector<std::string> missed;
  for (const Range& range : ranges) {
    bool seen = false;
    for (uint16_t kind = range.first; kind < range.first + range.count; ++kind) seen |= used.count(kind) != 0;
    if (!seen) missed.push_back(range.name);
  }
  return missed;
}

// The typed integer comparisons tested by a jump that the random programs'
// translations should use and do not: each comparison of each shape as the
// condition of a jump taken on true and of one taken on false (whose kind
// is the negated comparison), given as kind and jump_if_true.
std::vector<std::string> IntegerJumpsMissed(const std::set<std::pair<uint16_t, uint8_t>>& used) {
  static const uint8_t kShapeOperations[] = {
#define VM_FAST_OPERATION(name) AO_##name,
      VM_FAST_OPERATIONS(VM_FAST_OPERATION)
#undef VM_FAST_OPERATION
  };
  std::vector<std::string> missed;
  for (uint16_t shape : {VOP_I32_LDM_BIN_RK_JUMP, VOP_I32_LDM_BIN_RR_JUMP})
    for (size_t i = 0; i < sizeof kShapeOperations; ++i) {
      const uint16_t kind = static_cast<uint16_t>(shape + 1 + i);
      if (!IsComparison(kShapeOperations[i])) continue;
      for (uint8_t jump_if_true : {0, 1})
        if (!used.count({kind, jump_if_true}))
          missed.push_back(std::to_string(kind) + (jump_if_true ? " on true" : " on false"));
    }
  return missed;
}

// The random programs above reach every typed op and copied loop test, so
// that their comparison with the direct interpreter covers them (and the
// typed ops' fallbacks).
TEST(TranslatedMachine, RandomProgramsUseTypedOpsAndLoopCopies) {
  std::mt19937 rng(20261211);
  std::set<uint16_t> used;
  std::set<std::pair<uint16_t, uint8_t>> jumps;  // kind and jump_if_true
  for (int round = 0; round < 3000; ++round) {
    const std::vector<uint8_t> bytes = RandomCode(rng).Make().Bytes();
    for (int run = 0; run < 3; ++run) rng();
    CScriptVM vm;
    ASSERT_EQ(vm.Load(bytes.data(), bytes.size()), 0);
    if (const VmTranslation* t = vm.State().translation.get())
      for (const VmOp& op : t->ops) {
        used.insert(op.kind);
        jumps.insert({op.kind, op.jump_if_true});
      }
  }
  std::vector<std::string> missed = KindsMissed(used);
  const std::vector<std::string> jumps_missed = IntegerJumpsMissed(jumps);
  missed.insert(missed.end(), jumps_missed.begin(), jumps_missed.end());
  std::string names;
  for (const std::string& name : missed) names += name + " ";
  EXPECT_TRUE(missed.empty()) << names;
}

// A called function finds its registers zero on every call, also in a
// register block that an earlier call of the run left: here it reads
// register 5 (into the accumulator, stored by the caller) before writing 7
// there, and the second call must read 0 again.
TEST(TranslatedMachine, CalledFunctionsFindTheirRegistersZero) {
  VmProgram p;
  p.Global(0x84, 0);
  p.Global(0x84, 0);
  p.code = {I(OP_CALL, 0, 0, 9), I(OP_MOV, 2, 0), I(OP_LDM, 1, 0, kMemoryGlobal | 0), I(OP_ASG_RR, 1, 2),
            I(OP_CALL, 0, 0, 9), I(OP_MOV, 2, 0), I(OP_LDM, 1, 0, kMemoryGlobal | 1), I(OP_ASG_RR, 1, 2),
            I(OP_RET),           I(OP_MOV, 0, 5), I(OP_LDK, 5, 0, 7, 0, 0x04),        I(OP_RET)};
  CScriptVM translated, direct;
  ASSERT_TRUE(LoadBoth(p.Bytes(), translated, direct));
  RunBoth(translated, direct, kVmInstructionBudget, "two calls", true);
  for (CScriptVM* machine : {&translated, &direct}) {
    EXPECT_EQ(machine->LastEndCode(), kVmNormalEnd);
    EXPECT_EQ(Int32Of(*machine->State().globals->Cell(0)), 0);
    EXPECT_EQ(Int32Of(*machine->State().globals->Cell(1)), 0);
  }
}

// Compiled scripts of every kind of variable, stopped by each budget from 1
// to beyond their end: the budget runs out at every instruction, in and
// between the blocks of the translation.
const char* const kScripts[] = {
    "int r; int f(int k) { int a[4]; a[k] = k * 3; return a[k]; }"
    " int main() { int b[3]; int i; for (i = 0; i < 3; i++) b[i] = f(i) + f(i + 1);"
    " r = b[0] + b[1] * 10 + b[2] * 100; return 0; }",
    "double d; double h(double x, int n) { if (n == 0) return x; return h(x * 0.5, n - 1) + 1.0; }"
    " int main() { d = h(8.0, 6); d = d + h(d, 2); return 0; }",
    "int g; double d; char c; int64 q; int f(int a) { return a * 2 + 1; }"
    " int main() { int i; for (i = 0; i < 12; i++) { g = g + f(i); d = d + 0.5; c++; q = q + g;"
    " if (g > 40) g = g - 7; else d = d * 1.5; } return 0; }",
    "int a[8]; double b[4]; short h[3]; int r; int main() { int i; int *p;"
    " for (i = 0; i < 8; i++) a[i] = i * i; for (i = 0; i < 4; i++) b[i] = a[i] + 0.25;"
    " p = a; p = p + 3; r = *p + a[7] + h[1]; h[2] = r; i = 0; while (i < 8) { r = r + a[i & 7]; i += 3; }"
    " return 0; }",
    "int n; float f; unsigned int u; int main() { int i; double x; x = 1; f = 0.5; u = 3;"
    " do { x = x / 2 + n; n += 2; f = f * 3; u = u - 1; } while (n < 15); n = n % 4 - (int) x; return 0; }",
    "char t[16]; char *p; int k; int fib(int n) { if (n < 2) return n; return fib(n - 1) + fib(n - 2); }"
    " int main() { strcpy(t, \"abcdef\"); p = t; while (*p) { k = k + *p; p++; } k = k + fib(7); return 0; }",
    "int z; int w; int main() { int i; for (i = 10; i >= 0; i--) w = w + 100 / (i - z); return 0; }",
    // Calls at every depth into levels that a function without parameters or
    // locals made first, and into a level whose frame had a local's address
    // taken and an array, each returned from in every way.
    "int r; int z() { return 7; } int f(int a, int b) { return a * 3 + b; }"
    " int g(int n) { if (n > 0) return g(n - 1) + f(n, z()); return f(z(), n); }"
    " int main() { int i; for (i = 0; i < 3; i++) r = r + g(i) + f(i, 2); return 0; }",
    "int r; double d; int h(int k) { int a[3]; int *p; p = &k; a[2] = *p + 1; return a[2]; }"
    " int f(int a, int b) { return a - b; } double half(double x) { return x / 2; }"
    " int first(int k) { int i; for (i = 0; i < 10; i++) if (i * i >= k) return i; return -1; }"
    " int main() { int i; for (i = 0; i < 3; i++) { r = r + h(i); r = f(r, first(i * 9)); }"
    " d = half(half(5.0)) + f(first(200), h(r)); return 0; }",
};

TEST(TranslatedMachine, EveryBudgetEndsLikeTheDirectInterpreter) {
  for (const char* source : kScripts) {
    const std::vector<uint8_t> code = CompileScript(source);
    CScriptVM whole;
    ASSERT_EQ(whole.Load(code.data(), code.size()), 0) << source;
    whole.Run();
    const uint64_t used = whole.LastWorkUnits();
    for (uint64_t budget = 1; budget <= used + 2; ++budget) {
      CScriptVM translated, direct;
      ASSERT_TRUE(LoadBoth(code, translated, direct));
      RunBoth(translated, direct, budget, std::string(source) + " budget " + std::to_string(budget), false);
      // The second run starts at the entry, with the globals the first left.
      RunBoth(translated, direct, budget, std::string(source) + " again, budget " + std::to_string(budget),
              false);
      if (HasFailure()) return;
    }
  }
}

// Each hostile program with a budget a fiftieth of the default: the charges
// for big frames, long texts and slow calls meet the same budget in both.
TEST(TranslatedMachine, HostileProgramsEndLikeTheDirectInterpreter) {
  for (const HostileProgram& program : HostilePrograms()) {
    HostScene scene, direct_scene;
    std::unique_ptr<CScriptVM> translated = LoadHostile(program, scene);
    std::unique_ptr<CScriptVM> direct = LoadHostile(program, direct_scene);
    ASSERT_TRUE(translated && direct) << program.what;
    direct->UseDirectInterpreter(true);
    for (CScriptVM* machine : {translated.get(), direct.get()}) {
      machine->SetInstructionBudget(kVmInstructionBudget / 50);
      RunHostile(program, *machine);
    }
    EXPECT_EQ(translated->LastEndCode(), direct->LastEndCode()) << program.what;
    EXPECT_EQ(translated->LastInstructionCount(), direct->LastInstructionCount()) << program.what;
    EXPECT_EQ(translated->LastWorkUnits(), direct->LastWorkUnits()) << program.what;
    EXPECT_EQ(translated->LastSystemCode(), direct->LastSystemCode()) << program.what;
    EXPECT_EQ(translated->State().memory.PeakBytes(), direct->State().memory.PeakBytes()) << program.what;
    EXPECT_EQ(translated->State().memory.BytesInUse(), direct->State().memory.BytesInUse()) << program.what;
  }
}

}  // namespace

namespace {

// Code too long to be worth its translation runs directly, alike.
TEST(TranslatedMachine, CodeTooLongToTranslateRunsDirectly) {
  for (const size_t length : {size_t(1000), kVmMaxTranslated + 1}) {
    VmProgram p;
    p.code.assign(length - 1, I(0));
    p.code.push_back(I(OP_RET));
    const std::vector<uint8_t> bytes = p.Bytes();
    CScriptVM vm;
    ASSERT_EQ(vm.Load(bytes.data(), bytes.size()), 0);
    EXPECT_EQ(vm.State().translation != nullptr, length <= kVmMaxTranslated) << length;
    EXPECT_EQ(vm.Run(), kVmNormalEnd);
    EXPECT_EQ(vm.LastInstructionCount(), length);
  }
}

}  // namespace

namespace {

// The kinds of a machine's translated ops.
std::multiset<uint16_t> OpKinds(CScriptVM& vm) {
  std::multiset<uint16_t> kinds;
  for (const VmOp& op : vm.State().translation->ops) kinds.insert(op.kind);
  return kinds;
}

}  // namespace

// Elements of global and of local arrays of every width read and written
// at indexes in the arrays, at the spare element of their buffers, beyond
// them and below them, in a function called twice (local arrays made anew by
// each call): the ops that check the index and make the address at once
// (reading an integer's or a double's value straight into the register) end
// every run as the direct interpreter does, with the same results.
TEST(TranslatedMachine, ArrayElementsAtEveryIndexAsTheDirectInterpreter) {
  const char* const kArrays = "int a[8]; double b[8]; char c[8]; short h[8];";
  struct Place {
    const char* globals;
    const char* locals;
    uint16_t element, integer, real;  // the kinds of the ops that read elements
  };
  const Place kPlaces[] = {
      {kArrays, "", VOP_INDEX, VOP_INDEX_I32, VOP_INDEX_F64},
      {"", kArrays, VOP_LOCAL_INDEX, VOP_LOCAL_INDEX_I32, VOP_LOCAL_INDEX_F64},
  };
  for (const Place& place : kPlaces) {
    for (const char* index : {"0", "7", "8", "9", "-1", "-2", "40", "100000", "-100000", "2147483647"}) {
      const std::string source =
          std::string("int r; double x; int k; ") + place.globals + " int f(int i) { " + place.locals +
          " int j;"
          " for (j = 0; j < 8; j++) { a[j] = j * 3 + 1; b[j] = j + 0.5; c[j] = j + 65; h[j] = 100 - j; }"
          " r = r + a[i]; x = x + b[i]; r = r + c[i]; k = h[i];"
          " a[i] = 7; b[i] += 2; c[i] = 'z'; return a[0]; }"
          " int main() { int i; i = " +
          index + "; f(i); f(i); return 0; }";
      LoadedScript s(source);
      ASSERT_EQ(s.load, 0) << source;
      const std::multiset<uint16_t> kinds = OpKinds(s.vm);
      EXPECT_GE(kinds.count(place.integer), 1u) << source;
      EXPECT_GE(kinds.count(place.real), 1u) << source;
      EXPECT_GE(kinds.count(place.element), 3u) << source;
      const int end = s.Run();
      const int i = std::atoi(index);
      if (i >= 0 && i < 8) {
        ASSERT_EQ(end, kVmNormalEnd) << source;
        EXPECT_EQ(s.Int(0), 2 * (i * 3 + 1 + i + 65)) << source;
        EXPECT_EQ(s.Double(1), 2 * (i + 0.5)) << source;
        EXPECT_EQ(s.Int(2), 100 - i) << source;
      }
      if (i == 100000 || i == -100000) {
        EXPECT_NE(end, kVmNormalEnd) << source;
      }
    }
  }
}

// An array's cell that the code bytes change (stepped, pointed at another
// array, given an address of nothing), for global arrays and for local ones:
// an element is then found through the cell as it is, as the direct
// interpreter finds it.
TEST(TranslatedMachine, ArrayElementsFollowAChangedArrayCell) {
  struct Place {
    const char* what;
    uint32_t a, other;                      // the memory words of the two arrays
    std::vector<CodeByteInstruction> made;  // the code that makes them
    uint16_t kind;                          // the op that reads an element
  };
  const Place kPlaces[] = {
      {"global", kMemoryGlobal | 0, kMemoryGlobal | 1, {}, VOP_INDEX_I32},
      {"local",
       kMemoryLocal | 0,
       kMemoryLocal | 1,
       {I(OP_LOCAL, 0, 0, 8, 0, 0x54), I(OP_LOCAL, 0, 0, 8, 1, 0x54)},
       VOP_LOCAL_INDEX_I32},
  };
  const uint32_t result = kMemoryGlobal | 2;
  for (const Place& place : kPlaces) {
    const uint32_t a = place.a, other = place.other;
    struct Change {
      const char* what;
      std::vector<CodeByteInstruction> code;
      int32_t element;  // the result of a normal end
    };
    const Change kChanges[] = {
        {"unchanged", {}, 0},
        {"stepped by one element", {I(OP_LDM, 1, 0, a), I(OP_ASG_RK + 4, 1, 0, 1, 0, 0x04)}, 0},
        {"pointed at the other array", {I(OP_LDM, 1, 0, a), I(OP_ASG_RM, 1, 0, other)}, 42},
        {"given an address of nothing", {I(OP_LDM, 1, 0, a), I(OP_ASG_RK, 1, 0, 0x1000, 0, 0x04)}, 0},
    };
    for (const Change& change : kChanges) {
      for (uint32_t index : {5u, 6u, 7u, 8u, 9u}) {
        VmProgram p;
        p.Global(0x94, 8);
        p.Global(0x94, 8);
        p.Global(0x84, 0);
        // other[5] = 42, then the change, then result = result + a[index].
        p.code = place.made;
        const std::vector<CodeByteInstruction> fill = {I(OP_LDM, 1, 0, other), I(OP_LDK, 2, 0, 5, 0, 0x04),
                                                       I(OP_BIN_RR + AO_ADD, 1, 2), I(OP_TOPTR, 1),
                                                       I(OP_ASG_RK, 1, 0, 42, 0, 0x04)};
        p.code.insert(p.code.end(), fill.begin(), fill.end());
        p.code.insert(p.code.end(), change.code.begin(), change.code.end());
        const std::vector<CodeByteInstruction> read = {I(OP_LDK, 2, 0, index, 0, 0x04),
                                                       I(OP_LDM, 3, 0, a),
                                                       I(OP_BIN_RR + AO_ADD, 3, 2),
                                                       I(OP_TOPTR, 3),
                                                       I(OP_LDM, 4, 0, result),
                                                       I(OP_BIN_RR + AO_ADD, 4, 3),
                                                       I(OP_LDM, 5, 0, result),
                                                       I(OP_ASG_RR, 5, 4),
                                                       I(OP_RET)};
        p.code.insert(p.code.end(), read.begin(), read.end());
        const std::string what = std::string(place.what) + ", " + change.what + ", index " +
                                 std::to_string(index) + "\n" + Listing(p);
        CScriptVM translated, direct;
        ASSERT_TRUE(LoadBoth(p.Bytes(), translated, direct)) << what;
        EXPECT_EQ(OpKinds(translated).count(place.kind), 1u) << what;
        RunBoth(translated, direct, kVmInstructionBudget, what, false);
        if (change.code.empty() && index <= 8) {
          EXPECT_EQ(translated.LastEndCode(), kVmNormalEnd) << what;
        }
        if (translated.LastEndCode() == kVmNormalEnd && index == 5) {
          EXPECT_EQ(Int32Of(*translated.State().globals->Cell(2)), change.element) << what;
        }
      }
    }
  }
}

// The levels of calls, used again at each depth: a recursion deeper than
// the last, one cut by the depth limit (the run after it starts afresh), and
// the levels that a run ended in an error left, used by the next run: each
// ends as in the direct interpreter, with the locals of each call its own.
TEST(TranslatedMachine, CallLevelsUsedAgainAtEachDepth) {
  LoadedScript s(
      "int depth; int sum; int bad; int f(int n, int m) { int local; local = n * m;"
      " if (n > 0) local = local + f(n - 1, m);"
      " if (bad && n == 3) local = local / (n - 3); return local; }"
      " int main() { sum = f(depth, 2); return 0; }");
  ASSERT_EQ(s.load, 0);
  struct Step {
    int32_t depth, bad;
    int end;
    int32_t sum;
  };
  const Step kSteps[] = {
      {5, 0, kVmNormalEnd, 2 * 15},
      {40, 0, kVmNormalEnd, 2 * 820},
      {3, 0, kVmNormalEnd, 2 * 6},
      {20000, 0, kVmGrowReturnStack, 2 * 6},
      {10, 1, -1, 2 * 6},  // a division by zero three calls down
      {12, 0, kVmNormalEnd, 2 * 78},
      {9999, 0, kVmNormalEnd, 2 * 49995000},
  };
  for (const Step& step : kSteps) {
    const std::string what = "depth " + std::to_string(step.depth) + (step.bad ? ", failing" : "");
    for (CScriptVM* machine : {&s.vm, &s.direct}) {
      PutInt32(machine->State().globals->Cell(0), step.depth);
      PutInt32(machine->State().globals->Cell(2), step.bad);
    }
    const int end = s.Run();
    if (step.end >= 0) {
      EXPECT_EQ(end, step.end) << what;
    } else {
      EXPECT_NE(end, kVmNormalEnd) << what;
    }
    EXPECT_EQ(s.Int(1), step.sum) << what;
    EXPECT_EQ(s.vm.State().memory.BytesInUse(), s.direct.State().memory.BytesInUse()) << what;
  }
}

namespace {

// A function of n integer parameters called in a loop with arguments that
// differ in every parameter, and the sum of what it gives.
std::string CallOfParameters(int n) {
  std::string parameters, sum = "0", arguments;
  for (int p = 0; p < n; ++p) {
    parameters += std::string(p ? ", " : "") + "int p" + std::to_string(p);
    sum += " + p" + std::to_string(p) + " * " + std::to_string(p + 1);
    arguments += std::string(p ? ", " : "") + "i + " + std::to_string(p);
  }
  return "int r; int f(" + parameters + ") { return " + sum +
         "; }"
         " int main() { int i; for (i = 0; i < 3; i++) r = r + f(" +
         arguments + "); return 0; }";
}

}  // namespace

// Calls of functions with no parameter, a few and the most the compiler
// takes, stopped by every budget: a call that takes its function's
// parameters at once ends each run as the direct interpreter does, with the
// same work and memory, also where the budget ends among the parameters.
TEST(TranslatedMachine, CallsOfEveryParameterCountEndLikeTheDirectInterpreter) {
  for (int n : {0, 1, 2, 3, 8, 15, 16}) {
    const std::string source = CallOfParameters(n);
    const std::vector<uint8_t> code = CompileScript(source);
    CScriptVM whole;
    ASSERT_EQ(whole.Load(code.data(), code.size()), 0) << source;
    ASSERT_EQ(whole.Run(), kVmNormalEnd) << source;
    int32_t expected = 0;
    for (int i = 0; i < 3; ++i)
      for (int p = 0; p < n; ++p) expected += (i + p) * (p + 1);
    EXPECT_EQ(Int32Of(*whole.State().globals->Cell(0)), expected) << source;
    const uint64_t used = whole.LastWorkUnits();
    for (uint64_t budget = 1; budget <= used + 2; ++budget) {
      CScriptVM translated, direct;
      ASSERT_TRUE(LoadBoth(code, translated, direct));
      RunBoth(translated, direct, budget, source + " budget " + std::to_string(budget), false);
      EXPECT_EQ(translated.State().memory.PeakBytes(), direct.State().memory.PeakBytes()) << source << budget;
      if (HasFailure()) return;
    }
  }
}

// Code bytes that pass more parameters than one block of cells holds, or
// fewer than the function takes (its last POPARGs find the argument stack
// empty), stopped by every budget: the call leaves them to the POPARGs,
// which end each run as in the direct interpreter.
TEST(TranslatedMachine, ParametersBeyondABlockOrMissingAsTheDirectInterpreter) {
  struct Case {
    uint32_t pushed, taken;
  };
  for (const Case& c : {Case{31, 31}, Case{32, 32}, Case{33, 33}, Case{40, 40}, Case{1, 2}, Case{0, 3}}) {
    VmProgram p;
    p.Global(0x84, 0);
    for (uint32_t i = 0; i < c.pushed; ++i) p.code.push_back(I(OP_PUSHK, 0, 0, i + 1, 0, 0x04));
    const uint32_t call = static_cast<uint32_t>(p.code.size());
    p.code.push_back(I(OP_CALL, 0, 0, call + 4));
    p.code.push_back(I(OP_LDM, 1, 0, kMemoryGlobal | 0));
    p.code.push_back(I(OP_ASG_RR, 1, 0));
    p.code.push_back(I(OP_RET));
    for (uint32_t i = 0; i < c.taken; ++i) p.code.push_back(I(OP_POPARG));
    // The function gives its last parameter.
    p.code.push_back(I(OP_LDM, 0, 0, kMemoryLocal | (c.taken - 1)));
    p.code.push_back(I(OP_RET));
    const std::vector<uint8_t> bytes = p.Bytes();
    const std::string what = std::to_string(c.pushed) + " pushed, " + std::to_string(c.taken) + " taken";
    for (uint64_t budget = 1; budget <= 3 * c.taken + 60; ++budget) {
      CScriptVM translated, direct;
      ASSERT_TRUE(LoadBoth(bytes, translated, direct)) << what;
      RunBoth(translated, direct, budget, what + ", budget " + std::to_string(budget), true);
      EXPECT_EQ(translated.State().memory.PeakBytes(), direct.State().memory.PeakBytes()) << what;
      if (HasFailure()) return;
    }
    CScriptVM vm;
    ASSERT_EQ(vm.Load(bytes.data(), bytes.size()), 0);
    EXPECT_EQ(vm.Run(), c.pushed == c.taken ? kVmNormalEnd : kVmArgStackEmpty) << what;
    if (c.pushed == c.taken) {
      EXPECT_EQ(Int32Of(*vm.State().globals->Cell(0)), 1) << what;
    }
  }
}

namespace {

// The code bytes of calls of a function that gives the `taken` parameters
// it takes as the digits of a decimal number, each call with its code
// before it (the first makes the function's level, which the others use
// again), the sum of what they give in global 0.
VmProgram CallsAfter(const std::vector<std::vector<CodeByteInstruction>>& befores, uint32_t taken) {
  VmProgram p;
  p.Global(0x84, 0);  // the sum
  p.Global(0x84, 0);  // a value to push
  p.code = {I(OP_LOCAL, 0, 0, 0, 0, 0x44), I(OP_LDM, 1, 0, kMemoryLocal | 0), I(OP_ASG_RK, 1, 0, 30, 0, 0x04),
            I(OP_LDM, 1, 0, kMemoryGlobal | 1), I(OP_ASG_RK, 1, 0, 20, 0, 0x04)};
  std::vector<uint32_t> calls;
  for (const std::vector<CodeByteInstruction>& before : befores) {
    p.code.insert(p.code.end(), before.begin(), before.end());
    calls.push_back(static_cast<uint32_t>(p.code.size()));
    p.code.push_back(I(OP_CALL));
    p.code.push_back(I(OP_LDM, 1, 0, kMemoryGlobal | 0));
    p.code.push_back(I(OP_ASG_RR + 4, 1, 0));
  }
  p.code.push_back(I(OP_RET));
  for (uint32_t call : calls) p.code[call].a = static_cast<uint32_t>(p.code.size());
  for (uint32_t i = 0; i < taken; ++i) p.code.push_back(I(OP_POPARG));
  p.code.push_back(I(OP_LDK, 1, 0, 0, 0, 0x04));
  for (uint32_t i = 0; i < taken; ++i) {
    p.code.push_back(I(OP_BIN_RK + AO_MUL, 1, 0, 10, 0, 0x04));
    p.code.push_back(I(OP_BIN_RM + AO_ADD, 1, 0, kMemoryLocal | i));
  }
  p.code.push_back(I(OP_MOV, 0, 1));
  p.code.push_back(I(OP_RET));
  return p;
}

// Runs the same code bytes in a translated machine and a direct one with
// each budget in turn, the globals of `setup` set in both first; expects
// each run to end alike, with the same peak of memory.
void RunBothWithBudgets(const std::vector<uint8_t>& code, uint64_t from, uint64_t to, const std::string& what,
                        const std::vector<std::pair<uint32_t, int32_t>>& setup = {}) {
  CScriptVM translated, direct;
  ASSERT_TRUE(LoadBoth(code, translated, direct)) << what;
  for (uint64_t budget = from; budget <= to; ++budget) {
    for (CScriptVM* machine : {&translated, &direct})
      for (const auto& global : setup) PutInt32(machine->State().globals->Cell(global.first), global.second);
    RunBoth(translated, direct, budget, what + ", budget " + std::to_string(budget), false);
    EXPECT_EQ(translated.State().memory.PeakBytes(), direct.State().memory.PeakBytes()) << what;
    if (::testing::Test::HasFailure()) return;
  }
}

}  // namespace

// Pushes of every operand right before a call, as many as the function
// takes, more, fewer, or not all of them right before it, a pushed register
// that holds a reference, stopped by every budget: a call that has its
// parameters written straight into its frame ends each run as the direct
// interpreter does, with the same work and memory.
TEST(TranslatedMachine, PushesIntoTheCalledFrameEndLikeTheDirectInterpreter) {
  const CodeByteInstruction k = I(OP_PUSHK, 0, 0, 5, 0, 0x04), global = I(OP_PUSHM, 0, 0, kMemoryGlobal | 1),
                            local = I(OP_PUSHM, 0, 0, kMemoryLocal | 0), value = I(OP_LDK, 2, 0, 7, 0, 0x04),
                            reference = I(OP_LDM, 2, 0, kMemoryGlobal | 1), reg = I(OP_PUSHR, 2);
  struct Case {
    const char* what;
    std::vector<std::vector<CodeByteInstruction>> befores;  // the code before each call
    uint32_t taken;
    int end;
    int32_t sum;  // of the calls that returned
  };
  const Case kCases[] = {
      {"a constant", {{k}, {k}}, 1, kVmNormalEnd, 10},
      {"a constant, a global and a local", {{k, global, local}, {k, global, local}}, 3, kVmNormalEnd, 6410},
      {"a register's value", {{value, reg, k}, {value, reg, k}}, 2, kVmNormalEnd, 114},
      {"a register's reference", {{reference, reg, k}, {reference, reg, k}}, 2, kVmNormalEnd, 140},
      {"more pushes than parameters", {{k, k, global, local}, {k, k, global, local}}, 2, kVmNormalEnd, 640},
      {"one push before a load", {{global, value, reg, k}, {global, value, reg, k}}, 3, kVmNormalEnd, 1180},
      // The second call takes the push before the load: the third finds none.
      {"one push before a load, then none",
       {{k, k, k}, {global, value, reg, k}, {value, reg, k}},
       3,
       kVmArgStackEmpty,
       555 + 590},
      {"fewer pushes than parameters", {{k, k}, {k, k}}, 3, kVmArgStackEmpty, 0},
      {"no push right before", {{k, global, value}, {k, global, value}}, 2, kVmNormalEnd, 410},
  };
  for (const Case& c : kCases) {
    const VmProgram p = CallsAfter(c.befores, c.taken);
    const std::string what = std::string(c.what) + "\n" + Listing(p);
    const std::vector<uint8_t> bytes = p.Bytes();
    CScriptVM vm;
    ASSERT_EQ(vm.Load(bytes.data(), bytes.size()), 0) << what;
    EXPECT_EQ(OpKinds(vm).count(VOP_PUSH_CALL), c.befores[0].back().op == OP_LDK ? 0u : c.befores.size())
        << what;
    EXPECT_EQ(vm.Run(), c.end) << what;
    EXPECT_EQ(Int32Of(*vm.State().globals->Cell(0)), c.sum) << what;
    RunBothWithBudgets(bytes, 1, vm.LastWorkUnits() + 2, what);
    if (HasFailure()) return;
  }
}

// Pushes right before a call when the argument stack holds all but three,
// two or one of the cells that it may: the push that meets its limit ends
// the run as in the direct interpreter.
TEST(TranslatedMachine, PushesIntoTheCalledFrameMeetTheStacksLimit) {
  const CodeByteInstruction k = I(OP_PUSHK, 0, 0, 1, 0, 0x04);
  for (const size_t before : {kVmMaxPushed - 3, kVmMaxPushed - 2, kVmMaxPushed - 1}) {
    const VmProgram p = CallsAfter({{k, k}, std::vector<CodeByteInstruction>(before + 2, k)}, 2);
    const std::vector<uint8_t> bytes = p.Bytes();
    CScriptVM translated, direct;
    ASSERT_TRUE(LoadBoth(bytes, translated, direct));
    EXPECT_EQ(OpKinds(translated).count(VOP_PUSH_CALL), 2u);
    RunBoth(translated, direct, kVmInstructionBudget, std::to_string(before) + " pushed before", true);
    EXPECT_EQ(translated.LastEndCode(), before + 2 <= kVmMaxPushed ? kVmNormalEnd : kVmGrowArgStack)
        << before;
  }
}

// A call into a level used before whose function's parameters are the last
// instructions of the code, its pushes right before it or not, stopped by
// every budget: the call enters what follows the parameters, the end of the
// code, and ends each run as the direct interpreter does.
TEST(TranslatedMachine, ParametersAtTheEndOfTheCodeEndLikeTheDirectInterpreter) {
  const CodeByteInstruction push = I(OP_PUSHK, 0, 0, 3, 0, 0x04);
  for (const bool pushes_right_before : {true, false}) {
    VmProgram p;
    p.Global(0x84, 0);
    // g makes the level that the call of f then uses again.
    p.code = {push, push, I(OP_CALL), push, push};
    if (!pushes_right_before) p.code.push_back(I(OP_LDK, 1, 0, 0, 0, 0x04));
    const uint32_t call_of_f = static_cast<uint32_t>(p.code.size());
    p.code.push_back(I(OP_CALL));
    p.code.push_back(I(OP_RET));
    p.code[2].a = static_cast<uint32_t>(p.code.size());
    p.code.insert(p.code.end(), {I(OP_POPARG), I(OP_POPARG), I(OP_LDM, 0, 0, kMemoryLocal | 1), I(OP_RET)});
    p.code[call_of_f].a = static_cast<uint32_t>(p.code.size());
    p.code.insert(p.code.end(), {I(OP_POPARG), I(OP_POPARG)});
    const std::vector<uint8_t> bytes = p.Bytes();
    const std::string what = pushes_right_before ? "pushes right before" : "pushes apart";
    CScriptVM translated;
    ASSERT_EQ(translated.Load(bytes.data(), bytes.size()), 0) << what;
    EXPECT_EQ(OpKinds(translated).count(VOP_PUSH_CALL), pushes_right_before ? 2u : 1u) << what;
    RunBothWithBudgets(bytes, 1, 200, what);
    if (HasFailure()) return;
  }
}

// A call that is the last instruction, into a level used before, with its
// pushes right before it, stopped by every budget: its return finds no
// instruction after the call and ends each run as the direct interpreter
// does (kVmBadJump where the budget lasts).
TEST(TranslatedMachine, ACallAtTheEndOfTheCodeReturnsLikeTheDirectInterpreter) {
  VmProgram p;
  p.Global(0x84, 0);
  const CodeByteInstruction push = I(OP_PUSHK, 0, 0, 3, 0, 0x04);
  // main calls f once through the call in the middle, then jumps to the last.
  p.code = {push,
            I(OP_CALL, 0, 0, 5),
            I(OP_JMP, 0, 0, 9),
            I(OP_RET),
            I(OP_RET),
            I(OP_POPARG),
            I(OP_LDM, 0, 0, kMemoryLocal | 0),
            I(OP_RET),
            I(OP_RET),
            push,
            I(OP_CALL, 0, 0, 5)};
  const std::vector<uint8_t> bytes = p.Bytes();
  const std::string what = Listing(p);
  CScriptVM translated;
  ASSERT_EQ(translated.Load(bytes.data(), bytes.size()), 0) << what;
  EXPECT_EQ(translated.Run(), kVmBadJump) << what;
  RunBothWithBudgets(bytes, 1, translated.LastWorkUnits() + 2, what);
}

// Two functions at the same depth, one with three locals and one with
// none, call a third (the first twice), one with its push right before the
// call and one with it apart; after the call the one without locals reads
// its third local, which it never made. Each return goes on with the locals of the function
// it returns into, not those of the last call from that depth: the read
// fails as in the direct interpreter, under every budget.
TEST(TranslatedMachine, ReturnsGoOnWithTheCallersOwnLocals) {
  const CodeByteInstruction push = I(OP_PUSHK, 0, 0, 4, 0, 0x04), apart = I(OP_LDK, 2, 0, 0, 0, 0x04);
  for (const bool with_locals_pushes_right_before : {true, false}) {
    const std::vector<CodeByteInstruction> right_before = {push}, not_right_before = {push, apart};
    const auto& first = with_locals_pushes_right_before ? right_before : not_right_before;
    const auto& second = with_locals_pushes_right_before ? not_right_before : right_before;
    VmProgram p;
    p.Global(0x84, 0);
    // main calls h (3 locals) twice, the second time into the level that
    // the first made for f, and then g (none); both call f.
    p.code = {I(OP_CALL), I(OP_CALL), I(OP_CALL), I(OP_RET)};
    const uint32_t f = 4;
    p.code.insert(p.code.end(), {I(OP_POPARG), I(OP_LDM, 0, 0, kMemoryLocal | 0), I(OP_RET)});
    p.code[0].a = p.code[1].a = static_cast<uint32_t>(p.code.size());
    for (uint32_t local = 0; local < 3; ++local) p.code.push_back(I(OP_LOCAL, 0, 0, 0, local, 0x44));
    p.code.insert(p.code.end(), first.begin(), first.end());
    p.code.insert(p.code.end(), {I(OP_CALL, 0, 0, f), I(OP_RET)});
    p.code[2].a = static_cast<uint32_t>(p.code.size());
    p.code.insert(p.code.end(), second.begin(), second.end());
    p.code.insert(p.code.end(), {I(OP_CALL, 0, 0, f), I(OP_LDM, 1, 0, kMemoryLocal | 2),
                                 I(OP_ASG_RK, 1, 0, 5, 0, 0x04), I(OP_RET)});
    const std::vector<uint8_t> bytes = p.Bytes();
    const std::string what = Listing(p);
    CScriptVM translated;
    ASSERT_EQ(translated.Load(bytes.data(), bytes.size()), 0) << what;
    EXPECT_EQ(OpKinds(translated).count(VOP_PUSH_CALL), 1u) << what;
    EXPECT_NE(translated.Run(), kVmNormalEnd) << what;
    RunBothWithBudgets(bytes, 1, translated.LastWorkUnits() + 2, what);
  }
}

// A recursion down to the same depth twice, the second time with less room
// under the memory cap than its frames need, or one call deeper than the
// depth limit allows, stopped by budgets near its end: the calls into
// levels used before, whose parameters go straight into their frames, meet
// the cap, the depth limit and the budget as in the direct interpreter.
TEST(TranslatedMachine, PushesIntoTheCalledFrameMeetTheCapAndTheDepthLimit) {
  const std::string recursion =
      " int f(int n, int m) { if (n > 0) return f(n - 1, m) + m; return 0; }"
      " int g() { char big[2000000]; big[0] = 1; return f(depth, 1); }";
  struct Case {
    const char* what;
    std::string source;
    int32_t depth;
    int end;
  };
  const Case kCases[] = {
      {"the cap",
       "int depth; int r; char a[16000000]; char b[16000000]; char c[16000000]; char d[16000000];"
       " char e[800000];" +
           recursion + " int main() { r = f(depth, 1); r = r + g(); return 0; }",
       1000, kVmCallNewFrame},
      {"the depth limit",
       "int depth; int r;" + recursion +
           " int main() { r = f(depth, 1); r = r + f(depth + 1, 1); return 0; }",
       static_cast<int32_t>(kVmMaxCallDepth) - 1, kVmGrowReturnStack},
  };
  for (const Case& c : kCases) {
    const std::vector<uint8_t> code = CompileScript(c.source);
    CScriptVM whole;
    ASSERT_EQ(whole.Load(code.data(), code.size()), 0) << c.what;
    EXPECT_GE(OpKinds(whole).count(VOP_PUSH_CALL), 3u) << c.what;
    PutInt32(whole.State().globals->Cell(0), c.depth);
    EXPECT_EQ(whole.Run(), c.end) << c.what;
    const uint64_t used = whole.LastWorkUnits();
    RunBothWithBudgets(code, used - 40, used + 2, c.what, {{0, c.depth}});
    if (HasFailure()) return;
  }
}

// A function's result of every kind (values of the globals' types and of
// others, a bad type, references to a variable and into nothing) stored
// into one global where the call returns to and then, from the same
// register, into another: the return and the store of the result end each
// run as the direct interpreter does, with the same results.
TEST(TranslatedMachine, ResultsStoredWhereTheCallReturnsAsTheDirectInterpreter) {
  struct Result {
    const char* what;
    uint8_t type;
    uint32_t low, high;
  };
  const Result kResults[] = {
      {"an integer", 0x04, 7, 0},
      {"a double", 0x08, 0, 0x40040000},  // 2.5
      {"a byte", 0x00, 0xFF, 0},
      {"a bad type", 0x0B, 1, 0},
      {"a variable's reference", 0x84, kMemoryGlobal | 1, 0},
      {"a reference into nothing", 0x34, 0x1000, 0},
  };
  for (const Result& result : kResults) {
    VmProgram p;
    p.Global(0x84, 0);
    p.Global(0x88, 0);
    p.code = {I(OP_CALL, 0, 0, 7),
              I(OP_MOV, 2, 0),
              I(OP_LDM, 1, 0, kMemoryGlobal | 0),
              I(OP_ASG_RR, 1, 2),
              I(OP_LDM, 3, 0, kMemoryGlobal | 1),
              I(OP_ASG_RR, 3, 2),
              I(OP_RET),
              I(OP_LDK, 0, 0, result.low, result.high, result.type),
              I(OP_RET)};
    const std::string what = std::string(result.what) + "\n" + Listing(p);
    CScriptVM translated, direct;
    ASSERT_TRUE(LoadBoth(p.Bytes(), translated, direct)) << what;
    EXPECT_EQ(OpKinds(translated).count(VOP_MOV_FROM_ACC_STORE), 1u) << what;
    RunBoth(translated, direct, kVmInstructionBudget, what, true);
    if (result.type == 0x04) {
      EXPECT_EQ(translated.LastEndCode(), kVmNormalEnd) << what;
      EXPECT_EQ(Int32Of(*translated.State().globals->Cell(0)), 7) << what;
      EXPECT_EQ(DoubleOf(*translated.State().globals->Cell(1)), 7.0) << what;
    }
    if (result.type == 0x0B) {
      EXPECT_NE(translated.LastEndCode(), kVmNormalEnd) << what;
    }
  }
}
