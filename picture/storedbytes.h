// Bytes that a draw object keeps for code outside the system (a plug-in's
// property blob, an ActiveX control's persisted state) and that the picture
// file carries unchanged: a 32-bit length, then the bytes, written and read
// in pieces of at most 1,024 bytes.
#pragma once
#include <windows.h>

class CArchive;
class CMemFile;

constexpr UINT kStoredBytesPiece = 1024;

// Writes the file's whole length and bytes; returns the length written.
DWORD StoreBytePieces(CArchive& ar, const CMemFile& bytes);
// Reads a length and that many bytes into the emptied file; returns the
// length. A length beyond the bytes left in the archive is the archive's
// endOfFile, before anything is allocated or read.
DWORD LoadBytePieces(CArchive& ar, CMemFile& bytes);
// Replaces the file's bytes with count bytes (none when null).
void ReplaceBytes(CMemFile& bytes, const void* from, UINT count);
