// The ActiveX control object with the test control: attaching creates the
// control with the stored state, the state is taken back from it, the window
// follows the object; a class that is no offered control is never made.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "activexclasses.h"
#include "comptr.h"
#include "drawctrlocx.h"
#include "groupclasses.h"
#include "objtest_util.h"
#include "olecontainment.h"
#include "olecontrolwnd.h"
#include "oletext.h"
#include "testocx_ids.h"
#include "testing/dialogscript.h"
#include "testing/loadmarker.h"
#include "testocx_register.h"

namespace {

class OcxWindowTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_TRUE(StartTestOcx()); }
  static void TearDownTestSuite() { StopTestOcx(); }

  void SetUp() override {
    RegisterObjectClasses();
    RegisterGroupAndControlClasses();
    RegisterActiveXClasses();
    QelEnableControlContainer();
    view_ = NewTestParent(500, 400, true);
    ASSERT_NE(view_, nullptr);
    context_.hView = view_;
  }
  void TearDown() override { ::DestroyWindow(view_); }

  std::unique_ptr<CDrawCtrlOcx> Attached(const CLSID& clsid, BOOL runTime = TRUE,
                                         const std::vector<BYTE>& state = {}) {
    std::unique_ptr<CDrawCtrlOcx> ocx(new CDrawCtrlOcx(clsid));
    ocx->m_rect = CRectD(20, 30, 220, 130);
    if (!state.empty()) ocx->SetState(state.data(), static_cast<UINT>(state.size()));
    ocx->AttachView(&context_, runTime);
    return ocx;
  }

  HWND view_ = nullptr;
  DrawViewContext context_;
};

QComPtr<IDispatch> DispatchOf(CDrawCtrlOcx& ocx) {
  QComPtr<IDispatch> dispatch;
  dispatch.QueryFrom(ocx.GetControlUnknown(), IID_IDispatch);
  return dispatch;
}

HRESULT Put(IDispatch* dispatch, DISPID id, VARIANT value) {
  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS params = {&value, &named, 1, 1};
  return dispatch->Invoke(id, IID_NULL, 0, DISPATCH_PROPERTYPUT, &params, nullptr, nullptr, nullptr);
}

HRESULT PutText(CDrawCtrlOcx& ocx, const char* text) {
  VARIANT v;
  v.vt = VT_BSTR;
  v.bstrVal = BstrFromText(text);
  HRESULT hr = Put(DispatchOf(ocx).Get(), TOX_TEXT, v);
  ::VariantClear(&v);
  return hr;
}

CString TextOf(CDrawCtrlOcx& ocx) {
  DISPPARAMS none = {};
  VARIANT v;
  ::VariantInit(&v);
  if (FAILED(
          DispatchOf(ocx)->Invoke(TOX_TEXT, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &v, nullptr, nullptr)))
    return "<none>";
  CString text = TextFromBstr(v.bstrVal);
  ::VariantClear(&v);
  return text;
}

std::vector<BYTE> StateOf(const CDrawCtrlOcx& ocx) {
  return std::vector<BYTE>(ocx.GetStateData(), ocx.GetStateData() + ocx.GetStateLength());
}

RECT WindowRectIn(HWND window, HWND parent) {
  RECT r;
  ::GetWindowRect(window, &r);
  ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

TEST_F(OcxWindowTest, AttachingCreatesTheControlOverTheObjectsRectangle) {
  auto ocx = Attached(CLSID_QelTestOcx);
  ASSERT_NE(ocx->GetControlWnd(), nullptr);
  HWND window = ocx->GetControlWnd()->GetSafeHwnd();
  EXPECT_EQ(ocx->GetWindowObject(), ocx->GetControlWnd());
  EXPECT_EQ(::GetParent(window), view_);
  EXPECT_EQ(::GetDlgCtrlID(window), 0xFFFF);
  EXPECT_EQ(::GetWindowLongA(window, GWL_STYLE) & 0xFFFF0000, 0x54000000);
  RECT expected = {20, 30, 220, 130};
  RECT placed = WindowRectIn(window, view_);
  EXPECT_TRUE(::EqualRect(&placed, &expected));
  EXPECT_NE(ocx->GetControlWnd()->GetControlWindow(), nullptr);
  EXPECT_EQ(TextOf(*ocx), "测试") << "a new control without state";
  int windows = 0;
  ocx->CountWindows(windows);
  EXPECT_EQ(windows, 1);
  EXPECT_EQ(ocx->GetCtrlWnd(), nullptr) << "an ActiveX object gives no window to show or hide";
  // A second attach keeps the control.
  COleControlWnd* first = ocx->GetControlWnd();
  EXPECT_TRUE(ocx->AttachView(&context_, TRUE));
  EXPECT_EQ(ocx->GetControlWnd(), first);
}

// A picture may name any class: one that the control picker would not offer
// is never made, in the editor or at run time, and its state is kept as the
// picture stored it.
TEST_F(OcxWindowTest, AClassThatIsNoOfferedControlIsNotMadeAndItsStateIsKept) {
  const std::vector<BYTE> state = TestOcxSavedState("文档状态", RGB(1, 2, 3));
  ASSERT_FALSE(state.empty());
  const struct {
    CLSID clsid;
    BOOL runTime;
    const char* why;
  } cases[] = {
      {CLSID_QelTestOcxDocument, TRUE, "a document object at run time"},
      {CLSID_QelTestOcxDocument, FALSE, "a document object in the editor"},
      {CLSID_QelTestOcxPage, TRUE, "a property page"},
  };
  for (const auto& c : cases) {
    loadmarker::Armed marker;
    auto ocx = Attached(c.clsid, c.runTime, state);
    EXPECT_EQ(ocx->GetControlWnd(), nullptr) << c.why;
    EXPECT_EQ(::GetWindow(view_, GW_CHILD), nullptr) << c.why;
    EXPECT_FALSE(ocx->SaveControlState()) << c.why;
    EXPECT_EQ(StateOf(*ocx), state) << c.why;
    // Stored, loaded and attached again, stored again: the same bytes.
    const std::vector<BYTE> stored = objtest::FieldBytes(*ocx);
    CDrawCtrlOcx back;
    objtest::LoadFields(back, stored);
    back.AttachView(&context_, c.runTime);
    EXPECT_EQ(back.GetControlWnd(), nullptr) << c.why;
    EXPECT_EQ(objtest::FieldBytes(back), stored) << c.why;
    EXPECT_EQ(marker.Written(), "") << c.why << ": the class was asked for";
  }
}

TEST_F(OcxWindowTest, InTheEditorTheWindowIsDisabledAndTheControlInDesignMode) {
  auto ocx = Attached(CLSID_QelTestOcx, FALSE);
  ASSERT_NE(ocx->GetControlWnd(), nullptr);
  HWND window = ocx->GetControlWnd()->GetSafeHwnd();
  EXPECT_EQ(::GetWindowLongA(window, GWL_STYLE) & 0xFFFF0000, 0x5C000000);
  DISPPARAMS none = {};
  VARIANT v;
  ::VariantInit(&v);
  ASSERT_HRESULT_SUCCEEDED(
      DispatchOf(*ocx)->Invoke(TOX_USERMODE, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &v, nullptr, nullptr));
  EXPECT_EQ(v.boolVal, VARIANT_FALSE);
  ocx->EnableWnd(TRUE);
  EXPECT_TRUE(::IsWindowEnabled(window));
}

TEST_F(OcxWindowTest, TheStoredStateIsLoadedIntoTheControlAndTakenBackUnchanged) {
  auto first = Attached(CLSID_QelTestOcx);
  ASSERT_HRESULT_SUCCEEDED(PutText(*first, "状态文字"));
  ASSERT_TRUE(first->SaveControlState());
  const std::vector<BYTE> state = StateOf(*first);
  ASSERT_GT(state.size(), 16u);
  first.reset();

  auto second = Attached(CLSID_QelTestOcx, TRUE, state);
  ASSERT_NE(second->GetControlWnd(), nullptr);
  EXPECT_EQ(TextOf(*second), "状态文字");
  const std::vector<BYTE> stored = objtest::FieldBytes(*second);
  ASSERT_TRUE(second->SaveControlState());
  EXPECT_EQ(StateOf(*second), state);
  EXPECT_EQ(objtest::FieldBytes(*second), stored);
}

TEST_F(OcxWindowTest, ALongStateReachesTheControlWhole) {
  // The longest text the test control keeps: two mebibytes of state, handed
  // over in one block made at its full size.
  const std::string text(1u << 20, 'q');
  const std::vector<BYTE> state = TestOcxSavedState(text.c_str(), RGB(4, 5, 6));
  ASSERT_GT(state.size(), 2u << 20);
  auto ocx = Attached(CLSID_QelTestOcx, TRUE, state);
  ASSERT_NE(ocx->GetControlWnd(), nullptr);
  EXPECT_EQ(TextOf(*ocx).GetLength(), static_cast<int>(text.size()));
  ASSERT_TRUE(ocx->SaveControlState());
  EXPECT_EQ(StateOf(*ocx), state);
}

TEST_F(OcxWindowTest, StoringWritesTheStateLastTakenNotTheLiveOne) {
  auto ocx = Attached(CLSID_QelTestOcx);
  ASSERT_TRUE(ocx->SaveControlState());
  const std::vector<BYTE> taken = objtest::FieldBytes(*ocx);
  ASSERT_HRESULT_SUCCEEDED(PutText(*ocx, "改了"));
  EXPECT_EQ(objtest::FieldBytes(*ocx), taken);
  ASSERT_TRUE(ocx->SaveControlState());
  EXPECT_NE(objtest::FieldBytes(*ocx), taken);
}

TEST_F(OcxWindowTest, AFailedSaveKeepsTheOldState) {
  auto ocx = Attached(CLSID_QelTestOcx);
  ASSERT_TRUE(ocx->SaveControlState());
  const std::vector<BYTE> before = StateOf(*ocx);
  ASSERT_HRESULT_SUCCEEDED(PutText(*ocx, "不会保存"));
  VARIANT fail;
  fail.vt = VT_BOOL;
  fail.boolVal = VARIANT_TRUE;
  ASSERT_HRESULT_SUCCEEDED(Put(DispatchOf(*ocx).Get(), TOX_FAILSAVE, fail));
  EXPECT_FALSE(ocx->SaveControlState());
  EXPECT_EQ(StateOf(*ocx), before);
}

TEST_F(OcxWindowTest, AnUnregisteredClassMakesNoWindowAndIsStoredBackUnchanged) {
  const CLSID unknown = {0x0BADC0DE, 0x1111, 0x2222, {3, 4, 5, 6, 7, 8, 9, 10}};
  CDrawCtrlOcx original(unknown);
  original.m_rect = CRectD(5, 6, 105, 56);
  original.SetState("\x01\x02\x03 state", 10);
  const std::vector<BYTE> stored = objtest::FieldBytes(original);

  CDrawCtrlOcx back;
  objtest::LoadFields(back, stored);
  EXPECT_FALSE(back.AttachView(&context_, TRUE));
  EXPECT_EQ(back.GetControlWnd(), nullptr);
  EXPECT_EQ(::GetWindow(view_, GW_CHILD), nullptr);
  EXPECT_FALSE(back.SaveControlState());
  EXPECT_EQ(objtest::FieldBytes(back), stored);
}

TEST_F(OcxWindowTest, ShowAndHideFollowTheVisibleFlag) {
  auto ocx = Attached(CLSID_QelTestOcx);
  HWND window = ocx->GetControlWnd()->GetSafeHwnd();
  HWND control = ocx->GetControlWnd()->GetControlWindow();
  ocx->SetVisible(FALSE);
  EXPECT_FALSE(ocx->IsVisible());
  EXPECT_FALSE(::IsWindowVisible(window));
  EXPECT_FALSE(::IsWindowVisible(control));
  ocx->SetVisible(TRUE);
  EXPECT_TRUE(::IsWindowVisible(control));
}

TEST_F(OcxWindowTest, TheWindowBatchPlacesTheControlAtTheZoomedRectangle) {
  auto ocx = Attached(CLSID_QelTestOcx);
  ocx->SetViewTransform(POINT{10, 5}, 1.5);
  HDWP batch = ::BeginDeferWindowPos(1);
  ocx->DeferWindowPos(batch);
  ASSERT_NE(batch, nullptr);
  ::EndDeferWindowPos(batch);
  const RECT expected = ocx->RectToDevice(ocx->m_rect).ToRect();
  RECT placed = WindowRectIn(ocx->GetControlWnd()->GetSafeHwnd(), view_);
  EXPECT_TRUE(::EqualRect(&placed, &expected))
      << placed.left << "," << placed.top << "," << placed.right << "," << placed.bottom;
  RECT client;
  ::GetClientRect(ocx->GetControlWnd()->GetControlWindow(), &client);
  EXPECT_EQ(client.right, expected.right - expected.left);
  EXPECT_EQ(client.bottom, expected.bottom - expected.top);
}

TEST_F(OcxWindowTest, DestroyingTheObjectReleasesTheControlAndItsWindow) {
  auto ocx = Attached(CLSID_QelTestOcx);
  HWND window = ocx->GetControlWnd()->GetSafeHwnd();
  ClearTestOcxLog();
  ocx.reset();
  EXPECT_FALSE(::IsWindow(window));
  EXPECT_EQ(TestOcxLog(), "InPlaceDeactivate;Close;Unadvise;SetClientSite(null);Release;");
  EXPECT_EQ(TestOcxLiveObjects(), 0);
}

TEST_F(OcxWindowTest, AControlWithoutPagesSaysSoAndChangesNothing) {
  auto ocx = Attached(CLSID_QelTestOcxPlain, FALSE);
  ASSERT_NE(ocx->GetControlWnd(), nullptr);
  ocx->SetState("keep", 4);
  qeltest::DialogScript script;
  std::string message;
  script.OnAny([&](qeltest::DialogDriver& d) {
    message = d.MessageText();
    d.Press(IDOK);
  });
  int result = -1;
  script.Run([&] { result = ocx->ShowProperties(view_); });
  EXPECT_EQ(result, 0);
  EXPECT_EQ(message, "该ActiveX无属性页，请使用属性列表!");
  EXPECT_EQ(StateOf(*ocx), (std::vector<BYTE>{'k', 'e', 'e', 'p'}));
}

TEST_F(OcxWindowTest, ThePropertyPagesChangeTheStoredState) {
  auto ocx = Attached(CLSID_QelTestOcx, FALSE);
  ocx->m_strName = "ocx1";
  ASSERT_TRUE(ocx->SaveControlState());
  const std::vector<BYTE> before = StateOf(*ocx);
  qeltest::DialogScript script;
  script.On("OCX控件[ocx1]", [](qeltest::DialogDriver& d) {
    d.Type(kTestOcxPageEdit, "页面文字");
    d.Click(IDOK);
  });
  int result = -1;
  script.Run([&] { result = ocx->ShowProperties(view_); });
  EXPECT_EQ(result, 1);
  EXPECT_NE(StateOf(*ocx), before);

  // The stored state carries the change into the next control.
  CDrawCtrlOcx copy;
  objtest::LoadFields(copy, objtest::FieldBytes(*ocx));
  copy.m_rect = CRectD(0, 0, 50, 50);
  copy.AttachView(&context_, TRUE);
  ASSERT_NE(copy.GetControlWnd(), nullptr);
  EXPECT_EQ(TextOf(copy), "页面文字");
}

TEST_F(OcxWindowTest, ANamelessObjectsFrameIsCalledByItsKindAlone) {
  auto ocx = Attached(CLSID_QelTestOcx, FALSE);
  qeltest::DialogScript script;
  script.On("OCX控件", [](qeltest::DialogDriver& d) { d.Click(IDCANCEL); });
  int result = -1;
  script.Run([&] { result = ocx->ShowProperties(view_); });
  EXPECT_EQ(result, 1) << "the frame was shown: the editor counts that as a change";
}

}  // namespace
