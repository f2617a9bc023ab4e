// The ActiveX host functions with the test control, from scripts compiled by
// the real compiler: gets, puts and method calls, texts both ways, and the
// calls that end the run with their codes (a class that is no offered
// control among them).
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>

#include "activex/drawctrlocx.h"
#include "drawrect.h"
#include "olecontainment.h"
#include "olecontrolwnd.h"
#include "picobj.h"
#include "pichost.h"
#include "testing/loadmarker.h"
#include "testocx_ids.h"
#include "testocx_register.h"
#include "vm_test_util.h"
#include "vmcodes.h"

namespace {

class OcxHostTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_TRUE(StartTestOcx()); }
  static void TearDownTestSuite() { StopTestOcx(); }

  OcxHostTest() {
    QelEnableControlContainer();
    view = NewTestParent(400, 300, false);
    context.pPicture = &picture;
    context.hView = view;
    picture.EnsureLayer();
    box = new CDrawRect();
    box->m_strName = "box";
    box->SetCorners(CRectD(0, 0, 100, 50));
    Add(box);
    ocx = AddControl("ocx", CLSID_QelTestOcx);
    AddControl("bare", CLSID_QelTestOcxBare);
    AddControl("dead", CLSID{0x0BADC0DE, 1, 2, {3, 4, 5, 6, 7, 8, 9, 10}});
  }
  ~OcxHostTest() override {
    host.reset();
    picture.GetLayer(0)->m_objects.RemoveAll();
    for (CDrawObj* obj : owned) delete obj;
    ::DestroyWindow(view);
  }

  void Add(CDrawObj* obj) {
    picture.GetLayer(0)->m_objects.AddTail(obj);
    owned.push_back(obj);
  }
  CDrawCtrlOcx* AddControl(const char* name, const CLSID& clsid) {
    auto* obj = new CDrawCtrlOcx(clsid);
    obj->m_strName = name;
    obj->m_rect = CRectD(10, 10, 110, 60);
    obj->AttachView(&context, TRUE);
    Add(obj);
    return obj;
  }

  // Runs a script whose owner is the box; the run's end code.
  int Run(const std::string& source) {
    DrawViewContext run = context;
    run.pObject = box;
    host.reset(new CPicScriptHost(run));
    std::vector<uint8_t> code = CompileScript(source);
    int rc = host->Load(code.data(), code.size());
    EXPECT_EQ(rc, 0);
    return rc ? rc : host->Run();
  }
  // Global cell i of the last run (a zero cell when the script never loaded).
  const VmCell& Cell(uint32_t i) {
    static const VmCell none;
    VmVariables* globals = host ? host->State().globals.get() : nullptr;
    const VmCell* c = globals ? globals->Cell(i) : nullptr;
    EXPECT_NE(c, nullptr) << "global " << i;
    return c ? *c : none;
  }
  int32_t Global(uint32_t i) {
    int64_t v = 0;
    CellToInt64(Cell(i), &v);
    return static_cast<int32_t>(v);
  }
  double GlobalDouble(uint32_t i) {
    double v = 0;
    CellToDouble(Cell(i), &v);
    return v;
  }
  std::string GlobalText(uint32_t i) {
    size_t length = 0;
    const uint32_t address = Low32(Cell(i).value);
    if (!host || !host->State().memory.StringLength(address, &length)) return "<no text>";
    return std::string(reinterpret_cast<const char*>(static_cast<uintptr_t>(address)), length);
  }

  HWND view = nullptr;
  DrawViewContext context;
  CPicObj picture;
  CDrawRect* box = nullptr;
  CDrawCtrlOcx* ocx = nullptr;
  std::vector<CDrawObj*> owned;
  std::unique_ptr<CPicScriptHost> host;
};

TEST_F(OcxHostTest, GetSetAndInvokeReachTheControl) {
  ASSERT_NE(ocx->GetControlWnd(), nullptr);
  ASSERT_EQ(Run("char s[32]; int n; int r1; int r2; int r3; int sum; int main() {"
                " r1 = ocx_GetVal(\"ocx\", \"Text\", s);"
                " r2 = ocx_SetVal(\"ocx\", \"Text\", &n, \"新值\");"
                " r3 = ocx_GetVal(\"ocx\", \"Length\", &n);"
                " ocx_Invoke(\"ocx\", \"Add\", &sum, 2, 40); return 0; }"),
            kVmNormalEnd);
  EXPECT_EQ(GlobalText(0), "测试");
  EXPECT_EQ(Global(2) + Global(3) + Global(4), 3) << "each call answers 1";
  EXPECT_EQ(Global(1), 2) << "the text put as text: two characters";
  EXPECT_EQ(Global(5), 42);
}

TEST_F(OcxHostTest, TextArgumentsArriveAsTextsAndTextResultsAreCutToTheirRoom) {
  ASSERT_EQ(Run("char s[32]; char small[5]; char *p; int main() { p = \"ab\";"
                " ocx_Invoke(\"ocx\", \"Repeat\", s, p, 3);"
                " ocx_Invoke(\"ocx\", \"Repeat\", small, \"中文字\", 2); return 0; }"),
            kVmNormalEnd);
  EXPECT_EQ(GlobalText(0), "ababab");
  EXPECT_EQ(GlobalText(1), "中文") << "four bytes and the zero";
}

TEST_F(OcxHostTest, ResultsGoIntoEachDestinationType) {
  ASSERT_EQ(Run("double d; float f; int64 q; short h; char c; int main() {"
                " ocx_SetVal(\"ocx\", \"Factor\", &c, 2.5);"
                " ocx_GetVal(\"ocx\", \"Factor\", &d); ocx_GetVal(\"ocx\", \"Factor\", &f);"
                " ocx_GetVal(\"ocx\", \"Version\", &q); ocx_GetVal(\"ocx\", \"Version\", &h);"
                " ocx_GetVal(\"ocx\", \"Version\", &c); return 0; }"),
            kVmNormalEnd);
  EXPECT_DOUBLE_EQ(GlobalDouble(0), 2.5);
  EXPECT_DOUBLE_EQ(GlobalDouble(1), 2.5);
  EXPECT_EQ(Global(2), 3);
  EXPECT_EQ(Global(3), 3);
  EXPECT_EQ(Global(4), 3);
}

TEST_F(OcxHostTest, RefusedCallsEndTheRunWithTheirCodes) {
  const struct {
    const char* call;
    int code;
  } cases[] = {
      {"ocx_SetVal(\"ocx\", \"Length\", &n, 5)", kSysOcxUnresolved},     // a get-only property
      {"ocx_SetVal(\"ocx\", \"Version\", &n, 5)", kSysOcxUnresolved},    // a read-only variable
      {"ocx_Invoke(\"ocx\", \"Add\", &n, 1)", kSysOcxUnresolved},        // too few arguments
      {"ocx_Invoke(\"ocx\", \"Add\", &n, 1, 2, 3)", kSysOcxUnresolved},  // too many
      {"ocx_GetVal(\"ocx\", \"Nothing\", &n)", kSysOcxUnresolved},
      {"ocx_GetVal(\"bare\", \"Text\", &n)", kSysOcxUnresolved},  // no type information
      {"ocx_Invoke(\"ocx\", \"Fail\", &n)", kSysOcxCallFailed},
      {"ocx_GetVal(\"ocx\", \"Text\", &n, 1)", kSysOcxCount},
      {"ocx_SetVal(\"ocx\", \"Text\", &n)", kSysOcxCount},
      {"ocx_Invoke(\"ocx\", \"Add\")", kSysOcxCount},
      {"ocx_GetVal(\"box\", \"Text\", &n)", kSysNotActiveX},   // a rectangle
      {"ocx_GetVal(\"dead\", \"Text\", &n)", kSysNoDispatch},  // no control was made
      {"ocx_GetVal(\"ocx\", \"Text\", n)", kSysNotPointer},
      {"ocx_GetVal(\"ocx\", \"Text\", &n)", kSysOcxBadResult},  // a text into an int
  };
  for (const auto& c : cases) {
    const std::string source =
        std::string("int n; int after; int main() { ") + c.call + "; after = 1; return 0; }";
    EXPECT_EQ(Run(source), kVmSystemFailed) << c.call;
    EXPECT_EQ(host->LastSystemCode(), c.code) << c.call;
    EXPECT_EQ(Global(1), 0) << "the run ended at the call: " << c.call;
  }
}

// A picture may name any class: one that the control picker would not offer
// (here a document object with a dispatch interface and type information) is
// never made, so scripts cannot reach it.
TEST_F(OcxHostTest, AClassThatIsNoOfferedControlIsOutOfTheScriptsReach) {
  loadmarker::Armed marker;
  AddControl("document", CLSID_QelTestOcxDocument);
  const char* const calls[] = {
      "ocx_GetVal(\"document\", \"Length\", &n)",
      "ocx_SetVal(\"document\", \"BackColor\", &n, 255)",
      "ocx_Invoke(\"document\", \"Add\", &n, 1, 2)",
  };
  for (const char* call : calls) {
    const std::string source =
        std::string("int n; int after; int main() { ") + call + "; after = 1; return 0; }";
    EXPECT_EQ(Run(source), kVmSystemFailed) << call;
    EXPECT_EQ(host->LastSystemCode(), kSysNoDispatch) << call;
    EXPECT_EQ(Global(1), 0) << "the run ended at the call: " << call;
  }
  EXPECT_EQ(marker.Written(), "") << "the class was asked for";
}

TEST_F(OcxHostTest, ANameThatFindsNothingDoesNothingAndTheRunGoesOn) {
  ASSERT_EQ(Run("int n; int r; int after; int main() { n = 7; r = ocx_GetVal(\"nobody\", \"Text\", &n);"
                " after = 1; return 0; }"),
            kVmNormalEnd);
  EXPECT_EQ(Global(0), 7);
  EXPECT_EQ(Global(1), 0);
  EXPECT_EQ(Global(2), 1);
}

TEST_F(OcxHostTest, SetViewFlagHidesAndShowsTheControl) {
  HWND window = ocx->GetControlWnd()->GetSafeHwnd();
  ::ShowWindow(view, SW_SHOWNA);
  ASSERT_TRUE(::IsWindowVisible(window));
  ASSERT_EQ(Run("int main() { SetViewFlag(\"ocx\", 0); return 0; }"), kVmNormalEnd);
  EXPECT_FALSE(ocx->IsVisible());
  EXPECT_FALSE(::IsWindowVisible(window));
  ASSERT_EQ(Run("int main() { SetViewFlag(\"ocx\", 1); return 0; }"), kVmNormalEnd);
  EXPECT_TRUE(::IsWindowVisible(window));
}

}  // namespace
