// The window's pure parts: the snap rule, the view rules both picture windows
// share, and the advise holders.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "adviseholder.h"
#include "picgrid.h"
#include "piceditwnd.h"
#include "picviewmap.h"

namespace {

TEST(SnapCoordTest, RoundsToTheGridByTheRemainderOfTheTruncatedValue) {
  const struct {
    double v;
    int expected;
  } cases[] = {{12.9, 8}, {13.0, 16}, {12, 8}, {-13, -8},  {-12.9, -8}, {-7, 0},  {0, 0},    {4.99, 0},
               {5, 8},    {7, 8},     {8, 8},  {16.4, 16}, {20.9, 16},  {21, 24}, {-21, -16}};
  for (const auto& c : cases) EXPECT_EQ(SnapCoord(c.v), c.expected) << c.v;
}

TEST(ViewRulesTest, OriginStaysInsideItsRange) {
  const struct {
    int origin, range, page, expected;
  } cases[] = {{0, 1000, 300, 0},     {500, 1000, 300, 500}, {699, 1000, 300, 699}, {700, 1000, 300, 700},
               {800, 1000, 300, 700}, {250, 300, 300, 0},    {250, 200, 300, 0},    {-5, 0, 0, 0}};
  for (const auto& c : cases)
    EXPECT_EQ(qelview::ClampOrigin(c.origin, c.range, c.page), c.expected)
        << c.origin << " " << c.range << " " << c.page;
}

TEST(ViewRulesTest, ScrollRangeIsTheZoomedSizeHeldInsideTheBarsIntegers) {
  const struct {
    int size;
    double zoom;
    int expected;
  } cases[] = {{960, 2.0, 1920},
               {680, 1.0, 680},
               {999, 0.5, 499},
               {960, 1e7, 2147483647},
               {-10, 1.0, 0},
               {0, 3.0, 0},
               {2147483647, 1.0, 2147483647}};
  for (const auto& c : cases)
    EXPECT_EQ(qelview::ScrollRangeOf(c.size, c.zoom), c.expected) << c.size << " x " << c.zoom;
}

TEST(ViewRulesTest, TopOriginWithinOnePageSettlesAtTheTop) {
  EXPECT_EQ(qelview::SettleTopOrigin(300, 300), 0);
  EXPECT_EQ(qelview::SettleTopOrigin(1, 300), 0);
  EXPECT_EQ(qelview::SettleTopOrigin(301, 300), 301);
}

TEST(ViewRulesTest, DeviceMapsToPictureThroughOriginAndZoom) {
  const CPointD point = qelview::DeviceToPicture(POINT{10, 30}, POINT{90, 70}, 2.0);
  EXPECT_DOUBLE_EQ(point.x, 50.0);
  EXPECT_DOUBLE_EQ(point.y, 50.0);
  const ViewInfo info = qelview::ViewInfoOf(POINT{90, 70}, 2.0, 200);
  EXPECT_DOUBLE_EQ(info.x, 45.0);
  EXPECT_DOUBLE_EQ(info.y, 35.0);
  EXPECT_EQ(info.zoom, 200);
  EXPECT_EQ(info.zero, 0u);
}

// ---- the grid's dots ---------------------------------------------------------------

// Every dot of the axis mapped as the window maps any picture point, the
// ones inside [lo, hi), each coordinate once: what the grid used to visit dot
// by dot.
std::vector<int> DotsOneByOne(int count, double zoom, int origin, int lo, int hi) {
  std::set<int> inside;
  for (int i = 1; i <= count; ++i) {
    const int c = static_cast<int>(i * 8 * zoom - origin + 0.5);
    if (c >= lo && c < hi) inside.insert(c);
  }
  return std::vector<int>(inside.begin(), inside.end());
}

TEST(GridDotsTest, AreTheDotsInsideThePaintedAreaEachOnce) {
  const struct {
    int count;
    double zoom;
    int origin, lo, hi;
  } cases[] = {
      {120, 1.0, 0, 0, 500},     {120, 1.0, 0, 17, 95},     {120, 2.0, 300, 0, 500},  {120, 0.25, 0, 0, 500},
      {120, 0.1, 0, 0, 500},     {120, 0.01, 3, 0, 500},    {120, 3.7, -40, -20, 80}, {120, 0.0, -5, 0, 10},
      {120, -1.0, -960, 0, 500}, {120, -0.3, -200, 0, 500}, {0, 1.0, 0, 0, 500},      {120, 1.0, 0, 500, 500},
      {120, 1.0, 5000, 0, 500},  {1, 1.0, 0, 8, 9},
  };
  for (const auto& c : cases)
    EXPECT_EQ(GridDotCoords(c.count, 8, c.zoom, c.origin, c.lo, c.hi),
              DotsOneByOne(c.count, c.zoom, c.origin, c.lo, c.hi))
        << c.count << " @" << c.zoom << " origin " << c.origin << " [" << c.lo << ", " << c.hi << ")";
}

TEST(GridDotsTest, AHugePictureYieldsOnlyThePaintedAreasDots) {
  // 62,914,815 x 44,564,480 pixels: 7,864,351 dots across.
  const int across = 62914815 / 8;
  const std::vector<int> xs = GridDotCoords(across, 8, 1.0, 1000000, 0, 500);
  ASSERT_EQ(xs.size(), 63u);  // the dots at 1,000,000 ... 1,000,496 show
  EXPECT_EQ(xs.front(), 0);
  EXPECT_EQ(xs.back(), 496);
  // Zoomed far out every pixel holds a dot; there are no more than pixels.
  EXPECT_EQ(GridDotCoords(across, 8, 0.001, 0, 0, 500).size(), 500u);
  // Scrolled to the end at zoom 4: the last dot lies at 4 x 62,914,808.
  const int origin = 4 * 62914808 - 499;
  const std::vector<int> end = GridDotCoords(across, 8, 4.0, origin, 0, 500);
  ASSERT_FALSE(end.empty());
  EXPECT_EQ(end.back(), 499);
  EXPECT_EQ(end.size(), 16u);
}

// A connection point that counts what is done to it.
class CountingPoint : public IConnectionPoint {
 public:
  ULONG refs = 1;
  int unadvised = 0;
  DWORD lastCookie = 0;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override {
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
  ULONG STDMETHODCALLTYPE Release() override { return --refs; }
  HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer**) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Advise(IUnknown*, DWORD*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override {
    ++unadvised;
    lastCookie = cookie;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections**) override { return E_NOTIMPL; }
};

TEST(AdviseHolderTest, DestructionRevokesTheCookieThenReleases) {
  CountingPoint point;
  {
    CConnectionAdviseHolder holder(&point);
    EXPECT_EQ(point.refs, 2u);
    holder.m_dwCookie = 77;
  }
  EXPECT_EQ(point.unadvised, 1);
  EXPECT_EQ(point.lastCookie, 77u);
  EXPECT_EQ(point.refs, 1u);
}

TEST(AdviseHolderTest, NoCookieNoRevoke) {
  CountingPoint point;
  { CConnectionAdviseHolder holder(&point); }
  EXPECT_EQ(point.unadvised, 0);
  EXPECT_EQ(point.refs, 1u);
}

TEST(AdviseHolderTest, CookieWithoutInterfaceRaisesEPointerButNeverFromTheDestructor) {
  CConnectionAdviseHolder holder(nullptr);
  holder.m_dwCookie = 5;
  try {
    holder.Revoke();
    ADD_FAILURE() << "no error raised";
  } catch (const CAdviseError& e) {
    EXPECT_EQ(e.hr, E_POINTER);
  }
  auto* dying = new CConnectionAdviseHolder(nullptr);
  dying->m_dwCookie = 9;
  EXPECT_NO_THROW(delete dying);
}

}  // namespace
