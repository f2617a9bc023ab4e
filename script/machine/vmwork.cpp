#include "vmwork.h"

namespace {

struct SystemCallCharge {
  uint32_t first, last;
  uint64_t units;
};

// Measured costs of one call without its variable work, rounded up to
// units of a plain instruction (vm_bench_hostile.cpp).
const SystemCallCharge kSystemCallCharges[] = {
    {203, 203, 400},    // gcvt: the platform's digit generation (about 5 us for 64 digits)
    {204, 204, 2000},   // printf: a write to the process's output and its flush (about 16 us)
    {250, 250, 200},    // time: the platform's clock (about 2 us)
    {251, 256, 20},     // time conversions, the tick count and the high-resolution counter
    {1000, 1999, 100},  // host functions: a named-object search, a window message
};
constexpr uint64_t kDefaultCharge = 4;

}  // namespace

uint64_t SystemCallWork(uint32_t id) {
  for (const SystemCallCharge& c : kSystemCallCharges)
    if (id >= c.first && id <= c.last) return c.units;
  return kDefaultCharge;
}
