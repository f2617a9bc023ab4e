// MD5 message digest (RFC 1321); accounts store and compare the digests of
// passwords. The digest is the client's own (qbmd5.h): one MD5 in the tree.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "qbmd5.h"

namespace tagsim {

using Md5Digest = std::array<uint8_t, 16>;

inline Md5Digest Md5(const void* data, size_t n) {
  Md5Digest digest;
  QbMd5(data, n, digest.data());
  return digest;
}
inline Md5Digest Md5(const std::string& text) { return Md5(text.data(), text.size()); }

}  // namespace tagsim
