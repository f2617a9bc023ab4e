#include "vmload.h"

#include <cstring>
#include <new>

#include "bytereader.h"
#include "vmcodes.h"
#include "vmframes.h"

namespace {

constexpr size_t kHeaderSize = sizeof(tarnic::CodeByteHeader);
constexpr size_t kInstructionSize = sizeof(tarnic::CodeByteInstruction);
constexpr size_t kEntryHeadSize = sizeof(tarnic::CodeByteDataEntry);

// The data area: a count, then one entry per global cell.
int LoadGlobals(VmState& s, const uint8_t* bytes, size_t size, size_t offset) {
  if (size - offset < 4) return kVmTruncated;
  uint32_t entries = LittleEndianAt32(bytes + offset);
  offset += 4;
  for (uint32_t i = 0; i < entries; ++i) {
    if (size - offset < kEntryHeadSize) return kVmTruncated;
    uint8_t type = static_cast<uint8_t>(bytes[offset] | kVmGlobal);
    uint32_t count = LittleEndianAt32(bytes + offset + 1);
    uint32_t length = LittleEndianAt32(bytes + offset + 5);
    offset += kEntryHeadSize;
    if (size - offset < length) return kVmTruncated;
    const uint8_t* init = length ? bytes + offset : nullptr;
    offset += length;
    int rc = s.globals->Create(i, type, count, init, length);
    if (rc) return rc;
  }
  return 0;
}

}  // namespace

int InitMachine(VmState& s) {
  if (s.first_run && !s.globals) {
    s.globals.reset(new (std::nothrow) VmVariables(s.memory));
    if (!s.globals) return kVmSetupGlobalCells;
  }
  FreeRunState(s);
  return 0;
}

int LoadCodeBytes(VmState& s, const uint8_t* bytes, size_t size) {
  if (!bytes || size < 2 || LittleEndianAt16(bytes) != tarnic::kCodeByteMagic) return kVmBadMagic;
  if (size < 4 || LittleEndianAt16(bytes + 2) != tarnic::kCodeByteVersion) return kVmBadVersion;
  if (size < kHeaderSize) return kVmTruncated;
  uint32_t data_offset = LittleEndianAt32(bytes + offsetof(tarnic::CodeByteHeader, data_offset));
  if (data_offset < kHeaderSize || (data_offset - kHeaderSize) % kInstructionSize != 0) return kVmBadCodeSize;
  if (data_offset > size) return kVmTruncated;

  int rc = LoadGlobals(s, bytes, size, data_offset);
  if (rc) return rc;

  size_t count = (data_offset - kHeaderSize) / kInstructionSize;
  try {
    s.code.resize(count);
  } catch (const std::bad_alloc&) {
    return kVmNoCodeMemory;
  }
  if (count) std::memcpy(s.code.data(), bytes + kHeaderSize, count * kInstructionSize);

  s.entry = LittleEndianAt32(bytes + offsetof(tarnic::CodeByteHeader, entry));
  if (s.entry >= count) return kVmBadEntry;
  return 0;
}
