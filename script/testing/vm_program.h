// Hand-made code-byte programs for the machine's tests and benchmark: the
// instructions and global entries of a program, written out as a code-byte
// file. Hostile programs are built with it as freely as ordinary ones.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "../../compiler/codebyte_format.h"

// One instruction with its fields (unused ones zero).
tarnic::CodeByteInstruction I(uint8_t op, uint8_t r = 0, uint8_t r2 = 0, uint32_t a = 0, uint32_t b = 0,
                              uint8_t t = 0);

struct VmProgram {
  std::vector<tarnic::CodeByteInstruction> code;
  std::vector<uint8_t> data;  // entries after the count
  uint32_t entries = 0;
  uint32_t entry = 0;

  // Appends global entry `entries` with its type byte, element count and
  // initial bytes.
  void Global(uint8_t type, uint32_t count, const std::string& bytes = "");
  // The code-byte file.
  std::vector<uint8_t> Bytes() const;
};
