// Which registers an instruction's successors may still read: the translation
// leaves out the register writes that nothing reads (a result that goes
// straight into a variable, a reference that the next statement replaces, the
// scratch register of constant and memory operands).
//
// Registers are bits of a mask (bit r for register r, 1-31); the accumulator
// is not tracked, as it stays visible after a run. An instruction that the
// analysis does not know reads every register. A register block belongs to
// one call: a call keeps the caller's registers for the instruction after it,
// and a return ends their life.
#pragma once
#include <cstdint>
#include <vector>

#include "../../compiler/codebyte_format.h"

using VmRegisterMask = uint32_t;

inline VmRegisterMask RegisterBit(uint8_t r) { return r >= 1 && r < 32 ? VmRegisterMask(1) << r : 0; }

// For each instruction, the registers that may be read after it before they
// are written again.
std::vector<VmRegisterMask> LiveRegistersAfter(const std::vector<tarnic::CodeByteInstruction>& code);

// The registers that may be read from just before an instruction, given
// those that may be read after it (a called function's first instruction:
// the registers of its new block that it may read before writing them).
VmRegisterMask LiveRegistersBefore(const tarnic::CodeByteInstruction& in, VmRegisterMask after);
