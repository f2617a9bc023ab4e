#include "vmcell.h"

#include <cstring>

#include "scriptvalue.h"

namespace {

constexpr int kElementSizes[kVmLastBase + 1] = {1, 1, 2, 2, 4, 4, 4, 8, 8};

bool IsReal(uint8_t base) { return base == VB_F32 || base == VB_F64; }

}  // namespace

int ElementSize(uint8_t base) { return base <= kVmLastBase ? kElementSizes[base] : 0; }

double BitsToDouble(uint64_t bits) {
  double d;
  std::memcpy(&d, &bits, sizeof d);
  return d;
}

float BitsToFloat(uint64_t bits) {
  uint32_t low = Low32(bits);
  float f;
  std::memcpy(&f, &low, sizeof f);
  return f;
}

uint64_t DoubleToBits(double v) {
  uint64_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  return bits;
}

uint64_t FloatToBits(float v) {
  uint32_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  return bits;
}

uint64_t NormalizeInt(int64_t v, uint8_t base) {
  switch (base) {
    case VB_I8: return static_cast<uint64_t>(static_cast<int64_t>(static_cast<int8_t>(v)));
    case VB_U8: return static_cast<uint8_t>(v);
    case VB_I16: return static_cast<uint64_t>(static_cast<int64_t>(static_cast<int16_t>(v)));
    case VB_U16: return static_cast<uint16_t>(v);
    case VB_I32: return static_cast<uint64_t>(static_cast<int64_t>(static_cast<int32_t>(v)));
    case VB_U32: return static_cast<uint32_t>(v);
    default: return static_cast<uint64_t>(v);
  }
}

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

VmCell MakeCell(uint8_t type, uint64_t value) {
  VmCell c;
  c.type = type;
  c.value = value;
  return c;
}

VmCell MakeInt32(int32_t v) { return MakeCell(VB_I32, NormalizeInt(v, VB_I32)); }
VmCell MakeUInt32(uint32_t v) { return MakeCell(VB_U32, v); }
VmCell MakeDouble(double v) { return MakeCell(VB_F64, DoubleToBits(v)); }
VmCell MakeFloat(float v) { return MakeCell(VB_F32, FloatToBits(v)); }
VmCell MakeInt64(int64_t v) { return MakeCell(VB_I64, static_cast<uint64_t>(v)); }

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
