// The common cases of the machine's value operations, inline: two signed
// 32-bit integers, two doubles, or one of each. Each function takes the
// common case first and hands every other operand to the general operation
// behind it (vmarith.h), so it gives exactly what the general operation gives.
//
// Operands are read where they lie (a register's or a variable's cell) with
// the type they count as (a variable's without its flags), and results are
// written straight into their cell: an integer by its two 32-bit halves and
// read back by its low half, a double whole. No value is read back in another
// width than it was written in just before (which stalls the processor), and
// the general paths stay out of line so that their whole-cell reads do not
// mix with these.
#pragma once
#include <climits>
#include <cstdint>
#include <cstring>

#include "vmarith.h"
#include "vmcell.h"

// The fast paths are inlined into every handler that uses them, however
// large the handler grows.
#define VM_FAST inline __attribute__((always_inline))

// The type a cell counts as when it is an operand: a variable's without its flags.
inline uint8_t OperandType(const VmCell& c) { return static_cast<uint8_t>(c.type & ~kVmVariableMask); }
// A variable's base type and kind, which decide how a value is stored into it.
inline uint8_t StorageType(const VmCell& c) {
  return static_cast<uint8_t>(c.type & (kVmKindMask | kVmBaseMask));
}

inline int32_t Int32Of(const VmCell& c) { return static_cast<int32_t>(c.value); }
inline double DoubleOf(const VmCell& c) {
  double d;
  std::memcpy(&d, &c.value, sizeof d);
  return d;
}
inline void PutInt32(VmCell* c, int32_t v) { c->value = static_cast<uint64_t>(static_cast<int64_t>(v)); }
inline void PutDouble(VmCell* c, double d) { std::memcpy(&c->value, &d, sizeof d); }
inline void SetInt32(VmCell* c, int32_t v) {
  c->type = VB_I32;
  PutInt32(c, v);
}
inline void SetDouble(VmCell* c, double d) {
  c->type = VB_F64;
  PutDouble(c, d);
}

// Two signed 32-bit integers; false for the cases that the general path
// decides (a division that fails, a sub-code without a meaning).
VM_FAST bool Int32Operation(int32_t a, int32_t b, int op, int32_t* r) {
  const uint32_t ua = static_cast<uint32_t>(a), ub = static_cast<uint32_t>(b);
  switch (op) {
    case AO_MUL: *r = static_cast<int32_t>(ua * ub); return true;
    case AO_DIV:
    case AO_REM:
      if (b == 0 || (b == -1 && a == INT32_MIN)) return false;
      *r = op == AO_DIV ? a / b : a % b;
      return true;
    case AO_ADD: *r = static_cast<int32_t>(ua + ub); return true;
    case AO_SUB: *r = static_cast<int32_t>(ua - ub); return true;
    case AO_SHL: *r = static_cast<int32_t>(ua << (ub & 31)); return true;
    case AO_SHR: *r = a >> (ub & 31); return true;
    case AO_AND: *r = a & b; return true;
    case AO_XOR: *r = a ^ b; return true;
    case AO_OR: *r = a | b; return true;
    default:
      if (!IsComparison(op)) return false;
      *r = Compare<int32_t>(op, a, b);
      return true;
  }
}

// Arithmetic on two doubles; false for remainder, shifts, bit operations and
// comparisons.
VM_FAST bool DoubleArithmetic(double a, double b, int op, double* r) {
  switch (op) {
    case AO_MUL: *r = a * b; return true;
    case AO_DIV: *r = a / b; return true;
    case AO_ADD: *r = a + b; return true;
    case AO_SUB: *r = a - b; return true;
    default: return false;
  }
}

// Comparisons and logical operations on two doubles; false for the others.
VM_FAST bool DoubleComparison(double a, double b, int op, int32_t* r) {
  if (!IsComparison(op)) return false;
  *r = Compare<double>(op, a, b);
  return true;
}

// A signed 32-bit integer or double operand as a double, the way the general
// path widens it.
VM_FAST bool NumberAsDouble(uint8_t type, const VmCell& c, double* d) {
  if (type == VB_F64) {
    *d = DoubleOf(c);
    return true;
  }
  if (type == VB_I32) {
    *d = Int32Of(c);
    return true;
  }
  return false;
}

// An array, address or pointer stepped by a signed 32-bit integer number of
// its elements (the integer scaled by the element size, the address kept in
// 32 bits); false for other operands and operations.
VM_FAST bool StepAddress(uint8_t ta, const VmCell& a, uint8_t tb, const VmCell& b, int op, VmCell* out) {
  static constexpr uint8_t kSizes[16] = {1, 1, 2, 2, 4, 4, 4, 8, 8};
  const uint32_t size = kSizes[BaseOf(ta)];
  if (!HasKind(ta) || tb != VB_I32 || size == 0 || (op != AO_ADD && op != AO_SUB)) return false;
  const uint32_t offset = static_cast<uint32_t>(Int32Of(b)) * size;
  const uint32_t address = static_cast<uint32_t>(a.value);
  out->type = ta;
  out->value = op == AO_ADD ? address + offset : address - offset;
  return true;
}

// BinaryValues with its common cases first: `a op b` (operands of types ta
// and tb) written into *out, which may be either operand. 0 or an end code.
VM_FAST int BinaryOperands(uint8_t ta, const VmCell& a, uint8_t tb, const VmCell& b, int op, VmCell* out) {
  if (ta == VB_I32 && tb == VB_I32) {
    int32_t r;
    if (Int32Operation(Int32Of(a), Int32Of(b), op, &r)) {
      SetInt32(out, r);
      return 0;
    }
  } else {
    double x, y, real;
    int32_t truth;
    if (NumberAsDouble(ta, a, &x) && NumberAsDouble(tb, b, &y)) {
      if (DoubleArithmetic(x, y, op, &real)) {
        SetDouble(out, real);
        return 0;
      }
      if (DoubleComparison(x, y, op, &truth)) {
        SetInt32(out, truth);
        return 0;
      }
    } else if (StepAddress(ta, a, tb, b, op, out)) {
      return 0;
    }
  }
  return BinaryGeneral(ta, a, tb, b, op, out);
}

// Stores a value (of type tv) into a cell (a variable's, or a register's that
// holds no reference) as StoreGeneral does. 0 or an end code.
VM_FAST int StoreIntoCell(VmCell* target, uint8_t tv, const VmCell& value) {
  const uint8_t storage = StorageType(*target);
  if (storage == VB_I32 && tv == VB_I32) {
    PutInt32(target, Int32Of(value));
    return 0;
  }
  double d;
  if (storage == VB_F64 && NumberAsDouble(tv, value, &d)) {
    PutDouble(target, d);
    return 0;
  }
  return StoreGeneral(target, tv, value);
}

// `target op= source` (source of type ts) for a variable's cell, sub-code 0
// a plain store, as AssignGeneral does. 0 or an end code.
VM_FAST int AssignIntoCell(VmCell* target, uint8_t ts, const VmCell& source, int sub) {
  if (sub == 0) return StoreIntoCell(target, ts, source);
  const uint8_t storage = StorageType(*target);
  if (sub < tarnic::kAssignSubCodes) {
    const int op = kAssignOps[sub];
    if (storage == VB_I32 && ts == VB_I32) {
      int32_t r;
      if (Int32Operation(Int32Of(*target), Int32Of(source), op, &r)) {
        PutInt32(target, r);
        return 0;
      }
    } else if (storage == VB_F64) {
      double y, r;
      if (NumberAsDouble(ts, source, &y) && DoubleArithmetic(DoubleOf(*target), y, op, &r)) {
        PutDouble(target, r);
        return 0;
      }
    }
  }
  return AssignGeneral(target, ts, source, sub);
}

// Whether a value counts as true in a condition (CellIsTrue).
VM_FAST bool CellTruth(const VmCell& c) { return c.type == VB_I32 ? Int32Of(c) != 0 : CellIsTrue(c); }
