// Setting a machine up and loading a code-byte file into it.
#pragma once
#include <cstddef>
#include <cstdint>

#include "vmstate.h"

// Creates the globals' table (on the first load) and the run state; 0 or an
// end code, after which the state holds nothing of a failed set-up.
int InitMachine(VmState& s);

// Checks and loads the code bytes: header, data area with the globals, the
// instructions and the entry index. Every offset, count and length is checked
// against `size`, so damaged bytes are refused with an end code (kVmBadMagic,
// kVmBadVersion, kVmBadCodeSize, kVmTruncated, kVmBadEntry, ...).
int LoadCodeBytes(VmState& s, const uint8_t* bytes, size_t size);
