#include "vmcell.h"

#include "scriptvalue.h"

namespace {

constexpr int kElementSizes[kVmLastBase + 1] = {1, 1, 2, 2, 4, 4, 4, 8, 8};

bool IsReal(uint8_t base) { return base == VB_F32 || base == VB_F64; }

}  // namespace

int ElementSize(uint8_t base) { return base <= kVmLastBase ? kElementSizes[base] : 0; }

bool CellToInt64(const VmCell& c, int64_t* out) {
  if (HasKind(c.type)) {
    *out = Low32(c.value);
    return true;
  }
  uint8_t base = BaseOf(c.type);
  switch (base) {
    case VB_F32: *out = TruncToInt64(BitsToFloat(c.value)); return true;
    case VB_F64: *out = TruncToInt64(BitsToDouble(c.value)); return true;
    case VB_I64: *out = static_cast<int64_t>(c.value); return true;
    default:
      if (base > kVmLastBase) return false;
      *out = static_cast<int64_t>(NormalizeInt(static_cast<int64_t>(c.value), base));
      return true;
  }
}

bool CellToDouble(const VmCell& c, double* out) {
  uint8_t base = BaseOf(c.type);
  if (!HasKind(c.type) && base == VB_F32) {
    *out = BitsToFloat(c.value);
    return true;
  }
  if (!HasKind(c.type) && base == VB_F64) {
    *out = BitsToDouble(c.value);
    return true;
  }
  int64_t i;
  if (!CellToInt64(c, &i)) return false;
  *out = static_cast<double>(i);
  return true;
}

bool ConvertBits(const VmCell& from, uint8_t to, uint64_t* bits) {
  if (to > kVmLastBase) return false;
  if (IsReal(to)) {
    double d;
    if (!CellToDouble(from, &d)) return false;
    *bits = to == VB_F32 ? FloatToBits(static_cast<float>(d)) : DoubleToBits(d);
    return true;
  }
  int64_t i;
  if (!CellToInt64(from, &i)) return false;
  *bits = NormalizeInt(i, to);
  return true;
}

bool CellIsTrue(const VmCell& c) {
  if (HasKind(c.type)) return Low32(c.value) != 0;
  const uint8_t base = BaseOf(c.type);
  if (base == VB_F32) return BitsToFloat(c.value) != 0.0f;
  if (base == VB_F64) return BitsToDouble(c.value) != 0.0;
  if (base > kVmLastBase) return c.value != 0;
  return NormalizeInt(static_cast<int64_t>(c.value), base) != 0;
}

VmCell PromoteVarArg(const VmCell& c) {
  if (HasKind(c.type)) return c;
  uint64_t bits = 0;
  switch (BaseOf(c.type)) {
    case VB_I8:
    case VB_I16: ConvertBits(c, VB_I32, &bits); return MakeCell(VB_I32, bits);
    case VB_U8:
    case VB_U16: ConvertBits(c, VB_U32, &bits); return MakeCell(VB_U32, bits);
    case VB_F32: ConvertBits(c, VB_F64, &bits); return MakeCell(VB_F64, bits);
    default: return c;
  }
}
