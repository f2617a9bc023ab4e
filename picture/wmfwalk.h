// The one walk over a Windows metafile's bytes, shared by the image check
// (metafile_wmf.cpp) and the import (editctrl/wmf/): an optional placeable
// header (its key, then 18 bytes), the standard header (18 bytes), then the
// records, each its size in 16-bit words (a DWORD, its six-byte head
// included), its function (a WORD) and its parameters, up to the end record
// (function 0). The walk only frames the records; what a short, oversized
// or unknown record means is each reader's own rule.
#pragma once

#include <windows.h>

#include <cstddef>

#include "bytereader.h"

constexpr DWORD kWmfPlaceableKey = 0x9AC6CDD7;
constexpr size_t kWmfPlaceableBytes = 22;  // the key included
constexpr size_t kWmfHeaderBytes = 18;     // the standard header
constexpr size_t kWmfRecordHeadBytes = 6;  // size and function
constexpr DWORD kWmfRecordHeadWords = 3;

inline bool StartsWithWmfPlaceableKey(const ByteReader& file) {
  return file.Has(0, 4) && file.U32(0) == kWmfPlaceableKey;
}

// The fields of the standard header that the readers use.
struct WmfHeader {
  WORD type;            // 1 in memory, 2 on disk
  WORD headerWords;     // 9
  WORD version;         // 0x0100 or 0x0300
  WORD objects;         // the size of the object table
  DWORD largestRecord;  // in words
};
// The fields of the 18 bytes of a standard header (zero where it is short).
WmfHeader ReadWmfHeader(const ByteReader& header);

// A record's head, and the record itself when the file holds all of it.
struct WmfRecord {
  DWORD words = 0;  // its size as its head says
  WORD function = 0;
  // The whole record, head included; empty when the file ends inside it.
  ByteReader bytes{nullptr, 0};
};

class CWmfRecordWalk {
 public:
  enum Step {
    RECORD,         // a record's head was read
    NO_MORE_BYTES,  // the file ends where the next record would start
    PART_OF_HEAD,   // the file ends inside the next record's head
  };

  // The records of file from the byte first on.
  CWmfRecordWalk(const ByteReader& file, size_t first) : m_file(file), m_at(first) {}

  // The record at the walk's place; the walk stays there until Skip.
  Step Next(WmfRecord* record) const;
  // On to the record after this one, which must be all there.
  void Skip(const WmfRecord& record) { m_at += record.bytes.Length(); }
  // The bytes from the walk's place to the end of the file.
  size_t BytesLeft() const { return m_at < m_file.Length() ? m_file.Length() - m_at : 0; }

 private:
  ByteReader m_file;
  size_t m_at;
};
