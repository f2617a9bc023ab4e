// The invalidations gathered over a tick leave the same update region as the
// same invalidations made one by one, followed by the dirty rectangle.
#include "tickrepaint.h"

#include <gtest/gtest.h>

#include <vector>

#include "gdiwrap.h"
#include "tickscope.h"

namespace {

// A shown window with nothing to repaint. It lies off the screen, so that no
// other program's window uncovers it while a test reads its update region.
class ShownWindow {
 public:
  ShownWindow() {
    m_hwnd = ::CreateWindowA("STATIC", "", WS_POPUP | WS_VISIBLE, -3000, -3000, 300, 200, nullptr, nullptr,
                             ::GetModuleHandleA(nullptr), nullptr);
    ::UpdateWindow(m_hwnd);
    ::ValidateRect(m_hwnd, nullptr);
  }
  ~ShownWindow() { ::DestroyWindow(m_hwnd); }
  HWND hwnd() const { return m_hwnd; }

  // The update region, empty when nothing is to be repainted.
  void UpdateRegion(CRgn& out) const {
    out.CreateRectRgn(0, 0, 0, 0);
    ::GetUpdateRgn(m_hwnd, out, FALSE);
  }

 private:
  HWND m_hwnd;
};

// The windows of these tests answer no request.
class NoAnswers : public CTickScope::Answerer {
 public:
  LRESULT AnswerRequest(UINT, WPARAM, LPARAM) override { return 1; }
};

bool SameRegion(const CRgn& a, const CRgn& b) { return ::EqualRgn(a, b) != FALSE; }

struct Case {
  const char* rule;
  std::vector<RECT> asked;  // what the scripts invalidate, in order
  RECT dirty;               // the links' dirty rectangle at the end of the tick
};

const Case kCases[] = {
    {"apart, no dirty rectangle", {{10, 10, 30, 30}, {200, 150, 220, 170}}, {0, 0, 0, 0}},
    {"the same area twice", {{10, 10, 30, 30}, {10, 10, 30, 30}}, {0, 0, 0, 0}},
    {"overlapping", {{10, 10, 60, 60}, {40, 40, 90, 90}, {50, 0, 70, 120}}, {0, 0, 0, 0}},
    {"one inside the dirty rectangle, one reaching out",
     {{20, 20, 30, 30}, {90, 90, 150, 150}},
     {10, 10, 100, 100}},
    {"all inside the dirty rectangle", {{20, 20, 30, 30}, {40, 40, 50, 50}}, {10, 10, 100, 100}},
    {"corners the other way round", {{60, 60, 20, 20}, {30, 90, 10, 70}}, {0, 0, 0, 0}},
    {"empty areas", {{20, 20, 20, 50}, {5, 5, 5, 5}}, {100, 100, 120, 120}},
    {"outside the client area", {{-20, -20, 10, 10}, {290, 190, 400, 300}}, {0, 0, 0, 0}},
    {"the dirty rectangle alone", {}, {30, 40, 50, 60}},
    {"nothing at all", {}, {0, 0, 0, 0}},
    {"one area alone", {{30, 40, 50, 60}}, {0, 0, 0, 0}},
};

TEST(TickRepaint, OneInvalidationCoversTheSamePixelsAsEachOneByOne) {
  for (const Case& c : kCases) {
    ShownWindow oneByOne, gathered;
    for (const RECT& r : c.asked) ::InvalidateRect(oneByOne.hwnd(), &r, TRUE);
    if (!::IsRectEmpty(&c.dirty)) ::InvalidateRect(oneByOne.hwnd(), &c.dirty, TRUE);

    CTickRepaint repaint;
    NoAnswers answers;
    {
      CTickScope tick(gathered.hwnd(), repaint, answers);
      for (const RECT& r : c.asked) CTickRepaint::Invalidate(gathered.hwnd(), r);
      CRgn meanwhile;
      gathered.UpdateRegion(meanwhile);
      RECT box;
      EXPECT_EQ(::GetRgnBox(meanwhile, &box), NULLREGION) << c.rule << ": nothing before the end";
    }
    repaint.Flush(gathered.hwnd(), c.dirty);
    EXPECT_TRUE(repaint.Gathered().empty()) << c.rule;

    CRgn expected, actual;
    oneByOne.UpdateRegion(expected);
    gathered.UpdateRegion(actual);
    EXPECT_TRUE(SameRegion(expected, actual)) << c.rule;
  }
}

TEST(TickRepaint, OnlyTheWindowsOfRunningTicksGatherAndOnlyMeanwhile) {
  ShownWindow outerWnd, innerWnd, other;
  CTickRepaint outer, inner;
  NoAnswers answers;
  const RECT a = {10, 10, 20, 20}, b = {50, 50, 60, 60}, c = {100, 100, 110, 110};
  {
    CTickScope outerTick(outerWnd.hwnd(), outer, answers);
    CTickRepaint::Invalidate(outerWnd.hwnd(), a);
    {
      CTickScope innerTick(innerWnd.hwnd(), inner, answers);
      CTickRepaint::Invalidate(innerWnd.hwnd(), b);
      CTickRepaint::Invalidate(outerWnd.hwnd(), c);  // its tick still runs
      CTickRepaint::Invalidate(other.hwnd(), a);     // runs no tick: at once
    }
    CTickRepaint::Invalidate(innerWnd.hwnd(), c);  // its tick has ended: at once
  }
  CTickRepaint::Invalidate(outerWnd.hwnd(), b);  // after the tick: at once

  ASSERT_EQ(inner.Gathered().size(), 1u);
  EXPECT_TRUE(::EqualRect(&inner.Gathered()[0], &b));
  ASSERT_EQ(outer.Gathered().size(), 2u);
  EXPECT_TRUE(::EqualRect(&outer.Gathered()[0], &a));
  EXPECT_TRUE(::EqualRect(&outer.Gathered()[1], &c));
  const struct {
    const ShownWindow& window;
    RECT update;
  } kAtOnce[] = {{other, a}, {innerWnd, c}, {outerWnd, b}};
  for (const auto& w : kAtOnce) {
    RECT update = {};
    EXPECT_TRUE(::GetUpdateRect(w.window.hwnd(), &update, FALSE));
    EXPECT_TRUE(::EqualRect(&update, &w.update));
  }
}

}  // namespace
