// CRC-32 of IEEE 802.3 (reflected polynomial 0xEDB88320, initial value and
// final XOR 0xFFFFFFFF); covers the 12 leading bytes of every frame header.
#pragma once
#include <cstddef>
#include <cstdint>

uint32_t QbCrc32(const void* data, size_t size);
