// Control containment with the test control: creation by class identifier,
// in-place activation in a child window, state, resizing, hiding, ambient
// properties and the order of release.
#include <gtest/gtest.h>

#include <memory>

#include "comptr.h"
#include "olecontainment.h"
#include "olecontrolwnd.h"
#include "oletext.h"
#include "testocx_ids.h"
#include "testocx_register.h"

namespace {

const RECT kRect = {20, 30, 220, 130};

class OleControlTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_TRUE(StartTestOcx()); }
  static void TearDownTestSuite() { StopTestOcx(); }

  void SetUp() override {
    QelEnableControlContainer();
    parent_ = NewTestParent(400, 300, true);
    ASSERT_NE(parent_, nullptr);
    ClearTestOcxLog();
  }
  void TearDown() override {
    if (::IsWindow(parent_)) ::DestroyWindow(parent_);
  }

  OleControlParams Spec(const CLSID& clsid = CLSID_QelTestOcx) const {
    return OleControlParams{clsid, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, kRect, parent_, 0xFFFF};
  }

  HWND parent_ = nullptr;
};

// A property of the control through its IDispatch.
QComPtr<IDispatch> DispatchOf(const COleControlWnd& wnd) {
  QComPtr<IDispatch> dispatch;
  dispatch.QueryFrom(wnd.GetControlUnknown(), IID_IDispatch);
  return dispatch;
}

HRESULT GetProp(IDispatch* dispatch, DISPID id, VARIANT* out) {
  DISPPARAMS none = {};
  ::VariantInit(out);
  return dispatch->Invoke(id, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, out, nullptr, nullptr);
}

HRESULT PutText(IDispatch* dispatch, const char* text) {
  VARIANT value;
  value.vt = VT_BSTR;
  value.bstrVal = BstrFromText(text);
  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS params = {&value, &named, 1, 1};
  HRESULT hr =
      dispatch->Invoke(TOX_TEXT, IID_NULL, 0, DISPATCH_PROPERTYPUT, &params, nullptr, nullptr, nullptr);
  ::VariantClear(&value);
  return hr;
}

CString TextOf(IDispatch* dispatch) {
  VARIANT v;
  if (FAILED(GetProp(dispatch, TOX_TEXT, &v)) || v.vt != VT_BSTR) return "<none>";
  CString text = TextFromBstr(v.bstrVal);
  ::VariantClear(&v);
  return text;
}

RECT ClientOf(HWND window) {
  RECT r = {};
  ::GetClientRect(window, &r);
  return r;
}

TEST(OleContainmentTest, CreationIsRefusedUntilTheModuleEnablesContainment) {
  ASSERT_TRUE(StartTestOcx());
  HWND parent = NewTestParent(100, 100, false);
  OleControlParams params = {CLSID_QelTestOcx, "", WS_CHILD, kRect, parent, 1};
  EXPECT_FALSE(QelControlContainerEnabled());
  {
    COleControlWnd wnd;
    EXPECT_FALSE(wnd.CreateControl(params));
    EXPECT_EQ(wnd.GetSafeHwnd(), nullptr);
    EXPECT_EQ(wnd.GetControlUnknown(), nullptr);
  }
  QelEnableControlContainer();
  {
    COleControlWnd wnd;
    EXPECT_TRUE(wnd.CreateControl(params));
  }
  ::DestroyWindow(parent);
  StopTestOcx();
}

TEST_F(OleControlTest, TheControlIsActivatedInPlaceInAChildWindowOverTheRectangle) {
  COleControlWnd wnd;
  ASSERT_TRUE(wnd.CreateControl(Spec()));
  EXPECT_EQ(::GetParent(wnd.GetSafeHwnd()), parent_);
  EXPECT_EQ(wnd.GetDlgCtrlID(), 0xFFFF);
  RECT placed;
  wnd.GetWindowRect(&placed);
  ::MapWindowPoints(nullptr, parent_, reinterpret_cast<POINT*>(&placed), 2);
  EXPECT_TRUE(::EqualRect(&placed, &kRect));
  ASSERT_TRUE(wnd.IsInPlaceActive());
  HWND control = wnd.GetControlWindow();
  ASSERT_NE(control, nullptr);
  EXPECT_EQ(::GetParent(control), wnd.GetSafeHwnd());
  RECT expected = {0, 0, 200, 100};
  RECT client = ClientOf(control);
  EXPECT_TRUE(::EqualRect(&client, &expected));
  // A control that wants its site first gets it before it is initialised.
  EXPECT_EQ(TestOcxLog(), "SetClientSite;InitNew;InPlaceActivate;");
  EXPECT_TRUE(DispatchOf(wnd));
}

TEST_F(OleControlTest, AGivenStateIsLoadedInPlaceOfANewStart) {
  QComPtr<IStream> stream;
  ASSERT_HRESULT_SUCCEEDED(::CreateStreamOnHGlobal(nullptr, TRUE, stream.Out()));
  {
    COleControlWnd first;
    ASSERT_TRUE(first.CreateControl(Spec()));
    ASSERT_HRESULT_SUCCEEDED(PutText(DispatchOf(first).Get(), "保存的文字"));
    QComPtr<IPersistStreamInit> persist;
    ASSERT_HRESULT_SUCCEEDED(persist.QueryFrom(first.GetControlUnknown(), IID_IPersistStreamInit));
    ASSERT_HRESULT_SUCCEEDED(persist->Save(stream.Get(), TRUE));
  }
  LARGE_INTEGER start = {};
  stream->Seek(start, STREAM_SEEK_SET, nullptr);
  ClearTestOcxLog();
  OleControlParams params = Spec();
  params.state = stream.Get();
  COleControlWnd second;
  ASSERT_TRUE(second.CreateControl(params));
  EXPECT_EQ(TextOf(DispatchOf(second).Get()), "保存的文字");
  EXPECT_EQ(TestOcxLog(), "SetClientSite;Load;InPlaceActivate;");
}

TEST_F(OleControlTest, AStateThatDoesNotLoadLeavesTheControlNew) {
  QComPtr<IStream> stream;
  ASSERT_HRESULT_SUCCEEDED(::CreateStreamOnHGlobal(nullptr, TRUE, stream.Out()));
  stream->Write("garbage", 7, nullptr);
  LARGE_INTEGER start = {};
  stream->Seek(start, STREAM_SEEK_SET, nullptr);
  OleControlParams params = Spec();
  params.state = stream.Get();
  COleControlWnd wnd;
  ASSERT_TRUE(wnd.CreateControl(params));
  EXPECT_EQ(TextOf(DispatchOf(wnd).Get()), "测试");
  EXPECT_NE(TestOcxLog().find("InitNew"), std::string::npos);
}

TEST_F(OleControlTest, MovingAndSizingTheWindowPlacesTheControl) {
  COleControlWnd wnd;
  ASSERT_TRUE(wnd.CreateControl(Spec()));
  wnd.MoveWindow(5, 6, 120, 70);
  RECT expected = {0, 0, 120, 70};
  RECT client = ClientOf(wnd.GetControlWindow());
  EXPECT_TRUE(::EqualRect(&client, &expected));
}

TEST_F(OleControlTest, HidingAndShowingTheWindowHidesAndShowsTheControl) {
  COleControlWnd wnd;
  ASSERT_TRUE(wnd.CreateControl(Spec()));
  HWND control = wnd.GetControlWindow();
  ASSERT_TRUE(::IsWindowVisible(control));
  wnd.ShowWindow(SW_HIDE);
  EXPECT_FALSE(::IsWindowVisible(control));
  wnd.ShowWindow(SW_SHOW);
  EXPECT_TRUE(::IsWindowVisible(control));
}

TEST_F(OleControlTest, AnUnregisteredClassMakesNoWindow) {
  const CLSID unknown = {0x12345678, 0x1234, 0x1234, {1, 2, 3, 4, 5, 6, 7, 8}};
  COleControlWnd wnd;
  EXPECT_FALSE(wnd.CreateControl(Spec(unknown)));
  EXPECT_EQ(wnd.GetSafeHwnd(), nullptr);
  EXPECT_EQ(::GetWindow(parent_, GW_CHILD), nullptr);
}

TEST_F(OleControlTest, AClassThatIsNoOleObjectIsRefusedAndReleased) {
  COleControlWnd wnd;
  EXPECT_FALSE(wnd.CreateControl(Spec(CLSID_QelTestOcxPage)));
  EXPECT_EQ(wnd.GetSafeHwnd(), nullptr);
  EXPECT_EQ(wnd.GetControlUnknown(), nullptr);
  EXPECT_EQ(TestOcxLiveObjects(), 0);
}

TEST_F(OleControlTest, ReleaseDeactivatesThenClosesThenReleases) {
  COleControlWnd wnd;
  ASSERT_TRUE(wnd.CreateControl(Spec()));
  HWND control = wnd.GetControlWindow();
  ClearTestOcxLog();
  wnd.ReleaseControl();
  EXPECT_EQ(TestOcxLog(), "InPlaceDeactivate;Close;Unadvise;SetClientSite(null);Release;");
  EXPECT_FALSE(::IsWindow(control));
  EXPECT_EQ(wnd.GetSafeHwnd(), nullptr);
  EXPECT_EQ(wnd.GetControlUnknown(), nullptr);
  EXPECT_EQ(TestOcxLiveObjects(), 0);
}

TEST_F(OleControlTest, TheDestructorAndTheParentsEndReleaseTheControlToo) {
  {
    COleControlWnd wnd;
    ASSERT_TRUE(wnd.CreateControl(Spec()));
  }
  EXPECT_EQ(TestOcxLiveObjects(), 0);
  COleControlWnd wnd;
  ASSERT_TRUE(wnd.CreateControl(Spec()));
  ClearTestOcxLog();
  ::DestroyWindow(parent_);
  EXPECT_EQ(TestOcxLog(), "InPlaceDeactivate;Close;Unadvise;SetClientSite(null);Release;");
  EXPECT_EQ(TestOcxLiveObjects(), 0);
  EXPECT_EQ(wnd.GetSafeHwnd(), nullptr);
}

TEST_F(OleControlTest, TheAmbientUserModeIsTheContainers) {
  for (bool userMode : {true, false}) {
    OleControlParams params = Spec();
    params.userMode = userMode;
    COleControlWnd wnd;
    ASSERT_TRUE(wnd.CreateControl(params));
    VARIANT v;
    ASSERT_HRESULT_SUCCEEDED(GetProp(DispatchOf(wnd).Get(), TOX_USERMODE, &v));
    EXPECT_EQ(v.vt, VT_BOOL);
    EXPECT_EQ(v.boolVal != VARIANT_FALSE, userMode);
  }
}

TEST_F(OleControlTest, ADisabledWindowKeepsMouseInputFromTheControl) {
  OleControlParams params = Spec();
  params.style |= WS_DISABLED;
  COleControlWnd wnd;
  ASSERT_TRUE(wnd.CreateControl(params));
  POINT inside = {kRect.left + 50, kRect.top + 50};
  ::ClientToScreen(parent_, &inside);
  HWND hit = ::WindowFromPoint(inside);
  EXPECT_NE(hit, wnd.GetControlWindow());
  EXPECT_NE(hit, wnd.GetSafeHwnd());
}

}  // namespace
