// The instruction set: one enum, with its table of names and operand fields.
#pragma once
#include <cstdint>

namespace tarnic {

enum Opcode : uint8_t {
  OP_MOV = 1,
  OP_LDK = 2,
  OP_LDM = 3,
  OP_PUSHK = 4,
  OP_PUSHM = 5,
  OP_PUSHR = 6,
  OP_POPARG = 7,
  OP_TOPTR = 8,
  OP_LDV = 9,
  OP_LDMC = 10,
  OP_ASG_RR = 16,   // + assignment sub-code 0-10
  OP_ASG_RM = 32,
  OP_ASG_RK = 80,
  OP_BIN_RR = 96,   // + binary sub-code 0-17
  OP_BIN_RM = 117,
  OP_BIN_RK = 144,
  OP_JMP = 165,
  OP_JZ = 166,
  OP_JNZ = 167,
  OP_CALL = 168,
  OP_CALLSYS = 169,
  OP_RET = 170,
  OP_LEA = 177,
  OP_INC = 178,
  OP_DEC = 179,
  OP_NEG = 181,
  OP_BNOT = 182,
  OP_LNOT = 183,
  OP_CAST = 184,
  OP_LOCAL = 185,
};

constexpr int kAssignSubCodes = 11;
constexpr int kBinarySubCodes = 18;

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
};

// The rows in opcode order.
extern const OpcodeInfo kOpcodeTable[];
extern const int kOpcodeTableSize;

// The row of an opcode and its sub-code within the family; nullptr when the
// opcode is never emitted.
const OpcodeInfo* FindOpcode(uint8_t opcode, int* subcode = nullptr);

}  // namespace tarnic
