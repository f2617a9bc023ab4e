// Loading code bytes and running hand-made (also hostile) instructions: every
// damaged file and every bad operand ends with a code, never a crash.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "../compiler/codebyte_format.h"
#include "../compiler/opcodes.h"
#include "vm_program.h"
#include "vm_test_util.h"
#include "vmcodes.h"

namespace {

using tarnic::CodeByteInstruction;
using namespace tarnic;

using Program = VmProgram;

const uint32_t kGlobal0 = kMemoryGlobal | 0;

// r = 41 + 1 into global 0, then return.
Program Simple() {
  Program p;
  p.Global(0x84, 0);
  p.code = {I(OP_LDM, 1, 0, kGlobal0),
            I(OP_ASG_RK, 1, 0, 41, 0, 0x04),
            I(OP_BIN_RK + 3, 1, 0, 1, 0, 0x04),
            I(OP_LDM, 2, 0, kGlobal0),
            I(OP_ASG_RR, 2, 1),
            I(OP_RET)};
  return p;
}

int LoadBytes(CScriptVM& vm, const std::vector<uint8_t>& b) { return vm.Load(b.data(), b.size()); }

int RunProgram(const Program& p, CScriptVM& vm) {
  int rc = LoadBytes(vm, p.Bytes());
  EXPECT_EQ(rc, 0);
  return rc ? rc : vm.Run();
}

TEST(VmLoad, AHandMadeProgramRuns) {
  CScriptVM vm;
  EXPECT_EQ(RunProgram(Simple(), vm), kVmNormalEnd);
  EXPECT_EQ(static_cast<int32_t>(vm.State().globals->Cell(0)->value), 42);
}

TEST(VmLoad, HeaderChecks) {
  std::vector<uint8_t> good = Simple().Bytes();
  struct Case {
    size_t offset;
    uint8_t byte;
    int code;
  } cases[] = {{0, 0x5B, kVmBadMagic}, {1, 0xA4, kVmBadMagic}, {3, 2, kVmBadVersion}, {2, 0, kVmBadVersion}};
  for (const Case& c : cases) {
    std::vector<uint8_t> b = good;
    b[c.offset] = c.byte;
    CScriptVM vm;
    EXPECT_EQ(LoadBytes(vm, b), c.code) << c.offset;
    EXPECT_EQ(vm.Run(), kVmNotLoaded);  // a refused file leaves nothing to run
  }
}

TEST(VmLoad, DataAreaAtSeventyIsRefused) {
  std::vector<uint8_t> b = Simple().Bytes();
  b[36] = 70;
  b[37] = b[38] = b[39] = 0;
  CScriptVM vm;
  EXPECT_EQ(LoadBytes(vm, b), kVmBadCodeSize);
}

TEST(VmLoad, OffsetsPastTheEndAreRefused) {
  std::vector<uint8_t> b = Simple().Bytes();
  std::vector<uint8_t> far = b;
  far[36] = 0;  // a data offset of 0x1000, beyond the bytes
  far[37] = 0x10;
  CScriptVM vm;
  EXPECT_EQ(LoadBytes(vm, far), kVmTruncated);

  Program huge_count = Simple();
  huge_count.entries = 0xFFFFFFFF;
  EXPECT_EQ(LoadBytes(vm, huge_count.Bytes()), kVmTruncated);

  Program long_string = Simple();
  long_string.Global(0x90, 2, "ab");
  std::vector<uint8_t> cut = long_string.Bytes();
  cut.pop_back();
  EXPECT_EQ(LoadBytes(vm, cut), kVmTruncated);

  Program bad_entry = Simple();
  bad_entry.entry = 99;
  EXPECT_EQ(LoadBytes(vm, bad_entry.Bytes()), kVmBadEntry);
}

TEST(VmLoad, EveryTruncationIsRefusedCleanly) {
  std::vector<uint8_t> code =
      CompileScript("int g = 3; char s[8]; int main() { strcpy(s, \"hi\"); g++; return 0; }");
  ASSERT_FALSE(code.empty());
  for (size_t n = 0; n < code.size(); ++n) {
    CScriptVM vm;
    EXPECT_NE(vm.Load(code.data(), n), 0) << n;
  }
  CScriptVM vm;
  EXPECT_EQ(vm.Load(code.data(), code.size()), 0);
  EXPECT_EQ(vm.Run(), kVmNormalEnd);
  EXPECT_NE(vm.Load(nullptr, 100), 0);
}

TEST(VmLoad, HugeArraysAreRefused) {
  Program p = Simple();
  p.Global(0x94, 0xFFFFFFFF);
  CScriptVM vm;
  EXPECT_EQ(LoadBytes(vm, p.Bytes()), kVmNoBufferMemory);
  Program bad_base = Simple();
  bad_base.Global(0x9C, 4);
  EXPECT_EQ(LoadBytes(vm, bad_base.Bytes()), kVmNoMemory);
}

TEST(VmLoad, StringConstantsAreCopiedWithATerminatingZero) {
  Program p;
  p.Global(0x90, 2, "ab");
  p.code = {I(OP_RET)};
  CScriptVM vm;
  ASSERT_EQ(RunProgram(p, vm), kVmNormalEnd);
  const VmCell* c = vm.State().globals->Cell(0);
  size_t length = 0;
  ASSERT_TRUE(vm.State().memory.StringLength(Low32(c->value), &length));
  EXPECT_EQ(length, 2u);
}

// Hostile instructions, each after the simple program's global.
struct HostileCase {
  const char* what;
  std::vector<CodeByteInstruction> code;
  int end;
};

class Hostile : public ::testing::TestWithParam<HostileCase> {};

TEST_P(Hostile, EndsWithItsCode) {
  Program p;
  p.Global(0x84, 0);
  p.code = GetParam().code;
  CScriptVM vm;
  EXPECT_EQ(RunProgram(p, vm), GetParam().end) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Operands, Hostile,
    ::testing::Values(
        HostileCase{"opcode 171", {I(171)}, kVmBadOpcode}, HostileCase{"opcode 255", {I(255)}, kVmBadOpcode},
        HostileCase{"no-op then return", {I(0), I(12), I(50), I(OP_RET)}, kVmNormalEnd},
        HostileCase{"register 32", {I(OP_LDK, 32, 0, 1, 0, 4), I(OP_RET)}, kVmBadRegister},
        HostileCase{"source register 200", {I(OP_MOV, 1, 200), I(OP_RET)}, kVmBadRegister},
        HostileCase{"jump past the end", {I(OP_JMP, 0, 0, 5)}, kVmBadJump},
        HostileCase{"call past the end", {I(OP_CALL, 0, 0, 1000)}, kVmBadJump},
        HostileCase{"running off the end", {I(OP_LDK, 1, 0, 1, 0, 4)}, kVmBadJump},
        HostileCase{"missing global", {I(OP_LDM, 1, 0, kMemoryGlobal | 7), I(OP_RET)}, kVmBadCell},
        HostileCase{"missing local", {I(OP_PUSHM, 0, 0, kMemoryLocal | 0), I(OP_RET)}, kVmBadCell},
        HostileCase{"read through a wild address",
                    {I(OP_LDK, 1, 0, 0x1000, 0, 0x34), I(OP_LDV, 2, 1), I(OP_RET)},
                    kVmBadAddress},
        HostileCase{"write through a wild address",
                    {I(OP_LDK, 1, 0, 0x1000, 0, 0x34), I(OP_ASG_RK, 1, 0, 5, 0, 4), I(OP_RET)},
                    kVmPointerStore},
        HostileCase{"reference to a missing cell",
                    {I(OP_LDK, 1, 0, 99, 0, 0x84), I(OP_LDV, 2, 1), I(OP_RET)},
                    kVmBadCell},
        HostileCase{"pop from an empty stack", {I(OP_POPARG), I(OP_RET)}, kVmArgStackEmpty},
        HostileCase{"unknown system function", {I(OP_CALLSYS, 0, 0, 40), I(OP_RET)}, kVmSystemFailed},
        HostileCase{"host id without a host", {I(OP_CALLSYS, 0, 0, 1050), I(OP_RET)}, kVmSystemFailed},
        HostileCase{"library call without arguments", {I(OP_CALLSYS, 0, 0, 154), I(OP_RET)}, kVmSystemFailed},
        HostileCase{"multiply a pointer",
                    {I(OP_LDK, 1, 0, 8, 0, 0x24), I(OP_BIN_RK + 0, 1, 0, 2, 0, 4), I(OP_RET)},
                    kVmBadBinary},
        HostileCase{"cast to base 12",
                    {I(OP_LDK, 1, 0, 1, 0, 4), I(OP_CAST, 1, 0, 0, 0, 12), I(OP_RET)},
                    kVmNoMemory},
        HostileCase{"local with a huge cell number",
                    {I(OP_LOCAL, 0, 0, 0, 0xFFFFF, 0x44), I(OP_RET)},
                    kVmGrowCellTable},
        HostileCase{
            "local array too big", {I(OP_LOCAL, 0, 0, 0x7FFFFFFF, 0, 0x58), I(OP_RET)}, kVmNoBufferMemory},
        HostileCase{"return stack ends with 0", {I(OP_CALL, 0, 0, 1), I(OP_RET)}, kVmNormalEnd},
        HostileCase{"binary sub-code 20 keeps the value",
                    {I(OP_LDK, 1, 0, 5, 0, 4), I(OP_BIN_RK + 20, 1, 0, 0, 0, 8), I(OP_LDM, 2, 0, kGlobal0),
                     I(OP_ASG_RR, 2, 1), I(OP_RET)},
                    kVmNormalEnd},
        HostileCase{"binary sub-code 20 on a pointer",
                    {I(OP_LDK, 1, 0, 5, 0, 0x24), I(OP_BIN_RK + 20, 1, 0, 0, 0, 4), I(OP_RET)},
                    kVmBadBinary},
        HostileCase{"assignment sub-code 15 stores back",
                    {I(OP_LDM, 1, 0, kGlobal0), I(OP_ASG_RR + 15, 1, 1), I(OP_RET)},
                    kVmNormalEnd}));

// A machine whose system function runs the same machine again.
class ReentrantVM : public CScriptVM {
 public:
  int CallFunction(int id) override {
    if (id != 99) return CScriptVM::CallFunction(id);
    nested_run = Run();
    nested_load = Load(nullptr, 0);
    return 0;
  }
  int nested_run = 0;
  int nested_load = 0;
};

TEST(VmHostile, ANestedRunOfTheSameMachineIsRefused) {
  Program p = Simple();
  p.code.insert(p.code.begin(), I(OP_CALLSYS, 0, 0, 99));
  ReentrantVM vm;
  std::vector<uint8_t> b = p.Bytes();
  ASSERT_EQ(vm.Load(b.data(), b.size()), 0);
  EXPECT_EQ(vm.Run(), kVmNormalEnd);
  EXPECT_EQ(vm.nested_run, kVmBusy);
  EXPECT_EQ(vm.nested_load, kVmBusy);
  EXPECT_EQ(static_cast<int32_t>(vm.State().globals->Cell(0)->value), 42);
}

TEST(VmHostile, AnAndAssignmentOnAPointerVariableIsRefused) {
  Program p;
  p.Global(0xA4, 0);  // int *
  p.code = {I(OP_LDM, 1, 0, kGlobal0), I(OP_ASG_RK + 8, 1, 0, 1, 0, 4), I(OP_RET)};
  CScriptVM vm;
  EXPECT_EQ(RunProgram(p, vm), kVmPointerAssign);
}

// A condition is tested by the value's own type: a 64-bit value by all its
// bits, a double by its value (1.0 has a zero low word), a narrow integer in
// its own width, an address by its 32 bits.
struct TruthCase {
  const char* what;
  uint32_t a, b;
  uint8_t t;
  bool truth;
};

class JumpTruth : public ::testing::TestWithParam<TruthCase> {};

TEST_P(JumpTruth, JzAndJnzAndLogicalNotAgree) {
  const TruthCase& c = GetParam();
  // Global 0 := 7 unless JZ jumps; global 1 := 7 when JNZ jumps; global 2 := !value.
  Program p;
  p.Global(0x84, 0);
  p.Global(0x84, 0);
  p.Global(0x84, 0);
  p.code = {I(OP_LDK, 1, 0, c.a, c.b, c.t),     I(OP_JZ, 1, 0, 4),           I(OP_LDM, 2, 0, kGlobal0),
            I(OP_ASG_RK, 2, 0, 7, 0, 4),        I(OP_JNZ, 1, 0, 6),          I(OP_JMP, 0, 0, 8),
            I(OP_LDM, 2, 0, kMemoryGlobal | 1), I(OP_ASG_RK, 2, 0, 7, 0, 4), I(OP_LNOT, 1),
            I(OP_LDM, 2, 0, kMemoryGlobal | 2), I(OP_ASG_RR, 2, 1),          I(OP_RET)};
  CScriptVM vm;
  ASSERT_EQ(RunProgram(p, vm), kVmNormalEnd) << c.what;
  EXPECT_EQ(vm.State().globals->Cell(0)->value, c.truth ? 7u : 0u) << c.what;
  EXPECT_EQ(vm.State().globals->Cell(1)->value, c.truth ? 7u : 0u) << c.what;
  EXPECT_EQ(vm.State().globals->Cell(2)->value, c.truth ? 0u : 1u) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    ByType, JumpTruth,
    ::testing::Values(
        TruthCase{"int64 with a zero low word", 0, 0xFFFF, 7, true}, TruthCase{"int64 zero", 0, 0, 7, false},
        TruthCase{"double 1.0", 0, 0x3FF00000, 8, true}, TruthCase{"double 0.5", 0, 0x3FE00000, 8, true},
        TruthCase{"double -0.0", 0, 0x80000000, 8, false}, TruthCase{"float 1.0", 0x3F800000, 0, 6, true},
        TruthCase{"float -0.0", 0x80000000, 0, 6, false}, TruthCase{"int 1", 1, 0, 4, true},
        TruthCase{"int 0 with high bits", 0, 5, 4, false}, TruthCase{"char 256", 256, 0, 0, false},
        TruthCase{"short 0x10000", 0x10000, 0, 2, false}, TruthCase{"pointer", 0x1000, 0, 0x24, true},
        TruthCase{"null pointer with high bits", 0, 9, 0x24, false}));

// A constant loaded into a register that referred to a variable replaces the
// register only: the variable keeps its type byte (with its global flag) and
// its value, and later stores through the register do not reach it.
TEST(VmHostile, LoadingAConstantLeavesTheVariableAlone) {
  Program p;
  p.Global(0x88, 0);  // double
  p.code = {I(OP_LDM, 1, 0, kGlobal0),
            I(OP_ASG_RK, 1, 0, 0, 0x40000000, 8),
            I(OP_LDM, 2, 0, kGlobal0),
            I(OP_LDK, 2, 0, 5, 0, 4),
            I(OP_ASG_RK, 2, 0, 9, 0, 4),
            I(OP_LDK, 1, 0, 1, 0, 0x44),
            I(OP_RET)};
  CScriptVM vm;
  ASSERT_EQ(RunProgram(p, vm), kVmNormalEnd);
  const VmCell& g = *vm.State().globals->Cell(0);
  EXPECT_EQ(g.type, 0x88);
  EXPECT_EQ(BitsToDouble(g.value), 2.0);
  // The variable still takes stores on the next run.
  ASSERT_EQ(vm.Run(), kVmNormalEnd);
  EXPECT_EQ(BitsToDouble(vm.State().globals->Cell(0)->value), 2.0);
}

TEST(VmHostile, AnEndlessJumpEndsWithTheBudgetCode) {
  Program p;
  p.code = {I(OP_JMP, 0, 0, 0)};
  CScriptVM vm;
  EXPECT_EQ(RunProgram(p, vm), kVmBudgetExceeded);
}

TEST(VmHostile, ArgumentPushingIsBounded) {
  Program p;
  p.code = {I(OP_PUSHK, 0, 0, 1, 0, 4), I(OP_JMP, 0, 0, 0)};
  CScriptVM vm;
  EXPECT_EQ(RunProgram(p, vm), kVmGrowArgStack);
}

}  // namespace
