// The rulers beside the editing window: which units get a mark, a long
// mark, a line and a value, at which scales, and what a ruler paints.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "rulerwnd.h"

namespace editortest {
namespace {

// The marks as the ruler once found them: every unit from 0 on, until the
// ruler's end (this loop never ends for a scale of 0 or less).
std::vector<RulerMark> MarksOneUnitAtATime(double origin, double scale, int length) {
  std::vector<RulerMark> marks;
  double last = std::trunc((0 - origin) * scale);
  for (int unit = 0;; ++unit) {
    double at = std::trunc((unit - origin) * scale);
    if (at >= length) break;
    if (unit < origin || unit % 10 != 0 || !(at > last + 3)) continue;
    RulerMark::Kind kind = unit % 100 == 0  ? RulerMark::kHundred
                           : unit % 50 == 0 ? RulerMark::kFifty
                                            : RulerMark::kTick;
    marks.push_back({static_cast<int>(at), unit, kind,
                     kind == RulerMark::kHundred || (kind == RulerMark::kFifty && scale >= 1.5)});
    last = at;
  }
  return marks;
}

std::string Describe(const std::vector<RulerMark>& marks) {
  std::string text;
  for (const RulerMark& m : marks)
    text += std::to_string(m.unit) + "@" + std::to_string(m.position) + "k" + std::to_string(m.kind) +
            (m.label ? "L " : " ");
  return text;
}

TEST(RulerMarks, AtScale1EveryTenthUnitFromTheStartHasAMarkButUnit0) {
  std::vector<RulerMark> marks = ComputeRulerMarks(0, 1.0, 120);
  ASSERT_EQ(marks.size(), 11u) << Describe(marks);
  EXPECT_EQ(marks[0].unit, 10);
  EXPECT_EQ(marks[0].position, 10);
  EXPECT_EQ(marks[0].kind, RulerMark::kTick);
  EXPECT_EQ(marks[4].unit, 50);
  EXPECT_EQ(marks[4].kind, RulerMark::kFifty);
  EXPECT_FALSE(marks[4].label);  // values of fiftieth units from a scale of 1.5 on
  EXPECT_EQ(marks[9].unit, 100);
  EXPECT_EQ(marks[9].kind, RulerMark::kHundred);
  EXPECT_TRUE(marks[9].label);
  EXPECT_EQ(marks.back().position, 110);
}

TEST(RulerMarks, FiftiethUnitsAreLabelledFromScale1Point5) {
  for (double scale : {1.4, 1.5, 2.0}) {
    std::vector<RulerMark> marks = ComputeRulerMarks(0, scale, 200);
    auto fifty = std::find_if(marks.begin(), marks.end(), [](const RulerMark& m) { return m.unit == 50; });
    ASSERT_NE(fifty, marks.end()) << scale;
    EXPECT_EQ(fifty->label, scale >= 1.5) << scale;
    EXPECT_EQ(fifty->position, static_cast<int>(50 * scale)) << scale;
  }
}

TEST(RulerMarks, CloseMarksAreLeftOutAtSmallScales) {
  // At 25 percent ten units are 2.5 pixels: every other one is drawn.
  std::vector<RulerMark> marks = ComputeRulerMarks(0, 0.25, 60);
  ASSERT_GE(marks.size(), 2u);
  EXPECT_EQ(marks[0].unit, 20);
  EXPECT_EQ(marks[0].position, 5);
  EXPECT_EQ(marks[1].unit, 40);
  for (size_t i = 1; i < marks.size(); ++i) EXPECT_GT(marks[i].position, marks[i - 1].position + 3);
}

TEST(RulerMarks, ARulerStartingInsideThePictureBeginsAtTheNextTenthUnit) {
  std::vector<RulerMark> marks = ComputeRulerMarks(35.5, 1.0, 100);
  ASSERT_FALSE(marks.empty());
  EXPECT_EQ(marks[0].unit, 40);
  EXPECT_EQ(marks[0].position, 4);
}

TEST(RulerMarks, TheSameMarksAsGoingThroughEveryUnit) {
  for (double origin : {0.0, 3.0, 35.5, 99.0, 100.0, 1234.25, -40.0})
    for (double scale : {0.25, 0.4, 0.45, 0.6, 1.0, 1.2, 2.0, 4.0})
      EXPECT_EQ(Describe(ComputeRulerMarks(origin, scale, 700)),
                Describe(MarksOneUnitAtATime(origin, scale, 700)))
          << origin << " " << scale;
}

TEST(RulerMarks, NoScaleOrNoOriginGivesNoMarksAndEnds) {
  const struct {
    double origin, scale;
  } kCases[] = {{0, 0}, {0, -1}, {0, NAN}, {NAN, 1}, {INFINITY, 1}, {1e300, 1}, {-1e300, 1}};
  for (const auto& c : kCases)
    EXPECT_TRUE(ComputeRulerMarks(c.origin, c.scale, 500).empty()) << c.origin << " " << c.scale;
  EXPECT_TRUE(ComputeRulerMarks(0, 1, 0).empty());
}

TEST(RulerMarks, ATinyScaleTakesNoMoreMarksThanTheRulerHasRoomFor) {
  for (double scale : {1e-3, 1e-9, 1e-300}) {
    std::vector<RulerMark> marks = ComputeRulerMarks(0, scale, 1000);
    EXPECT_LE(marks.size(), 250u) << scale;
  }
  EXPECT_EQ(ComputeRulerMarks(0, 1e-3, 1000).size(), 249u);  // every 4 pixels, 10,000 units apart
}

// ---- painting ------------------------------------------------------------------

class RulerPaintTest : public ::testing::Test {
 protected:
  void SetUp() override {
    HDC screen = ::GetDC(nullptr);
    memory_ = ::CreateCompatibleDC(screen);
    bitmap_ = ::CreateCompatibleBitmap(screen, kLength, kLength);
    ::ReleaseDC(nullptr, screen);
    old_ = ::SelectObject(memory_, bitmap_);
  }
  void TearDown() override {
    ::SelectObject(memory_, old_);
    ::DeleteObject(bitmap_);
    ::DeleteDC(memory_);
  }
  void Paint(CRulerWnd::Orientation orientation, double origin, double scale) {
    CRulerWnd ruler(orientation);
    ruler.SetOriginAndScale(origin, scale);
    CDC dc(memory_);
    SIZE size = orientation == CRulerWnd::kHorizontal ? SIZE{kLength, 22} : SIZE{22, kLength};
    ruler.Draw(dc, size);
  }
  // The pixel at a distance off the inner edge, at a position along a horizontal ruler.
  COLORREF Top(int along, int off) { return ::GetPixel(memory_, along, 21 - off); }
  COLORREF Left(int along, int off) { return ::GetPixel(memory_, 21 - off, along); }
  // Whether anything but the ruler's face and its grey lines is in the area: a value.
  bool HasText(RECT area) {
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE) & 0xFFFFFF;
    for (int y = area.top; y < area.bottom; ++y)
      for (int x = area.left; x < area.right; ++x) {
        COLORREF c = ::GetPixel(memory_, x, y);
        if (c != face && c != kGrey) return true;
      }
    return false;
  }

  static constexpr int kLength = 300;
  static constexpr COLORREF kGrey = RGB(128, 128, 128);
  HDC memory_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
};

TEST_F(RulerPaintTest, TheTopRulerHasItsEdgeTicksLinesAndValues) {
  Paint(CRulerWnd::kHorizontal, 0, 1.0);
  const COLORREF face = ::GetSysColor(COLOR_BTNFACE) & 0xFFFFFF;
  EXPECT_EQ(Top(5, 0), RGB(0, 0, 0));  // the inner edge: black, grey, button face
  EXPECT_EQ(Top(5, 1), kGrey);
  EXPECT_EQ(Top(5, 2), face);
  EXPECT_EQ(Top(10, 3), kGrey);  // a tick from 3 to 11 pixels off the edge
  EXPECT_EQ(Top(10, 11), kGrey);
  EXPECT_EQ(Top(10, 12), face);
  EXPECT_EQ(Top(50, 15), kGrey);  // a fiftieth unit: to 15
  EXPECT_EQ(Top(50, 16), face);
  EXPECT_EQ(Top(100, 20), kGrey);  // a hundredth unit: across the ruler
  EXPECT_EQ(Top(12, 5), face);
  // The value 100 stands left of its line at the top; none beside 50.
  EXPECT_TRUE(HasText(RECT{80, 0, 100, 10}));
  EXPECT_FALSE(HasText(RECT{30, 0, 50, 10}));
}

TEST_F(RulerPaintTest, TheLeftRulerIsTheSameTurnedOnItsSide) {
  Paint(CRulerWnd::kVertical, 0, 2.0);
  EXPECT_EQ(Left(5, 0), RGB(0, 0, 0));
  EXPECT_EQ(Left(5, 1), kGrey);
  EXPECT_EQ(Left(20, 3), kGrey);
  EXPECT_EQ(Left(100, 15), kGrey);              // unit 50 at scale 2
  EXPECT_EQ(Left(200, 20), kGrey);              // unit 100
  EXPECT_TRUE(HasText(RECT{0, 100, 12, 130}));  // "50", written from scale 1.5 on
}

}  // namespace
}  // namespace editortest
