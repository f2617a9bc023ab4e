// The instruction set: one row an op (or a family of ops by sub-code) with
// its opcode, its operand fields and what it does. The generator emits it,
// the direct machine (script/machine/vmexec.cpp) and the translated machine
// (script/machine/vmthreaded.cpp) run it; the three agree on the meaning written here.
//
// The words of the meanings: r and r2 are registers (r0 the accumulator, 31
// the scratch register); "holds" is what a register holds, which may be a
// reference to a variable or a raw pointer into memory, "value" that read
// through; word a is the variable cell a memory word names (bit 22 a local
// of the running frame, else a global); k is the constant a | b << 32 of
// type t; the argument stack takes the values pushed for a call.
#pragma once
#include <cstdint>

namespace tarnic {

// X(name, first opcode, sub-codes, operand fields, meaning)
#define TARNIC_OPCODES(X)                                                                                \
  X(MOV, 1, 1, F_R | F_R2, "r holds what r2 holds (a reference stays one; into r0, r2's value)")         \
  X(LDK, 2, 1, F_R | F_A | F_B | F_T, "r holds k")                                                       \
  X(LDM, 3, 1, F_R | F_A, "r holds a reference to word a (r0 a copy of its value)")                      \
  X(PUSHK, 4, 1, F_A | F_B | F_T, "pushes k onto the argument stack")                                    \
  X(PUSHM, 5, 1, F_A, "pushes word a's value onto the argument stack")                                   \
  X(PUSHR, 6, 1, F_R, "pushes r's value onto the argument stack")                                        \
  X(POPARG, 7, 1, 0, "pops the argument stack's top into the running frame's next parameter cell")       \
  X(TOPTR, 8, 1, F_R,                                                                                    \
    "r holds its value (a reference read) marked a raw pointer: r's reads and stores go "                \
    "through the address")                                                                               \
  X(LDV, 9, 1, F_R | F_R2, "r holds r2's value")                                                         \
  X(LDMC, 10, 1, F_R | F_A, "r holds a copy of word a's value, without the variable's flags")            \
  X(ASG_RR, 16, kAssignSubCodes, F_R | F_R2,                                                             \
    "assignment sub-code (= *= /= %= += -= <<= >>= &= |= ^=): "                                          \
    "what r holds takes r2's value, converted to its type")                                              \
  X(ASG_RM, 32, kAssignSubCodes, F_R | F_A, "the same with word a's value (read through r31)")           \
  X(ASG_RK, 80, kAssignSubCodes, F_R | F_A | F_B | F_T, "the same with k (also left in r31)")            \
  X(BIN_RR, 96, kBinarySubCodes, F_R | F_R2,                                                             \
    "binary sub-code (* / % + - << >> > < <= >= == != & ^ | && ||): "                                    \
    "r holds r's value op r2's value")                                                                   \
  X(BIN_RM, 117, kBinarySubCodes, F_R | F_A, "the same with word a's value (read through r31)")          \
  X(BIN_RK, 144, kBinarySubCodes, F_R | F_A | F_B | F_T, "the same with k (also left in r31)")           \
  X(JMP, 165, 1, F_A, "goes on at instruction a")                                                        \
  X(JZ, 166, 1, F_R | F_A, "goes on at instruction a when r's value is zero")                            \
  X(JNZ, 167, 1, F_R | F_A, "goes on at instruction a when r's value is not zero")                       \
  X(CALL, 168, 1, F_A,                                                                                   \
    "calls the function at instruction a: one level deeper, a register block and an empty "              \
    "frame of its own; the parameters follow by POPARG")                                                 \
  X(CALLSYS, 169, 1, F_A,                                                                                \
    "calls library or host function a on the pushed arguments: its result in r0, a "                     \
    "failure ends the run")                                                                              \
  X(RET, 170, 1, 0, "returns to the instruction after the call (from the entry function, ends the run)") \
  X(LEA, 177, 1, F_R | F_A, "r holds the address of word a (a pointer's or array's own value)")          \
  X(INC, 178, 1, F_R, "what r holds += 1")                                                               \
  X(DEC, 179, 1, F_R, "what r holds -= 1")                                                               \
  X(NEG, 181, 1, F_R, "r holds r's value * -1")                                                          \
  X(BNOT, 182, 1, F_R, "r holds the bits of r's value inverted")                                         \
  X(LNOT, 183, 1, F_R, "r holds 1 when r's value is zero, else 0")                                       \
  X(CAST, 184, 1, F_R | F_T,                                                                             \
    "r holds r's value converted to type t (15 and up: a pointer type, the address)")                    \
  X(LOCAL, 185, 1, F_A | F_B | F_T,                                                                      \
    "creates the running frame's local cell b of type t, a elements when an "                            \
    "array (zeroed), with the cells before it")

constexpr int kAssignSubCodes = 11;
constexpr int kBinarySubCodes = 18;

enum Opcode : uint8_t {
#define TARNIC_OPCODE_ENUM(name, first, subcodes, fields, meaning) OP_##name = first,
  TARNIC_OPCODES(TARNIC_OPCODE_ENUM)
#undef TARNIC_OPCODE_ENUM
};

// Which fields of the 12-byte record an opcode uses; all others are zero.
enum OperandField : uint8_t {
  F_R = 1,
  F_R2 = 2,
  F_A = 4,
  F_B = 8,
  F_T = 16,
};

struct OpcodeInfo {
  uint8_t base;   // first opcode of the row
  uint8_t count;  // 1, or the number of sub-codes of a family
  const char* name;
  uint8_t fields;
  const char* meaning;  // operands and effect, in the words above
};

// The rows in opcode order.
extern const OpcodeInfo kOpcodeTable[];
extern const int kOpcodeTableSize;

// The row of an opcode and its sub-code within the family; nullptr when the
// opcode is never emitted.
const OpcodeInfo* FindOpcode(uint8_t opcode, int* subcode = nullptr);

}  // namespace tarnic
