// The interpreter: runs the loaded instructions over the machine's registers,
// variables, argument stack and call frames.
#pragma once
#include <cstdint>
#include <new>

#include "vmcodes.h"
#include "vmframes.h"
#include "vmstate.h"
#include "vmwork.h"

// What an instruction's handler returns when the run goes on.
constexpr int kVmContinue = -1;

// The direct interpreter, which runs the code bytes as they were loaded: the
// reference for the translated machine (vmthreaded.h), and its general path.
//
// Runs from instruction `start` until the run ends and returns its end code
// (kVmNormalEnd when the entry function returns), using at most the state's
// budget of work units (then kVmBudgetExceeded) and counting the
// instructions it executed and the units it used. The caller provides the
// register block and the first frame and frees the run state afterwards.
int ExecuteCode(VmState& s, VmSystemCalls& calls, uint32_t start);

// The accounting of one run: the budget set before it, the instructions and
// units it used counted after it.
void StartRunAccount(VmState& s);
void EndRunAccount(VmState& s);

// Goes on from instruction `pc` with what is left of the run's budget, one
// instruction at a time, until the run ends; its end code.
int ContinueDirect(VmState& s, VmSystemCalls& calls, uint32_t pc);

// Executes the one instruction at `pc` (which must exist) without charging
// it: kVmContinue and the index of the next instruction, or an end code.
int StepInstruction(VmState& s, VmSystemCalls& calls, uint32_t pc, uint32_t* next);

// Register access shared with the system functions. Register 0 is the
// accumulator; numbers above 31 give kVmBadRegister.
// The value of register r, followed through a variable or raw reference.
int ReadRegister(VmState& s, uint8_t r, VmCell* value);
// The value that a register holding `held` gives when it is read.
int ReadHeldValue(VmState& s, const VmCell& held, VmCell* value);
// Stores into the target of register r, converted to the target's type.
int StoreRegister(VmState& s, uint8_t r, const VmCell& value);
// The variable cell of a memory word (bit 22 a local of the current frame,
// otherwise a global); nullptr when it does not exist.
VmCell* ResolveMemoryWord(VmState& s, uint32_t word);
// The table of variables that a memory word names (null without a frame).
VmVariables* VariablesOf(VmState& s, uint32_t word);

// The calls of script functions, shared by both machines; each returns 0 or
// an end code, and charges what the instruction charges beyond its unit.
//
// Pushes a cell (without its variable flags) onto the argument stack. The
// stack grows out of line: a handler in this function would make the
// 32-bit translated machine keep a frame pointer in all of its handlers,
// and so one register less for their hot values.
int PushArgumentGrowing(VmState& s, const VmCell& pushed);
inline int PushArgument(VmState& s, const VmCell& c) {
  if (s.args.size() >= kVmMaxPushed) return kVmGrowArgStack;
  const VmCell pushed = MakeCell(static_cast<uint8_t>(c.type & ~kVmVariableMask), c.value);
  if (s.args.size() == s.args.capacity()) return PushArgumentGrowing(s, pushed);
  s.args.push_back(pushed);
  return 0;
}
// Makes the top of the argument stack the running frame's next parameter,
// charging its cell with `charge(units)` (ChargeWork on the run's budget,
// or the threaded machine's charge on the part of it that it holds).
template <typename Charge>
int PopParameter(VmState& s, Charge charge) {
  if (s.args.empty()) return kVmArgStackEmpty;
  if (!charge(kWorkPerCell)) return kVmBudgetExceeded;
  VmCell c = s.args.back();
  s.args.pop_back();
  c.type |= kVmLocal;
  return s.frame->variables.Append(c);
}
// Calls the function at instruction `target` from the call at `call`: a
// register block and a frame of its own, charged with `charge` as above. A
// new block holds zeros; a block that an earlier call left is cleared in the
// registers `cleared` (all of them, or those that the function may read
// before writing them). StartCall is its check and charge before the level
// is entered, which the translated call, whose target was checked when the
// code loaded, does on its own.
template <typename Charge>
int StartCall(VmState& s, Charge charge) {
  if (s.depth >= kVmMaxCallDepth) return kVmGrowReturnStack;
  return charge(kWorkPerCall) ? 0 : kVmBudgetExceeded;
}
template <typename Charge>
int EnterFunction(VmState& s, uint32_t call, uint32_t target, uint32_t cleared, Charge charge) {
  if (target >= s.code.size()) return kVmBadJump;
  const int rc = StartCall(s, charge);
  return rc ? rc : EnterLevel(s, call, cleared);
}
// Returns from the running function to the instruction after its call
// (*next); kVmNormalEnd when the entry function returns.
inline int LeaveFunction(VmState& s, uint32_t* next) {
  if (s.depth == 0) return kVmNormalEnd;
  const uint32_t call = LeaveLevel(s);
  if (call + 1 >= s.code.size()) return kVmBadJump;
  *next = call + 1;
  return 0;
}
