// The run budget is charged with the work that single instructions and
// system functions do, and the memory cap counts everything a machine holds:
// hostile programs end with their codes within the budget and the cap, and
// the accounting is exact.
#include <gtest/gtest.h>

#include <string>

#include "../../compiler/opcodes.h"
#include "vm_hostile.h"
#include "vm_test_util.h"
#include "vmcodes.h"
#include "vmwork.h"

namespace {

using namespace tarnic;

constexpr size_t kCap = VmMemoryMap::kMaxTotalBytes;

class HostileRun : public ::testing::TestWithParam<int> {};

// Every hostile program of the benchmark ends with its code, uses no more
// than the budget (all of it when the budget ends it), stays under the cap,
// and leaves only its globals counted after the run.
TEST_P(HostileRun, EndsWithinTheBudgetAndTheCap) {
  const HostileProgram program = HostilePrograms()[GetParam()];
  HostScene scene;
  std::unique_ptr<CScriptVM> vm = LoadHostile(program, scene);
  ASSERT_NE(vm, nullptr) << program.what;
  const size_t loaded = vm->State().memory.BytesInUse();
  EXPECT_EQ(RunHostile(program, *vm), program.end) << program.what;
  EXPECT_LE(vm->LastWorkUnits(), kVmInstructionBudget) << program.what;
  if (program.end == kVmBudgetExceeded) {
    EXPECT_EQ(vm->LastWorkUnits(), kVmInstructionBudget) << program.what;
  }
  EXPECT_LE(vm->LastInstructionCount(), vm->LastWorkUnits()) << program.what;
  EXPECT_LE(vm->State().memory.PeakBytes(), kCap) << program.what;
  EXPECT_EQ(vm->State().memory.BytesInUse(), loaded) << program.what;
}

INSTANTIATE_TEST_SUITE_P(Programs, HostileRun,
                         ::testing::Range(0, static_cast<int>(HostilePrograms().size())));

// A loop calling f, which creates local cell `cell` with `count` elements
// of `type`.
VmProgram CallingLocal(uint32_t cell, uint32_t count, uint8_t type) {
  VmProgram p;
  p.code = {I(OP_CALL, 0, 0, 2), I(OP_JMP, 0, 0, 0), I(OP_LOCAL, 0, 0, count, cell, type), I(OP_RET)};
  return p;
}

int RunWithBudget(CScriptVM& vm, const VmProgram& p, uint64_t budget) {
  std::vector<uint8_t> bytes = p.Bytes();
  EXPECT_EQ(vm.Load(bytes.data(), bytes.size()), 0);
  vm.SetInstructionBudget(budget);
  return vm.Run();
}

// Each call pays for its register block and frame, each local cell made
// (and the gap below it) for itself: with 65,536 cells a call, three calls
// fit into 200,000 units and the fourth ends at its local.
TEST(VmWork, ACallPaysForEveryCellItMakes) {
  const uint64_t per_call = 4 + kWorkPerCall + 65536 * kWorkPerCell;
  const uint64_t budget = 200000;
  ASSERT_EQ(budget / per_call, 3u);
  ASSERT_GE(budget % per_call, 2 + kWorkPerCall);
  CScriptVM vm;
  EXPECT_EQ(RunWithBudget(vm, CallingLocal(65535, 0, 0x04), budget), kVmBudgetExceeded);
  EXPECT_EQ(vm.LastInstructionCount(), 3 * 4 + 2u);
  EXPECT_EQ(vm.LastWorkUnits(), budget);
}

// An array is paid for before it is made and zeroed: a budget one unit short
// of it ends the run at the local, and the array never existed.
TEST(VmWork, ALocalArrayIsPaidForBeforeItIsMade) {
  const uint32_t count = (16u << 20) / 4 - 2;  // 16 MB of ints
  const uint64_t array = kWorkPerCell + kWorkPerBuffer + ByteWork(VmVariables::BufferSize(0x54, count));
  const uint64_t budget = 2 + kWorkPerCall + array - 1;
  CScriptVM vm;
  EXPECT_EQ(RunWithBudget(vm, CallingLocal(0, count, 0x14), budget), kVmBudgetExceeded);
  EXPECT_EQ(vm.LastInstructionCount(), 2u);
  EXPECT_LT(vm.State().memory.PeakBytes(), 1u << 20);
  CScriptVM enough;
  EXPECT_EQ(RunWithBudget(enough, CallingLocal(0, count, 0x14), budget + 1 + 2), kVmBudgetExceeded);
  EXPECT_EQ(enough.LastInstructionCount(), 4u);  // the local, its return and the jump back ran
  EXPECT_GE(enough.State().memory.PeakBytes(), 16u << 20);
}

// A text is read only as far as the budget pays: strlen of 8 MB with a budget
// for less ends the run with the budget's code, not as a failed function.
TEST(VmWork, ATextIsReadOnlyAsFarAsTheBudgetPays) {
  VmProgram p;
  p.Global(0x90, 8u << 20, std::string(8u << 20, 'a'));
  p.code = {I(OP_PUSHM, 0, 0, kMemoryGlobal), I(OP_CALLSYS, 0, 0, 154), I(OP_RET)};
  CScriptVM short_of_it;
  EXPECT_EQ(RunWithBudget(short_of_it, p, 100000), kVmBudgetExceeded);
  EXPECT_EQ(short_of_it.LastSystemCode(), 0);
  EXPECT_EQ(short_of_it.LastWorkUnits(), 100000u);
  CScriptVM enough;
  EXPECT_EQ(RunWithBudget(enough, p, 1000000), kVmNormalEnd);
  EXPECT_EQ(static_cast<int32_t>(enough.Accumulator().value), 8 << 20);
  EXPECT_EQ(enough.LastWorkUnits(), 3 + SystemCallWork(154) + ByteWork((8u << 20) + 1));
}

// Characters that a format makes are charged: the same sprintf with a wider
// field costs more by the characters it adds.
TEST(VmWork, FormattedCharactersAreCharged) {
  LoadedScript narrow("char b[70000]; int main() { sprintf(b, \"%d\", 7); return 0; }");
  LoadedScript wide("char b[70000]; int main() { sprintf(b, \"%65536d\", 7); return 0; }");
  ASSERT_EQ(narrow.Run(), kVmNormalEnd);
  ASSERT_EQ(wide.Run(), kVmNormalEnd);
  EXPECT_EQ(wide.vm.LastInstructionCount(), narrow.vm.LastInstructionCount());
  // 65,535 more characters formatted, and written with the terminating zero.
  EXPECT_EQ(wide.vm.LastWorkUnits() - narrow.vm.LastWorkUnits(),
            CharWork(65536) - CharWork(1) + ByteWork(65537) - ByteWork(2));
}

// Every frame counts against the cap with its register block and its cells:
// a recursion 1,000 calls deep holds exactly that much at its deepest, and
// all of it is returned when the run ends.
TEST(VmMemoryCap, FramesAndTheirCellsAreCounted) {
  LoadedScript s("int d; void f(int n) { if (n > 0) f(n - 1); } int main() { f(1000); return 0; }");
  const size_t loaded = s.vm.State().memory.BytesInUse();
  ASSERT_EQ(s.Run(), kVmNormalEnd);
  const size_t block = VmVariables::kBlockCells * sizeof(VmCell) + VmMemoryMap::kRegionOverhead;
  // The run's first frame, then 1,001 calls of f, each with one block for its parameter.
  EXPECT_EQ(s.vm.State().memory.PeakBytes(), loaded + 1002 * VmFrame::kFixedBytes + 1001 * block);
  EXPECT_EQ(s.vm.State().memory.BytesInUse(), loaded);
}

// A run leaves its entry function's register block and frame for the next
// run: the next run sees its locals and registers as new ones and the cap
// counts the same; a large frame and the frames of deep calls are freed.
TEST(VmRunState, WhatARunLeavesIsSmallAndReadsAsNew) {
  LoadedScript s(
      "int g; void f(int n) { if (n > 0) f(n - 1); }\n"
      "int main() { int a; int b; int *p; p = &a; *p = *p + 5; b = b + a; g = g + b; f(50); return b; }");
  const size_t loaded = s.vm.State().memory.BytesInUse();
  ASSERT_EQ(s.Run(), kVmNormalEnd);
  const size_t firstPeak = s.vm.State().memory.PeakBytes();
  for (int run = 2; run <= 3; ++run) {
    ASSERT_EQ(s.Run(), kVmNormalEnd);
    EXPECT_EQ(static_cast<int32_t>(s.vm.Accumulator().value), 5) << "run " << run;
    EXPECT_EQ(s.Int(0), 5 * run);  // the global goes on counting
    EXPECT_EQ(s.vm.State().memory.BytesInUse(), loaded);
    EXPECT_EQ(s.vm.State().memory.PeakBytes(), firstPeak);
  }
  // Of the 51 levels of calls a run reaches, the entry function's is kept
  // with its frame; its block goes back to the block the runs of all
  // machines share.
  ASSERT_EQ(s.vm.State().levels.size(), 1u);
  EXPECT_TRUE(s.vm.State().levels[0].frame);
  EXPECT_FALSE(s.vm.State().levels[0].regs);

  // A frame of 200 locals (seven blocks of cells) is not kept.
  std::string locals, sum = "0";
  for (int i = 0; i < 200; ++i) {
    locals += "int v" + std::to_string(i) + "; ";
    sum += " + v" + std::to_string(i);
  }
  LoadedScript big("int main() { " + locals + "v7 = 1; return " + sum + "; }");
  ASSERT_EQ(big.Run(), kVmNormalEnd);
  EXPECT_TRUE(big.vm.State().levels.empty() || !big.vm.State().levels[0].frame);
  ASSERT_EQ(big.Run(), kVmNormalEnd);
  EXPECT_EQ(static_cast<int32_t>(big.vm.Accumulator().value), 1);
}

// Tiny arrays count with their bookkeeping: a recursion that makes a
// thousand one-byte arrays a frame reaches the cap with far fewer arrays
// than their bytes alone would allow.
TEST(VmMemoryCap, TinyArraysCountWithTheirBookkeeping) {
  VmProgram p;
  for (uint32_t i = 0; i < 1000; ++i) p.code.push_back(I(OP_LOCAL, 0, 0, 1, i, 0x10));
  p.code.push_back(I(OP_CALL, 0, 0, 0));
  CScriptVM vm;
  const int end = RunWithBudget(vm, p, 4000000000ull);
  EXPECT_TRUE(end == kVmNoBufferMemory || end == kVmGrowCellTable) << end;  // an array or a cell block
  EXPECT_LE(vm.State().memory.PeakBytes(), kCap);
  // Nearly every instruction made an array of 4 bytes; without their
  // bookkeeping 16 million of them would have fitted.
  const uint64_t arrays = vm.LastInstructionCount();
  EXPECT_LT(arrays, kCap / (4 + VmMemoryMap::kRegionOverhead) + 1000);
  EXPECT_GT(arrays, kCap / (4 + VmMemoryMap::kRegionOverhead + 2 * sizeof(VmCell)) - 1000);
  EXPECT_EQ(vm.State().memory.BytesInUse(), 0u);
}

}  // namespace
