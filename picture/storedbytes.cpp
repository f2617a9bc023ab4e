#include "storedbytes.h"

#include <algorithm>

#include "archive.h"
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
    ReplaceBytes(bytes, nullptr, 0);
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
