#include "qbwirevalue.h"

#include <cstring>

#include "qbprotocol.h"

namespace {
constexpr size_t kValueBytes = 16;
constexpr size_t kMinWireRecord = 20;  // lengths, no name, the value bytes
}  // namespace

size_t QbWireValueSize(size_t nameLength) { return ((nameLength + 4 + 3) & ~size_t(3)) + kValueBytes; }

bool QbEncodeValue(QbBuffer& out, QB_TAGVALUE& record) {
  record.name[QB_TAGNAME_MAX] = 0;
  const size_t nameLength = std::strlen(record.name);
  const size_t total = QbWireValueSize(nameLength);
  uint8_t wire[QB_TAGNAME_MAX + 4 + 3 + kValueBytes] = {};
  QbPut16(wire, uint16_t(total));
  QbPut16(wire + 2, uint16_t(nameLength));
  std::memcpy(wire + 4, record.name, nameLength);
  std::memcpy(wire + total - kValueBytes, &record.value, kValueBytes);
  return out.Append(wire, total);
}

size_t QbDecodeValue(const uint8_t* wire, size_t available, QB_TAGVALUE& target) {
  if (available < kMinWireRecord) return 0;
  const int total = int16_t(LittleEndianAt16(wire));
  const int nameLength = int16_t(LittleEndianAt16(wire + 2));
  if (total < 0 || size_t(total) > available) return 0;
  if (nameLength < 0 || nameLength > QB_TAGNAME_MAX || nameLength + 20 > total) return 0;
  std::memset(&target, 0, sizeof target);
  std::memcpy(target.name, wire + 4, size_t(nameLength));
  std::memcpy(&target.value, wire + total - kValueBytes, kValueBytes);
  return size_t(total);
}
