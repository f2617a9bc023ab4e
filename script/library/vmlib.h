// The library functions of the script machine, one group per file; each
// returns kSysUnknown for an id of its range that it does not serve, 0 when
// the function ran (its result in the accumulator), or the failure code.
#pragma once
#include "vmstate.h"

int VmCallMisc(VmState& s, int id);    // 50-99: RGB
int VmCallMath(VmState& s, int id);    // 100-149
int VmCallString(VmState& s, int id);  // 150-199
int VmCallFormat(VmState& s, int id);  // 200-249
int VmCallTime(VmState& s, int id);    // 250-299
