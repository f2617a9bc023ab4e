// Image objects holding a metafile: every record is checked before the
// platform's player sees one. A damaged or hostile metafile is refused whole
// (the image draws nothing and nothing of it reaches the platform); a valid
// one draws exactly what the platform plays from it.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <functional>
#include <cstring>
#include <string>
#include <vector>

#include "drawbitmap.h"
#include "gdi_recording.h"
#include "gdiplusapi.h"
#include "metafile_builder.h"
#include "metafilebounds.h"
#include "metafilecheck.h"
#include "render_surface.h"
#include "shapes_test_util.h"

namespace {

using metafiletest::EmfBuilder;
using metafiletest::FloatWord;
using metafiletest::WmfBuilder;
using qeltest::RecordGdi;
using qeltest::RenderSurface;

constexpr int kSide = 200;

DWORD W(LONG v) { return static_cast<DWORD>(v); }

// A metafile recorded through the platform: filled shapes, a line, a text.
std::vector<BYTE> RecordedDrawing() {
  return metafiletest::RecordedEmf(RECT{0, 0, 2000, 1000}, [](HDC dc) {
    HBRUSH red = ::CreateSolidBrush(RGB(255, 0, 0));
    HPEN blue = ::CreatePen(PS_SOLID, 3, RGB(0, 0, 255));
    HGDIOBJ oldBrush = ::SelectObject(dc, red);
    HGDIOBJ oldPen = ::SelectObject(dc, blue);
    ::Rectangle(dc, 5, 5, 60, 30);
    ::Ellipse(dc, 20, 10, 70, 37);
    const POINT zigzag[4] = {{2, 35}, {20, 20}, {40, 35}, {70, 5}};
    ::Polyline(dc, zigzag, 4);
    ::TextOutA(dc, 8, 12, "EMF", 3);
    ::SelectObject(dc, oldBrush);
    ::SelectObject(dc, oldPen);
    ::DeleteObject(red);
    ::DeleteObject(blue);
  });
}

// What drawing programs put in their metafiles, recorded through the
// platform: a mapping of their own, saved and restored states, clipping,
// fonts and texts, dashed geometric pens, paths, arcs and a bitmap.
std::vector<BYTE> RecordedRichDrawing() {
  return metafiletest::RecordedEmf(RECT{0, 0, 4000, 3000}, [](HDC dc) {
    const int saved = ::SaveDC(dc);
    ::SetMapMode(dc, MM_ANISOTROPIC);
    ::SetWindowExtEx(dc, 1000, 750, nullptr);
    ::SetViewportExtEx(dc, 150, 112, nullptr);
    LOGBRUSH lb = {BS_SOLID, RGB(0, 128, 0), 0};
    HPEN dashed = ::ExtCreatePen(PS_GEOMETRIC | PS_DASH | PS_ENDCAP_FLAT, 8, &lb, 0, nullptr);
    HGDIOBJ oldPen = ::SelectObject(dc, dashed);
    ::RoundRect(dc, 50, 50, 500, 300, 40, 40);
    ::Pie(dc, 550, 50, 950, 450, 950, 250, 550, 250);
    ::Arc(dc, 100, 400, 400, 700, 400, 550, 100, 550);
    const POINT star[5] = {{700, 500}, {800, 700}, {600, 580}, {800, 580}, {600, 700}};
    ::SetPolyFillMode(dc, WINDING);
    ::Polygon(dc, star, 5);
    ::BeginPath(dc);
    ::MoveToEx(dc, 450, 400, nullptr);
    ::LineTo(dc, 520, 700);
    ::LineTo(dc, 380, 700);
    ::CloseFigure(dc);
    ::EndPath(dc);
    ::StrokeAndFillPath(dc);
    ::SelectObject(dc, oldPen);
    ::DeleteObject(dashed);
    ::RestoreDC(dc, saved);

    ::IntersectClipRect(dc, 2, 2, 148, 110);
    LOGFONTA lf = {};
    lf.lfHeight = -14;
    lf.lfWeight = FW_BOLD;
    lstrcpyA(lf.lfFaceName, "Arial");
    HFONT font = ::CreateFontIndirectA(&lf);
    HGDIOBJ oldFont = ::SelectObject(dc, font);
    ::SetTextColor(dc, RGB(0, 0, 200));
    const RECT box = {5, 80, 100, 100};
    ::ExtTextOutA(dc, 8, 82, ETO_OPAQUE | ETO_CLIPPED, &box, "Pump 3", 6, nullptr);
    ::SelectObject(dc, oldFont);
    ::DeleteObject(font);

    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = 4;
    bi.bmiHeader.biHeight = 4;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    const DWORD bits[16] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
    ::StretchDIBits(dc, 110, 5, 30, 30, 0, 0, 4, 4, bits, &bi, DIB_RGB_COLORS, SRCCOPY);
  });
}

// One red rectangle on a frame of 100 x 100 pixels: what the damaged
// enhanced metafiles below add their damage to.
EmfBuilder& WithRectangle(EmfBuilder& b) {
  return b.Add(EMR_CREATEBRUSHINDIRECT, {1, BS_SOLID, RGB(255, 0, 0), 0})
      .Add(EMR_SELECTOBJECT, {1})
      .Add(EMR_RECTANGLE, {10, 10, 90, 90});
}

std::vector<BYTE> ValidEmf() {
  EmfBuilder b;
  return WithRectangle(b).Bytes();
}

// A window of the bounding box and a rectangle in it.
WmfBuilder& WmfWithRectangle(WmfBuilder& b) {
  return b
      .Add(0x0103, {MM_ANISOTROPIC})          // SETMAPMODE
      .Add(0x020B, {0, 0})                    // SETWINDOWORG y, x
      .Add(0x020C, {100, 100})                // SETWINDOWEXT y, x
      .Add(0x02FC, {BS_SOLID, 0x00FF, 0, 0})  // CREATEBRUSHINDIRECT: red
      .Add(0x012D, {0})                       // SELECTOBJECT
      .Add(0x041B, {90, 90, 10, 10});         // RECTANGLE bottom, right, top, left
}

std::vector<BYTE> ValidWmf() {
  WmfBuilder b;
  return WmfWithRectangle(b).Bytes();
}

// A BITMAPINFOHEADER of w x h at 24 bits, followed by bytes of pixels.
std::vector<DWORD> DibWords(LONG w, LONG h, size_t pixelBytes) {
  std::vector<DWORD> words = {40, W(w), W(h), 1 | (24u << 16), BI_RGB, 0, 0, 0, 0, 0};
  words.resize(words.size() + (pixelBytes + 3) / 4, 0x80808080u);
  return words;
}

// EMR_STRETCHDIBITS of a w x h DIB with these pixel bytes onto (10, 10, 80, 80).
std::vector<DWORD> StretchDibitsWords(LONG w, LONG h, size_t pixelBytes) {
  const std::vector<DWORD> dib = DibWords(w, h, pixelBytes);
  const DWORD offBmi = 80;  // right after the record's fixed fields
  std::vector<DWORD> words = {0,
                              0,
                              100,
                              100,  // bounds
                              10,
                              10,
                              0,
                              0,
                              W(w),
                              W(h),
                              offBmi,
                              40,
                              offBmi + 40,
                              static_cast<DWORD>((dib.size() - 10) * 4),
                              DIB_RGB_COLORS,
                              SRCCOPY,
                              70,
                              70};
  words.insert(words.end(), dib.begin(), dib.end());
  return words;
}

// EMR_EXTCREATEFONTINDIRECTW of a font this tall.
std::vector<DWORD> FontWords(LONG height) {
  std::vector<DWORD> words = {1, W(height), 0, 0, 0, 400};
  words.resize(1 + 23, 0);  // LOGFONTW: 92 bytes
  return words;
}

struct Damage {
  const char* what;
  std::vector<BYTE> bytes;
};

std::vector<Damage> DamagedMetafiles() {
  std::vector<Damage> cases;
  auto emf = [&](const char* what, const std::function<void(EmfBuilder&)>& damage) {
    EmfBuilder b;
    WithRectangle(b);
    damage(b);
    cases.push_back({what, b.Bytes()});
  };
  emf("more records than a metafile may hold",
      [](EmfBuilder& b) { b.Repeat(CMetafileBounds::kMaxRecords, EMR_SETBKMODE, {TRANSPARENT}); });
  emf("a polygon reaching 1e8", [](EmfBuilder& b) {
    b.Add(EMR_POLYGON, {0, 0, 100, 100, 3, 10, 10, 100000000, 50, 50, 90});
  });
  emf("a world transform magnifying a million times", [](EmfBuilder& b) {
    b.Add(EMR_SETWORLDTRANSFORM, {FloatWord(1e6f), 0, 0, FloatWord(1e6f), 0, 0})
        .Add(EMR_RECTANGLE, {10, 10, 90, 90});
  });
  emf("a viewport a hundred thousand times its window", [](EmfBuilder& b) {
    b.Add(EMR_SETMAPMODE, {MM_ANISOTROPIC})
        .Add(EMR_SETWINDOWEXTEX, {1, 1})
        .Add(EMR_SETVIEWPORTEXTEX, {100000, 100000})
        .Add(EMR_ELLIPSE, {0, 0, 50, 50});
  });
  emf("a pen 2^30 wide", [](EmfBuilder& b) {
    b.Add(EMR_CREATEPEN, {2, PS_SOLID, 1u << 30, 0, 0}).Add(EMR_SELECTOBJECT, {2});
  });
  emf("a font 2^30 tall", [](EmfBuilder& b) { b.Add(EMR_EXTCREATEFONTINDIRECTW, FontWords(1 << 30)); });
  emf("a text written at -2^31", [](EmfBuilder& b) {
    std::vector<DWORD> words = {
        0, 0, 100, 100, GM_COMPATIBLE, FloatWord(1), FloatWord(1), 0x80000000u, 0x80000000u, 2, 76, 0, 0,
        0, 0, 0,   0,   0x00420041};
    b.Add(EMR_EXTTEXTOUTW, words);
  });
  emf("an EMF+ part", [](EmfBuilder& b) { b.Add(EMR_GDICOMMENT, {8, 0x2B464D45, 0x00010001}); });
  emf("a record this check does not know", [](EmfBuilder& b) { b.Add(102, {0}); });
  emf("a bitmap stating 30,000 x 30,000 pixels",
      [](EmfBuilder& b) { b.Add(EMR_STRETCHDIBITS, StretchDibitsWords(30000, 30000, 64)); });
  emf("a bitmap whose pixels are missing",
      [](EmfBuilder& b) { b.Add(EMR_STRETCHDIBITS, StretchDibitsWords(64, 64, 64)); });
  emf("a DIB holding a JPEG", [](EmfBuilder& b) {
    std::vector<DWORD> words = StretchDibitsWords(4, 4, 64);
    words[18 + 4] = BI_JPEG;
    b.Add(EMR_STRETCHDIBITS, words);
  });
  emf("rows of fill far beyond what a picture needs", [](EmfBuilder& b) {
    b.Repeat(1100, EMR_RECTANGLE, {0, 0, 100, 100});
  });
  emf("states saved 65 deep", [](EmfBuilder& b) { b.Repeat(65, EMR_SAVEDC, {}); });
  emf("a state restored that was never saved", [](EmfBuilder& b) { b.Add(EMR_RESTOREDC, {W(-1)}); });
  emf("an object beyond the handle table", [](EmfBuilder& b) { b.Add(EMR_SELECTOBJECT, {9}); });
  emf("a mirrored layout", [](EmfBuilder& b) { b.Add(EMR_SETLAYOUT, {LAYOUT_RTL}); });
  {
    EmfBuilder b;
    cases.push_back({"a frame without area", WithRectangle(b.Frame(0, 1000)).Bytes()});
  }
  {
    std::vector<BYTE> bytes = ValidEmf();
    bytes.resize(bytes.size() - 20);  // the end record
    cases.push_back({"no end record", bytes});
  }
  {
    std::vector<BYTE> bytes = ValidEmf();
    const DWORD huge = 0x7FFFFFF0;
    std::memcpy(bytes.data() + 88 + 4, &huge, 4);  // the first record's size
    cases.push_back({"a record running past the end", bytes});
  }

  auto wmf = [&](const char* what, const std::function<void(WmfBuilder&)>& damage) {
    WmfBuilder b;
    WmfWithRectangle(b);
    damage(b);
    cases.push_back({what, b.Bytes()});
  };
  wmf("a Windows metafile moving the viewport", [](WmfBuilder& b) {
    b.Add(0x020E, {30000, 30000}).Add(0x041B, {90, 90, 10, 10});  // SETVIEWPORTEXT
  });
  wmf("a Windows metafile leaving the anisotropic mapping", [](WmfBuilder& b) { b.Add(0x0103, {MM_TEXT}); });
  wmf("a Windows metafile with a window of one unit", [](WmfBuilder& b) {
    b.Add(0x020C, {1, 1}).Add(0x041B, {30000, 30000, 0, 0});
  });
  wmf("a Windows metafile with a pen 30,000 wide", [](WmfBuilder& b) {
    b.Add(0x02FA, {PS_SOLID, 30000, 0, 0, 0});  // CREATEPENINDIRECT
  });
  wmf("a Windows metafile with an escape to the device", [](WmfBuilder& b) {
    b.Add(0x0626, {9, 0});  // ESCAPE
  });
  {
    std::vector<BYTE> bytes = ValidWmf();
    const WORD huge = 0x7FFF;
    std::memcpy(bytes.data() + 40 + 2, &huge, 2);  // the first record's size, high word
    cases.push_back({"a Windows metafile record running past the end", bytes});
  }
  {
    // 2^31 words more than the first record holds: twice that many bytes
    // come round to its true size in a 32-bit count.
    std::vector<BYTE> bytes = ValidWmf();
    DWORD words;
    std::memcpy(&words, bytes.data() + 40, 4);
    words += 0x80000000;
    std::memcpy(bytes.data() + 40, &words, 4);
    cases.push_back({"a Windows metafile record of 2^31 words and more", bytes});
  }
  return cases;
}

TEST(MetafileCheck, MetafilesThatDrawWithinTheirFramePass) {
  const std::vector<BYTE> recorded = RecordedDrawing();
  ASSERT_FALSE(recorded.empty());
  EXPECT_EQ(IdentifyMetafile(recorded.data(), recorded.size()), MetafileKind::enhanced);
  EXPECT_TRUE(CheckMetafile(recorded.data(), recorded.size()));
  const std::vector<BYTE> rich = RecordedRichDrawing();
  EXPECT_TRUE(CheckMetafile(rich.data(), rich.size()));
  const std::vector<BYTE> emf = ValidEmf();
  EXPECT_TRUE(CheckMetafile(emf.data(), emf.size()));
  const std::vector<BYTE> wmf = ValidWmf();
  EXPECT_EQ(IdentifyMetafile(wmf.data(), wmf.size()), MetafileKind::placeable);
  EXPECT_TRUE(CheckMetafile(wmf.data(), wmf.size()));
  // Bitmaps are not metafiles.
  const std::vector<BYTE> bmp = shapetest::QuadrantBmp(4, 4);
  EXPECT_EQ(IdentifyMetafile(bmp.data(), bmp.size()), MetafileKind::none);
}

TEST(MetafileCheck, DamagedOrHostileMetafilesAreRefused) {
  for (const Damage& d : DamagedMetafiles()) {
    SCOPED_TRACE(d.what);
    EXPECT_NE(IdentifyMetafile(d.bytes.data(), d.bytes.size()), MetafileKind::none);
    EXPECT_FALSE(CheckMetafile(d.bytes.data(), d.bytes.size()));
  }
}

TEST(MetafileImage, ARefusedMetafileReachesNoPlayer) {
  const int nothing = RecordGdi(kSide, kSide, [](HDC) {}).records;
  for (const Damage& d : DamagedMetafiles()) {
    SCOPED_TRACE(d.what);
    CDrawBitmap image;
    image.SetCorners(CRectD(10, 10, 190, 190));
    shapetest::SetImageBytes(image, d.bytes);
    EXPECT_FALSE(image.LoadImageStream());
    EXPECT_TRUE(image.GetImageData().IsUndecodable());
    EXPECT_FALSE(image.GetImageData().HasImage());
    EXPECT_EQ(image.GetImageData().Bytes(), d.bytes);  // kept to be stored again
    const qeltest::GdiRecording drawn = RecordGdi(kSide, kSide, [&](HDC hdc) {
      CDC dc(hdc);
      image.Draw(&dc, 0);
    });
    EXPECT_EQ(drawn.records, nothing);
  }
}

// What the platform plays from the metafile bytes onto (10, 10)-(190, 110).
std::vector<DWORD> PlayedByThePlatform(const std::vector<BYTE>& bytes) {
  RenderSurface surface(kSide, kSide);
  surface.Fill(0xFFFFFF);
  qel::StartGdiplus();
  IStream* stream = nullptr;
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  std::memcpy(::GlobalLock(block), bytes.data(), bytes.size());
  ::GlobalUnlock(block);
  ::CreateStreamOnHGlobal(block, TRUE, &stream);
  Gdiplus::GpImage* played = nullptr;
  qel::gdip::GdipLoadImageFromStream(stream, &played);
  {
    qel::GdipGraphics graphics(surface.dc());
    const Gdiplus::GpPointF corners[3] = {{10, 10}, {190, 10}, {10, 110}};
    qel::gdip::GdipDrawImagePoints(graphics.get(), played, corners, 3);
  }
  qel::gdip::GdipDisposeImage(played);
  stream->Release();
  return surface.Pixels();
}

std::vector<DWORD> DrawnByTheImage(const std::vector<BYTE>& bytes, int paints) {
  CDrawBitmap image;
  image.SetCorners(CRectD(10, 10, 190, 110));
  shapetest::SetImageBytes(image, bytes);
  RenderSurface surface(kSide, kSide);
  CDC dc(surface.dc());
  for (int i = 0; i < paints; ++i) {
    surface.Fill(0xFFFFFF);
    image.Draw(&dc, 0);
  }
  return surface.Pixels();
}

TEST(MetafileImage, AValidMetafileDrawsWhatThePlatformPlaysFromIt) {
  for (const std::vector<BYTE>& bytes : {RecordedDrawing(), RecordedRichDrawing(), ValidEmf(), ValidWmf()}) {
    const std::vector<DWORD> played = PlayedByThePlatform(bytes);
    EXPECT_EQ(DrawnByTheImage(bytes, 1), played);
    EXPECT_EQ(DrawnByTheImage(bytes, 3), played);  // and from what is kept
    EXPECT_GT(played.size() - std::count(played.begin(), played.end(), 0xFFFFFFu), 1000u);
  }
}

TEST(MetafileImage, LargeDestinationsPlayTheMetafileAtABoundedSize) {
  MetafileSummary small;  // a frame of 100 x 50 with a pen of 2
  small.frameWidth = 100;
  small.frameHeight = 50;
  small.largestSize = 2;
  MetafileSummary lettered = small;  // a letter as tall as the frame
  lettered.largestSize = 50;
  struct Case {
    const MetafileSummary* m;
    double w, h, scale;
  };
  const Case cases[] = {
      {&small, 200, 100, 1.0},        {&small, 4096, 2048, 1.0},        {&small, 8192, 100, 0.5},
      {&small, 100, 16384, 0.25},     {&small, 4096, 4096, 0.70710678}, {&lettered, 1000, 500, 1.0},
      {&lettered, 4000, 2000, 0.512},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.w) + " x " + std::to_string(c.h));
    EXPECT_NEAR(MetafilePlayScale(*c.m, c.w, c.h), c.scale, 1e-6);
  }
}

}  // namespace
