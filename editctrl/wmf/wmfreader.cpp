#include "wmfreader.h"

#include <new>
#include <stdexcept>

#include "crtformat.h"
#include "drawgroup.h"
#include "drawpolygon.h"
#include "exceptions.h"
#include "wmfwalk.h"

namespace {

// The record functions read (the platform's META_ numbers): create pen
// 0x02FA, create brush 0x02FC, create pattern brush 0x01F9 and 0x0142 (of a
// device-independent bitmap), create font 0x02FB, palette 0x00F7 and region
// 0x06FF, delete object 0x01F0, select object 0x012D, polygon 0x0324,
// poly-line 0x0325.

constexpr int kNullPen = 5;       // PS_NULL: no outline
constexpr int kHatchedBrush = 2;  // BS_HATCHED
constexpr int kBrushStyleBase = 100;
constexpr int kHatchStyleBase = 1000;
constexpr int kHollowFill = kBrushStyleBase + 1;  // BS_HOLLOW

const char* const kErrorTexts[] = {
    "",
    "Err:No File!",
    "Err:Not WMF File!",
    "Err:WMF file format err",
    "Err:WMF ver not suport !",
    "Err:read error!",
    "Err:memery error!",
    "Err:normal error",
};

COLORREF ColorOf(WORD low, WORD high) { return (low | (static_cast<DWORD>(high) << 16)) & 0xFFFFFF; }

}  // namespace

const char* WmfErrorText(int number) {
  if (number < 0 || number > WMF_NORMAL) return "Unknown error";
  return kErrorTexts[number];
}

std::string WmfErrorMessage(int number) {
  return qel::FormatStr("\aError PW%d: %s\n", number, WmfErrorText(number));
}

CWmfReader::CWmfReader() = default;
CWmfReader::~CWmfReader() = default;

std::unique_ptr<CDrawGroup> CWmfReader::TakeGroup() { return std::move(m_group); }

bool CWmfReader::Fail(int error) {
  m_error = error;
  return false;
}

bool CWmfReader::ReadFileBytes() {
  const DWORD length = m_file.GetLength();
  try {
    m_bytes.resize(length);
  } catch (std::bad_alloc&) {
    return Fail(WMF_MEMORY);
  } catch (std::length_error&) {  // more than a vector can hold in this flavour
    return Fail(WMF_MEMORY);
  }
  UINT got = 0;
  try {
    got = m_file.Read(m_bytes.data(), length);
  } catch (CException&) {
    got = 0;
  }
  m_bytes.resize(got);  // a file that cannot be read further ends there
  return true;
}

bool CWmfReader::Load(const char* path) {
  m_error = WMF_OK;
  m_group.reset();
  m_objects = m_points = 0;
  const bool read = ReadAll(path);
  std::vector<BYTE>().swap(m_bytes);  // the file's bytes serve the reading only
  if (read) return true;
  m_group.reset();  // what a refused file made goes at once
  return false;
}

bool CWmfReader::ReadAll(const char* path) {
  if (!path || !m_file.Open(path, CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary))
    return Fail(WMF_NOFILE);
  if (!ReadFileBytes()) return false;
  const ByteReader file(m_bytes.data(), m_bytes.size());
  size_t first = 0;
  if (!ReadHeaders(file, first)) return false;
  CWmfRecordWalk records(file, first);
  for (;;) {
    WmfRecord record;
    switch (ReadRecord(records, record)) {
      case REC_READ:
        if (!Dispatch(record.function)) return false;
        records.Skip(record);
        break;
      case REC_END_RECORD: return true;
      case REC_END_OF_FILE: return m_group != nullptr;  // nothing drawn: false with error 0
      case REC_FAILED: return false;
    }
  }
}

bool CWmfReader::ReadHeaders(const ByteReader& file, size_t& first) {
  if (!file.Has(0, 4)) return Fail(WMF_NOTWMF);
  size_t at = 0;
  if (StartsWithWmfPlaceableKey(file)) {
    if (!file.Has(4, kWmfPlaceableBytes - 4)) return Fail(WMF_FORMAT);
    at = kWmfPlaceableBytes;
  }
  if (!file.Has(at, kWmfHeaderBytes)) return Fail(WMF_NOTWMF);
  const WmfHeader header = ReadWmfHeader(file.Part(at, kWmfHeaderBytes));
  if ((header.type != 1 && header.type != 2) || (header.version != 0x0100 && header.version != 0x0300))
    return Fail(WMF_VERSION);
  m_maxRecord = header.largestRecord;
  first = at + kWmfHeaderBytes;
  try {
    m_slots.assign(header.objects, Slot());
  } catch (std::bad_alloc&) {
    return Fail(WMF_MEMORY);
  }
  return true;
}

CWmfReader::RecordResult CWmfReader::ReadRecord(const CWmfRecordWalk& records, WmfRecord& record) {
  switch (records.Next(&record)) {
    case CWmfRecordWalk::NO_MORE_BYTES: return REC_END_OF_FILE;
    case CWmfRecordWalk::PART_OF_HEAD: return Failed(WMF_READ);
    case CWmfRecordWalk::RECORD: break;
  }
  if (record.words == 0 || record.function == 0) return REC_END_RECORD;
  if (record.words < kWmfRecordHeadWords || record.words > m_maxRecord) return Failed(WMF_FORMAT);
  if (record.bytes.Length() == 0) return Failed(WMF_READ);  // the file ends inside it
  const DWORD words = record.words - kWmfRecordHeadWords;
  try {
    m_params.resize(words);
  } catch (std::bad_alloc&) {
    return Failed(WMF_MEMORY);
  }
  for (DWORD i = 0; i < words; ++i) m_params[i] = record.bytes.U16(kWmfRecordHeadBytes + 2 * i);
  return REC_READ;
}

CWmfReader::RecordResult CWmfReader::Failed(int error) {
  m_error = error;
  return REC_FAILED;
}

bool CWmfReader::Dispatch(WORD function) {
  switch (function) {
    case META_CREATEPENINDIRECT: return CreatePen();
    case META_CREATEBRUSHINDIRECT: return CreateBrush();
    case META_CREATEPATTERNBRUSH: CreatePatternBrush(BS_PATTERN); return true;
    case META_DIBCREATEPATTERNBRUSH: CreatePatternBrush(BS_DIBPATTERN); return true;
    case META_CREATEFONTINDIRECT:
    case META_CREATEPALETTE:
    case META_CREATEREGION: NewSlot(Slot()); return true;  // an entry that no shape's look comes from
    case META_DELETEOBJECT: return DeleteObject();
    case META_SELECTOBJECT: return SelectObject();
    case META_POLYGON: return AddPolygon();
    case META_POLYLINE: return AddPolyline();
  }
  return true;  // any other record is skipped
}

void CWmfReader::NewSlot(const Slot& slot) {
  for (Slot& s : m_slots) {
    if (s.used) continue;
    s = slot;
    s.used = true;
    return;
  }
  // More objects than the header declared: the surplus is dropped.
}

bool CWmfReader::CreatePen() {
  // style, width (x, y), colour (two words)
  if (m_params.size() < 5) return Fail(WMF_FORMAT);
  Slot pen;
  pen.kind = Slot::PEN;
  pen.style = m_params[0];
  pen.width = m_params[1];
  pen.color = ColorOf(m_params[3], m_params[4]);
  NewSlot(pen);
  return true;
}

bool CWmfReader::CreateBrush() {
  // style, colour (two words), hatch
  if (m_params.size() != 4) return Fail(WMF_FORMAT);
  Slot brush;
  brush.kind = Slot::BRUSH;
  brush.style = m_params[0];
  brush.color = ColorOf(m_params[1], m_params[2]);
  brush.width = m_params[3];
  NewSlot(brush);
  return true;
}

void CWmfReader::CreatePatternBrush(int style) {
  Slot brush;
  brush.kind = Slot::BRUSH;
  brush.style = style;
  NewSlot(brush);
}

bool CWmfReader::DeleteObject() {
  if (m_params.size() != 1) return Fail(WMF_FORMAT);
  if (m_params[0] < m_slots.size()) m_slots[m_params[0]].used = false;
  return true;
}

bool CWmfReader::SelectObject() {
  if (m_params.size() != 1) return Fail(WMF_FORMAT);
  if (m_params[0] >= m_slots.size()) return true;
  const Slot& slot = m_slots[m_params[0]];
  if (!slot.used) return true;
  if (slot.kind == Slot::PEN) {
    m_state.lineColor = slot.color;
    m_state.lineStyle = slot.style;
    m_state.lineWidth = slot.width;
  } else if (slot.kind == Slot::BRUSH) {
    m_state.fillColor = slot.color;
    m_state.fillStyle =
        slot.style == kHatchedBrush ? kHatchStyleBase + slot.width : kBrushStyleBase + slot.style;
  }
  return true;
}

bool CWmfReader::FindPoints(size_t& first, size_t& count) {
  first = 0;
  count = m_params.size() / 2;
  if (m_params.size() % 2 == 1) {
    // The layout of real files: the point count, then the points.
    first = 1;
    count = m_params[0];
    if (m_params.size() != 1 + 2 * count) return Fail(WMF_FORMAT);
  }
  return true;
}

bool CWmfReader::HasRoomFor(size_t count) {
  if (m_objects < kMostObjects && count <= kMostPoints - m_points) return true;
  return Fail(WMF_MEMORY);
}

void CWmfReader::Append(CDrawPoly* obj, size_t first, size_t count, int lineWidth) {
  obj->m_points.reserve(count);
  for (size_t i = 0; i < count; ++i) {
    const short x = static_cast<short>(m_params[first + 2 * i]);
    const short y = static_cast<short>(m_params[first + 2 * i + 1]);
    obj->m_points.emplace_back(x, y);
  }
  ++m_objects;
  m_points += count;
  obj->m_clrLine = m_state.lineColor;
  obj->m_nLineWidth = lineWidth;
  obj->m_nLineStyle = m_state.lineStyle;
  obj->m_nFillStyle = m_state.fillStyle;
  obj->m_clrFill1 = m_state.fillColor;
  obj->GetRect();
  if (!m_group) m_group = std::make_unique<CDrawGroup>();
  m_group->AddChild(obj);
}

bool CWmfReader::AddPolygon() {
  size_t first = 0, count = 0;
  if (!FindPoints(first, count)) return false;
  if (m_state.lineStyle == kNullPen && m_state.fillStyle == kHollowFill) return true;
  if (!HasRoomFor(count)) return false;
  auto* polygon = new CDrawPolygon;
  polygon->SetViewTransform(POINT{0, 0}, 1.0);
  Append(polygon, first, count, m_state.lineWidth);
  return true;
}

bool CWmfReader::AddPolyline() {
  size_t first = 0, count = 0;
  if (!FindPoints(first, count)) return false;
  if (m_state.lineStyle == kNullPen) return true;
  if (!HasRoomFor(count)) return false;
  Append(new CDrawPoly, first, count, 0);  // poly-lines are drawn thin
  return true;
}
