#include "opcodes.h"

#include <iterator>

namespace tarnic {

const OpcodeInfo kOpcodeTable[] = {
#define TARNIC_OPCODE_ROW(name, first, subcodes, fields, meaning) \
  {OP_##name, subcodes, "OP_" #name, fields, meaning},
    TARNIC_OPCODES(TARNIC_OPCODE_ROW)
#undef TARNIC_OPCODE_ROW
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
