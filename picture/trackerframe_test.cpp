// The dotted frame of the trackers: its pixels, wherever the surface's
// origin lies and whatever the clip leaves of it, are those of the rule.
#include "trackerframe.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "dibsurface.h"
#include "knownclip.h"
#include "render_surface.h"

namespace {

constexpr int kSide = 40;
constexpr DWORD kUntouched = 0x123456;

// The rule, pixel by pixel: rows first, then the columns over them.
std::vector<DWORD> RulePixels(const RECT& r, POINT origin, const RECT& clip) {
  std::vector<DWORD> pixels(kSide * kSide, kUntouched);
  auto put = [&](LONG x, LONG y, DWORD c) {
    if (x < clip.left || x >= clip.right || y < clip.top || y >= clip.bottom) return;
    const LONG dx = x - origin.x, dy = y - origin.y;
    if (dx >= 0 && dx < kSide && dy >= 0 && dy < kSide) pixels[dy * kSide + dx] = c;
  };
  for (LONG x = r.left; x < r.right - 2; x += 2)
    for (LONG y : {r.top, r.bottom - 1}) {
      put(x, y, 0x000000);
      put(x + 1, y, 0xFFFFFF);
    }
  for (LONG y = r.top; y < r.bottom - 2; y += 2)
    for (LONG x : {r.left, r.right - 1}) {
      put(x, y, 0x000000);
      put(x, y + 1, 0xFFFFFF);
    }
  return pixels;
}

TEST(TrackerFrame, ItsPixelsAreThoseOfTheRuleWhereverItLies) {
  const struct {
    RECT frame;
    POINT origin;  // the logical point at the surface's top left pixel
    RECT clip;     // logical
  } cases[] = {
      {{2, 3, 30, 20}, {0, 0}, {0, 0, 40, 40}},
      {{2, 3, 31, 21}, {0, 0}, {0, 0, 40, 40}},
      {{5, 5, 8, 8}, {0, 0}, {0, 0, 40, 40}},
      {{5, 5, 6, 6}, {0, 0}, {0, 0, 40, 40}},
      {{5, 5, 7, 30}, {0, 0}, {0, 0, 40, 40}},
      {{4, 9, 33, 10}, {0, 0}, {0, 0, 40, 40}},
      {{103, 57, 130, 80}, {101, 50}, {0, 0, 999, 999}},
      {{-7, -3, 20, 15}, {-10, -5}, {0, 0, 999, 999}},
      {{2, 3, 30, 20}, {0, 0}, {7, 4, 19, 13}},
      {{103, 57, 131, 81}, {100, 51}, {110, 60, 125, 75}},
  };
  for (const auto& c : cases) {
    CDibSurface surface(nullptr, kSide, kSide);
    ASSERT_TRUE(surface.IsValid());
    surface.Fill(kUntouched);
    CDC dc;
    dc.Attach(surface.dc());
    ::SetWindowOrgEx(surface.dc(), c.origin.x, c.origin.y, nullptr);
    HRGN clip = ::CreateRectRgn(c.clip.left - c.origin.x, c.clip.top - c.origin.y, c.clip.right - c.origin.x,
                                c.clip.bottom - c.origin.y);
    ::SelectClipRgn(surface.dc(), clip);
    ::DeleteObject(clip);
    DrawTrackerFrame(&dc, c.frame);
    ::GdiFlush();
    dc.Detach();
    std::vector<DWORD> drawn(surface.bits(), surface.bits() + kSide * kSide);
    for (DWORD& p : drawn) p &= 0xFFFFFF;
    EXPECT_EQ(drawn, RulePixels(c.frame, c.origin, c.clip))
        << c.frame.left << "," << c.frame.top << "," << c.frame.right << "," << c.frame.bottom << " at "
        << c.origin.x << "," << c.origin.y;
  }
}

}  // namespace

// The same rule for frames longer than one run of the pattern and far
// beyond the surface, on a surface of the tests' own.
namespace {

using qeltest::RenderSurface;

constexpr DWORD kGrey = 0x808080;

// The frame as its description gives it, pixel by pixel, put on the pixels
// of a surface of w x h whose pixel (0, 0) is logical (ox, oy), within the
// device clip.
void PutDescribed(std::vector<DWORD>& pixels, int w, int h, POINT origin, const RECT& r, const RECT& clip) {
  auto set = [&](long long x, long long y, DWORD c) {
    const long long dx = x - origin.x, dy = y - origin.y;
    if (dx >= clip.left && dx < clip.right && dy >= clip.top && dy < clip.bottom && dx >= 0 && dy >= 0 &&
        dx < w && dy < h)
      pixels[static_cast<size_t>(dy) * w + dx] = c;
  };
  for (long long x = r.left; x < r.right - 2; x += 2) {
    for (long long y : {r.top, r.bottom - 1}) {
      set(x, y, 0x000000);
      set(x + 1, y, 0xFFFFFF);
    }
  }
  for (long long y = r.top; y < r.bottom - 2; y += 2) {
    for (long long x : {r.left, r.right - 1}) {
      set(x, y, 0x000000);
      set(x, y + 1, 0xFFFFFF);
    }
  }
}

// The same on a grey surface.
std::vector<DWORD> Described(int w, int h, POINT origin, const RECT& r, const RECT& clip) {
  std::vector<DWORD> pixels(static_cast<size_t>(w) * h, kGrey);
  PutDescribed(pixels, w, h, origin, r, clip);
  return pixels;
}

TEST(TrackerFrame, LandsOnTheDescribedPixelsWhereverTheClipAndOriginFall) {
  struct Case {
    const char* what;
    int w, h;
    POINT origin;  // the logical point at device pixel (0, 0)
    RECT frame;    // logical
    RECT clip;     // device
  };
  const Case cases[] = {
      {"small, even sides", 64, 48, {0, 0}, {4, 4, 40, 30}, {0, 0, 64, 48}},
      {"odd sides", 64, 48, {0, 0}, {3, 5, 36, 32}, {0, 0, 64, 48}},
      {"clipped at odd places", 64, 48, {0, 0}, {3, 5, 60, 44}, {7, 9, 41, 30}},
      {"one row high", 64, 48, {0, 0}, {2, 10, 50, 11}, {0, 0, 64, 48}},
      {"under a window origin", 64, 48, {-13, 21}, {-20, 18, 40, 60}, {5, 3, 57, 40}},
      {"longer than a copy of the pattern", 600, 40, {4991, -3}, {-7, 2, 9000, 30}, {1, 0, 599, 40}},
      {"far beyond the surface", 200, 100, {0, 0}, {-100000001, -50, 100000003, 60}, {0, 0, 200, 100}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    RenderSurface surface(c.w, c.h);
    surface.Fill(kGrey);
    const int saved = ::SaveDC(surface.dc());
    ::IntersectClipRect(surface.dc(), c.clip.left, c.clip.top, c.clip.right, c.clip.bottom);
    ::SetWindowOrgEx(surface.dc(), c.origin.x, c.origin.y, nullptr);
    {
      CDC dc(surface.dc());
      DrawTrackerFrame(&dc, c.frame);
    }
    ::RestoreDC(surface.dc(), saved);
    EXPECT_EQ(surface.Pixels(), Described(c.w, c.h, c.origin, c.frame, c.clip));
  }
}

TEST(TrackerFrame, TheDcsBrushOriginMovesNoStripeAndStaysAsItWas) {
  const POINT brushOrigins[] = {{1, 0}, {0, 1}, {3, 5}, {6, 7}};
  const POINT origin = {-13, 21};
  const RECT frame = {-20, 18, 41, 61};
  const RECT clip = {0, 0, 64, 48};
  for (const POINT& brushOrigin : brushOrigins) {
    SCOPED_TRACE(testing::Message() << "brush origin " << brushOrigin.x << ", " << brushOrigin.y);
    RenderSurface surface(64, 48);
    surface.Fill(kGrey);
    ::SetWindowOrgEx(surface.dc(), origin.x, origin.y, nullptr);
    ::SetBrushOrgEx(surface.dc(), brushOrigin.x, brushOrigin.y, nullptr);
    {
      CDC dc(surface.dc());
      DrawTrackerFrame(&dc, frame);
    }
    EXPECT_EQ(surface.Pixels(), Described(64, 48, origin, frame, clip));
    POINT after;
    ::GetBrushOrgEx(surface.dc(), &after);
    EXPECT_EQ(after.x, brushOrigin.x);
    EXPECT_EQ(after.y, brushOrigin.y);
  }
}

TEST(TrackerFrame, APairIsTheFrameAndTheOneInsideItAlsoUnderAKnownClipBox) {
  const struct {
    const char* what;
    RECT outer;
    RECT clip;  // device, and the box the paint knows
  } cases[] = {
      {"inside", {4, 5, 41, 30}, {0, 0, 64, 48}},
      {"clipped at odd places", {3, 5, 60, 44}, {7, 9, 41, 30}},
      {"three pixels high", {2, 10, 50, 13}, {0, 0, 64, 48}},
      {"far beyond the surface", {-100000001, -50, 100000003, 60}, {1, 2, 63, 47}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    RenderSurface pair(64, 48), oneByOne(64, 48);
    for (RenderSurface* surface : {&pair, &oneByOne}) {
      surface->Fill(kGrey);
      ::IntersectClipRect(surface->dc(), c.clip.left, c.clip.top, c.clip.right, c.clip.bottom);
    }
    {
      CDC dc(pair.dc());
      CKnownClipBox known(pair.dc(), c.clip);
      DrawTrackerFramePair(&dc, c.outer);
    }
    {
      CDC dc(oneByOne.dc());
      RECT inner = c.outer;
      ::InflateRect(&inner, -1, -1);
      DrawTrackerFrame(&dc, c.outer);
      DrawTrackerFrame(&dc, inner);
    }
    EXPECT_EQ(pair.Pixels(), oneByOne.Pixels());
  }
}

// A pair of every small size, at both parities of its place, of the
// surface's origin and of the brush origin, whole or cut by the clip at odd
// places, inside a paint that knows the DC or not: the outer frame's pixels,
// then the inner one's over them.
TEST(TrackerFrame, APairOfAnySizeAndPlaceIsItsTwoFramesOneAfterTheOther) {
  constexpr int kW = 24, kH = 24;
  const RECT clips[] = {{0, 0, kW, kH}, {3, 4, 13, 11}, {6, 5, 9, 17}};
  int failures = 0;
  for (int width = 0; width <= 12 && failures < 5; ++width)
    for (int height = 0; height <= 12 && failures < 5; ++height)
      for (int place = 0; place < 4; ++place)
        for (int shift = 0; shift < 4; ++shift)
          for (const RECT& clip : clips)
            for (bool inPaint : {false, true}) {
              const POINT origin = {-(shift & 1), -(shift >> 1) * 3};
              const POINT brushOrigin = {shift, 5 - shift};
              const RECT outer = {2 + (place & 1), 3 + (place >> 1), 2 + (place & 1) + width,
                                  3 + (place >> 1) + height};
              RenderSurface surface(kW, kH);
              surface.Fill(kGrey);
              const int saved = ::SaveDC(surface.dc());
              ::IntersectClipRect(surface.dc(), clip.left, clip.top, clip.right, clip.bottom);
              ::SetWindowOrgEx(surface.dc(), origin.x, origin.y, nullptr);
              ::SetBrushOrgEx(surface.dc(), brushOrigin.x, brushOrigin.y, nullptr);
              {
                CDC dc(surface.dc());
                std::optional<CFramePaint> paint;
                if (inPaint) paint.emplace(surface.dc());
                DrawTrackerFramePair(&dc, outer);
              }
              ::RestoreDC(surface.dc(), saved);
              std::vector<DWORD> expected(kW * kH, kGrey);
              RECT inner = outer;
              ::InflateRect(&inner, -1, -1);
              PutDescribed(expected, kW, kH, origin, outer, clip);
              PutDescribed(expected, kW, kH, origin, inner, clip);
              if (surface.Pixels() == expected) continue;
              ++failures;
              ADD_FAILURE() << "pair " << outer.left << "," << outer.top << " " << width << " x " << height
                            << ", origin " << origin.x << "," << origin.y << ", clip " << clip.left << ","
                            << clip.top << "," << clip.right << "," << clip.bottom
                            << (inPaint ? ", in a paint" : "");
            }
}

// A paint open on one DC leaves the frames on another DC to what that DC
// says, and its own frames as they are drawn without it.
TEST(TrackerFrame, APaintAsksItsDcAtTheFirstFrameAndOnlyItsOwn) {
  RenderSurface painted(40, 40), other(40, 40), expected(40, 40);
  for (RenderSurface* s : {&painted, &other, &expected}) s->Fill(kGrey);
  const RECT frame = {3, 4, 20, 17};
  {
    CDC dc(painted.dc()), otherDc(other.dc());
    CFramePaint paint(painted.dc());
    DrawTrackerFramePair(&dc, frame);
    ::SetWindowOrgEx(other.dc(), -5, -6, nullptr);
    DrawTrackerFramePair(&otherDc, frame);  // its own origin, not the paint's
    EXPECT_EQ(CFramePaint::Of(other.dc()), nullptr);
    EXPECT_EQ(CFramePaint::Of(painted.dc()), &paint);
  }
  EXPECT_EQ(CFramePaint::Of(painted.dc()), nullptr);
  {
    CDC dc(expected.dc());
    DrawTrackerFramePair(&dc, frame);
  }
  EXPECT_EQ(painted.Pixels(), expected.Pixels());
  RenderSurface moved(40, 40);
  moved.Fill(kGrey);
  ::SetWindowOrgEx(moved.dc(), -5, -6, nullptr);
  {
    CDC dc(moved.dc());
    DrawTrackerFramePair(&dc, frame);
  }
  EXPECT_EQ(other.Pixels(), moved.Pixels());
}

}  // namespace
