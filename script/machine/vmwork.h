// What a run's budget is charged for. Every instruction costs one unit; work
// that one instruction does beyond that costs more: the cells it makes, the
// bytes it reads, compares, writes or zeroes, the characters it formats, and
// the platform calls of system functions. The charges are set so that no kind
// of work takes much longer per unit than a plain instruction (measured by
// the hostile programs of vm_bench_hostile.cpp), so a run within the default
// budget ends within about a second whatever it does. Work is charged before
// it is done wherever its size is known beforehand.
#pragma once
#include <cstddef>
#include <cstdint>

#include "vmstate.h"

constexpr uint64_t kWorkPerCell = 1;        // a variable cell made (a local, a gap below it, a parameter)
constexpr uint64_t kWorkPerBuffer = 48;     // an array's buffer made, registered and freed again
constexpr uint64_t kWorkPerCall = 40;       // a call: its register block of 32 cells and its frame
constexpr uint64_t kBytesPerUnit = 16;      // bytes read, compared, written or zeroed
constexpr uint64_t kCharsPerUnit = 4;       // characters the platform formats or parses
constexpr uint64_t kWorkPerConversion = 8;  // one call of the platform's formatter
// The host's work on the picture window: an invalidated rectangle or a
// control window changed, and each character of a text that the picture
// lays out (a single-line text measures its whole text).
constexpr uint64_t kWorkPerRepaint = 3000;
constexpr uint64_t kWorkPerShownChar = 4;

// The units of `bytes` bytes of work (at least one for any).
inline uint64_t ByteWork(uint64_t bytes) { return (bytes + kBytesPerUnit - 1) / kBytesPerUnit; }
inline uint64_t CharWork(uint64_t chars) { return (chars + kCharsPerUnit - 1) / kCharsPerUnit; }

// The fixed charge of calling system function `id`, besides the work that it
// charges itself: most are cheap, the platform's time conversions and the
// host's calls into windows are not.
uint64_t SystemCallWork(uint32_t id);

// Charges `units` to the current run. False when they do not fit: the
// budget is then spent and the run ends with kVmBudgetExceeded.
inline bool ChargeWork(VmState& s, uint64_t units) {
  if (units > s.budget_left) {
    s.extra_work += s.budget_left;
    s.budget_left = 0;
    s.over_budget = true;
    return false;
  }
  s.budget_left -= units;
  s.extra_work += units;
  return true;
}
inline bool ChargeBytes(VmState& s, uint64_t bytes) { return ChargeWork(s, ByteWork(bytes)); }

// The bytes that the rest of the run's budget can pay for.
inline uint64_t AffordableBytes(const VmState& s) { return s.budget_left * kBytesPerUnit; }
