// The interpreter: runs the loaded instructions over the machine's registers,
// variables, argument stack and call frames.
#pragma once
#include <cstdint>

#include "vmstate.h"

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
