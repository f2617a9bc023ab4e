#include "wmfwalk.h"

#include <cstdint>

WmfHeader ReadWmfHeader(const ByteReader& header) {
  return WmfHeader{header.U16(0), header.U16(2), header.U16(4), header.U16(10), header.U32(12)};
}

CWmfRecordWalk::Step CWmfRecordWalk::Next(WmfRecord* record) const {
  const size_t left = BytesLeft();
  if (left == 0) return NO_MORE_BYTES;
  if (left < kWmfRecordHeadBytes) return PART_OF_HEAD;
  record->words = m_file.U32(m_at);
  record->function = m_file.U16(m_at + 4);
  // In 64 bits: a size of 2^31 words and more must not wrap round in the
  // 32-bit flavour's size_t.
  const uint64_t bytes = uint64_t(record->words) * 2;
  record->bytes = bytes <= left ? m_file.Part(m_at, static_cast<size_t>(bytes)) : ByteReader(nullptr, 0);
  return RECORD;
}
