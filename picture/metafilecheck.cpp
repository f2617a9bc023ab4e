#include "metafilecheck.h"

#include <algorithm>
#include <cmath>

#include "imagesize.h"
#include "metafilereaders.h"
#include "textfont.h"
#include "wmfwalk.h"

namespace {

constexpr DWORD kEnhancedSignature = 0x464D4520;  // " EMF"
constexpr DWORD kEmrHeaderOffsetOfSignature = 40;

struct DibHeader {
  long long width = 0;
  long long height = 0;
  int bitCount = 0;
  DWORD compression = BI_RGB;
  size_t headerBytes = 0;  // header, masks and colour table
};

bool ReadDibHeader(const ByteReader& info, DWORD usage, DibHeader* pHeader) {
  const DWORD size = info.U32(0);
  size_t entryBytes = usage == DIB_PAL_COLORS ? 2 : 4;
  size_t colours = 0;
  if (size == sizeof(BITMAPCOREHEADER)) {
    pHeader->width = info.U16(4);
    pHeader->height = info.U16(6);
    pHeader->bitCount = info.U16(10);
    if (usage != DIB_PAL_COLORS) entryBytes = 3;
  } else if (size >= sizeof(BITMAPINFOHEADER) && size <= 1024) {
    pHeader->width = info.I32(4);
    pHeader->height = info.I32(8);
    pHeader->bitCount = info.U16(14);
    pHeader->compression = info.U32(16);
    colours = info.U32(32);
  } else {
    return false;
  }
  const int bits = pHeader->bitCount;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return false;
  if (bits <= 8 && (colours == 0 || colours > (1u << bits))) colours = 1u << bits;
  if (colours > 256) return false;
  size_t masks = 0;
  switch (pHeader->compression) {
    case BI_RGB: break;
    case BI_RLE8:
      if (bits != 8 || pHeader->height < 0) return false;
      break;
    case BI_RLE4:
      if (bits != 4 || pHeader->height < 0) return false;
      break;
    case BI_BITFIELDS:
      if (bits != 16 && bits != 32) return false;
      masks = size == sizeof(BITMAPINFOHEADER) ? 12 : 0;
      break;
    default: return false;  // JPEG and PNG inside a DIB would reach a decoder
  }
  pHeader->headerBytes = size + masks + colours * entryBytes;
  return info.Has(0, pHeader->headerBytes);
}

}  // namespace

size_t DibHeaderBytes(const ByteReader& info, DWORD usage) {
  DibHeader header;
  return ReadDibHeader(info, usage, &header) ? header.headerBytes : 0;
}

bool CheckRecordDib(const ByteReader& info, const ByteReader& bits, DWORD usage) {
  DibHeader header;
  if (!ReadDibHeader(info, usage, &header)) return false;
  const long long w = header.width;
  const long long h = header.height < 0 ? -header.height : header.height;
  if (w <= 0 || h <= 0 || !IsDrawableImageSize(static_cast<double>(w), static_cast<double>(h))) return false;
  if (header.compression == BI_RLE8 || header.compression == BI_RLE4)
    return bits.Length() > 0;  // the platform decodes runs within the bitmap
  const long long stride = (w * header.bitCount + 31) / 32 * 4;
  return static_cast<long long>(bits.Length()) >= stride * h;
}

MetafileKind IdentifyMetafile(const BYTE* bytes, size_t length) {
  const ByteReader file(bytes, length);
  if (StartsWithWmfPlaceableKey(file)) return MetafileKind::placeable;
  if (file.Has(0, kEmrHeaderOffsetOfSignature + 4) && file.U32(0) == EMR_HEADER &&
      file.U32(kEmrHeaderOffsetOfSignature) == kEnhancedSignature)
    return MetafileKind::enhanced;
  return MetafileKind::none;
}

double MetafilePlayScale(const MetafileSummary& m, double w, double h) {
  double scale = 1.0;
  if (w > kMaxMetafileSide) scale = std::min(scale, kMaxMetafileSide / w);
  if (h > kMaxMetafileSide) scale = std::min(scale, kMaxMetafileSide / h);
  if (w * h > kMaxMetafilePixels) scale = std::min(scale, std::sqrt(kMaxMetafilePixels / (w * h)));
  const double largest = m.largestSize * std::max(w / m.frameWidth, h / m.frameHeight);
  if (largest > kMaxFontPixels) scale = std::min(scale, kMaxFontPixels / largest);
  return scale;
}

bool CheckMetafile(const BYTE* bytes, size_t length, MetafileSummary* pSummary) {
  MetafileSummary summary;
  const ByteReader file(bytes, length);
  bool ok = false;
  switch (IdentifyMetafile(bytes, length)) {
    case MetafileKind::enhanced: ok = CheckEnhancedRecords(file, &summary); break;
    case MetafileKind::placeable: ok = CheckPlaceableRecords(file, &summary); break;
    case MetafileKind::none: break;
  }
  if (ok && pSummary) *pSummary = summary;
  return ok;
}
