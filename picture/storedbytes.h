// Bytes that a draw object keeps for code outside the system (a plug-in's
// property blob, an ActiveX control's persisted state) and that the picture
// file carries unchanged: a 32-bit length, then the bytes, written and read
// in pieces of at most 1,024 bytes.
#pragma once
#include <windows.h>

class CArchive;
class CMemFile;

constexpr UINT kStoredBytesPiece = 1024;
// The most bytes one object keeps this way. Controls and plug-ins persist a
// few properties, kilobytes at most; a stated length beyond this is a
// damaged or hostile file, refused before anything is allocated, so that no
// picture or pasted block makes a window hold (and hand to a control) tens
// of megabytes.
constexpr DWORD kMaxStoredBytes = 8u << 20;

// Writes the file's whole length and bytes; returns the length written.
DWORD StoreBytePieces(CArchive& ar, const CMemFile& bytes);
// Reads a length and that many bytes into the emptied file; returns the
// length. A length beyond the bytes left in the archive is the archive's
// endOfFile, one beyond kMaxStoredBytes its generic error, both before
// anything is allocated or read; the bytes then go into one buffer of that
// length.
DWORD LoadBytePieces(CArchive& ar, CMemFile& bytes);
// Replaces the file's bytes with count bytes (none when null).
void ReplaceBytes(CMemFile& bytes, const void* from, UINT count);
