// The property frame of hosted controls, driven as the engineer would: the
// test control's page in our own frame, its changes applied with OK or Apply,
// dropped with Cancel.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "comptr.h"
#include "olecontainment.h"
#include "olecontrolwnd.h"
#include "olepropframe.h"
#include "oletext.h"
#include "testing/dialogscript.h"
#include "testocx_ids.h"
#include "testocx_register.h"

namespace {

// The Apply button of a property sheet.
constexpr int kApplyButton = 0x3021;

class OlePropFrameTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_TRUE(StartTestOcx()); }
  static void TearDownTestSuite() { StopTestOcx(); }

  void SetUp() override {
    QelEnableControlContainer();
    parent_ = NewTestParent(300, 200, true);
    OleControlParams params = {CLSID_QelTestOcx, "", WS_CHILD | WS_VISIBLE, RECT{0, 0, 200, 100}, parent_, 1};
    ASSERT_TRUE(control_.CreateControl(params));
    ClearTestOcxLog();
  }
  void TearDown() override {
    control_.ReleaseControl();
    ::DestroyWindow(parent_);
  }

  HRESULT ShowFrame(const CLSID* pages, ULONG count) {
    CAUUID list = {count, const_cast<CLSID*>(pages)};
    return QelShowPropertyFrame(parent_, "测试控件[一号]", control_.GetControlUnknown(), list,
                                ::GetUserDefaultLCID());
  }

  CString Text() {
    QComPtr<IDispatch> dispatch;
    dispatch.QueryFrom(control_.GetControlUnknown(), IID_IDispatch);
    DISPPARAMS none = {};
    VARIANT v;
    ::VariantInit(&v);
    dispatch->Invoke(TOX_TEXT, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &v, nullptr, nullptr);
    CString text = TextFromBstr(v.bstrVal);
    ::VariantClear(&v);
    return text;
  }

  HWND parent_ = nullptr;
  COleControlWnd control_;
};

TEST_F(OlePropFrameTest, ThePageShowsTheControlsStateAndOkAppliesTheChange) {
  qeltest::DialogScript script;
  HRESULT hr = E_UNEXPECTED;
  script.On("测试控件[一号]", [](qeltest::DialogDriver& d) {
    ASSERT_TRUE(d.IsSheet());
    EXPECT_EQ(d.Text(kTestOcxPageEdit), "测试");
    EXPECT_FALSE(d.IsEnabled(kApplyButton));
    d.Type(kTestOcxPageEdit, "新的文字");
    EXPECT_TRUE(d.IsEnabled(kApplyButton)) << "the page told the frame it changed";
    d.Click(IDOK);
  });
  script.Run([&] { hr = ShowFrame(&CLSID_QelTestOcxPage, 1); });
  EXPECT_EQ(hr, S_OK);
  EXPECT_EQ(Text(), "新的文字");
  EXPECT_EQ(TestOcxLog(), "PageActivate;PageApply;");
}

TEST_F(OlePropFrameTest, TheTabCarriesThePagesTitleAndTheFrameStandsAtItsOwnersOrigin) {
  ::SetWindowPos(parent_, nullptr, 100, 80, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  qeltest::DialogScript script;
  std::string tab;
  RECT frame = {};
  script.On("测试控件[一号]", [&](qeltest::DialogDriver& d) {
    ::GetWindowRect(d.Window(), &frame);
    HWND tabs = ::FindWindowExA(d.Window(), nullptr, "SysTabControl32", nullptr);
    ASSERT_NE(tabs, nullptr);
    char text[64] = "";
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    ::SendMessageA(tabs, TCM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    tab = text;
    d.Click(IDCANCEL);
  });
  script.Run([&] { ShowFrame(&CLSID_QelTestOcxPage, 1); });
  EXPECT_EQ(tab, "常规");
  EXPECT_EQ(frame.left, 100);
  EXPECT_EQ(frame.top, 80);
}

TEST_F(OlePropFrameTest, ApplyTakesTheChangeAtOnceAndCancelDropsTheRest) {
  qeltest::DialogScript script;
  HRESULT hr = E_UNEXPECTED;
  CString afterApply;
  script.On("测试控件[一号]", [&](qeltest::DialogDriver& d) {
    d.Type(kTestOcxPageEdit, "应用");
    d.Click(kApplyButton);
  });
  script.On("测试控件[一号]", [&](qeltest::DialogDriver& d) {
    afterApply = Text();
    d.Type(kTestOcxPageEdit, "取消");
    d.Click(IDCANCEL);
  });
  script.Run([&] { hr = ShowFrame(&CLSID_QelTestOcxPage, 1); });
  EXPECT_EQ(hr, S_OK) << "the frame was shown and closed";
  EXPECT_EQ(afterApply, "应用");
  EXPECT_EQ(Text(), "应用");
}

TEST_F(OlePropFrameTest, PagesThatCannotBeMadeGiveNoFrame) {
  const CLSID none[] = {CLSID_QelTestOcx, {0x0BADC0DE, 1, 2, {3, 4, 5, 6, 7, 8, 9, 10}}};
  qeltest::DialogScript script;
  HRESULT hr = S_OK;
  script.Run([&] { hr = ShowFrame(none, 2); });
  EXPECT_TRUE(FAILED(hr));
  EXPECT_TRUE(script.Seen().empty());
  EXPECT_TRUE(FAILED(
      QelShowPropertyFrame(parent_, "x", nullptr, CAUUID{1, const_cast<CLSID*>(&CLSID_QelTestOcxPage)}, 0)));
}

TEST_F(OlePropFrameTest, ThePagesLetGoOfTheControlWhenTheFrameCloses) {
  qeltest::DialogScript script;
  script.On("测试控件[一号]", [](qeltest::DialogDriver& d) { d.Click(IDCANCEL); });
  script.Run([&] { ShowFrame(&CLSID_QelTestOcxPage, 1); });
  control_.ReleaseControl();
  EXPECT_EQ(TestOcxLiveObjects(), 0) << "page and control released";
}

}  // namespace
