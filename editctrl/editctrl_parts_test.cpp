// The window's pure parts: the snap rule and the advise holders.
#include <gtest/gtest.h>

#include "adviseholder.h"
#include "piceditwnd.h"

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
