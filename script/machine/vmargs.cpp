#include "vmargs.h"

#include <cstring>

#include "vmcodes.h"
#include "vmwork.h"

int PopArguments(VmState& s, int n) {
  if (n < 0 || n > kVmArgArea) return kSysArgCount;
  for (int i = 0; i < n; ++i) {
    if (s.args.empty()) return kSysArgCount;
    s.arg_area[i] = s.args.back();
    s.args.pop_back();
  }
  return 0;
}

int PopCountedArguments(VmState& s, int min_count, int max_count, int* args) {
  if (s.args.empty()) return kSysArgCount;
  int64_t count = 0;
  CellToInt64(s.args.back(), &count);
  s.args.pop_back();
  if (count < min_count || count > max_count) return kSysFormatCount;
  *args = static_cast<int>(count - 1);
  return PopArguments(s, *args);
}

bool TakesText(const VmState& s, const VmCell& cell) {
  if (BaseOf(cell.type) != VB_I8) return false;
  if (cell.type & kVmPointer) return true;
  return (cell.type & kVmAddress) && s.memory.InBuffer(Low32(cell.value));
}

int32_t ArgInt(const VmState& s, int i) { return static_cast<int32_t>(ArgInt64(s, i)); }

int64_t ArgInt64(const VmState& s, int i) {
  int64_t v = 0;
  CellToInt64(s.arg_area[i], &v);
  return v;
}

double ArgDouble(const VmState& s, int i) {
  double v = 0;
  CellToDouble(s.arg_area[i], &v);
  return v;
}

uint32_t ArgAddress(const VmState& s, int i) { return Low32(s.arg_area[i].value); }

int BoundedTextAt(VmState& s, uint32_t address, size_t n, const char** text, size_t* length) {
  const char* p = HostPointer(address);
  if (n == 0) {  // nothing is read
    *text = p;
    *length = 0;
    return 0;
  }
  const size_t room = s.memory.Room(address);
  if (room == 0) return kSysBadString;
  size_t scan = n < room ? n : room;
  const bool cut = scan > AffordableBytes(s);  // the scan stops where the budget does
  if (cut) scan = static_cast<size_t>(AffordableBytes(s));
  const void* zero = std::memchr(p, 0, scan);
  if (!zero && cut) {
    ChargeWork(s, s.budget_left + 1);
    return kSysOverBudget;
  }
  const size_t found = zero ? static_cast<size_t>(static_cast<const char*>(zero) - p) : scan;
  if (!ChargeBytes(s, zero ? found + 1 : scan)) return kSysOverBudget;
  if (!zero && scan < n) return kSysBadString;  // the variable ends first
  *text = p;
  *length = found;
  return 0;
}

int TextAt(VmState& s, uint32_t address, const char** text, size_t* length) {
  return BoundedTextAt(s, address, SIZE_MAX, text, length);
}

bool WriteBytes(const VmState& s, uint32_t address, const void* data, size_t size) {
  return size == 0 || s.memory.Write(address, data, size);
}

int WritableCharged(VmState& s, uint32_t address, size_t size) {
  if (size > 0 && !s.memory.Accessible(address, size)) return kSysBadString;
  return ChargeBytes(s, size) ? 0 : kSysOverBudget;
}

int WriteCharged(VmState& s, uint32_t address, const void* data, size_t size) {
  int rc = WritableCharged(s, address, size);
  if (!rc && size > 0) std::memmove(HostPointer(address), data, size);
  return rc;
}

int WriteTextCharged(VmState& s, uint32_t address, const char* text, size_t n) {
  int rc = WritableCharged(s, address, n + 1);
  if (rc) return rc;
  std::memmove(HostPointer(address), text, n);
  HostPointer(address)[n] = '\0';
  return 0;
}

void SetResult(VmState& s, const VmCell& c) { s.accumulator = c; }
void SetDoubleResult(VmState& s, double v) { s.accumulator = MakeDouble(v); }
void SetCharPointerResult(VmState& s, uint32_t address) {
  s.accumulator = MakeCell(kVmPointer | VB_I8, address);
}
