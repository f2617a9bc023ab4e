// The window's pure parts: the snap rule, the view rules both picture windows
// share, and the advise holders.
#include <gtest/gtest.h>

#include "adviseholder.h"
#include "piceditwnd.h"
#include "picviewmap.h"

namespace {

TEST(SnapCoordTest, RoundsToTheGridByTheRemainderOfTheTruncatedValue) {
  const struct {
    double v;
    int expected;
  } cases[] = {{12.9, 8}, {13.0, 16}, {12, 8},  {-13, -8}, {-12.9, -8}, {-7, 0},
               {0, 0},    {4.99, 0},  {5, 8},   {7, 8},    {8, 8},      {16.4, 16},
               {20.9, 16}, {21, 24},  {-21, -16}};
  for (const auto& c : cases) EXPECT_EQ(SnapCoord(c.v), c.expected) << c.v;
}

TEST(ViewRulesTest, OriginStaysInsideItsRange) {
  const struct {
    int origin, range, page, expected;
  } cases[] = {{0, 1000, 300, 0},     {500, 1000, 300, 500}, {699, 1000, 300, 699},
               {700, 1000, 300, 700}, {800, 1000, 300, 700}, {250, 300, 300, 0},
               {250, 200, 300, 0},    {-5, 0, 0, 0}};
  for (const auto& c : cases)
    EXPECT_EQ(qelview::ClampOrigin(c.origin, c.range, c.page), c.expected)
        << c.origin << " " << c.range << " " << c.page;
}

TEST(ViewRulesTest, ScrollRangeIsTheZoomedSizeHeldInsideTheBarsIntegers) {
  const struct {
    int size;
    double zoom;
    int expected;
  } cases[] = {{960, 2.0, 1920},         {680, 1.0, 680},        {999, 0.5, 499},
               {960, 1e7, 2147483647},   {-10, 1.0, 0},          {0, 3.0, 0},
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
