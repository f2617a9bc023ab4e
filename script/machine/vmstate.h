// The whole state of one script machine, passed explicitly to the loader, the
// interpreter and the library functions; two machines share nothing.
#pragma once
#include <cstdint>
#include <memory>
#include <new>
#include <vector>

#include "../../compiler/codebyte_format.h"
#include "vmcell.h"
#include "vmmemory.h"
#include "vmtranslate.h"

constexpr int kVmRegisters = 32;        // registers 1 to 31 (0 is the accumulator)
constexpr int kVmScratchRegister = 31;  // receives constants and memory operands
constexpr int kVmArgArea = 32;          // cells into which system functions take their arguments

// Limits that stop runaway recursion and pushing with an end code instead of
// exhausting the process.
constexpr size_t kVmMaxCallDepth = 10000;
constexpr size_t kVmMaxPushed = 65536;
// Work one run may do, in units of about one plain instruction's time (each
// instruction is one unit; cells made, bytes touched, characters formatted
// and slow platform calls are charged on top, vmwork.h): generous for any
// script of a picture, yet a run that would loop or grind ends within about
// a second instead of freezing the viewer.
constexpr uint64_t kVmInstructionBudget = 10000000;

struct VmRegisterBlock {
  VmCell reg[kVmRegisters];
};

// The parameters and locals of one running function. A frame is made with
// the register block of its call, and both count against the machine's
// memory cap with the frame's own bytes. A frame whose function returned is
// kept for the next call of the same run, counting nothing meanwhile.
struct VmFrame {
  static constexpr size_t kFixedBytes =
      sizeof(VmVariables) + sizeof(VmMemoryMap*) + sizeof(VmRegisterBlock) + 2 * VmMemoryMap::kRegionOverhead;
  // A new frame, or null when there is no memory or the cap is reached.
  static std::unique_ptr<VmFrame> Make(VmMemoryMap& memory);
  ~VmFrame() {
    if (counted_) memory_.Release(kFixedBytes);
  }
  VmFrame(const VmFrame&) = delete;
  VmFrame& operator=(const VmFrame&) = delete;

  // Empties a frame as its destruction would, keeping its storage.
  void Retire() {
    variables.Clear(counted_ ? kFixedBytes : 0);
    counted_ = false;
  }
  // Counts a kept frame again for its next use, with `cells` bytes of its
  // cells in the same reservation; false when the cap is reached.
  bool Reuse(size_t cells = 0) {
    if (!memory_.Reserve(kFixedBytes + cells)) return false;
    counted_ = true;
    return true;
  }

  VmVariables variables;

 private:
  explicit VmFrame(VmMemoryMap& memory) : variables(memory), memory_(memory) {}
  VmMemoryMap& memory_;
  bool counted_ = true;
};

inline std::unique_ptr<VmFrame> VmFrame::Make(VmMemoryMap& memory) {
  if (!memory.Reserve(kFixedBytes)) return nullptr;
  std::unique_ptr<VmFrame> frame(new (std::nothrow) VmFrame(memory));
  if (!frame) memory.Release(kFixedBytes);
  return frame;
}

// One depth of the call stack: the register block and the frame of the
// function running there and the call that entered it. Both stay with the
// level when the function returns (the frame emptied and uncounted), for the
// next call at the same depth.
struct VmCallLevel {
  std::unique_ptr<VmRegisterBlock> regs;
  std::unique_ptr<VmFrame> frame;
  uint32_t call = 0;  // the instruction index of the call
  // The first cells of the frame's first kept block, once the level has
  // been left with one: a level deeper than the running one is then ready
  // for a call to write its parameters there (LevelTaking), as its frame is
  // empty and a frame keeps its blocks. Null before.
  VmCell* ready = nullptr;
  // Where the translated machine goes on when the function returns (the op
  // after the translated call, vmtranslate.h); null for a call that the
  // direct interpreter made, whose return looks the place up from `call`.
  const VmOp* back = nullptr;
  // With `back`: the caller's locals as the translated machine saw them at
  // the call, their count and the first one's address, which the caller's
  // frame keeps while this level runs, so that the return needs not read
  // them again.
  uint32_t caller_locals = 0;
  uintptr_t caller_cells = 0;
};

struct VmState {
  // Declared first so that it outlives every table that registers in it.
  VmMemoryMap memory;

  VmCell accumulator;
  std::vector<VmCell> args;  // pushed cells, without variable flags
  std::unique_ptr<VmVariables> globals;

  // The call stack by depth (levels[0] the entry function's); a level that a
  // call left is used again by the next call at its depth (vmframes.h).
  std::vector<VmCallLevel> levels;
  size_t depth = 0;  // the running function's level: the calls open
  // The running function's register block and frame (those of levels[depth]).
  VmRegisterBlock* regs = nullptr;
  VmFrame* frame = nullptr;

  std::vector<tarnic::CodeByteInstruction> code;
  // The instructions translated at load (null when they run directly).
  std::unique_ptr<VmTranslation> translation;
  uint32_t entry = 0;
  bool first_run = true;
  bool running = false;                                // inside Run: a nested Run or Load is refused
  uint64_t instruction_budget = kVmInstructionBudget;  // work units a run may use
  uint64_t budget_left = kVmInstructionBudget;         // units left to the current run
  uint64_t extra_work = 0;         // units the current run was charged beyond one per instruction
  bool over_budget = false;        // a charge did not fit: the run ends with kVmBudgetExceeded
  int last_end_code = 0;           // what the last Run returned
  uint64_t last_instructions = 0;  // instructions the last run executed
  uint64_t last_work = 0;          // work units the last run used (instructions included)

  VmCell arg_area[kVmArgArea];

  // High-resolution timing of StartCounTime and EndCounTime.
  int64_t counter_frequency = 0;
  int64_t start_count = 0;
  int64_t end_count = 0;
  int64_t elapsed_count = 0;
  double elapsed_ms = 0.0;

  // The code of the last system function that failed (its run ended with 2001).
  int last_system_code = 0;
};

// The system functions behind OP_CALLSYS; 0 when the function ran.
class VmSystemCalls {
 public:
  virtual ~VmSystemCalls() = default;
  virtual int CallFunction(int id) = 0;
};
