#include "storedbytes.h"

#include <algorithm>

#include "archive.h"
#include "exceptions.h"
#include "memfile.h"

DWORD StoreBytePieces(CArchive& ar, const CMemFile& bytes) {
  const DWORD length = bytes.GetLength();
  ar << length;
  const BYTE* data = bytes.GetData();
  for (DWORD done = 0; done < length;) {
    const UINT piece = std::min<DWORD>(kStoredBytesPiece, length - done);
    ar.Write(data + done, piece);
    done += piece;
  }
  return length;
}

DWORD LoadBytePieces(CArchive& ar, CMemFile& bytes) {
  DWORD length = 0;
  ar >> length;
  // A length beyond the bytes left is a damaged file, not a wait for more.
  ar.CheckAvailable(length);
  if (length > kMaxStoredBytes) ar.Fail(CArchiveException::generic);
  // The whole length at once, so that the pieces only fill it.
  ReplaceBytes(bytes, nullptr, 0);
  bytes.SetLength(length);
  bytes.SeekToBegin();
  BYTE piece[kStoredBytesPiece];
  for (DWORD done = 0; done < length;) {
    const UINT count = std::min<DWORD>(kStoredBytesPiece, length - done);
    ar.Read(piece, count);
    bytes.Write(piece, count);
    done += count;
  }
  return length;
}

void ReplaceBytes(CMemFile& bytes, const void* from, UINT count) {
  bytes.SetLength(0);
  bytes.SeekToBegin();
  if (from && count) bytes.Write(from, count);
}
