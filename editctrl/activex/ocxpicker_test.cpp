// The controls the picker lists, and the ActiveX tool: the class chosen is
// probed and placed as a control object.
#include <gtest/gtest.h>

#include <algorithm>

#include "activex/drawctrlocx.h"
#include "activex/ocxcatalog.h"
#include "activex/ocxresource.h"
#include "activex/ocxselectdlg.h"
#include "dialogs/editdialogs.h"
#include "editctrl_inproc.h"
#include "olecontrolwnd.h"
#include "picfile.h"
#include "picobj.h"
#include "testing/dialogscript.h"
#include "testocx_ids.h"
#include "testocx_register.h"

namespace edittest {
namespace {

bool Lists(const std::vector<OcxCatalogEntry>& controls, const char* name, const CLSID& clsid) {
  return std::any_of(controls.begin(), controls.end(),
                     [&](const OcxCatalogEntry& e) { return e.name == name && e.clsid == clsid; });
}

TEST(OcxCatalogTest, TheRegisteredControlsAreListedByTheirNames) {
  ASSERT_TRUE(StartTestOcx());
  const std::vector<OcxCatalogEntry> controls = ListRegisteredControls();
  EXPECT_TRUE(Lists(controls, "QEL测试控件", CLSID_QelTestOcx));
  EXPECT_TRUE(Lists(controls, "QEL测试控件(无页)", CLSID_QelTestOcxPlain));
  EXPECT_TRUE(Lists(controls, "QEL测试控件(无类型)", CLSID_QelTestOcxBare));
  for (const OcxCatalogEntry& e : controls) {
    EXPECT_FALSE(e.name.IsEmpty());
    EXPECT_NE(e.clsid, CLSID_QelTestOcxPage) << "a page is no control";
    EXPECT_NE(e.clsid, CLSID_QelTestOcxDocument) << "nor is a document object";
  }
  StopTestOcx();
}

// Selects the list's item of that text, as a click on it would.
void SelectItem(qeltest::DialogDriver& d, const char* text) {
  HWND list = d.Item(IDC_OCX_LIST);
  const LRESULT item =
      ::SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text));
  ASSERT_GE(item, 0) << text;
  ::SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(item), 0);
}

class OcxPickerTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_TRUE(StartTestOcx()); }
  static void TearDownTestSuite() { StopTestOcx(); }
};

TEST_F(OcxPickerTest, OkWithoutASelectionPromptsAndAChosenControlIsGiven) {
  qeltest::DialogScript script;
  script.On("选择OCX控件", [](qeltest::DialogDriver& d) {
    EXPECT_GE(::SendMessageA(d.Item(IDC_OCX_LIST), LB_GETCOUNT, 0, 0), 3);
    d.Click(IDOK);
  });
  script.OnMessageBox("提示", "请选择一个OCX控件", IDOK);
  script.On("选择OCX控件", [](qeltest::DialogDriver& d) {
    SelectItem(d, "QEL测试控件");
    d.Click(IDOK);
  });
  bool chosen = false;
  CLSID clsid = {};
  script.Run([&] { chosen = SelectOcxControl(nullptr, &clsid); });
  EXPECT_TRUE(chosen);
  EXPECT_EQ(clsid, CLSID_QelTestOcx);
}

TEST_F(OcxPickerTest, CancelChoosesNothing) {
  qeltest::DialogScript script;
  script.On("选择OCX控件", [](qeltest::DialogDriver& d) {
    SelectItem(d, "QEL测试控件(无页)");
    d.Click(IDCANCEL);
  });
  bool chosen = true;
  CLSID clsid = {};
  script.Run([&] { chosen = SelectOcxControl(nullptr, &clsid); });
  EXPECT_FALSE(chosen);
  EXPECT_EQ(clsid, CLSID{});
}

TEST_F(OcxPickerTest, ControlsPastTheTablesRoomAreListedButCannotBeChosen) {
  std::vector<OcxCatalogEntry> many;
  for (int i = 0; i < COcxSelectDlg::kMaxClasses + 6; ++i) {
    char name[16];
    wsprintfA(name, "控件%04d", i);
    many.push_back({name, CLSID{static_cast<unsigned long>(i + 1), 0, 0, {0}}});
  }
  COcxSelectDlg dialog(many, nullptr);
  qeltest::DialogScript script;
  script.On("选择OCX控件", [](qeltest::DialogDriver& d) {
    EXPECT_EQ(::SendMessageA(d.Item(IDC_OCX_LIST), LB_GETCOUNT, 0, 0), 1030);
    SelectItem(d, "控件1027");
    d.Click(IDOK);
  });
  script.On("选择OCX控件", [](qeltest::DialogDriver& d) {
    SelectItem(d, "控件1023");
    d.Click(IDOK);
  });
  INT_PTR result = 0;
  script.Run([&] { result = dialog.DoModal(); });
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(dialog.GetChosen().Data1, 1024u) << "the 1,024th entry, the last one held";
  EXPECT_STREQ(dialog.GetChosenName().GetString(), "控件1023");
}

class ActiveXToolTest : public InProcessEditTest {
 protected:
  static void SetUpTestSuite() { ASSERT_TRUE(RegisterTestOcx()); }
  void SetUp() override {
    InProcessEditTest::SetUp();
    Send(QCM_SELECTTOOL, 0, 0);
  }
  void TearDown() override {
    SetControlPickAnswer(nullptr);
    Send(QCM_SELECTTOOL, 0, 0);
    InProcessEditTest::TearDown();
  }
  // The picker answers with that class (or is cancelled), then tool 150 is chosen.
  void ChooseTool(bool chosen, const CLSID& clsid = CLSID_QelTestOcx) {
    SetControlPickAnswer([=](CLSID* out) {
      *out = clsid;
      return chosen;
    });
    Send(QCM_SELECTTOOL, 0, DOT_CTRLOCX);
  }
};

TEST_F(ActiveXToolTest, TheChosenControlIsPlacedWithItsDisabledWindow) {
  ChooseTool(true);
  ASSERT_EQ(Query(QCQ_TOOL), DOT_CTRLOCX);
  Click(13, 12);
  std::vector<CDrawObj*> objects = Objects();
  ASSERT_EQ(objects.size(), 1u);
  auto* ocx = dynamic_cast<CDrawCtrlOcx*>(objects.front());
  ASSERT_NE(ocx, nullptr);
  EXPECT_EQ(ocx->GetClassId(), CLSID_QelTestOcx);
  CRectD frame = FrameOf(ocx);
  EXPECT_EQ(frame.Width(), 320);
  EXPECT_EQ(frame.Height(), 240);
  EXPECT_EQ(Query(QCQ_TOOL), 0);
  EXPECT_EQ(Query(QCQ_SELCOUNT), 1);
  ASSERT_NE(ocx->GetControlWnd(), nullptr);
  HWND window = ocx->GetControlWnd()->GetSafeHwnd();
  EXPECT_EQ(::GetParent(window), child_);
  EXPECT_FALSE(::IsWindowEnabled(window));
  EXPECT_NE(ocx->GetControlWnd()->GetControlWindow(), nullptr);
}

TEST_F(ActiveXToolTest, AClassThatCannotBeMadeIsRefusedWithItsMessage) {
  AnswerBoxesWith(IDOK);
  ChooseTool(true, CLSID{0x0BADC0DE, 0x3333, 0x4444, {5, 6, 7, 8, 9, 10, 11, 12}});
  EXPECT_EQ(Query(QCQ_TOOL), 0);
  ASSERT_EQ(SeenBoxes().size(), 1u);
  EXPECT_EQ(SeenBoxes()[0].caption, "错误");
  EXPECT_EQ(SeenBoxes()[0].text, "该控件不符合规范!");
  Click(13, 12);
  EXPECT_TRUE(Objects().empty());
}

TEST_F(ActiveXToolTest, ThePickerChoosesTheToolsControl) {
  LeaveDialogsToScript();
  qeltest::DialogScript script;
  script.On("选择OCX控件", [](qeltest::DialogDriver& d) {
    SelectItem(d, "QEL测试控件");
    d.Click(IDOK);
  });
  script.Run([&] { Send(QCM_SELECTTOOL, 0, DOT_CTRLOCX); });
  ASSERT_EQ(Query(QCQ_TOOL), DOT_CTRLOCX);
  Click(40, 40);
  std::vector<CDrawObj*> objects = Objects();
  ASSERT_EQ(objects.size(), 1u);
  EXPECT_EQ(static_cast<CDrawCtrlOcx*>(objects.front())->GetClassId(), CLSID_QelTestOcx);
}

TEST_F(ActiveXToolTest, TheControlsPagesFromTheEditorChangeItsStateAndThePicture) {
  ChooseTool(true);
  Click(40, 40);
  std::vector<CDrawObj*> objects = Objects();
  ASSERT_EQ(objects.size(), 1u);
  auto* ocx = static_cast<CDrawCtrlOcx*>(objects.front());
  ocx->m_strName = "阀门";
  ASSERT_TRUE(ocx->SaveControlState());
  const std::vector<BYTE> before(ocx->GetStateData(), ocx->GetStateData() + ocx->GetStateLength());
  Send(QCM_SAVEPIC);
  ASSERT_EQ(Query(QCQ_MODIFIED), 0);
  LeaveDialogsToScript();
  qeltest::DialogScript script;
  script.On("OCX控件[阀门]", [](qeltest::DialogDriver& d) {
    d.Type(kTestOcxPageEdit, "开");
    d.Click(IDOK);
  });
  script.Run([&] { Send(QCM_OBJECTDIALOG); });
  EXPECT_EQ(Query(QCQ_MODIFIED), 1);
  const std::vector<BYTE> after(ocx->GetStateData(), ocx->GetStateData() + ocx->GetStateLength());
  EXPECT_NE(after, before);
}

TEST_F(ActiveXToolTest, APictureWithAControlIsOpenedAndSavedByteForByte) {
  std::vector<BYTE> original;
  {
    CPicObj picture;
    picture.m_strName = "ocx.pic";
    picture.m_nWidth = 640;
    picture.m_nHeight = 480;
    picture.EnsureLayer();
    auto* ocx = new CDrawCtrlOcx(CLSID_QelTestOcx);
    ocx->m_strName = "阀门";
    ocx->m_rect = CRectD(20, 20, 260, 140);
    const std::vector<BYTE> state = TestOcxSavedState("保存的状态", RGB(1, 2, 3));
    ASSERT_FALSE(state.empty());
    ocx->SetState(state.data(), static_cast<UINT>(state.size()));
    picture.GetLayer(0)->m_objects.AddTail(ocx);
    original = StorePictureBytes(picture);
  }
  const std::string folder = FreshFolder("ocxsave");
  WriteBytes(folder + "ocx.pic", original);
  ASSERT_EQ(SendText(QCM_PICFOLDER, folder), 0);
  ASSERT_EQ(SendText(QCM_OPENPIC, "ocx.pic"), 0);
  std::vector<CDrawObj*> objects = Objects();
  ASSERT_EQ(objects.size(), 1u);
  auto* ocx = static_cast<CDrawCtrlOcx*>(objects.front());
  ASSERT_NE(ocx->GetControlWnd(), nullptr) << "the control was made with the stored state";
  ASSERT_EQ(Send(QCM_SAVEPIC), 0);
  EXPECT_EQ(ReadBytes(folder + "ocx.pic"), original);
}

TEST_F(ActiveXToolTest, CancellingThePickerLeavesTheSelectionTool) {
  ChooseTool(false);
  EXPECT_EQ(Query(QCQ_TOOL), 0);
  Click(13, 12);
  EXPECT_TRUE(Objects().empty());
}

// The library's own window: its picker comes from the library's resources
// and its start-up enabled control containment.
class LibraryActiveXToolTest : public EditWindowTest {
 protected:
  static void SetUpTestSuite() { ASSERT_TRUE(StartTestOcx()); }
  static void TearDownTestSuite() { StopTestOcx(); }
};

TEST_F(LibraryActiveXToolTest, ThePickedControlIsPlacedInTheLibrarysWindow) {
  MakeChild(500, 400);
  ASSERT_EQ(SendText(QCM_PICFOLDER, FreshFolder("ocxlib")), 0);
  ASSERT_EQ(SendText(QCM_NEWPIC, "ocx.pic"), 0);
  LeaveDialogsToScript();
  qeltest::DialogScript script;
  script.On("选择OCX控件", [](qeltest::DialogDriver& d) {
    SelectItem(d, "QEL测试控件");
    d.Click(IDOK);
  });
  script.Run([&] { Send(QCM_SELECTTOOL, 0, DOT_CTRLOCX); });
  ASSERT_EQ(static_cast<int>(Send(QCM_QUERY, QCQ_TOOL)), DOT_CTRLOCX);
  Click(30, 30);
  HWND site = ::FindWindowExA(child_, nullptr, "QelOleControlSite", nullptr);
  ASSERT_NE(site, nullptr);
  EXPECT_FALSE(::IsWindowEnabled(site));
  EXPECT_NE(::FindWindowExA(site, nullptr, "QelTestOcxWindow", nullptr), nullptr);
}

}  // namespace
}  // namespace edittest
