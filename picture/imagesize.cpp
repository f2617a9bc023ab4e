#include "imagesize.h"

#include "bytereader.h"

namespace {

// The signatures; byte arrays, so that no character set applies to them.
constexpr BYTE kPngSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr BYTE kBmpSignature[] = {'B', 'M'};
constexpr BYTE kGif87Signature[] = {'G', 'I', 'F', '8', '7', 'a'};
constexpr BYTE kGif89Signature[] = {'G', 'I', 'F', '8', '9', 'a'};
constexpr BYTE kJpegSignature[] = {0xFF, 0xD8};

// A stated side as a size: its magnitude (a bitmap states a top-down image
// with a negative height), at most the largest integer.
LONG Side(double v) {
  const double magnitude = v < 0 ? -v : v;
  return magnitude > 2147483647.0 ? 2147483647 : static_cast<LONG>(magnitude);
}

bool Stated(double w, double h, SIZE* pSize) {
  pSize->cx = Side(w);
  pSize->cy = Side(h);
  return true;
}

bool ReadPng(const ByteReader& r, SIZE* pSize) {
  // Signature, then the IHDR chunk: length, type, width, height.
  if (!r.Starts(kPngSignature) || !r.Has(16, 8)) return false;
  return Stated(r.BigEndian32(16), r.BigEndian32(20), pSize);
}

bool ReadBmp(const ByteReader& r, SIZE* pSize) {
  if (!r.Starts(kBmpSignature) || !r.Has(14, 4)) return false;
  if (r.LittleEndian32(14) == 12)  // the old core header: 16-bit sizes
    return r.Has(18, 4) && Stated(r.LittleEndian16(18), r.LittleEndian16(20), pSize);
  // Height is negative for a top-down bitmap.
  return r.Has(18, 8) && Stated(r.LittleEndian32(18), r.LittleEndian32(22), pSize);
}

bool ReadGif(const ByteReader& r, SIZE* pSize) {
  if (!(r.Starts(kGif87Signature) || r.Starts(kGif89Signature)) || !r.Has(6, 4)) return false;
  return Stated(r.LittleEndian16(6), r.LittleEndian16(8), pSize);
}

// Start-of-frame markers: every SOFn but DHT (C4), JPG (C8) and DAC (CC).
bool IsStartOfFrame(BYTE m) { return m >= 0xC0 && m <= 0xCF && m != 0xC4 && m != 0xC8 && m != 0xCC; }
// Markers that stand alone, without a length: TEM, RSTn, SOI, EOI.
bool StandsAlone(BYTE m) { return m == 0x01 || (m >= 0xD0 && m <= 0xD9); }

bool ReadJpeg(const ByteReader& r, SIZE* pSize) {
  if (!r.Starts(kJpegSignature)) return false;
  size_t at = 2;
  // Each step moves forward by at least two bytes, so the walk ends.
  while (r.Has(at, 2)) {
    if (r.At(at) != 0xFF) return false;
    const BYTE marker = r.At(at + 1);
    if (marker == 0xFF) {  // fill byte
      ++at;
      continue;
    }
    if (StandsAlone(marker)) {
      at += 2;
      continue;
    }
    if (!r.Has(at + 2, 2)) return false;
    if (IsStartOfFrame(marker))
      // Length, precision, then height and width.
      return r.Has(at + 5, 4) && Stated(r.BigEndian16(at + 7), r.BigEndian16(at + 5), pSize);
    at += 2 + r.BigEndian16(at + 2);
  }
  return false;
}

}  // namespace

bool ReadStatedImageSize(const BYTE* bytes, size_t length, SIZE* pSize) {
  const ByteReader r(bytes, length);
  return ReadPng(r, pSize) || ReadBmp(r, pSize) || ReadGif(r, pSize) || ReadJpeg(r, pSize);
}
