// The link dialogs: which link each opens for, the sheet's title and pages,
// the values it shows, OK, Cancel and Apply, and the hyperlink's target.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "actkinds.h"
#include "linkdialogs.h"
#include "pages/pageres.h"
#include "pages/pagetest_util.h"

namespace pagetest {
namespace {

using qeltest::DialogDriver;
using qeltest::DialogScript;

const int kTabControl = 0x3020;   // the sheet's tabs
const int kApplyButton = 0x3021;  // the sheet's Apply button

std::vector<std::string> TabTexts(HWND sheet) {
  HWND tabs = ::GetDlgItem(sheet, kTabControl);
  std::vector<std::string> texts;
  const int count = static_cast<int>(::SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    char text[64] = "";
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    ::SendMessageA(tabs, TCM_GETITEMA, i, reinterpret_cast<LPARAM>(&item));
    texts.push_back(text);
  }
  return texts;
}

TEST(HyperLinkTargets, OnlyTheLinkVerbNamesAPicture) {
  const struct {
    const char* command;
    bool accepted;
    const char* target;
  } cases[] = {
      {"", true, ""},
      {"link\nmain.pic", true, "main.pic"},
      {"link\nsub\\a.pic\nmore", true, "sub\\a.pic\nmore"},  // split at the first line feed only
      {"link\n", true, ""},
      {"link", false, ""},
      {"Link\nmain.pic", false, ""},
      {"open\nmain.pic", false, ""},
      {"linkx\nmain.pic", false, ""},
  };
  for (const auto& c : cases) {
    CString target = "left over";
    EXPECT_EQ(HyperLinkTarget(c.command, target), c.accepted) << c.command;
    EXPECT_EQ(std::string(target.GetString()), c.target) << c.command;
  }
}

using DialogFn = int (*)(CPicEditWnd*, CAction*);

template <typename Link>
std::unique_ptr<CAction> Make() {
  return std::unique_ptr<CAction>(new Link);
}

std::unique_ptr<CAction> MakeEvent(int kind, const char* command) {
  auto event = std::make_unique<CActEvent>();
  event->m_nEvent = event->m_nTrigger = kind;
  event->m_strCommand = command;
  return event;
}

struct DialogCase {
  const char* name;
  DialogFn open;
  std::function<std::unique_ptr<CAction>()> fits;
  std::function<std::unique_ptr<CAction>()> misfits;
  const char* title;
  std::vector<std::string> tabs;
};

const std::vector<DialogCase>& DialogCases() {
  static const std::vector<DialogCase> cases = {
      {"tag value",
       EditTagValLink,
       Make<CActTagVal>,
       Make<CActColor>,
       "标签值-直接连接",
       {"数据值", "输出格式", "触发器"}},
      {"colour",
       EditColorLink,
       Make<CActColor>,
       Make<CActTagVal>,
       "颜色-直接连接",
       {"数据值", "直接颜色", "触发器"}},
      {"fill colour",
       EditColorLink,
       Make<CActFillColor>,
       Make<CActPerFill>,
       "填充颜色-直接连接",
       {"数据值", "直接颜色", "触发器"}},
      {"pointer",
       EditPointerLink,
       Make<CActPointer>,
       Make<CActPerFill>,
       "仪表指针-直接连接",
       {"数据值", "仪表指针量程", "触发器"}},
      {"percentage fill",
       EditPerFillLink,
       Make<CActPerFill>,
       Make<CActPointer>,
       "百分比填充-直接连接",
       {"数据值", "百分比填充", "触发器"}},
      {"show/hide",
       EditShowHideLink,
       Make<CActShowHide>,
       Make<CActFlash>,
       "显示/隐藏-直接连接",
       {"数据值", "触发器"}},
      {"flash", EditFlashLink, Make<CActFlash>, Make<CActShowHide>, "闪烁-直接连接", {"数据值", "触发器"}},
      {"rotation",
       EditRollLink,
       Make<CActRoll>,
       Make<CActMove>,
       "旋转-直接连接",
       {"数据值", "旋转", "触发器"}},
      {"hyperlink",
       EditHyperLink,
       [] { return MakeEvent(AK_MOUSE_CLICK, "link\nmain.pic"); },
       [] { return MakeEvent(AK_RBUTTON_UP, "open\nmain.pic"); },
       "事件-超级连接",
       {"超级连接"}},
      {"hyperlink without a command",
       EditHyperLink,
       [] { return MakeEvent(AK_LBUTTON_UP, ""); },
       [] { return MakeEvent(AK_LBUTTON_DOWN, "link"); },
       "事件-超级连接",
       {"超级连接"}},
      {"hyperlink of a non-event",
       EditHyperLink,
       [] { return MakeEvent(AK_CLICKED, ""); },
       Make<CAction>,
       "事件-超级连接",
       {"超级连接"}},
  };
  return cases;
}

class LinkDialogTest : public EditWindowTest {};

TEST_F(LinkDialogTest, EachDialogOpensForItsKindsOnlyAndAnswersOneForOk) {
  for (const DialogCase& c : DialogCases()) {
    std::unique_ptr<CAction> misfit = c.misfits();
    DialogScript quiet;
    int result = -1;
    quiet.Run([&] { result = c.open(wnd_, misfit.get()); });
    EXPECT_EQ(result, 0) << c.name;
    EXPECT_TRUE(quiet.Seen().empty()) << c.name;

    for (int button : {IDCANCEL, IDOK}) {
      std::unique_ptr<CAction> link = c.fits();
      std::vector<std::string> tabs;
      DialogScript script;
      script.On(c.title, [&](DialogDriver& d) {
        tabs = TabTexts(d.Window());
        EXPECT_FALSE(IsApplyEnabled(d)) << c.name;
        d.Click(button);
      });
      script.Run([&] { result = c.open(wnd_, link.get()); });
      EXPECT_EQ(tabs, c.tabs) << c.name;
      EXPECT_EQ(result, button == IDOK ? 1 : 0) << c.name;
    }
  }
  EXPECT_EQ(EditColorLink(wnd_, nullptr), 0);
}

TEST_F(LinkDialogTest, TheDirectDialogOfEachKind) {
  const struct {
    std::function<std::unique_ptr<CAction>()> make;
    const char* title;  // null: no dialog
  } cases[] = {
      {Make<CActTagVal>, "标签值-直接连接"},
      {Make<CActFillColor>, "填充颜色-直接连接"},
      {Make<CActRoll>, "旋转-直接连接"},
      {[] { return MakeEvent(AK_RBUTTON_DOWN, ""); }, "事件-超级连接"},
      {Make<CActMove>, nullptr},
      {Make<CAction>, nullptr},
      {[] { return MakeEvent(AK_CLICKED, ""); }, nullptr},
      {[] { return MakeEvent(AK_CHANGE, ""); }, nullptr},
  };
  for (const auto& c : cases) {
    std::unique_ptr<CAction> link = c.make();
    DialogScript script;
    if (c.title) script.On(c.title, [](DialogDriver& d) { d.Click(IDOK); });
    int result = -1;
    script.Run([&] { result = EditDirectLink(wnd_, link.get()); });
    EXPECT_EQ(result, c.title ? 1 : 0) << link->GetKind();
    EXPECT_EQ(script.Seen().size(), c.title ? 1u : 0u) << link->GetKind();
  }
}

TEST_F(LinkDialogTest, TheSheetShowsTheLinksValues) {
  CActColor color;
  color.m_strExpression = "TV(level)";
  color.SetThresholdText("5\t15\t25\t");
  color.m_nLevels = 3;
  color.m_nTrigger = 1;
  color.m_nPeriod = 2500;
  DialogScript script;
  script
      .On("颜色-直接连接",
          [](DialogDriver& d) {
            EXPECT_EQ(d.Text(IDC_EXP_TEXT), "TV(level)");
            EXPECT_EQ(d.Text(IDC_EXP_NOTE), "");
            d.SelectPage(1);
          })
      .On("颜色-直接连接",
          [](DialogDriver& d) {
            EXPECT_EQ(d.Text(IDC_COLOR_LEVELS), "3");
            EXPECT_EQ(d.Text(IDC_COLOR_SEGMENT), "1");
            EXPECT_EQ(d.Text(IDC_COLOR_UPPER), "5");
            d.SelectPage(2);
          })
      .On("颜色-直接连接", [](DialogDriver& d) {
        EXPECT_TRUE(d.IsChecked(IDC_TRIGGER_OWN));
        EXPECT_EQ(d.Text(IDC_TRIGGER_PERIOD), "2500");
        d.Click(IDCANCEL);
      });
  script.Run([&] { EditColorLink(wnd_, &color); });
}

TEST_F(LinkDialogTest, TheNotesOfTheTruthKinds) {
  const struct {
    DialogFn open;
    std::function<std::unique_ptr<CAction>()> make;
    const char* title;
    const char* note;
  } cases[] = {
      {EditShowHideLink, Make<CActShowHide>, "显示/隐藏-直接连接", "注:表达式结果为TRUE显示,FASLE隐藏"},
      {EditFlashLink, Make<CActFlash>, "闪烁-直接连接", "注:表达式结果为TRUE闪烁,FASLE按原状态显示"},
      {EditRollLink, Make<CActRoll>, "旋转-直接连接", "注:表达式结果为TRUE旋转,FASLE停止或复位!"},
  };
  for (const auto& c : cases) {
    std::unique_ptr<CAction> link = c.make();
    std::string note;
    DialogScript script;
    script.On(c.title, [&](DialogDriver& d) {
      note = d.Text(IDC_EXP_NOTE);
      d.Click(IDCANCEL);
    });
    script.Run([&] { c.open(wnd_, link.get()); });
    EXPECT_EQ(note, c.note) << c.title;
  }
}

TEST_F(LinkDialogTest, CancelWithoutApplyLeavesTheLinkUnchanged) {
  CActPointer link;
  DialogScript script;
  script
      .On("仪表指针-直接连接",
          [](DialogDriver& d) {
            d.Type(IDC_EXP_TEXT, "TV(x)");
            d.SelectPage(1);
          })
      .On("仪表指针-直接连接", [](DialogDriver& d) {
        d.Type(IDC_POINTER_MAX, "500");
        d.Click(IDCANCEL);
      });
  int result = -1;
  script.Run([&] { result = EditPointerLink(wnd_, &link); });
  EXPECT_EQ(result, 0);
  EXPECT_TRUE(link.m_strExpression.IsEmpty());
  EXPECT_DOUBLE_EQ(link.m_dMaximum, 100.0);
  EXPECT_EQ(LinkNotices(), 0);
  EXPECT_FALSE(PictureModified());
}

TEST_F(LinkDialogTest, ApplyThenCancelKeepsTheAppliedValues) {
  CActPointer link;
  DialogScript script;
  script.On("仪表指针-直接连接", [](DialogDriver& d) { d.SelectPage(1); })
      .On("仪表指针-直接连接",
          [](DialogDriver& d) {
            d.Type(IDC_POINTER_MAX, "500");
            EXPECT_TRUE(IsApplyEnabled(d));
            d.Click(kApplyButton);
          })
      .On("仪表指针-直接连接", [](DialogDriver& d) {
        EXPECT_FALSE(IsApplyEnabled(d));
        d.Type(IDC_POINTER_MAX, "900");
        d.Click(IDCANCEL);
      });
  int result = -1;
  script.Run([&] { result = EditPointerLink(wnd_, &link); });
  EXPECT_EQ(result, 0);
  EXPECT_DOUBLE_EQ(link.m_dMaximum, 500.0);
  EXPECT_GE(LinkNotices(), 1);
  EXPECT_TRUE(PictureModified());
}

TEST_F(LinkDialogTest, PagesNeverShownWriteNothing) {
  CActTagVal link;
  link.m_nTrigger = 1;
  link.m_nPeriod = 300;
  link.m_nDecimals = 9;  // out of the page's range: only a shown page would refuse it
  DialogScript script;
  script.On("标签值-直接连接", [](DialogDriver& d) {
    d.Type(IDC_EXP_TEXT, "LV(a)");
    d.Click(IDOK);
  });
  int result = -1;
  script.Run([&] { result = EditTagValLink(wnd_, &link); });
  EXPECT_EQ(result, 1);
  EXPECT_EQ(std::string(link.m_strExpression.GetString()), "LV(a)");
  EXPECT_EQ(link.m_nDecimals, 9);
  EXPECT_EQ(link.m_nTrigger, 1);
  EXPECT_EQ(link.m_nPeriod, 300);
  EXPECT_EQ(LinkNotices(), 1);  // the expression page alone
}

TEST_F(LinkDialogTest, TheHyperlinkPageStartsAtThePictureFolderAndTheCurrentTarget) {
  WriteFile(std::string(wnd_->GetPictureFolder().GetString()) + "next.pic");
  std::unique_ptr<CAction> link = MakeEvent(AK_MOUSE_CLICK, "link\nmain.pic");
  DialogScript script;
  script.On("事件-超级连接", [](DialogDriver& d) {
    EXPECT_EQ(d.Text(IDC_SELPIC_TARGET), "main.pic");
    ASSERT_TRUE(SelectTreeItem(d.Item(IDC_SELPIC_TREE), {"画面", "next.pic"}));
    d.Click(IDOK);
  });
  int result = -1;
  script.Run([&] { result = EditHyperLink(wnd_, link.get()); });
  EXPECT_EQ(result, 1);
  EXPECT_EQ(std::string(static_cast<CActEvent*>(link.get())->m_strCommand.GetString()), "link\nnext.pic");
}

}  // namespace
}  // namespace pagetest
