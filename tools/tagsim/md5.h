// MD5 message digest (RFC 1321); accounts store and compare the digests of passwords.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace tagsim {

using Md5Digest = std::array<uint8_t, 16>;

Md5Digest Md5(const void* data, size_t n);
inline Md5Digest Md5(const std::string& text) { return Md5(text.data(), text.size()); }

}  // namespace tagsim
