// The record walkers of the two metafile formats (metafile_emf.cpp,
// metafile_wmf.cpp) and what they share; see metafilecheck.h.
#pragma once

#include <windows.h>

#include "bytereader.h"
#include "metafilebounds.h"
#include "metafilecheck.h"

bool CheckEnhancedRecords(const ByteReader& file, MetafileSummary* pSummary);
bool CheckPlaceableRecords(const ByteReader& file, MetafileSummary* pSummary);

// A device-independent bitmap carried in a record: its header and colour
// table in info, its pixels in bits (colour-table entries of two bytes for
// DIB_PAL_COLORS). False unless it is an uncompressed, run-length or
// bit-field bitmap of at most kMaxImagePixels whose pixels are all there.
bool CheckRecordDib(const ByteReader& info, const ByteReader& bits, DWORD usage);
// The bytes a DIB's header and colour table take (0 when the header is not
// a known one): where its pixels start when they follow it.
size_t DibHeaderBytes(const ByteReader& info, DWORD usage);

// The four corners of a rectangle given by two corners.
inline void RectCorners4(double l, double t, double r, double b, CPointD out[4]) {
  out[0] = CPointD(l, t);
  out[1] = CPointD(r, t);
  out[2] = CPointD(r, b);
  out[3] = CPointD(l, b);
}
