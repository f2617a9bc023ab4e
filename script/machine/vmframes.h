// The call stack of a machine: a level for each depth of calls, each with its
// register block and frame, kept for the next call and the next run instead
// of being made again.
//
// A call at depth d uses level d: the block and the frame that the last call
// at that depth left (the block cleared in the registers that the function
// may read before writing them, the frame emptied, its blocks of cells kept),
// or new ones the first time that depth is reached. A return only empties
// its frame, so a loop that calls a function makes nothing, and a recursion
// makes a level once for each depth it reaches.
//
// A run that ends leaves the entry function's level (its frame, when small)
// for the next run: a script run every tick then makes nothing, where it made
// and freed a register block, a frame, its cells and its stacks each time.
// The entry function's register block is shared by the runs of all machines
// (EnterRun), so that a thousand scripts run one after the other clear one
// block in the processor's cache, not a thousand. What a run leaves is
// bounded: one frame of a few blocks of cells, stacks of a few cells;
// everything beyond is freed. Kept frames count nothing against the memory
// cap until they are used again.
#pragma once
#include <cstdint>
#include <cstring>
#include <memory>

#include "vmstate.h"

// Opens the entry function's level for a run: its register block (the one
// the runs of all machines share when it is free), all zero, and its frame,
// counted against the cap. False when there is no memory or the cap is
// reached: nothing ran then.
bool EnterRun(VmState& s);

// Opens the level of a call from instruction `call` one deeper than the
// running function's: its register block cleared in the registers `cleared`
// (bit r for register r; a new block holds zeros) and its frame counted
// again. 0 or an end code (the register block or the frame could not be had).
int EnterLevel(VmState& s, uint32_t call, uint32_t cleared);
// The same for a depth not reached before, or whose level is not whole.
int EnterNewLevel(VmState& s, uint32_t call, uint32_t cleared);

// Leaves the running function's level for its caller's: its frame emptied
// and uncounted. The call that entered it.
uint32_t LeaveLevel(VmState& s);

// Zeroes the registers of `cleared` (bit r for register r), all of them at once.
inline void ClearRegisters(VmRegisterBlock& regs, uint32_t cleared) {
  if (cleared == ~uint32_t(0)) {
    std::memset(static_cast<void*>(regs.reg), 0, sizeof regs.reg);
    return;
  }
  for (; cleared; cleared &= cleared - 1) regs.reg[__builtin_ctz(cleared)] = VmCell();
}

// The running level is `depth` (`level`): its block and frame become the machine's.
inline void SwitchLevel(VmState& s, size_t depth, const VmCallLevel& level) {
  s.depth = depth;
  s.regs = level.regs.get();
  s.frame = level.frame.get();
}
inline void SwitchLevel(VmState& s, size_t depth) { SwitchLevel(s, depth, s.levels[depth]); }

// Inline, as every call and return of a script goes through them.
inline int EnterLevel(VmState& s, uint32_t call, uint32_t cleared) {
  const size_t depth = s.depth + 1;
  if (depth >= s.levels.size()) return EnterNewLevel(s, call, cleared);
  VmCallLevel& level = s.levels[depth];
  if (!level.regs || !level.frame || !level.frame->Reuse()) return EnterNewLevel(s, call, cleared);
  ClearRegisters(*level.regs, cleared);
  level.call = call;
  level.back = nullptr;
  SwitchLevel(s, depth, level);
  return 0;
}

// EnterLevel for a call whose function begins by taking n parameters, and
// the parameters from the argument stack, at once: the frame and the first
// block of its cells counted in one reservation (the cap and the peak as
// when they are counted one after the other). LevelTaking is the level when
// it is ready for that (else null), where the caller may write the first
// `placed` parameters into the frame's first cells (VmCallLevel::ready) in
// place of the top of the stack, before EnterLevelTaking takes them all: the
// frame's first cell, or null with nothing changed where the cap would be
// reached. The translated machine's return goes on at `back`. Where either
// fails, EnterLevel and the parameters one by one decide.
inline VmCallLevel* LevelTaking(VmState& s, size_t n, size_t placed = 0) {
  const size_t depth = s.depth + 1;
  if (depth >= s.levels.size()) return nullptr;
  VmCallLevel& level = s.levels[depth];
  if (!level.ready || !VmVariables::CanTakeFromStack(n, s.args.size() + placed)) return nullptr;
  return &level;
}
inline VmCell* EnterLevelTaking(VmState& s, VmCallLevel& level, uint32_t call, uint32_t cleared, size_t n,
                                const VmOp* back, size_t placed = 0) {
  if (!level.frame->Reuse(VmVariables::kBlockBytes)) return nullptr;
  VmCell* const cells = level.frame->variables.TakeFromStack(s.args, n, placed);
  ClearRegisters(*level.regs, cleared);
  level.call = call;
  level.back = back;
  SwitchLevel(s, s.depth + 1, level);
  return cells;
}

inline uint32_t LeaveLevel(VmState& s) {
  VmCallLevel& level = s.levels[s.depth];
  // The callee's cells and buffers are freed here; the blocks stay.
  level.frame->Retire();
  if (!level.ready) level.ready = level.frame->variables.KeptFirstCells();
  SwitchLevel(s, s.depth - 1);
  return level.call;
}

// Ends a run's state: the entry function's frame and the emptied stacks are
// kept within the bounds above for the next run, the rest is freed.
void KeepForNextRun(VmState& s);

// Frees every level and stack of the machine's runs.
void FreeRunState(VmState& s);
