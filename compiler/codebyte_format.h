// The records of the code-byte file (".so"), little-endian and unpadded.
#pragma once
#include <cstddef>
#include <cstdint>

namespace tarnic {

constexpr uint16_t kCodeByteMagic = 0xA55A;
constexpr uint16_t kCodeByteVersion = 0x0101;
constexpr const char* kCodeByteTitle = "ANSI C-like Script Compiler";

#pragma pack(push, 1)
struct CodeByteHeader {
  uint16_t magic;
  uint16_t version;
  char title[32];
  uint32_t data_offset;  // 64 + 12 x instruction count
  uint32_t entry;        // index of the first instruction of "main"
  uint8_t reserved[20];
};

struct CodeByteInstruction {
  uint32_t a;  // memory word, jump target, function id, constant low word, count
  uint32_t b;  // constant high word; cell number of a created local
  uint8_t t;   // type byte
  uint8_t r2;  // source register
  uint8_t r;   // destination register
  uint8_t op;  // opcode
};

static_assert(sizeof(CodeByteHeader) == 64, "64-byte header");
static_assert(offsetof(CodeByteHeader, title) == 4, "title at 4");
static_assert(offsetof(CodeByteHeader, data_offset) == 36, "data offset at 36");
static_assert(offsetof(CodeByteHeader, entry) == 40, "entry at 40");
static_assert(offsetof(CodeByteHeader, reserved) == 44, "reserved at 44");
static_assert(sizeof(CodeByteInstruction) == 12, "12-byte instruction");
static_assert(offsetof(CodeByteInstruction, t) == 8, "T at 8");
static_assert(offsetof(CodeByteInstruction, r2) == 9, "R2 at 9");
static_assert(offsetof(CodeByteInstruction, r) == 10, "R at 10");
static_assert(offsetof(CodeByteInstruction, op) == 11, "OP at 11");

// The fixed part of one global cell's entry in the data section, which follows
// the instructions after a 32-bit entry count; L data bytes follow each entry
// (string constants only), without alignment.
struct CodeByteDataEntry {
  uint8_t type;     // 0x80 + element code, 0x90 + code for arrays, 0xA0 + code for pointers
  uint32_t count;   // arrays: elements; string constants: bytes; otherwise 0
  uint32_t length;  // string constants: bytes of data; otherwise 0
};
static_assert(sizeof(CodeByteDataEntry) == 9, "9-byte data entry");
static_assert(offsetof(CodeByteDataEntry, count) == 1, "count at 1");
static_assert(offsetof(CodeByteDataEntry, length) == 5, "length at 5");
#pragma pack(pop)

// Memory words of instruction operands.
constexpr uint32_t kMemoryCellMask = 0xFFFFF;
constexpr uint32_t kMemoryLocal = 1u << 22;
constexpr uint32_t kMemoryGlobal = 1u << 23;

}  // namespace tarnic
