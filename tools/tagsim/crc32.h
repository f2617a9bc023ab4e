// CRC-32 of IEEE 802.3 (reflected polynomial 0xEDB88320), as frame headers
// carry it: the client's own (qbcrc32.h), one CRC-32 in the tree.
#pragma once
#include <cstddef>
#include <cstdint>

#include "qbcrc32.h"

namespace tagsim {

inline uint32_t Crc32(const void* data, size_t n) { return QbCrc32(data, n); }

}  // namespace tagsim
