// The value arithmetic of the script machine: binary operations and compound
// assignments on cells that have been read already (references followed).
#pragma once
#include "vmcell.h"

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
