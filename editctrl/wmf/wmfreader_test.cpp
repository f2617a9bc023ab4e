// The metafile reader and the import: files made by the platform's own
// metafile recorder, their placeable form, hand-made files for the sizes
// and every error of the reader with its text.
#include <gtest/gtest.h>

#include <algorithm>

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
    if (placeable) bytes = {0xD7, 0xCD, 0xC6, 0x9A, 0, 0, 0, 0, 0, 0, 0x2C, 0x01, 0x64, 0,
                            0xE8, 0x03, 0, 0, 0, 0, 0, 0};
    for (WORD w : words) {
      bytes.push_back(LOBYTE(w));
      bytes.push_back(HIBYTE(w));
    }
    return bytes;
  }
};

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
    return kind == o.kind && points == o.points && line == o.line && width == o.width &&
           style == o.style && fill == o.fill && fillColor == o.fillColor;
  }
};

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
    made.push_back({poly->GetObjType(), poly->m_points, poly->m_clrLine, poly->m_nLineWidth, poly->m_nLineStyle,
                    poly->m_nFillStyle, poly->m_clrFill1});
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
  const BYTE header[] = {0xD7, 0xCD, 0xC6, 0x9A, 0, 0, 0, 0, 0, 0, 0x2C, 0x01, 0xC8, 0,
                         0xE8, 0x03, 0, 0, 0, 0, 0, 0};
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

TEST(WmfErrorTextTest, NumbersOutsideTheTableAreUnknown) {
  EXPECT_STREQ(WmfErrorText(6), "Err:memery error!");
  EXPECT_STREQ(WmfErrorText(7), "Err:normal error");
  EXPECT_STREQ(WmfErrorText(8), "Unknown error");
  EXPECT_STREQ(WmfErrorText(-1), "Unknown error");
  EXPECT_EQ(WmfErrorMessage(9), "\aError PW9: Unknown error\n");
}

}  // namespace
}  // namespace edittest
