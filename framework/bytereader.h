// Little-endian integers in bytes: the one reader of files, frames and code
// bytes. LittleEndianAt16/32 read at a pointer whose bytes the caller has
// made sure of; ByteReader is a bounded, read-only view of bytes that a file
// brought in: every read past the end gives 0, and Has says beforehand
// whether a field is there, so a reader of a damaged or hostile file never
// reads outside it.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <cstring>

inline uint16_t LittleEndianAt16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
inline uint32_t LittleEndianAt32(const uint8_t* p) {
  return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}

class ByteReader {
 public:
  ByteReader(const BYTE* bytes, size_t length) : m_bytes(bytes), m_length(bytes ? length : 0) {}

  size_t Length() const { return m_length; }
  bool Has(size_t at, size_t count) const { return at <= m_length && count <= m_length - at; }
  template <size_t N>
  bool Starts(const BYTE (&magic)[N]) const {
    return Has(0, N) && std::memcmp(m_bytes, magic, N) == 0;
  }
  // The count bytes from at; an empty view when they are not all there.
  ByteReader Part(size_t at, size_t count) const {
    return Has(at, count) ? ByteReader(m_bytes + at, count) : ByteReader(nullptr, 0);
  }

  BYTE At(size_t at) const { return Has(at, 1) ? m_bytes[at] : 0; }
  LONG BigEndian16(size_t at) const { return (At(at) << 8) | At(at + 1); }
  LONG LittleEndian16(size_t at) const { return At(at) | (At(at + 1) << 8); }
  double BigEndian32(size_t at) const { return BigEndian16(at) * 65536.0 + BigEndian16(at + 2); }
  double LittleEndian32(size_t at) const { return I32(at); }

  WORD U16(size_t at) const { return static_cast<WORD>(LittleEndian16(at)); }
  SHORT I16(size_t at) const { return static_cast<SHORT>(U16(at)); }
  DWORD U32(size_t at) const {
    return static_cast<DWORD>(LittleEndian16(at)) | (static_cast<DWORD>(LittleEndian16(at + 2)) << 16);
  }
  LONG I32(size_t at) const { return static_cast<LONG>(U32(at)); }
  float F32(size_t at) const {
    const DWORD bits = U32(at);
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
  }

 private:
  const BYTE* m_bytes;
  size_t m_length;
};
