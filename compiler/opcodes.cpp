#include "opcodes.h"

#include <iterator>

namespace tarnic {

const OpcodeInfo kOpcodeTable[] = {
    {OP_MOV, 1, "OP_MOV", F_R | F_R2},
    {OP_LDK, 1, "OP_LDK", F_R | F_A | F_B | F_T},
    {OP_LDM, 1, "OP_LDM", F_R | F_A},
    {OP_PUSHK, 1, "OP_PUSHK", F_A | F_B | F_T},
    {OP_PUSHM, 1, "OP_PUSHM", F_A},
    {OP_PUSHR, 1, "OP_PUSHR", F_R},
    {OP_POPARG, 1, "OP_POPARG", 0},
    {OP_TOPTR, 1, "OP_TOPTR", F_R},
    {OP_LDV, 1, "OP_LDV", F_R | F_R2},
    {OP_LDMC, 1, "OP_LDMC", F_R | F_A},
    {OP_ASG_RR, kAssignSubCodes, "OP_ASG_RR", F_R | F_R2},
    {OP_ASG_RM, kAssignSubCodes, "OP_ASG_RM", F_R | F_A},
    {OP_ASG_RK, kAssignSubCodes, "OP_ASG_RK", F_R | F_A | F_B | F_T},
    {OP_BIN_RR, kBinarySubCodes, "OP_BIN_RR", F_R | F_R2},
    {OP_BIN_RM, kBinarySubCodes, "OP_BIN_RM", F_R | F_A},
    {OP_BIN_RK, kBinarySubCodes, "OP_BIN_RK", F_R | F_A | F_B | F_T},
    {OP_JMP, 1, "OP_JMP", F_A},
    {OP_JZ, 1, "OP_JZ", F_R | F_A},
    {OP_JNZ, 1, "OP_JNZ", F_R | F_A},
    {OP_CALL, 1, "OP_CALL", F_A},
    {OP_CALLSYS, 1, "OP_CALLSYS", F_A},
    {OP_RET, 1, "OP_RET", 0},
    {OP_LEA, 1, "OP_LEA", F_R | F_A},
    {OP_INC, 1, "OP_INC", F_R},
    {OP_DEC, 1, "OP_DEC", F_R},
    {OP_NEG, 1, "OP_NEG", F_R},
    {OP_BNOT, 1, "OP_BNOT", F_R},
    {OP_LNOT, 1, "OP_LNOT", F_R},
    {OP_CAST, 1, "OP_CAST", F_R | F_T},
    {OP_LOCAL, 1, "OP_LOCAL", F_A | F_B | F_T},
};
const int kOpcodeTableSize = static_cast<int>(std::size(kOpcodeTable));

const OpcodeInfo* FindOpcode(uint8_t opcode, int* subcode) {
  for (const OpcodeInfo& row : kOpcodeTable) {
    if (opcode >= row.base && opcode < row.base + row.count) {
      if (subcode) *subcode = opcode - row.base;
      return &row;
    }
  }
  return nullptr;
}

}  // namespace tarnic
