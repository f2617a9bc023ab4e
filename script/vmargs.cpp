#include "vmargs.h"

#include "vmcodes.h"

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

bool ReadText(const VmState& s, uint32_t address, std::string* text) {
  size_t length;
  if (!s.memory.StringLength(address, &length)) return false;
  text->assign(HostPointer(address), length);
  return true;
}

bool WriteBytes(const VmState& s, uint32_t address, const void* data, size_t size) {
  return size == 0 || s.memory.Write(address, data, size);
}

void SetResult(VmState& s, const VmCell& c) { s.accumulator = c; }
void SetDoubleResult(VmState& s, double v) { s.accumulator = MakeDouble(v); }
void SetCharPointerResult(VmState& s, uint32_t address) {
  s.accumulator = MakeCell(kVmPointer | VB_I8, address);
}
