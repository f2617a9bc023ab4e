// The metafile reader and the import: files made by the platform's own
// metafile recorder, their placeable form, hand-made files for the sizes,
// the object table and the bounds of one import, and every error of the
// reader with its text.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <ostream>

#include "drawgroup.h"
#include "drawpolygon.h"
#include "editctrl_inproc.h"
#include "wmf/wmfreader.h"

namespace edittest {
namespace {

// A metafile made word by word: the standard header, the records, the end record.
struct WmfBuilder {
  std::vector<WORD> records;
  WORD objects = 4;
  DWORD maxRecord = 3;
  void Record(WORD function, const std::vector<WORD>& params) {
    const DWORD size = 3 + static_cast<DWORD>(params.size());
    records.push_back(LOWORD(size));
    records.push_back(HIWORD(size));
    records.push_back(function);
    records.insert(records.end(), params.begin(), params.end());
    maxRecord = std::max(maxRecord, size);
  }
  std::vector<BYTE> Bytes(bool placeable = false, WORD version = 0x0300, bool end = true) const {
    std::vector<WORD> words = {1, 9, version, 0, 0, objects, LOWORD(maxRecord), HIWORD(maxRecord), 0};
    words.insert(words.end(), records.begin(), records.end());
    if (end) words.insert(words.end(), {3, 0, 0});
    const DWORD total = static_cast<DWORD>(words.size());
    words[3] = LOWORD(total);
    words[4] = HIWORD(total);
    std::vector<BYTE> bytes;
    if (placeable)
      bytes = {0xD7, 0xCD, 0xC6, 0x9A, 0, 0, 0, 0, 0, 0, 0x2C, 0x01, 0x64, 0, 0xE8, 0x03, 0, 0, 0, 0, 0, 0};
    for (WORD w : words) {
      bytes.push_back(LOBYTE(w));
      bytes.push_back(HIBYTE(w));
    }
    return bytes;
  }
};

// The object-creating records, with parameters that the platform's player takes.
void Pen(WmfBuilder& wmf, COLORREF color, WORD width) {
  wmf.Record(META_CREATEPENINDIRECT, {PS_SOLID, width, 0, LOWORD(color), HIWORD(color)});
}
void Brush(WmfBuilder& wmf, COLORREF color, WORD style = BS_SOLID, WORD hatch = 0) {
  wmf.Record(META_CREATEBRUSHINDIRECT, {style, LOWORD(color), HIWORD(color), hatch});
}
void Font(WmfBuilder& wmf) {  // 16 pixels of Arial
  wmf.Record(META_CREATEFONTINDIRECT,
             {0xFFF0, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 'A' | ('r' << 8), 'i' | ('a' << 8), 'l'});
}
void Palette(WmfBuilder& wmf) {  // two entries
  wmf.Record(META_CREATEPALETTE, {0x0300, 2, 0x0201, 0x0003, 0x0504, 0x0006});
}
void Region(WmfBuilder& wmf) {  // empty: no scans
  wmf.Record(META_CREATEREGION, {0, 6, 0, 0, 22, 0, 0, 0, 0, 0, 0});
}
void DibPatternBrush(WmfBuilder& wmf) {  // 8 x 8 pixels of one bit, black and white
  std::vector<WORD> params = {
      BS_DIBPATTERN, DIB_RGB_COLORS, 40, 0, 8, 0, 8, 0, 1, 1, 0, 0, 32, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0, 0,
      0xFFFF,        0x00FF};
  for (int row = 0; row < 8; ++row)
    params.insert(params.end(), {static_cast<WORD>(row % 2 ? 0x55 : 0xAA), 0});
  wmf.Record(META_DIBCREATEPATTERNBRUSH, params);
}
void PatternBrush(WmfBuilder& wmf) {  // a bitmap of 8 x 8 pixels, one bit each
  std::vector<WORD> params = {0, 8, 8, 2, 0x0101, 0, 0};
  params.resize(params.size() + 9, 0);  // reserved
  for (int row = 0; row < 8; ++row) params.push_back(row % 2 ? 0x55 : 0xAA);
  wmf.Record(META_CREATEPATTERNBRUSH, params);
}
void Select(WmfBuilder& wmf, WORD index) { wmf.Record(META_SELECTOBJECT, {index}); }
void Delete(WmfBuilder& wmf, WORD index) { wmf.Record(META_DELETEOBJECT, {index}); }

std::vector<WORD> PolyParams(std::initializer_list<POINT> points, bool counted = true) {
  std::vector<WORD> params;
  if (counted) params.push_back(static_cast<WORD>(points.size()));
  for (POINT p : points) {
    params.push_back(static_cast<WORD>(p.x));
    params.push_back(static_cast<WORD>(p.y));
  }
  return params;
}

// One object as the reader made it, for comparing two imports.
struct MadeObject {
  int kind;
  std::vector<CPointD> points;
  COLORREF line;
  int width, style, fill;
  COLORREF fillColor;
  bool operator==(const MadeObject& o) const {
    return kind == o.kind && points == o.points && line == o.line && width == o.width && style == o.style &&
           fill == o.fill && fillColor == o.fillColor;
  }
};

void Triangle(WmfBuilder& wmf) { wmf.Record(META_POLYGON, PolyParams({{0, 0}, {30, 0}, {0, 20}})); }

// What a polygon is drawn with: the line colour and width, the fill style
// (from 100 a brush style, from 1000 a hatch) and the fill colour.
struct Look {
  COLORREF line;
  int width;
  int fill;
  COLORREF fillColor;
  bool operator==(const Look& o) const {
    return line == o.line && width == o.width && fill == o.fill && fillColor == o.fillColor;
  }
};

std::ostream& operator<<(std::ostream& out, const Look& l) {
  return out << std::hex << "{line " << l.line << " width " << std::dec << l.width << " fill " << l.fill
             << " colour " << std::hex << l.fillColor << std::dec << "}";
}

int FillStyleOf(const LOGBRUSH& brush) {
  return brush.lbStyle == BS_HATCHED ? 1000 + static_cast<int>(brush.lbHatch)
                                     : 100 + static_cast<int>(brush.lbStyle);
}

// Plays one record, noting the pen and brush selected when it is a polygon.
int CALLBACK PlayNotingLooks(HDC dc, HANDLETABLE* table, METARECORD* record, int objects, LPARAM looks) {
  if (record->rdFunction == META_POLYGON) {
    LOGPEN pen = {};
    LOGBRUSH brush = {};
    ::GetObjectA(::GetCurrentObject(dc, OBJ_PEN), sizeof pen, &pen);
    ::GetObjectA(::GetCurrentObject(dc, OBJ_BRUSH), sizeof brush, &brush);
    reinterpret_cast<std::vector<Look>*>(looks)->push_back(
        {pen.lopnColor, static_cast<int>(pen.lopnWidth.x), FillStyleOf(brush), brush.lbColor});
  }
  ::PlayMetaFileRecord(dc, table, record, objects);
  return 1;
}

// The pen and brush that the platform's own player has selected when it
// meets each polygon record of a metafile (without the placeable header).
std::vector<Look> PlayedLooks(const std::vector<BYTE>& bytes) {
  std::vector<Look> looks;
  HMETAFILE metafile = ::SetMetaFileBitsEx(static_cast<UINT>(bytes.size()), bytes.data());
  if (!metafile) return looks;
  HDC dc = ::CreateCompatibleDC(nullptr);
  ::EnumMetaFile(dc, metafile, PlayNotingLooks, reinterpret_cast<LPARAM>(&looks));
  ::DeleteDC(dc);
  ::DeleteMetaFile(metafile);
  return looks;
}

std::vector<MadeObject> ReadObjects(const std::string& path, int* error = nullptr) {
  CWmfReader reader;
  const bool read = reader.Load(path.c_str());
  if (error) *error = reader.LastError();
  std::vector<MadeObject> made;
  std::unique_ptr<CDrawGroup> group = reader.TakeGroup();
  if (!read || !group) return made;
  const CObList& children = group->GetChildren();
  for (POSITION pos = children.GetHeadPosition(); pos;) {
    auto* poly = static_cast<CDrawPoly*>(ChildAt(children.GetNext(pos)));
    made.push_back({poly->GetObjType(), poly->m_points, poly->m_clrLine, poly->m_nLineWidth,
                    poly->m_nLineStyle, poly->m_nFillStyle, poly->m_clrFill1});
  }
  return made;
}

class WmfTest : public InProcessEditTest {
 protected:
  void SetUp() override {
    InProcessEditTest::SetUp();
    folder_ = FreshFolder("wmf");
  }
  std::string Write(const char* name, const std::vector<BYTE>& bytes) {
    WriteBytes(folder_ + name, bytes);
    return folder_ + name;
  }
  // Imports a file through the window's message, the file chosen in its
  // dialog; the looks of the children of the group that arrived.
  std::vector<Look> ImportedLooks(const std::string& path) {
    const size_t before = Objects().size();
    {
      FileChosen chosen(path);
      Send(QCM_IMPORTWMF);
    }
    std::vector<Look> looks;
    if (Objects().size() != before + 1) return looks;
    static_cast<CDrawGroup*>(Objects().back())->ForEachChild([&](CDrawObj* child) {
      looks.push_back({child->m_clrLine, child->m_nLineWidth, child->m_nFillStyle, child->m_clrFill1});
    });
    return looks;
  }
  std::string folder_;
};

// A drawing recorded by the platform: a red pen of width 2 with a blue brush,
// a cross-hatched green brush, and a poly-line.
std::string RecordDrawing(const std::string& path) {
  HDC dc = ::CreateMetaFileA(path.c_str());
  if (!dc) return "";
  HPEN pen = ::CreatePen(PS_SOLID, 2, RGB(255, 0, 0));
  HBRUSH solid = ::CreateSolidBrush(RGB(0, 0, 255));
  HBRUSH hatched = ::CreateHatchBrush(HS_DIAGCROSS, RGB(0, 255, 0));
  ::SelectObject(dc, pen);
  ::SelectObject(dc, solid);
  const POINT triangle[] = {{10, 10}, {110, 10}, {60, 90}};
  ::Polygon(dc, triangle, 3);
  ::SelectObject(dc, hatched);
  const POINT square[] = {{200, 10}, {260, 10}, {260, 70}, {200, 70}};
  ::Polygon(dc, square, 4);
  const POINT zigzag[] = {{0, 120}, {40, 160}, {80, 120}, {120, 160}};
  ::Polyline(dc, zigzag, 4);
  ::DeleteMetaFile(::CloseMetaFile(dc));
  ::DeleteObject(pen);
  ::DeleteObject(solid);
  ::DeleteObject(hatched);
  return path;
}

TEST_F(WmfTest, PlatformRecordedFileAndItsPlaceableFormGiveTheSameObjects) {
  const std::string plain = RecordDrawing(folder_ + "drawing.wmf");
  ASSERT_FALSE(plain.empty());
  std::vector<BYTE> bytes = ReadBytes(plain);
  // Copied in behind the header rather than inserted: GCC 12 takes the
  // insertion's move of the 22 header bytes for a read past their end.
  const BYTE header[] = {0xD7, 0xCD, 0xC6, 0x9A, 0,    0, 0, 0, 0, 0, 0x2C,
                         0x01, 0xC8, 0,    0xE8, 0x03, 0, 0, 0, 0, 0, 0};
  std::vector<BYTE> placeable(std::begin(header), std::end(header));
  placeable.resize(sizeof header + bytes.size());
  std::copy(bytes.begin(), bytes.end(), placeable.begin() + sizeof header);
  const std::vector<MadeObject> fromPlain = ReadObjects(plain);
  const std::vector<MadeObject> fromPlaceable = ReadObjects(Write("placeable.wmf", placeable));
  ASSERT_EQ(fromPlain.size(), 3u);
  EXPECT_EQ(fromPlain, fromPlaceable);
  EXPECT_EQ(fromPlain[0].kind, DOT_POLYGON);
  EXPECT_EQ(fromPlain[0].points, (std::vector<CPointD>{{10, 10}, {110, 10}, {60, 90}}));
  EXPECT_EQ(fromPlain[0].line, RGB(255, 0, 0));
  EXPECT_EQ(fromPlain[0].width, 2);
  EXPECT_EQ(fromPlain[0].fill, 100);  // a solid brush
  EXPECT_EQ(fromPlain[0].fillColor, RGB(0, 0, 255));
  EXPECT_EQ(fromPlain[1].fill, 1000 + HS_DIAGCROSS);
  EXPECT_EQ(fromPlain[1].fillColor, RGB(0, 255, 0));
  EXPECT_EQ(fromPlain[2].kind, DOT_POLY);
  EXPECT_EQ(fromPlain[2].width, 0);
  EXPECT_EQ(fromPlain[2].points.size(), 4u);
}

std::vector<Look> LooksOf(const std::vector<MadeObject>& made) {
  std::vector<Look> looks;
  for (const MadeObject& m : made) looks.push_back({m.line, m.width, m.fill, m.fillColor});
  return looks;
}

const Look kRedOnBlue = {RGB(255, 0, 0), 2, 100, RGB(0, 0, 255)};

TEST_F(WmfTest, EveryObjectCreatingRecordTakesAnEntryOfTheTable) {
  const struct {
    const char* name;
    void (*create)(WmfBuilder&);
  } kinds[] = {{"font", Font},
               {"palette", Palette},
               {"region", Region},
               {"pattern brush", PatternBrush},
               {"DIB pattern brush", DibPatternBrush}};
  for (const auto& kind : kinds) {
    WmfBuilder wmf;
    kind.create(wmf);  // entry 0
    Pen(wmf, RGB(255, 0, 0), 2);
    Brush(wmf, RGB(0, 0, 255));
    Select(wmf, 1);
    Select(wmf, 2);
    Triangle(wmf);
    Select(wmf, 0);  // a font, palette or region is no pen or brush: the look stays
    Triangle(wmf);
    const bool brush = kind.create == PatternBrush || kind.create == DibPatternBrush;
    const Look patterned = {RGB(255, 0, 0), 2,
                            100 + (kind.create == PatternBrush ? BS_PATTERN : BS_DIBPATTERN), 0};
    EXPECT_EQ(ImportedLooks(Write("kind.wmf", wmf.Bytes())),
              (std::vector<Look>{kRedOnBlue, brush ? patterned : kRedOnBlue}))
        << kind.name;
  }
}

TEST_F(WmfTest, DeletedEntriesAreTakenAgainLowestFirstAsThePlatformsPlayerTakesThem) {
  WmfBuilder wmf;
  wmf.objects = 5;
  Font(wmf);                    // 0
  Pen(wmf, RGB(255, 0, 0), 2);  // 1
  Brush(wmf, RGB(0, 0, 255));   // 2
  Select(wmf, 1);
  Select(wmf, 2);
  Triangle(wmf);  // red, 2, on blue
  Delete(wmf, 0);
  Delete(wmf, 1);
  Region(wmf);                                         // 0
  Pen(wmf, RGB(0, 255, 0), 3);                         // 1
  Palette(wmf);                                        // 3
  Brush(wmf, RGB(255, 255, 0), BS_HATCHED, HS_CROSS);  // 4
  Select(wmf, 1);
  Select(wmf, 4);
  Triangle(wmf);  // green, 3, yellow cross
  Delete(wmf, 2);
  Delete(wmf, 4);
  Select(wmf, 4);  // an empty entry selects nothing
  Triangle(wmf);
  DibPatternBrush(wmf);  // 2
  Select(wmf, 2);
  Triangle(wmf);
  const std::vector<BYTE> bytes = wmf.Bytes();
  const std::vector<Look> looks = LooksOf(ReadObjects(Write("reused.wmf", bytes)));
  const Look greenCross = {RGB(0, 255, 0), 3, 1000 + HS_CROSS, RGB(255, 255, 0)};
  const Look greenPattern = {RGB(0, 255, 0), 3, 100 + BS_DIBPATTERN, 0};
  EXPECT_EQ(looks, (std::vector<Look>{kRedOnBlue, greenCross, greenCross, greenPattern}));
  EXPECT_EQ(looks, PlayedLooks(bytes));
}

// A drawing recorded by the platform with a font, a palette and a clipping
// region chosen before the pen and the brush, and objects deleted and made
// again between the shapes.
std::string RecordWithOtherObjects(const std::string& path) {
  HDC dc = ::CreateMetaFileA(path.c_str());
  if (!dc) return "";
  HFONT font = ::CreateFontA(-16, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
  struct {
    WORD version, count;
    PALETTEENTRY entries[2];
  } palette = {0x0300, 2, {{1, 2, 3, 0}, {4, 5, 6, 0}}};
  HPALETTE hpal = ::CreatePalette(reinterpret_cast<LOGPALETTE*>(&palette));
  HRGN clip = ::CreateRectRgn(0, 0, 400, 400);
  HPEN red = ::CreatePen(PS_SOLID, 2, RGB(255, 0, 0));
  HPEN green = ::CreatePen(PS_SOLID, 3, RGB(0, 255, 0));
  HBRUSH blue = ::CreateSolidBrush(RGB(0, 0, 255));
  HBRUSH cross = ::CreateHatchBrush(HS_CROSS, RGB(255, 255, 0));
  ::SelectObject(dc, font);
  ::SelectPalette(dc, hpal, FALSE);
  ::SelectClipRgn(dc, clip);
  ::SelectObject(dc, red);
  ::SelectObject(dc, blue);
  const POINT triangle[] = {{10, 10}, {110, 10}, {60, 90}};
  ::Polygon(dc, triangle, 3);
  ::SelectObject(dc, green);
  ::DeleteObject(red);
  ::SelectObject(dc, cross);
  ::DeleteObject(blue);
  ::Polygon(dc, triangle, 3);
  ::DeleteMetaFile(::CloseMetaFile(dc));
  for (HGDIOBJ obj : {static_cast<HGDIOBJ>(font), static_cast<HGDIOBJ>(hpal), static_cast<HGDIOBJ>(clip),
                      static_cast<HGDIOBJ>(green), static_cast<HGDIOBJ>(cross)})
    ::DeleteObject(obj);
  return path;
}

TEST_F(WmfTest, PlatformRecordedFileWithFontsPalettesAndRegionsKeepsItsPensAndBrushes) {
  const std::string path = RecordWithOtherObjects(folder_ + "recorded.wmf");
  ASSERT_FALSE(path.empty());
  const std::vector<Look> looks = LooksOf(ReadObjects(path));
  const Look greenCross = {RGB(0, 255, 0), 3, 1000 + HS_CROSS, RGB(255, 255, 0)};
  EXPECT_EQ(looks, (std::vector<Look>{kRedOnBlue, greenCross}));
  EXPECT_EQ(looks, PlayedLooks(ReadBytes(path)));
}

TEST_F(WmfTest, PointsAreReadWithAndWithoutTheLeadingCount) {
  WmfBuilder counted, bare;
  counted.Record(META_POLYGON, PolyParams({{0, 0}, {30, 0}, {0, -20}}, true));
  bare.Record(META_POLYGON, PolyParams({{0, 0}, {30, 0}, {0, -20}}, false));
  const std::vector<MadeObject> a = ReadObjects(Write("counted.wmf", counted.Bytes()));
  const std::vector<MadeObject> b = ReadObjects(Write("bare.wmf", bare.Bytes()));
  ASSERT_EQ(a.size(), 1u);
  EXPECT_EQ(a, b);
  EXPECT_EQ(a[0].points[2], CPointD(0, -20));
}

TEST_F(WmfTest, DrawingArrivesAs150By150At150AndIsSelected) {
  WmfBuilder wmf;
  wmf.Record(META_POLYGON, PolyParams({{10, 20}, {310, 20}, {310, 120}, {10, 120}}));
  ASSERT_TRUE(wnd_->ImportWmfFile(Write("wide.wmf", wmf.Bytes()).c_str()));
  ASSERT_EQ(Objects().size(), 1u);
  CDrawObj* group = Objects()[0];
  EXPECT_EQ(group->GetObjType(), DOT_GROUP);
  CRectD frame = FrameOf(group);
  EXPECT_DOUBLE_EQ(frame.left, 150);
  EXPECT_DOUBLE_EQ(frame.top, 150);
  EXPECT_DOUBLE_EQ(frame.Width(), 150);
  EXPECT_DOUBLE_EQ(frame.Height(), 150);
  EXPECT_EQ(wnd_->GetSelection(), (std::vector<CDrawObj*>{group}));
  EXPECT_EQ(Query(QCQ_CANUNDO), 1);
  std::vector<UINT> notices = TakeNoticeNumbers();
  ASSERT_GE(notices.size(), 2u);
  EXPECT_EQ(notices.back(), static_cast<UINT>(QCN_EVENTLINKS));
}

TEST_F(WmfTest, FlatDrawingIsPlacedWithoutDividingByZero) {
  WmfBuilder wmf;
  wmf.Record(META_POLYLINE, PolyParams({{10, 40}, {110, 40}}));
  ASSERT_TRUE(wnd_->ImportWmfFile(Write("flat.wmf", wmf.Bytes()).c_str()));
  CRectD frame = FrameOf(Objects()[0]);
  EXPECT_DOUBLE_EQ(frame.left, 150);
  EXPECT_DOUBLE_EQ(frame.top, 150);
  EXPECT_DOUBLE_EQ(frame.Width(), 150);
  EXPECT_DOUBLE_EQ(frame.Height(), 0);
}

TEST_F(WmfTest, FilesThatDrawNothingAddNothingAndSayNothing) {
  WmfBuilder endOnly;
  WmfBuilder hidden;  // a null pen and a hollow brush
  hidden.Record(META_CREATEPENINDIRECT, {PS_NULL, 0, 0, 0, 0});
  hidden.Record(META_CREATEBRUSHINDIRECT, {BS_HOLLOW, 0, 0, 0});
  hidden.Record(META_SELECTOBJECT, {0});
  hidden.Record(META_SELECTOBJECT, {1});
  hidden.Record(META_POLYGON, PolyParams({{0, 0}, {30, 0}, {0, 20}}));
  WmfBuilder noObjectsDeclared;
  noObjectsDeclared.objects = 0;
  noObjectsDeclared.Record(META_CREATEPENINDIRECT, {PS_NULL, 0, 0, 0, 0});
  noObjectsDeclared.Record(META_SELECTOBJECT, {0});
  WmfBuilder textOnly;  // ends without an end record
  textOnly.Record(META_TEXTOUT, {2, 'a' | ('b' << 8), 10, 10});
  const std::vector<BYTE> files[] = {endOnly.Bytes(), hidden.Bytes(), noObjectsDeclared.Bytes(),
                                     textOnly.Bytes(false, 0x0300, false)};
  AnswerBoxesWith(IDOK);
  for (const std::vector<BYTE>& bytes : files) {
    EXPECT_FALSE(wnd_->ImportWmfFile(Write("nothing.wmf", bytes).c_str()));
    EXPECT_TRUE(Objects().empty());
  }
  EXPECT_TRUE(SeenBoxes().empty());
  EXPECT_EQ(Query(QCQ_CANUNDO), 0);
}

TEST_F(WmfTest, EveryErrorIsReportedWithItsText) {
  WmfBuilder good;
  good.Record(META_POLYGON, PolyParams({{0, 0}, {30, 0}, {0, 20}}));
  std::vector<BYTE> truncated = good.Bytes(false, 0x0300, false);
  truncated.resize(truncated.size() - 4);
  WmfBuilder badBrush;
  badBrush.Record(META_CREATEBRUSHINDIRECT, {0, 0, 0});
  WmfBuilder badCount;
  badCount.Record(META_POLYGON, {3, 0, 0, 30, 0});
  WmfBuilder oversized;
  oversized.Record(META_POLYGON, PolyParams({{0, 0}, {30, 0}, {0, 20}}));
  oversized.maxRecord = 4;
  const struct {
    const char* name;
    std::vector<BYTE> bytes;
    int error;
  } cases[] = {
      {"short.wmf", {1, 0, 9}, WMF_NOTWMF},
      {"placeable.wmf", {0xD7, 0xCD, 0xC6, 0x9A, 0, 0, 0}, WMF_FORMAT},
      {"version.wmf", good.Bytes(false, 0x0200), WMF_VERSION},
      {"truncated.wmf", truncated, WMF_READ},
      {"brush.wmf", badBrush.Bytes(), WMF_FORMAT},
      {"count.wmf", badCount.Bytes(), WMF_FORMAT},
      {"oversized.wmf", oversized.Bytes(), WMF_FORMAT},
  };
  AnswerBoxesWith(IDOK);
  for (const auto& c : cases) {
    int error = 0;
    EXPECT_TRUE(ReadObjects(Write(c.name, c.bytes), &error).empty()) << c.name;
    EXPECT_EQ(error, c.error) << c.name;
    EXPECT_FALSE(wnd_->ImportWmfFile((folder_ + c.name).c_str()));
  }
  EXPECT_FALSE(wnd_->ImportWmfFile((folder_ + "missing.wmf").c_str()));
  ASSERT_EQ(SeenBoxes().size(), 8u);
  EXPECT_EQ(SeenBoxes()[0].text, "\aError PW2: Err:Not WMF File!\n");
  EXPECT_EQ(SeenBoxes()[2].text, "\aError PW4: Err:WMF ver not suport !\n");
  EXPECT_EQ(SeenBoxes()[3].text, "\aError PW5: Err:read error!\n");
  EXPECT_EQ(SeenBoxes()[4].text, "\aError PW3: Err:WMF file format err\n");
  EXPECT_EQ(SeenBoxes()[7].text, "\aError PW1: Err:No File!\n");
  EXPECT_TRUE(Objects().empty());
  EXPECT_EQ(Query(QCQ_CANUNDO), 0);
}

// A metafile of polygons with the given numbers of points, in order.
std::vector<BYTE> PolygonsOf(const std::vector<size_t>& pointCounts) {
  WmfBuilder wmf;
  wmf.objects = 0;
  for (size_t count : pointCounts) {
    std::vector<WORD> params = {static_cast<WORD>(count)};
    for (size_t i = 0; i < count; ++i)
      params.insert(params.end(), {static_cast<WORD>(i % 640), static_cast<WORD>(i % 3)});
    wmf.Record(META_POLYGON, params);
  }
  return wmf.Bytes();
}

TEST_F(WmfTest, OneImportIsHeldToItsBoundsOfObjectsAndPoints) {
  constexpr size_t kObjects = CWmfReader::kMostObjects;
  constexpr size_t kLargest = 0xFFFF;  // points of one polygon record
  constexpr size_t kLargePolygons = CWmfReader::kMostPoints / kLargest;
  constexpr size_t kRest = CWmfReader::kMostPoints % kLargest;
  std::vector<size_t> mostPoints(kLargePolygons, kLargest);
  mostPoints.push_back(kRest);
  std::vector<size_t> onePointMore = mostPoints;
  ++onePointMore.back();
  const struct {
    const char* name;
    std::vector<size_t> polygons;
    int error;  // WMF_OK: read whole
  } cases[] = {
      {"as many objects as one import adds", std::vector<size_t>(kObjects, 3), WMF_OK},
      {"one object more", std::vector<size_t>(kObjects + 1, 3), WMF_MEMORY},
      {"as many points", mostPoints, WMF_OK},
      {"one point more", onePointMore, WMF_MEMORY},
  };
  AnswerBoxesWith(IDOK);
  for (const auto& c : cases) {
    const std::string path = Write("many.wmf", PolygonsOf(c.polygons));
    CWmfReader reader;
    EXPECT_EQ(reader.Load(path.c_str()), c.error == WMF_OK) << c.name;
    EXPECT_EQ(reader.LastError(), c.error) << c.name;
    std::unique_ptr<CDrawGroup> group = reader.TakeGroup();
    EXPECT_EQ(group ? static_cast<size_t>(group->GetChildren().GetCount()) : 0,
              c.error == WMF_OK ? c.polygons.size() : 0)
        << c.name;
    if (c.error == WMF_OK) continue;
    const size_t boxes = SeenBoxes().size();
    EXPECT_TRUE(ImportedLooks(path).empty()) << c.name;
    ASSERT_EQ(SeenBoxes().size(), boxes + 1) << c.name;
    EXPECT_EQ(SeenBoxes().back().text, "\aError PW6: Err:memery error!\n");
    EXPECT_TRUE(Objects().empty()) << c.name;
    EXPECT_EQ(Query(QCQ_CANUNDO), 0) << c.name;
    EXPECT_EQ(Query(QCQ_MODIFIED), 0) << c.name;
  }
}

// Polygons in the bare layout, each of `points` points around an ellipse
// across 640 x 480: in the 150 x 150 pixels of an import, runs of hundreds of
// them fall on one pixel.
std::vector<BYTE> LargePolygonsOf(size_t polygons, size_t points) {
  WmfBuilder wmf;
  wmf.objects = 0;
  for (size_t k = 0; k < polygons; ++k) {
    std::vector<WORD> params;
    params.reserve(2 * points);
    for (size_t i = 0; i < points; ++i) {
      const double a = 6.283185307179586 * static_cast<double>(i) / static_cast<double>(points);
      params.push_back(static_cast<WORD>(320 + std::lround((300 - 20 * k) * std::cos(a))));
      params.push_back(static_cast<WORD>(240 + std::lround((220 - 20 * k) * std::sin(a))));
    }
    wmf.Record(META_POLYGON, params);
  }
  return wmf.Bytes();
}

class ShownWmfTest : public WmfTest {
 protected:
  bool VisibleParent() const override { return true; }
};

// Files at the bounds of one import (one record repeated as often as an
// import takes, polygons of hundreds of thousands of points) arrive whole,
// placed and selected, and the window paints them with their frame.
TEST_F(ShownWmfTest, ImportsAtTheirBoundsArriveWholeAndPaint) {
  const struct {
    const char* name;
    std::vector<BYTE> bytes;
    size_t children;
  } cases[] = {
      {"one triangle record repeated", PolygonsOf(std::vector<size_t>(20000, 3)), 20000},
      {"polygons of 300,000 points", LargePolygonsOf(3, 300000), 3},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(wnd_->ImportWmfFile(Write("large.wmf", c.bytes).c_str()));
    ASSERT_EQ(Objects().size(), 1u);
    auto* group = static_cast<CDrawGroup*>(Objects()[0]);
    EXPECT_EQ(static_cast<size_t>(group->GetChildren().GetCount()), c.children);
    const CRectD frame = FrameOf(group);
    EXPECT_DOUBLE_EQ(frame.left, 150);
    EXPECT_DOUBLE_EQ(frame.top, 150);
    EXPECT_DOUBLE_EQ(frame.Width(), 150);
    EXPECT_DOUBLE_EQ(frame.Height(), 150);
    EXPECT_EQ(wnd_->GetSelection(), (std::vector<CDrawObj*>{group}));
    // Painted twice: the second paint may keep drawings.
    for (int paint = 0; paint < 2; ++paint) {
      ::InvalidateRect(child_, nullptr, FALSE);
      ::UpdateWindow(child_);
    }
    const RECT unpainted = UpdateRect();
    EXPECT_TRUE(::IsRectEmpty(&unpainted));
    Send(QCM_UNDO);
    EXPECT_TRUE(Objects().empty());
  }
}

// The window's client pixels as it paints them whole.
std::vector<COLORREF> PaintedPixels(HWND hwnd) {
  return ClientPixels(hwnd, [&](HDC memory, HDC screen, const RECT& client) {
    ::InvalidateRect(hwnd, nullptr, FALSE);
    ::UpdateWindow(hwnd);
    ::BitBlt(memory, 0, 0, client.right, client.bottom, screen, 0, 0, SRCCOPY);
  });
}

// One record repeated thousands of times imports as thousands of equal
// children, placed and selected as the record alone is: the window paints
// them as it paints the one.
TEST_F(ShownWmfTest, ARecordRepeatedPaintsAsTheRecordOnce) {
  std::vector<COLORREF> painted[2];
  const size_t repeats[2] = {1, 5000};
  for (int i = 0; i < 2; ++i) {
    SCOPED_TRACE(testing::Message() << repeats[i] << " records");
    ASSERT_TRUE(
        wnd_->ImportWmfFile(Write("repeated.wmf", PolygonsOf(std::vector<size_t>(repeats[i], 3))).c_str()));
    ASSERT_EQ(Objects().size(), 1u);
    EXPECT_EQ(static_cast<size_t>(static_cast<CDrawGroup*>(Objects()[0])->GetChildren().GetCount()),
              repeats[i]);
    painted[i] = PaintedPixels(child_);
    Send(QCM_UNDO);
    ASSERT_TRUE(Objects().empty());
  }
  EXPECT_EQ(painted[1], painted[0]);
  // The triangle and its frame are there to see.
  const COLORREF background = painted[0].front();
  EXPECT_GT(std::count_if(painted[0].begin(), painted[0].end(), [&](COLORREF c) { return c != background; }),
            100);
}

TEST(WmfErrorTextTest, NumbersOutsideTheTableAreUnknown) {
  EXPECT_STREQ(WmfErrorText(6), "Err:memery error!");
  EXPECT_STREQ(WmfErrorText(7), "Err:normal error");
  EXPECT_STREQ(WmfErrorText(8), "Unknown error");
  EXPECT_STREQ(WmfErrorText(-1), "Unknown error");
  EXPECT_EQ(WmfErrorMessage(9), "\aError PW9: Unknown error\n");
}

}  // namespace
}  // namespace edittest
