// The records of an enhanced metafile, checked one by one against
// CMetafileBounds before any of them reaches the platform's player.
#include <algorithm>
#include <cmath>
#include <vector>

#include "metafilereaders.h"

namespace {

// The header record, as far as it is read here.
constexpr size_t kHeaderMinSize = 88;
constexpr size_t kFrameAt = 24, kBytesAt = 48, kRecordsAt = 52, kHandlesAt = 56;
constexpr size_t kDeviceAt = 72, kMillimetresAt = 80;
constexpr DWORD kEmfPlusSignature = 0x2B464D45;  // "EMF+" at the start of a comment
constexpr float kMaxMiterLimit = 100.0f;
constexpr DWORD kEmrSetTextJustification = 120;  // not named by the toolchain headers

struct Walk {
  CMetafileBounds& bounds;
  DWORD handles;
};

using Check = bool (*)(const ByteReader& rec, Walk& w);

CPointD PointL(const ByteReader& r, size_t at) { return CPointD(r.I32(at), r.I32(at + 4)); }

XFORM XformAt(const ByteReader& r, size_t at) {
  return XFORM{r.F32(at), r.F32(at + 4), r.F32(at + 8), r.F32(at + 12), r.F32(at + 16), r.F32(at + 20)};
}

bool DrawRectL(const ByteReader& r, size_t at, Walk& w) {
  CPointD corners[4];
  RectCorners4(r.I32(at), r.I32(at + 4), r.I32(at + 8), r.I32(at + 12), corners);
  return w.bounds.Draw(corners, 4);
}

// A rectangle given by a corner and a size.
bool DrawBox(const ByteReader& r, size_t xAt, size_t yAt, size_t cxAt, size_t cyAt, Walk& w) {
  const double x = r.I32(xAt), y = r.I32(yAt);
  CPointD corners[4];
  RectCorners4(x, y, x + r.I32(cxAt), y + r.I32(cyAt), corners);
  return w.bounds.Draw(corners, 4);
}

// count points of pointBytes each from pointsAt.
bool DrawPoints(const ByteReader& r, size_t pointsAt, DWORD count, bool b16, Walk& w) {
  const size_t pointBytes = b16 ? 4 : 8;
  if (count > r.Length() / pointBytes || !r.Has(pointsAt, count * pointBytes)) return false;
  std::vector<CPointD> pts(count);
  for (DWORD i = 0; i < count; ++i) {
    const size_t at = pointsAt + i * pointBytes;
    pts[i] = b16 ? CPointD(r.I16(at), r.I16(at + 2)) : PointL(r, at);
  }
  return w.bounds.Draw(pts.data(), pts.size());
}

bool Poly(const ByteReader& r, Walk& w) { return DrawPoints(r, 28, r.U32(24), false, w); }
bool Poly16(const ByteReader& r, Walk& w) { return DrawPoints(r, 28, r.U32(24), true, w); }

bool PolyDraw(const ByteReader& r, Walk& w, bool b16) {
  const DWORD count = r.U32(24);
  const size_t pointBytes = b16 ? 4 : 8;
  // The point types follow the points, one byte each.
  return count <= r.Length() && r.Has(28 + static_cast<size_t>(count) * pointBytes, count) &&
         DrawPoints(r, 28, count, b16, w);
}
bool PolyDraw32(const ByteReader& r, Walk& w) { return PolyDraw(r, w, false); }
bool PolyDraw16(const ByteReader& r, Walk& w) { return PolyDraw(r, w, true); }

bool PolyPoly(const ByteReader& r, Walk& w, bool b16) {
  const DWORD polys = r.U32(24);
  const DWORD count = r.U32(28);
  if (polys > r.Length() / 4 || !r.Has(32, static_cast<size_t>(polys) * 4)) return false;
  unsigned long long sum = 0;
  for (DWORD i = 0; i < polys; ++i) sum += r.U32(32 + static_cast<size_t>(i) * 4);
  return sum == count && DrawPoints(r, 32 + static_cast<size_t>(polys) * 4, count, b16, w);
}
bool PolyPoly32(const ByteReader& r, Walk& w) { return PolyPoly(r, w, false); }
bool PolyPoly16(const ByteReader& r, Walk& w) { return PolyPoly(r, w, true); }

bool PointAt8(const ByteReader& r, Walk& w) {
  const CPointD p = PointL(r, 8);
  return w.bounds.Draw(&p, 1);
}

bool Box(const ByteReader& r, Walk& w) { return DrawRectL(r, 8, w); }

bool ArcLike(const ByteReader& r, Walk& w) {
  // The start and end points only give directions, but are coordinates too.
  const CPointD ends[2] = {PointL(r, 24), PointL(r, 32)};
  return DrawRectL(r, 8, w) && CMetafileBounds::kMaxLogical >= std::fabs(ends[0].x) &&
         CMetafileBounds::kMaxLogical >= std::fabs(ends[0].y) &&
         CMetafileBounds::kMaxLogical >= std::fabs(ends[1].x) &&
         CMetafileBounds::kMaxLogical >= std::fabs(ends[1].y);
}

bool AngleArc(const ByteReader& r, Walk& w) {
  const CPointD c = PointL(r, 8);
  const double radius = r.U32(16);
  if (!std::isfinite(r.F32(20)) || !std::isfinite(r.F32(24))) return false;
  CPointD corners[4];
  RectCorners4(c.x - radius, c.y - radius, c.x + radius, c.y + radius, corners);
  return w.bounds.Draw(corners, 4);
}

bool Nothing(const ByteReader&, Walk&) { return true; }

bool MiterLimit(const ByteReader& r, Walk&) {
  const float limit = r.F32(8);
  return std::isfinite(limit) && limit >= 0.0f && limit <= kMaxMiterLimit;
}

// ---- mapping -----------------------------------------------------------------

bool WindowExt(const ByteReader& r, Walk& w) { return w.bounds.SetWindowExt(r.I32(8), r.I32(12)); }
bool WindowOrg(const ByteReader& r, Walk& w) { return w.bounds.SetWindowOrg(r.I32(8), r.I32(12)); }
bool ViewportExt(const ByteReader& r, Walk& w) { return w.bounds.SetViewportExt(r.I32(8), r.I32(12)); }
bool ViewportOrg(const ByteReader& r, Walk& w) { return w.bounds.SetViewportOrg(r.I32(8), r.I32(12)); }
bool MapMode(const ByteReader& r, Walk& w) { return w.bounds.SetMapMode(r.I32(8)); }
bool ScaleViewport(const ByteReader& r, Walk& w) {
  return w.bounds.ScaleViewportExt(r.I32(8), r.I32(12), r.I32(16), r.I32(20));
}
bool ScaleWindow(const ByteReader& r, Walk& w) {
  return w.bounds.ScaleWindowExt(r.I32(8), r.I32(12), r.I32(16), r.I32(20));
}
bool SaveDC(const ByteReader&, Walk& w) { return w.bounds.Save(); }
bool RestoreDC(const ByteReader& r, Walk& w) { return w.bounds.Restore(r.I32(8)); }
bool WorldTransform(const ByteReader& r, Walk& w) { return w.bounds.SetWorldTransform(XformAt(r, 8)); }
bool ModifyTransform(const ByteReader& r, Walk& w) {
  return w.bounds.ModifyWorldTransform(XformAt(r, 8), r.U32(32));
}
bool Layout(const ByteReader& r, Walk&) {
  // Mirroring flips the whole device; only the bitmap flag is harmless.
  return (r.U32(8) & ~static_cast<DWORD>(LAYOUT_BITMAPORIENTATIONPRESERVED)) == 0;
}

// ---- clipping ----------------------------------------------------------------

bool IsLogical(double v) { return std::fabs(v) <= CMetafileBounds::kMaxLogical; }

bool ClipRect(const ByteReader& r, Walk&) {
  return IsLogical(r.I32(8)) && IsLogical(r.I32(12)) && IsLogical(r.I32(16)) && IsLogical(r.I32(20));
}

bool OffsetClip(const ByteReader& r, Walk&) { return IsLogical(r.I32(8)) && IsLogical(r.I32(12)); }

// Region data (RGNDATA) of cb bytes at at: its rectangles, which are drawn
// when bDraw (fill, frame, paint) and only checked otherwise (a clip).
bool Region(const ByteReader& r, size_t at, DWORD cb, bool bDraw, Walk& w) {
  const ByteReader data = r.Part(at, cb);
  const DWORD count = data.U32(8);
  if (cb < sizeof(RGNDATAHEADER) || data.U32(0) != sizeof(RGNDATAHEADER) || data.U32(4) != RDH_RECTANGLES ||
      count > cb / 16 || !data.Has(sizeof(RGNDATAHEADER), static_cast<size_t>(count) * 16))
    return false;
  for (DWORD i = 0; i < count; ++i) {
    const size_t rect = sizeof(RGNDATAHEADER) + static_cast<size_t>(i) * 16;
    if (bDraw ? !DrawRectL(data, rect, w)
              : !(IsLogical(data.I32(rect)) && IsLogical(data.I32(rect + 4)) &&
                  IsLogical(data.I32(rect + 8)) && IsLogical(data.I32(rect + 12))))
      return false;
  }
  return true;
}

bool SelectClipRegion(const ByteReader& r, Walk& w) {
  const DWORD cb = r.U32(8);
  return cb == 0 || Region(r, 16, cb, false, w);  // none: back to the default clip
}
bool FillRegion(const ByteReader& r, Walk& w) { return Region(r, 32, r.U32(24), true, w); }
bool FrameRegion(const ByteReader& r, Walk& w) {
  return w.bounds.Pen(std::max(std::fabs(static_cast<double>(r.I32(32))),
                               std::fabs(static_cast<double>(r.I32(36))))) &&
         Region(r, 40, r.U32(24), true, w);
}
bool PaintRegion(const ByteReader& r, Walk& w) { return Region(r, 28, r.U32(24), true, w); }

// ---- objects -----------------------------------------------------------------

bool IsTableIndex(DWORD ih, const Walk& w) { return ih != 0 && ih < w.handles; }

bool SelectObject(const ByteReader& r, Walk& w) {
  const DWORD ih = r.U32(8);
  if (ih & 0x80000000u) return (ih & 0x7FFFFFFFu) <= STOCK_LAST;
  return IsTableIndex(ih, w);
}

bool Dib(const ByteReader& r, size_t offBmiAt, DWORD usage) {
  const DWORD offBmi = r.U32(offBmiAt), cbBmi = r.U32(offBmiAt + 4);
  const DWORD offBits = r.U32(offBmiAt + 8), cbBits = r.U32(offBmiAt + 12);
  // A record without a bitmap (a pattern-only raster operation) is fine.
  return cbBmi == 0 || CheckRecordDib(r.Part(offBmi, cbBmi), r.Part(offBits, cbBits), usage);
}

bool CreatePen(const ByteReader& r, Walk& w) { return IsTableIndex(r.U32(8), w) && w.bounds.Pen(r.I32(16)); }

bool ExtCreatePen(const ByteReader& r, Walk& w) {
  const DWORD entries = r.U32(48);
  return IsTableIndex(r.U32(8), w) && entries <= 16 && r.Has(52, static_cast<size_t>(entries) * 4) &&
         w.bounds.Pen(r.U32(32)) && Dib(r, 12, DIB_RGB_COLORS);
}

bool CreateBrush(const ByteReader& r, Walk& w) { return IsTableIndex(r.U32(8), w); }

bool PatternBrush(const ByteReader& r, Walk& w) { return IsTableIndex(r.U32(8), w) && Dib(r, 16, r.U32(12)); }

bool CreateFont(const ByteReader& r, Walk& w) {
  return IsTableIndex(r.U32(8), w) && w.bounds.Font(r.I32(12), r.I32(16));
}

bool SelectPalette(const ByteReader& r, Walk& w) {
  const DWORD ih = r.U32(8);
  return ih == (0x80000000u | DEFAULT_PALETTE) || IsTableIndex(ih, w);
}

bool CreatePalette(const ByteReader& r, Walk& w) {
  const WORD entries = r.U16(14);
  return IsTableIndex(r.U32(8), w) && entries <= 256 && r.Has(16, static_cast<size_t>(entries) * 4);
}

bool PaletteEntries(const ByteReader& r, Walk& w) {
  const DWORD entries = r.U32(16);
  return IsTableIndex(r.U32(8), w) && r.U32(12) <= 256 && entries <= 256 &&
         r.Has(20, static_cast<size_t>(entries) * 4);
}

bool ResizePalette(const ByteReader& r, Walk& w) { return IsTableIndex(r.U32(8), w) && r.U32(12) <= 256; }

// ---- texts -------------------------------------------------------------------

bool TextOut(const ByteReader& r, Walk& w, size_t charBytes) {
  // EMRTEXT from byte 36: reference point, count, string offset, options,
  // rectangle, offset of the advances.
  const DWORD chars = r.U32(44);
  const DWORD options = r.U32(52);
  const DWORD offDx = r.U32(72);
  if (!std::isfinite(r.F32(28)) || !std::isfinite(r.F32(32)) || chars > r.Length() ||
      !r.Has(r.U32(48), static_cast<size_t>(chars) * charBytes))
    return false;
  const size_t dxBytes = (options & ETO_PDY) ? 8 : 4;
  if (offDx != 0 && !r.Has(offDx, static_cast<size_t>(chars) * dxBytes)) return false;
  if ((options & (ETO_OPAQUE | ETO_CLIPPED)) && !DrawRectL(r, 56, w)) return false;
  return w.bounds.Text(PointL(r, 36), chars);
}
bool TextOutA(const ByteReader& r, Walk& w) { return TextOut(r, w, 1); }
bool TextOutW(const ByteReader& r, Walk& w) { return TextOut(r, w, 2); }

// ---- bitmaps -----------------------------------------------------------------

bool IsFiniteXform(const XFORM& x) {
  return std::isfinite(x.eM11) && std::isfinite(x.eM12) && std::isfinite(x.eM21) && std::isfinite(x.eM22) &&
         std::isfinite(x.eDx) && std::isfinite(x.eDy);
}

// Bit blocks with a destination box at 24 and a source bitmap described at 84.
bool BitBlock(const ByteReader& r, Walk& w) {
  return IsFiniteXform(XformAt(r, 52)) && DrawBox(r, 24, 28, 32, 36, w) && Dib(r, 84, r.U32(80));
}

bool MaskBlock(const ByteReader& r, Walk& w) { return BitBlock(r, w) && Dib(r, 112, r.U32(108)); }

bool PlgBlock(const ByteReader& r, Walk& w) {
  const CPointD a = PointL(r, 24), b = PointL(r, 32), c = PointL(r, 40);
  const CPointD corners[4] = {a, b, c, CPointD(b.x + c.x - a.x, b.y + c.y - a.y)};
  return IsFiniteXform(XformAt(r, 64)) && w.bounds.Draw(corners, 4) && Dib(r, 96, r.U32(92)) &&
         Dib(r, 124, r.U32(120));
}

bool DibitsToDevice(const ByteReader& r, Walk& w) {
  return DrawBox(r, 24, 28, 40, 44, w) && Dib(r, 48, r.U32(64));
}

bool StretchDibits(const ByteReader& r, Walk& w) {
  return DrawBox(r, 24, 28, 72, 76, w) && Dib(r, 48, r.U32(64));
}

bool GradientFill(const ByteReader& r, Walk& w) {
  const DWORD vertices = r.U32(24);
  const DWORD pieces = r.U32(28);
  const DWORD mode = r.U32(32);
  const size_t pieceBytes = mode == GRADIENT_FILL_TRIANGLE ? 12 : 8;
  if (mode > GRADIENT_FILL_TRIANGLE || vertices > r.Length() / 16 || pieces > r.Length() / 8 ||
      !r.Has(36, static_cast<size_t>(vertices) * 16 + static_cast<size_t>(pieces) * pieceBytes))
    return false;
  const size_t indicesAt = 36 + static_cast<size_t>(vertices) * 16;
  for (size_t i = 0; i < static_cast<size_t>(pieces) * pieceBytes / 4; ++i)
    if (r.U32(indicesAt + i * 4) >= vertices) return false;
  std::vector<CPointD> pts(vertices);
  for (DWORD i = 0; i < vertices; ++i) pts[i] = PointL(r, 36 + static_cast<size_t>(i) * 16);
  return w.bounds.Draw(pts.data(), pts.size());
}

bool Comment(const ByteReader& r, Walk&) {
  const DWORD cb = r.U32(8);
  if (!r.Has(12, cb)) return false;
  // EMF+ records are played by GDI+ itself, from records not read here.
  return cb < 4 || r.U32(12) != kEmfPlusSignature;
}

struct Rule {
  DWORD type;
  DWORD minSize;
  Check check;
};

const Rule kRules[] = {
    {EMR_POLYBEZIER, 28, Poly},
    {EMR_POLYGON, 28, Poly},
    {EMR_POLYLINE, 28, Poly},
    {EMR_POLYBEZIERTO, 28, Poly},
    {EMR_POLYLINETO, 28, Poly},
    {EMR_POLYPOLYLINE, 32, PolyPoly32},
    {EMR_POLYPOLYGON, 32, PolyPoly32},
    {EMR_SETWINDOWEXTEX, 16, WindowExt},
    {EMR_SETWINDOWORGEX, 16, WindowOrg},
    {EMR_SETVIEWPORTEXTEX, 16, ViewportExt},
    {EMR_SETVIEWPORTORGEX, 16, ViewportOrg},
    {EMR_SETBRUSHORGEX, 16, Nothing},
    {EMR_SETPIXELV, 20, PointAt8},
    {EMR_SETMAPPERFLAGS, 12, Nothing},
    {EMR_SETMAPMODE, 12, MapMode},
    {EMR_SETBKMODE, 12, Nothing},
    {EMR_SETPOLYFILLMODE, 12, Nothing},
    {EMR_SETROP2, 12, Nothing},
    {EMR_SETSTRETCHBLTMODE, 12, Nothing},
    {EMR_SETTEXTALIGN, 12, Nothing},
    {EMR_SETCOLORADJUSTMENT, 32, Nothing},
    {EMR_SETTEXTCOLOR, 12, Nothing},
    {EMR_SETBKCOLOR, 12, Nothing},
    {EMR_OFFSETCLIPRGN, 16, OffsetClip},
    {EMR_MOVETOEX, 16, PointAt8},
    {EMR_SETMETARGN, 8, Nothing},
    {EMR_EXCLUDECLIPRECT, 24, ClipRect},
    {EMR_INTERSECTCLIPRECT, 24, ClipRect},
    {EMR_SCALEVIEWPORTEXTEX, 24, ScaleViewport},
    {EMR_SCALEWINDOWEXTEX, 24, ScaleWindow},
    {EMR_SAVEDC, 8, SaveDC},
    {EMR_RESTOREDC, 12, RestoreDC},
    {EMR_SETWORLDTRANSFORM, 32, WorldTransform},
    {EMR_MODIFYWORLDTRANSFORM, 36, ModifyTransform},
    {EMR_SELECTOBJECT, 12, SelectObject},
    {EMR_CREATEPEN, 28, CreatePen},
    {EMR_CREATEBRUSHINDIRECT, 24, CreateBrush},
    {EMR_DELETEOBJECT, 12, SelectObject},
    {EMR_ANGLEARC, 28, AngleArc},
    {EMR_ELLIPSE, 24, Box},
    {EMR_RECTANGLE, 24, Box},
    {EMR_ROUNDRECT, 32, Box},
    {EMR_ARC, 40, ArcLike},
    {EMR_CHORD, 40, ArcLike},
    {EMR_PIE, 40, ArcLike},
    {EMR_SELECTPALETTE, 12, SelectPalette},
    {EMR_CREATEPALETTE, 16, CreatePalette},
    {EMR_SETPALETTEENTRIES, 20, PaletteEntries},
    {EMR_RESIZEPALETTE, 16, ResizePalette},
    {EMR_REALIZEPALETTE, 8, Nothing},
    {EMR_EXTFLOODFILL, 24, PointAt8},
    {EMR_LINETO, 16, PointAt8},
    {EMR_ARCTO, 40, ArcLike},
    {EMR_POLYDRAW, 28, PolyDraw32},
    {EMR_SETARCDIRECTION, 12, Nothing},
    {EMR_SETMITERLIMIT, 12, MiterLimit},
    {EMR_BEGINPATH, 8, Nothing},
    {EMR_ENDPATH, 8, Nothing},
    {EMR_CLOSEFIGURE, 8, Nothing},
    {EMR_FILLPATH, 24, Nothing},
    {EMR_STROKEANDFILLPATH, 24, Nothing},
    {EMR_STROKEPATH, 24, Nothing},
    {EMR_FLATTENPATH, 8, Nothing},
    {EMR_WIDENPATH, 8, Nothing},
    {EMR_SELECTCLIPPATH, 12, Nothing},
    {EMR_ABORTPATH, 8, Nothing},
    {EMR_GDICOMMENT, 12, Comment},
    {EMR_FILLRGN, 32, FillRegion},
    {EMR_FRAMERGN, 40, FrameRegion},
    {EMR_INVERTRGN, 28, PaintRegion},
    {EMR_PAINTRGN, 28, PaintRegion},
    {EMR_EXTSELECTCLIPRGN, 16, SelectClipRegion},
    {EMR_BITBLT, 100, BitBlock},
    {EMR_STRETCHBLT, 108, BitBlock},
    {EMR_MASKBLT, 128, MaskBlock},
    {EMR_PLGBLT, 140, PlgBlock},
    {EMR_SETDIBITSTODEVICE, 76, DibitsToDevice},
    {EMR_STRETCHDIBITS, 80, StretchDibits},
    {EMR_EXTCREATEFONTINDIRECTW, 104, CreateFont},
    {EMR_EXTTEXTOUTA, 76, TextOutA},
    {EMR_EXTTEXTOUTW, 76, TextOutW},
    {EMR_POLYBEZIER16, 28, Poly16},
    {EMR_POLYGON16, 28, Poly16},
    {EMR_POLYLINE16, 28, Poly16},
    {EMR_POLYBEZIERTO16, 28, Poly16},
    {EMR_POLYLINETO16, 28, Poly16},
    {EMR_POLYPOLYLINE16, 32, PolyPoly16},
    {EMR_POLYPOLYGON16, 32, PolyPoly16},
    {EMR_POLYDRAW16, 28, PolyDraw16},
    {EMR_CREATEMONOBRUSH, 32, PatternBrush},
    {EMR_CREATEDIBPATTERNBRUSHPT, 32, PatternBrush},
    {EMR_EXTCREATEPEN, 52, ExtCreatePen},
    {EMR_SETICMMODE, 12, Nothing},
    {EMR_ALPHABLEND, 108, BitBlock},
    {EMR_SETLAYOUT, 12, Layout},
    {EMR_TRANSPARENTBLT, 108, BitBlock},
    {EMR_GRADIENTFILL, 36, GradientFill},
    {kEmrSetTextJustification, 16, Nothing},
};

const Rule* FindRule(DWORD type) {
  for (const Rule& rule : kRules)
    if (rule.type == type) return &rule;
  return nullptr;
}

// The frame (hundredths of a millimetre) in reference device pixels.
CRectD FrameInPixels(const ByteReader& h, double pxPerMmX, double pxPerMmY) {
  return CRectD(h.I32(kFrameAt) * pxPerMmX / 100.0, h.I32(kFrameAt + 4) * pxPerMmY / 100.0,
                h.I32(kFrameAt + 8) * pxPerMmX / 100.0, h.I32(kFrameAt + 12) * pxPerMmY / 100.0);
}

}  // namespace

bool CheckEnhancedRecords(const ByteReader& file, MetafileSummary* pSummary) {
  const DWORD headerSize = file.U32(4);
  const DWORD total = file.U32(kBytesAt);
  if (headerSize < kHeaderMinSize || headerSize % 4 != 0 || !file.Has(0, headerSize) ||
      total > file.Length() || total < headerSize || file.U32(kRecordsAt) > CMetafileBounds::kMaxRecords)
    return false;
  const ByteReader header = file.Part(0, headerSize);
  const double devX = header.I32(kDeviceAt), devY = header.I32(kDeviceAt + 4);
  const double mmX = header.I32(kMillimetresAt), mmY = header.I32(kMillimetresAt + 4);
  if (!(devX > 0 && devY > 0 && mmX > 0 && mmY > 0)) return false;
  CMetafileBounds bounds(FrameInPixels(header, devX / mmX, devY / mmY), devX / mmX, devY / mmY);
  if (!bounds.IsUsable()) return false;
  Walk walk{bounds, header.U16(kHandlesAt)};
  const ByteReader records = file.Part(0, total);
  for (size_t at = headerSize; records.Has(at, 8);) {
    const DWORD type = records.U32(at);
    const DWORD size = records.U32(at + 4);
    if (size < 8 || size % 4 != 0 || !records.Has(at, size) || !bounds.Record()) return false;
    const ByteReader rec = records.Part(at, size);
    if (type == EMR_EOF) {
      if (pSummary) *pSummary = bounds.Summary();
      return size >= 20;
    }
    const Rule* rule = FindRule(type);
    if (!rule || size < rule->minSize || !rule->check(rec, walk)) return false;
    at += size;
  }
  return false;  // no end record
}
