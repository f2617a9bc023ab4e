// The register blocks and frames of a machine, kept for the next call and
// the next run instead of being made again.
//
// A returning call leaves its register block and its frame (emptied, its
// blocks of cells kept) for the next call of the same run. A run that ends
// leaves the block and the frame of its entry function for the next run the
// same way: a script run every tick then makes nothing, where it made and
// freed a register block, a frame, its cells and its stacks each time. The
// entry function's register block is shared by the runs of all machines
// (TakeRunRegisters), so that a thousand scripts run one after the other
// clear one block in the processor's cache, not a thousand. What
// a run leaves is bounded: one block, one frame of a few blocks of cells,
// stacks of a few cells; everything beyond is freed as before. Kept frames
// count nothing against the memory cap until they are used again.
#pragma once
#include <cstdint>
#include <memory>

#include "vmstate.h"

// A register block for a call or a run: one that was left, cleared in the
// registers `cleared` (bit r for register r; a called function's block
// needs only those it may read before writing them), or a new one, all zero;
// null when there is no memory.
std::unique_ptr<VmRegisterBlock> TakeRegisterBlock(VmState& s, uint32_t cleared = ~uint32_t(0));

// The register block for a run's entry function: the one the runs of all
// machines share when it is free, else as TakeRegisterBlock.
std::unique_ptr<VmRegisterBlock> TakeRunRegisters(VmState& s);

// A frame for a call or a run, counted against the cap: one that was left,
// or a new one; null when there is no memory or the cap is reached.
std::unique_ptr<VmFrame> TakeFrame(VmState& s);

// Keeps what a returning call leaves for the next call (or frees it when
// there is no room to keep it).
void KeepForNextCall(VmState& s, std::unique_ptr<VmRegisterBlock> regs, std::unique_ptr<VmFrame> frame);

// Ends a run's state: the entry function's block and frame and the emptied
// stacks are kept within the bounds above for the next run, the rest is freed.
void KeepForNextRun(VmState& s);

// Frees every register block, frame and stack of the machine's runs.
void FreeRunState(VmState& s);
