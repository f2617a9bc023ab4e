// What an evaluated sub-expression leaves for its consumer, and the registers.
#pragma once
#include <cstdint>

namespace tarnic {

enum OperandKind { OK_CONSTANT = 0, OK_REGISTER = 1, OK_MEMORY = 2 };

struct COperand {
  int kind = OK_REGISTER;
  bool dereferenced = false;  // the register refers to an element (no second "*")
  int reg = 0;
  uint8_t type = 0;     // type byte: storage, kind and element bits
  uint32_t memory = 0;  // memory word of a memory operand
  uint64_t value = 0;   // constant value (low and high words)
  bool refers = false;  // the register refers to a variable or element (a target)
};

// Registers 1 to 25; register 0 is the accumulator.
class CRegisterFile {
 public:
  static constexpr int kCount = 25;
  // The lowest free register, or 0 when all are in use.
  int Allocate() {
    for (int r = 1; r <= kCount; ++r) {
      if (!used_[r]) {
        used_[r] = true;
        return r;
      }
    }
    return 0;
  }
  void Free(int r) {
    if (r > 0 && r <= kCount) used_[r] = false;
  }
  void FreeAll() {
    for (bool& u : used_) u = false;
  }

 private:
  bool used_[kCount + 1] = {};
};

}  // namespace tarnic
