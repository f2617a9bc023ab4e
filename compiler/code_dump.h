// Text form of instructions for tests and inspection, read from the opcode table.
#pragma once
#include <string>
#include <vector>

#include "codebyte_format.h"

namespace tarnic {

// "OP_BIN_RK+3 R=1 A=2 T=0x04": the name with its sub-code, then the fields that
// the opcode uses (fields it does not use are left out).
std::string DumpInstruction(const CodeByteInstruction& ins);
std::vector<std::string> DumpInstructions(const std::vector<CodeByteInstruction>& code);

}  // namespace tarnic
