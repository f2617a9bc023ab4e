#include "vmarith.h"

#include <algorithm>

#include "vmcodes.h"

namespace {

VmCell Truth(bool b) { return MakeInt32(b ? 1 : 0); }

// Real operands: remainder and shifts leave x as it was; the bitwise
// operations work on the value's bits.
int ComputeReal(uint64_t xb, uint64_t yb, uint8_t base, int op, VmCell* out) {
  bool single = base == VB_F32;
  double a = single ? BitsToFloat(xb) : BitsToDouble(xb);
  double b = single ? BitsToFloat(yb) : BitsToDouble(yb);
  if (IsComparison(op)) {
    *out = Truth(Compare<double>(op, a, b));
    return 0;
  }
  double r;
  switch (op) {
    case AO_MUL: r = a * b; break;
    case AO_DIV: r = a / b; break;
    case AO_ADD: r = a + b; break;
    case AO_SUB: r = a - b; break;
    case AO_AND: *out = MakeCell(base, xb & yb); return 0;
    case AO_XOR: *out = MakeCell(base, xb ^ yb); return 0;
    case AO_OR: *out = MakeCell(base, xb | yb); return 0;
    default: *out = MakeCell(base, xb); return 0;
  }
  *out = single ? MakeFloat(static_cast<float>(r)) : MakeDouble(r);
  return 0;
}

// Integer operands in normal form (sign- or zero-extended); the result is cut
// back to the operands' width, so 8- and 16-bit types compute in their own.
int ComputeInt(uint64_t xb, uint64_t yb, uint8_t base, int op, VmCell* out) {
  int64_t a = static_cast<int64_t>(xb), b = static_cast<int64_t>(yb);
  if (IsComparison(op)) {
    *out = Truth(Compare<int64_t>(op, a, b));
    return 0;
  }
  uint64_t r;
  unsigned shift = static_cast<unsigned>(b) & 31;
  switch (op) {
    case AO_MUL: r = xb * yb; break;
    case AO_DIV:
    case AO_REM:
      if (b == 0) return kVmDivideByZero;
      // The quotients that overflow their type (and trap in native code).
      if (b == -1 && ((base == VB_I32 && a == INT32_MIN) || (base == VB_I64 && a == INT64_MIN)))
        return kVmDivideOverflow;
      r = static_cast<uint64_t>(op == AO_DIV ? a / b : a % b);
      break;
    case AO_ADD: r = xb + yb; break;
    case AO_SUB: r = xb - yb; break;
    case AO_SHL: r = xb << shift; break;
    case AO_SHR: r = static_cast<uint64_t>(a >> shift); break;
    case AO_AND: r = xb & yb; break;
    case AO_XOR: r = xb ^ yb; break;
    default: r = xb | yb; break;
  }
  *out = MakeCell(base, NormalizeInt(static_cast<int64_t>(r), base));
  return 0;
}

// Both operands converted to the higher of their base types.
int ComputeCommon(const VmCell& x, const VmCell& y, int op, VmCell* out) {
  uint8_t bx = HasKind(x.type) ? uint8_t(VB_U32) : BaseOf(x.type);
  uint8_t by = HasKind(y.type) ? uint8_t(VB_U32) : BaseOf(y.type);
  uint8_t base = std::max(bx, by);
  uint64_t xb, yb;
  if (!ConvertBits(x, base, &xb) || !ConvertBits(y, base, &yb)) return kVmNoMemory;
  if (op == AO_COUNT) {
    *out = MakeCell(base, xb);
    return 0;
  }
  if (base == VB_F32 || base == VB_F64) return ComputeReal(xb, yb, base, op, out);
  return ComputeInt(xb, yb, base, op, out);
}

// The element size of a pointer operand (0 for an invalid base type).
int PointerStep(const VmCell& p) { return ElementSize(BaseOf(p.type)); }

int64_t IntegerOf(const VmCell& c) {
  int64_t v = 0;
  CellToInt64(c, &v);
  return v;
}

int PointerBinary(const VmCell& x, const VmCell& y, int op, VmCell* out) {
  bool px = HasKind(x.type), py = HasKind(y.type);
  if (op >= AO_GT && op <= AO_NE) {
    uint32_t a = Low32(static_cast<uint64_t>(IntegerOf(x)));
    uint32_t b = Low32(static_cast<uint64_t>(IntegerOf(y)));
    *out = Truth(Compare<int64_t>(op, a, b));
    return 0;
  }
  if (op == AO_LAND || op == AO_LOR) {
    *out = Truth(Compare<int64_t>(op, IntegerOf(x) != 0, IntegerOf(y) != 0));
    return 0;
  }
  if (op != AO_ADD && op != AO_SUB) return kVmBadBinary;
  int step = px && py ? 1 : PointerStep(px ? x : y);
  if (step == 0) return kVmNoMemory;
  uint32_t a = Low32(static_cast<uint64_t>(IntegerOf(x)));
  uint32_t b = Low32(static_cast<uint64_t>(IntegerOf(y)));
  if (px) {
    uint32_t offset = py ? b : b * static_cast<uint32_t>(step);
    uint32_t r = op == AO_ADD ? a + offset : a - offset;
    *out = MakeCell(static_cast<uint8_t>(x.type & ~kVmVariableMask), r);
  } else if (op == AO_ADD) {
    *out = MakeCell(static_cast<uint8_t>(y.type & ~kVmVariableMask), a * step + b);
  } else {
    *out = MakeUInt32(a * step - b);
  }
  return 0;
}

}  // namespace

int BinaryValues(const VmCell& x, const VmCell& y, int subcode, VmCell* result) {
  bool pointer = HasKind(x.type) || HasKind(y.type);
  if (subcode >= AO_COUNT) {
    if (pointer) return kVmBadBinary;
    return ComputeCommon(x, y, AO_COUNT, result);
  }
  if (pointer) return PointerBinary(x, y, subcode, result);
  return ComputeCommon(x, y, subcode, result);
}

int AssignValues(const VmCell& target, const VmCell& source, int subcode, VmCell* result) {
  if (subcode == 0) {
    *result = source;
    return 0;
  }
  if (subcode >= tarnic::kAssignSubCodes) {
    *result = target;
    return 0;
  }
  ArithOp op = kAssignOps[subcode];
  if (HasKind(target.type)) {
    if (op != AO_ADD && op != AO_SUB) return kVmPointerAssign;
    int step = PointerStep(target);
    if (step == 0) return kVmNoMemory;
    uint32_t offset = Low32(static_cast<uint64_t>(IntegerOf(source))) * static_cast<uint32_t>(step);
    uint32_t a = Low32(target.value);
    *result = MakeCell(target.type, op == AO_ADD ? a + offset : a - offset);
    return 0;
  }
  return ComputeCommon(target, source, op, result);
}

int BinaryGeneral(uint8_t ta, const VmCell& a, uint8_t tb, const VmCell& b, int op, VmCell* out) {
  VmCell result;
  int rc = BinaryValues(MakeCell(ta, a.value), MakeCell(tb, b.value), op, &result);
  if (!rc) *out = result;
  return rc;
}

int StoreGeneral(VmCell* target, uint8_t tv, const VmCell& value) {
  if (HasKind(target->type)) {
    target->value = value.value;
    return 0;
  }
  uint64_t bits;
  if (!ConvertBits(MakeCell(tv, value.value), BaseOf(target->type), &bits)) return kVmNoMemory;
  target->value = bits;
  return 0;
}

int AssignGeneral(VmCell* target, uint8_t ts, const VmCell& source, int subcode) {
  if (subcode == 0) return StoreGeneral(target, ts, source);
  VmCell result;
  const uint8_t tt = static_cast<uint8_t>(target->type & ~kVmVariableMask);
  int rc = AssignValues(MakeCell(tt, target->value), MakeCell(ts, source.value), subcode, &result);
  return rc ? rc : StoreGeneral(target, result.type, result);
}
