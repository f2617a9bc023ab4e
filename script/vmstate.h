// The whole state of one script machine, passed explicitly to the loader, the
// interpreter and the library functions; two machines share nothing.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "../compiler/codebyte_format.h"
#include "vmcell.h"
#include "vmmemory.h"

constexpr int kVmRegisters = 32;       // registers 1 to 31 (0 is the accumulator)
constexpr int kVmScratchRegister = 31; // receives constants and memory operands
constexpr int kVmArgArea = 32;         // cells into which system functions take their arguments

// Limits that stop runaway recursion and pushing with an end code instead of
// exhausting the process.
constexpr size_t kVmMaxCallDepth = 10000;
constexpr size_t kVmMaxPushed = 65536;
// Instructions one run may execute: generous for any script of a picture,
// yet an endless loop ends within a second instead of freezing the viewer.
constexpr uint64_t kVmInstructionBudget = 10000000;

struct VmRegisterBlock {
  VmCell reg[kVmRegisters];
};

// The parameters and locals of one running function.
struct VmFrame {
  explicit VmFrame(VmMemoryMap& memory) : variables(memory) {}
  VmVariables variables;
};

struct VmState {
  // Declared first so that it outlives every table that registers in it.
  VmMemoryMap memory;

  VmCell accumulator;
  std::vector<uint32_t> returns;  // instruction indexes of the calls
  std::vector<VmCell> args;       // pushed cells, without variable flags
  std::unique_ptr<VmVariables> globals;

  std::unique_ptr<VmRegisterBlock> regs;
  std::vector<std::unique_ptr<VmRegisterBlock>> saved_regs;
  std::unique_ptr<VmFrame> frame;
  std::vector<std::unique_ptr<VmFrame>> saved_frames;

  std::vector<tarnic::CodeByteInstruction> code;
  uint32_t entry = 0;
  bool first_run = true;
  bool running = false;  // inside Run: a nested Run or Load is refused
  uint64_t instruction_budget = kVmInstructionBudget;
  int last_end_code = 0;  // what the last Run returned
  uint64_t last_instructions = 0;  // instructions the last run executed

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
