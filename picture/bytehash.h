// FNV-1a over bytes: a quick hash for tables held in memory (nothing
// stored or sent depends on it).
#pragma once

#include <windows.h>

#include <cstddef>

class CByteHash {
 public:
  // The start mixed with `seed` (0 for the plain hash).
  explicit CByteHash(unsigned long long seed = 0) : m_hash(kBasis ^ seed) {}

  CByteHash& AddBytes(const BYTE* p, size_t n) {
    for (size_t i = 0; i < n; ++i) m_hash = (m_hash ^ p[i]) * kPrime;
    return *this;
  }
  // The bytes of a plain value.
  template <class T>
  CByteHash& Add(const T& value) {
    return AddBytes(reinterpret_cast<const BYTE*>(&value), sizeof value);
  }
  size_t Value() const { return static_cast<size_t>(m_hash ^ (m_hash >> 32)); }

 private:
  static constexpr unsigned long long kBasis = 14695981039346656037ull;
  static constexpr unsigned long long kPrime = 1099511628211ull;
  unsigned long long m_hash;
};
