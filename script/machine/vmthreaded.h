// The threaded machine: runs the translated form of the instructions
// (vmtranslate.h). Each op jumps straight to the handler of the next one;
// the handlers take the common case of their operands first (signed 32-bit
// integers and doubles, variables that exist) and leave everything else to
// the same general operations as the direct interpreter (vmexec.h), or to its
// handler for the whole instruction. A run gives the same end code, results,
// instruction count and work units as a direct run of the same code bytes.
#pragma once
#include <cstdint>

#include "vmstate.h"

// Runs from instruction `start` (0 or the entry) as ExecuteCode does; the
// state's translation must exist.
int ExecuteTranslated(VmState& s, VmSystemCalls& calls, uint32_t start);
