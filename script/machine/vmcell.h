// The 16-byte cell of the script machine: registers, variables and argument
// stack entries all have this form (a type byte, then an 8-byte value that
// holds narrower values in its low bytes).
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>

// Type byte: base type in bits 0-3, kind bits 0x10 (address or array) and
// 0x20 (pointer), both together a reference to one element in raw memory;
// 0x40 a local and 0x80 a global variable (in a register: a reference whose
// value is the variable's memory word).
constexpr uint8_t kVmBaseMask = 0x0F;
constexpr uint8_t kVmAddress = 0x10;
constexpr uint8_t kVmPointer = 0x20;
constexpr uint8_t kVmKindMask = 0x30;
constexpr uint8_t kVmRawRef = 0x30;
constexpr uint8_t kVmLocal = 0x40;
constexpr uint8_t kVmGlobal = 0x80;
constexpr uint8_t kVmVariableMask = 0xC0;

enum VmBase : uint8_t {
  VB_I8 = 0,
  VB_U8 = 1,
  VB_I16 = 2,
  VB_U16 = 3,
  VB_I32 = 4,
  VB_U32 = 5,
  VB_F32 = 6,
  VB_I64 = 7,
  VB_F64 = 8,
};
constexpr uint8_t kVmLastBase = VB_F64;

struct VmCell {
  VmCell() = default;
  // Copied field by field: a copy of the whole 16 bytes as one vector would
  // read back the narrower stores that just built the cell, which stalls the
  // processor on every instruction. The spare bytes stay zero.
  VmCell(const VmCell& o) : type(o.type), value(o.value) {}
  VmCell& operator=(const VmCell& o) {
    type = o.type;
    value = o.value;
    return *this;
  }

  uint8_t type = 0;
  uint8_t spare[7] = {};
  uint64_t value = 0;
};
static_assert(sizeof(VmCell) == 16, "a script cell is 16 bytes");
static_assert(offsetof(VmCell, value) == 8, "the value follows the type byte's 8-byte slot");

inline uint8_t BaseOf(uint8_t type) { return type & kVmBaseMask; }
inline bool IsVariableRef(uint8_t type) { return (type & kVmVariableMask) != 0; }
// Arrays, addresses and pointers all take part in pointer arithmetic.
inline bool HasKind(uint8_t type) { return (type & kVmKindMask) != 0; }
inline uint32_t Low32(uint64_t v) { return static_cast<uint32_t>(v); }

// Bytes of one element of a base type: 1, 2, 4 or 8; 0 for a base above 8.
int ElementSize(uint8_t base);

// The value of a cell read as its own type (a cell with kind bits as the
// unsigned 32-bit address it holds). False for a base type above 8.
bool CellToInt64(const VmCell& c, int64_t* out);
bool CellToDouble(const VmCell& c, double* out);

// The cell's value converted to base type `to` in the machine's normal form
// (integers sign- or zero-extended to 64 bits, a float's bits in the low word,
// a double's bits whole): narrowing keeps the low bits, real values become
// integers by truncation toward zero. False for a base above 8 on either side.
bool ConvertBits(const VmCell& from, uint8_t to, uint64_t* bits);

// The normal form of an integer in base type `base` (an integer base only).
inline uint64_t NormalizeInt(int64_t v, uint8_t base) {
  switch (base) {
    case VB_I8: return static_cast<uint64_t>(static_cast<int64_t>(static_cast<int8_t>(v)));
    case VB_U8: return static_cast<uint8_t>(v);
    case VB_I16: return static_cast<uint64_t>(static_cast<int64_t>(static_cast<int16_t>(v)));
    case VB_U16: return static_cast<uint16_t>(v);
    case VB_I32: return static_cast<uint64_t>(static_cast<int64_t>(static_cast<int32_t>(v)));
    case VB_U32: return static_cast<uint32_t>(v);
    default: return static_cast<uint64_t>(v);
  }
}

// The double or float held in a normal-form value. (These and the cell
// makers below are inline: every instruction makes cells, and a cell built
// by a call and read back whole stalls the processor.)
inline double BitsToDouble(uint64_t bits) {
  double d;
  std::memcpy(&d, &bits, sizeof d);
  return d;
}
inline float BitsToFloat(uint64_t bits) {
  uint32_t low = Low32(bits);
  float f;
  std::memcpy(&f, &low, sizeof f);
  return f;
}
inline uint64_t DoubleToBits(double v) {
  uint64_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  return bits;
}
inline uint64_t FloatToBits(float v) {
  uint32_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  return bits;
}

// Cells of plain values.
inline VmCell MakeCell(uint8_t type, uint64_t value) {
  VmCell c;
  c.type = type;
  c.value = value;
  return c;
}
inline VmCell MakeInt32(int32_t v) { return MakeCell(VB_I32, NormalizeInt(v, VB_I32)); }
inline VmCell MakeUInt32(uint32_t v) { return MakeCell(VB_U32, v); }
inline VmCell MakeDouble(double v) { return MakeCell(VB_F64, DoubleToBits(v)); }
inline VmCell MakeFloat(float v) { return MakeCell(VB_F32, FloatToBits(v)); }
inline VmCell MakeInt64(int64_t v) { return MakeCell(VB_I64, static_cast<uint64_t>(v)); }
inline VmCell MakeAddress(uint8_t type, uint32_t address) { return MakeCell(type, address); }

// Whether a value counts as true in a condition, by its own type: a real
// value compared with 0.0 (so 1.0 and 0.5 are true, -0.0 false), an integer
// in its own width, an address or pointer by its 32 bits.
bool CellIsTrue(const VmCell& c);

// Variable-argument promotion: 8- and 16-bit integers to 32 bits by their
// signedness, a single float to double. Other cells are returned unchanged.
VmCell PromoteVarArg(const VmCell& c);
