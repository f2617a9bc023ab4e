// The value arithmetic of the script machine: binary operations and compound
// assignments on cells that have been read already (references followed).
#pragma once
#include "../../compiler/opcodes.h"
#include "vmcell.h"

// The operations by binary sub-code.
enum ArithOp {
  AO_MUL,
  AO_DIV,
  AO_REM,
  AO_ADD,
  AO_SUB,
  AO_SHL,
  AO_SHR,
  AO_GT,
  AO_LT,
  AO_LE,
  AO_GE,
  AO_EQ,
  AO_NE,
  AO_AND,
  AO_XOR,
  AO_OR,
  AO_LAND,
  AO_LOR,
  AO_COUNT
};
static_assert(AO_COUNT == tarnic::kBinarySubCodes, "one operation per binary sub-code");

// Comparisons and logical operations give signed 32-bit 1 or 0.
inline bool IsComparison(int op) { return (op >= AO_GT && op <= AO_NE) || op == AO_LAND || op == AO_LOR; }

// One comparison for every operand type: T is double for real operands and
// int64_t (or int32_t) for integers, pointers and truth values.
template <typename T>
inline bool Compare(int op, T a, T b) {
  switch (op) {
    case AO_GT: return a > b;
    case AO_LT: return a < b;
    case AO_LE: return a <= b;
    case AO_GE: return a >= b;
    case AO_EQ: return a == b;
    case AO_NE: return a != b;
    case AO_LAND: return a != 0 && b != 0;
    default: return a != 0 || b != 0;
  }
}

// Assignment sub-codes 1-10 as operations (and, or and exclusive or are in a
// different order there).
constexpr ArithOp kAssignOps[tarnic::kAssignSubCodes] = {AO_COUNT, AO_MUL, AO_DIV, AO_REM, AO_ADD, AO_SUB,
                                                         AO_SHL,   AO_SHR, AO_AND, AO_OR,  AO_XOR};

// Binary sub-codes 0-17 (multiply ... logical or). Without a pointer operand
// the operand of the lower base type is converted to the other's and the
// operation runs in that type; comparisons and logical operations give signed
// 32-bit 1 or 0. With a pointer operand only add, subtract, comparisons and
// logical operations are valid, the integer operand of add and subtract being
// scaled by the pointer's element size. 0 or an end code.
int BinaryValues(const VmCell& x, const VmCell& y, int subcode, VmCell* result);

// Assignment sub-codes 0-10 (store, *=, /=, %=, +=, -=, <<=, >>=, &=, |=, ^=):
// the value to store into the target (the caller converts it to the target's
// type). A pointer target allows only += and -=, scaled by the element size.
// 0 or an end code.
int AssignValues(const VmCell& target, const VmCell& source, int subcode, VmCell* result);

// The general paths behind the common cases of vmfastpath.h, for operands
// read where they lie, with the types they count as given apart (a
// variable's without its flags).
//
// BinaryValues of the two operands into *out, which may be either of them.
int BinaryGeneral(uint8_t ta, const VmCell& a, uint8_t tb, const VmCell& b, int op, VmCell* out);
// Stores a value into a cell (a variable's, or a register's that holds no
// reference): a pointer or array takes the value unchanged, any other cell
// the value converted to its own base type. 0 or an end code.
int StoreGeneral(VmCell* target, uint8_t tv, const VmCell& value);
// `target op= source` for a variable's cell (sub-code 0 a plain store): the
// values computed by AssignValues and stored by StoreGeneral.
int AssignGeneral(VmCell* target, uint8_t ts, const VmCell& source, int subcode);
