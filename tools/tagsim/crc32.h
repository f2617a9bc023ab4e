// CRC-32 of IEEE 802.3 (reflected polynomial 0xEDB88320), as frame headers carry it.
#pragma once
#include <cstddef>
#include <cstdint>

namespace tagsim {

uint32_t Crc32(const void* data, size_t n);

}  // namespace tagsim
