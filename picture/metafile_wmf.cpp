// The records of a placeable Windows metafile, checked one by one against
// CMetafileBounds before any of them reaches the platform's player.
//
// The player maps the metafile's window onto the image: at first the
// bounding box of the placeable header, then whatever window the records
// set. Records that move the viewport or leave the anisotropic mapping
// would take the drawing out of that mapping (onto the device itself) and
// are refused.
#include <algorithm>
#include <vector>

#include "metafilereaders.h"
#include "wmfwalk.h"

namespace {

constexpr WORD kHeaderWords = 9;
constexpr WORD kEscapeComment = 15;  // MFCOMMENT: ignored by the player

struct Walk {
  CMetafileBounds& bounds;
  WORD objects;  // size of the object table
};

// A record: its size in words at 0, its function at 4, parameters from 6.
struct Record {
  ByteReader bytes;
  size_t Params() const { return (bytes.Length() - 6) / 2; }
  SHORT P(size_t i) const { return bytes.I16(6 + 2 * i); }
  WORD U(size_t i) const { return bytes.U16(6 + 2 * i); }
  bool HasParams(size_t n) const { return Params() >= n; }
  // The bytes from parameter i to the end.
  ByteReader From(size_t i) const {
    return bytes.Part(6 + 2 * i, bytes.Length() >= 6 + 2 * i ? bytes.Length() - 6 - 2 * i : 0);
  }
};

using Check = bool (*)(const Record& r, Walk& w);

bool Nothing(const Record&, Walk&) { return true; }

bool DrawBox(double l, double t, double r, double b, Walk& w) {
  CPointD corners[4];
  RectCorners4(l, t, r, b, corners);
  return w.bounds.Draw(corners, 4);
}

// bottom, right, top, left from parameter i.
bool BoxFrom(const Record& r, size_t i, Walk& w) {
  return r.HasParams(i + 4) && DrawBox(r.P(i + 3), r.P(i + 2), r.P(i + 1), r.P(i), w);
}

bool Rectangle(const Record& r, Walk& w) { return BoxFrom(r, 0, w); }
bool RoundRect(const Record& r, Walk& w) { return BoxFrom(r, 2, w); }
bool ArcLike(const Record& r, Walk& w) { return BoxFrom(r, 4, w); }

// y, x at parameters i and i + 1.
bool PointFrom(const Record& r, size_t i, Walk& w) {
  if (!r.HasParams(i + 2)) return false;
  const CPointD p(r.P(i + 1), r.P(i));
  return w.bounds.Draw(&p, 1);
}
bool LineOrMove(const Record& r, Walk& w) { return PointFrom(r, 0, w); }
bool SetPixel(const Record& r, Walk& w) { return PointFrom(r, 2, w); }
bool ExtFloodFill(const Record& r, Walk& w) { return PointFrom(r, 3, w); }

// The destination of a bit block: height, width, y, x from parameter i.
bool BlockFrom(const Record& r, size_t i, Walk& w) {
  if (!r.HasParams(i + 4)) return false;
  const double x = r.P(i + 3), y = r.P(i + 2);
  return DrawBox(x, y, x + r.P(i + 1), y + r.P(i), w);
}

bool PatBlt(const Record& r, Walk& w) { return BlockFrom(r, 2, w); }

// count x, y pairs from parameter i.
bool PointsFrom(const Record& r, size_t i, size_t count, Walk& w) {
  if (!r.HasParams(i + 2 * count)) return false;
  std::vector<CPointD> pts(count);
  for (size_t k = 0; k < count; ++k) pts[k] = CPointD(r.P(i + 2 * k), r.P(i + 2 * k + 1));
  return w.bounds.Draw(pts.data(), pts.size());
}

bool Poly(const Record& r, Walk& w) { return r.HasParams(1) && PointsFrom(r, 1, r.U(0), w); }

bool PolyPolygon(const Record& r, Walk& w) {
  if (!r.HasParams(1)) return false;
  const size_t polys = r.U(0);
  if (!r.HasParams(1 + polys)) return false;
  size_t count = 0;
  for (size_t i = 0; i < polys; ++i) count += r.U(1 + i);
  return PointsFrom(r, 1 + polys, count, w);
}

bool SetMapMode(const Record& r, Walk& w) {
  return r.HasParams(1) && r.P(0) == MM_ANISOTROPIC && w.bounds.SetMapMode(MM_ANISOTROPIC);
}
bool WindowOrg(const Record& r, Walk& w) { return r.HasParams(2) && w.bounds.SetWindowOrg(r.P(1), r.P(0)); }
bool WindowExt(const Record& r, Walk& w) { return r.HasParams(2) && w.bounds.SetWindowExt(r.P(1), r.P(0)); }
bool OffsetWindow(const Record& r, Walk& w) {
  return r.HasParams(2) && w.bounds.OffsetWindowOrg(r.P(1), r.P(0));
}
bool ScaleWindow(const Record& r, Walk& w) {
  return r.HasParams(4) && w.bounds.ScaleWindowExt(r.P(3), r.P(2), r.P(1), r.P(0));
}
bool SaveDC(const Record&, Walk& w) { return w.bounds.Save(); }
bool RestoreDC(const Record& r, Walk& w) { return r.HasParams(1) && w.bounds.Restore(r.P(0)); }

bool ObjectIndex(const Record& r, Walk& w) { return r.HasParams(1) && r.U(0) < w.objects; }

bool CreatePen(const Record& r, Walk& w) { return r.HasParams(5) && w.bounds.Pen(r.P(1)); }
bool CreateBrush(const Record& r, Walk&) { return r.HasParams(4); }
bool CreateFont(const Record& r, Walk& w) { return r.HasParams(9) && w.bounds.Font(r.P(0), r.P(1)); }

bool CreatePalette(const Record& r, Walk&) {
  return r.HasParams(2) && r.U(1) <= 256 && r.HasParams(2 + 2 * static_cast<size_t>(r.U(1)));
}
bool PaletteEntries(const Record& r, Walk&) {
  return r.HasParams(2) && r.U(1) <= 256 && r.HasParams(2 + 2 * static_cast<size_t>(r.U(1)));
}

// A DIB following the parameters from i: header, colour table, pixels.
bool DibFrom(const Record& r, size_t i, DWORD usage) {
  const ByteReader dib = r.From(i);
  const size_t header = DibHeaderBytes(dib, usage);
  return header != 0 && CheckRecordDib(dib, dib.Part(header, dib.Length() - header), usage);
}

bool PatternBrush(const Record& r, Walk&) { return r.HasParams(2) && DibFrom(r, 2, r.U(1)); }

// Bit blocks: raster operation (two words), then their own parameters; a
// record without a bitmap carries one reserved word in its place.
bool StretchDib(const Record& r, Walk& w) {
  return r.HasParams(11) && BlockFrom(r, 7, w) && DibFrom(r, 11, r.U(2));
}

bool DibStretchBlt(const Record& r, Walk& w) {
  if (r.Params() == 11)  // no bitmap
    return BlockFrom(r, 7, w);
  return BlockFrom(r, 6, w) && DibFrom(r, 10, DIB_RGB_COLORS);
}

bool DibBitBlt(const Record& r, Walk& w) {
  if (r.Params() == 9)  // no bitmap
    return BlockFrom(r, 5, w);
  return BlockFrom(r, 4, w) && DibFrom(r, 8, DIB_RGB_COLORS);
}

bool DibToDevice(const Record& r, Walk& w) { return BlockFrom(r, 5, w) && DibFrom(r, 9, r.U(0)); }

bool TextOut(const Record& r, Walk& w) {
  if (!r.HasParams(1)) return false;
  const size_t chars = r.U(0);
  const size_t stringWords = (chars + 1) / 2;
  if (!r.HasParams(1 + stringWords + 2)) return false;
  const CPointD at(r.P(1 + stringWords + 1), r.P(1 + stringWords));
  return w.bounds.Text(at, chars);
}

bool ExtTextOut(const Record& r, Walk& w) {
  if (!r.HasParams(4)) return false;
  const size_t chars = r.U(2);
  const WORD options = r.U(3);
  size_t next = 4;
  if (options & (ETO_OPAQUE | ETO_CLIPPED)) {
    // left, top, right, bottom
    if (!r.HasParams(8) || !DrawBox(r.P(4), r.P(5), r.P(6), r.P(7), w)) return false;
    next = 8;
  }
  if (!r.HasParams(next + (chars + 1) / 2)) return false;
  return w.bounds.Text(CPointD(r.P(1), r.P(0)), chars);
}

bool Escape(const Record& r, Walk&) {
  return r.HasParams(2) && r.U(0) == kEscapeComment && r.HasParams(2 + (r.U(1) + 1) / 2);
}

bool ClipRect(const Record& r, Walk&) { return r.HasParams(4); }
bool OffsetClip(const Record& r, Walk&) { return r.HasParams(2); }

struct Rule {
  WORD function;
  Check check;
};

const Rule kRules[] = {
    {0x001E, SaveDC},         {0x0035, Nothing},  // REALIZEPALETTE
    {0x0037, PaletteEntries}, {0x00F7, CreatePalette}, {0x0102, Nothing},
    {0x0103, SetMapMode},                             // SETBKMODE, SETMAPMODE
    {0x0104, Nothing},        {0x0105, Nothing},      // SETROP2, SETRELABS
    {0x0106, Nothing},        {0x0107, Nothing},      // SETPOLYFILLMODE, SETSTRETCHBLTMODE
    {0x0108, Nothing},        {0x0127, RestoreDC},    // SETTEXTCHAREXTRA
    {0x012C, ObjectIndex},    {0x012D, ObjectIndex},  // SELECTCLIPREGION, SELECTOBJECT
    {0x012E, Nothing},        {0x0139, Nothing},      // SETTEXTALIGN, RESIZEPALETTE
    {0x0142, PatternBrush},   {0x01F0, ObjectIndex},  // DIBCREATEPATTERNBRUSH, DELETEOBJECT
    {0x0201, Nothing},        {0x0209, Nothing},      // SETBKCOLOR, SETTEXTCOLOR
    {0x020A, Nothing},        {0x020B, WindowOrg},    // SETTEXTJUSTIFICATION
    {0x020C, WindowExt},      {0x020F, OffsetWindow},  {0x0213, LineOrMove},
    {0x0214, LineOrMove},                           // LINETO, MOVETO
    {0x0220, OffsetClip},     {0x0231, Nothing},    // SETMAPPERFLAGS
    {0x0234, ObjectIndex},    {0x02FA, CreatePen},  // SELECTPALETTE
    {0x02FB, CreateFont},     {0x02FC, CreateBrush},   {0x0324, Poly},
    {0x0325, Poly},                                 // POLYGON, POLYLINE
    {0x0410, ScaleWindow},    {0x0415, ClipRect},   // EXCLUDECLIPRECT
    {0x0416, ClipRect},       {0x0418, Rectangle},  // INTERSECTCLIPRECT, ELLIPSE
    {0x041B, Rectangle},      {0x041F, SetPixel},      {0x0521, TextOut},
    {0x0538, PolyPolygon},    {0x0548, ExtFloodFill},  {0x061C, RoundRect},
    {0x061D, PatBlt},         {0x0626, Escape},        {0x0817, ArcLike},
    {0x081A, ArcLike},                              // ARC, PIE
    {0x0830, ArcLike},        {0x0940, DibBitBlt},  // CHORD
    {0x0A32, ExtTextOut},     {0x0B41, DibStretchBlt}, {0x0D33, DibToDevice},
    {0x0F43, StretchDib},
};

const Rule* FindRule(WORD function) {
  for (const Rule& rule : kRules)
    if (rule.function == function) return &rule;
  return nullptr;
}

}  // namespace

bool CheckPlaceableRecords(const ByteReader& file, MetafileSummary* pSummary) {
  const ByteReader headerBytes = file.Part(kWmfPlaceableBytes, kWmfHeaderBytes);
  const WmfHeader header = ReadWmfHeader(headerBytes);
  if (!headerBytes.Has(0, kWmfHeaderBytes) || (header.type != 1 && header.type != 2) ||
      header.headerWords != kHeaderWords)
    return false;
  // The bounding box, in the metafile's logical units, is what the player
  // maps onto the image: at first logical and device units are the same.
  const CRectD box(file.I16(6), file.I16(8), file.I16(10), file.I16(12));
  CRectD frame = box;
  frame.Normalize();
  CMetafileBounds bounds(frame, 1.0, 1.0);
  if (!bounds.IsUsable() || !bounds.SetMapMode(MM_ANISOTROPIC) || !bounds.SetWindowOrg(box.left, box.top) ||
      !bounds.SetWindowExt(box.Width(), box.Height()) || !bounds.SetViewportOrg(box.left, box.top) ||
      !bounds.SetViewportExt(box.Width(), box.Height()))
    return false;
  Walk walk{bounds, header.objects};
  CWmfRecordWalk records(file, kWmfPlaceableBytes + kWmfHeaderBytes);
  WmfRecord record;
  // The bytes ending before an end record: no end record.
  while (records.Next(&record) == CWmfRecordWalk::RECORD) {
    if (record.words < kWmfRecordHeadWords || record.bytes.Length() == 0 || !bounds.Record()) return false;
    if (record.function == 0) {  // the end record
      if (pSummary) *pSummary = bounds.Summary();
      return true;
    }
    const Rule* rule = FindRule(record.function);
    if (!rule || !rule->check(Record{record.bytes}, walk)) return false;
    records.Skip(record);
  }
  return false;
}
