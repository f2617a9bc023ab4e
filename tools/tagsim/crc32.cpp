#include "crc32.h"

namespace tagsim {
namespace {

struct CrcTable {
  uint32_t entry[256];
  CrcTable() {
    for (uint32_t i = 0; i < 256; ++i) {
      uint32_t c = i;
      for (int bit = 0; bit < 8; ++bit) c = (c & 1) ? (0xEDB88320u ^ (c >> 1)) : (c >> 1);
      entry[i] = c;
    }
  }
};

}  // namespace

uint32_t Crc32(const void* data, size_t n) {
  static const CrcTable table;  // built once, thread-safe since C++11
  const uint8_t* p = static_cast<const uint8_t*>(data);
  uint32_t c = 0xFFFFFFFFu;
  for (size_t i = 0; i < n; ++i) c = table.entry[(c ^ p[i]) & 0xFF] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}

}  // namespace tagsim
