// Property sheets on the platform's PropertySheetA, run by our modal loop:
// which pages apply, a page that refuses to be left, the Apply button, the
// result, and pages made by run-time class.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "dialogs/numbertext.h"

#include "sheets/propsheet.h"
#include "test/sheets_test_res.h"
#include "testing/dialogscript.h"
#include "wndtest/wndtest_util.h"

namespace {

using qeltest::DialogDriver;
using qeltest::DialogScript;

const int kApplyButton = 0x3021;  // the sheet's Apply button

// A page with one integer from 1 to 10; typing marks it modified unless the
// text is the loaded one again.
class CCountingPage : public CPropertyPage {
 public:
  explicit CCountingPage(UINT templateId = IDD_PAGE_ONE) : CPropertyPage(templateId) {}
  int value = 3;
  int applied = 0, activated = 0, left = 0, reset = 0;

  BOOL OnSetActive() override {
    ++activated;
    return CPropertyPage::OnSetActive();
  }
  BOOL OnKillActive() override {
    ++left;
    return CPropertyPage::OnKillActive();
  }
  BOOL OnApply() override {
    ++applied;
    return TRUE;
  }
  void OnReset() override { ++reset; }

 protected:
  void DoDataExchange(CDataExchange* dx) override {
    DDX_Text(dx, IDC_PAGE_VALUE, value);
    DDV_MinMaxInt(dx, value, 1, 10);
  }
  bool OnCommand(UINT id, UINT code, HWND) override {
    if (id != IDC_PAGE_VALUE || code != EN_CHANGE) return false;
    SetModified(GetDlgItemText(IDC_PAGE_VALUE) != QelIntText(value));
    return true;
  }
};

// A page that the sheet makes from its run-time class.
class CMadePage : public CPropertyPage {
  DECLARE_DYNCREATE(CMadePage)

 public:
  CMadePage() : CPropertyPage(IDD_PAGE_THREE) { ++made; }
  ~CMadePage() override { --made; }
  static int made;
};
IMPLEMENT_DYNCREATE(CMadePage, CPropertyPage)
int CMadePage::made = 0;

class Sheet : public ::testing::Test {
 protected:
  CWnd owner;
  CCountingPage one{IDD_PAGE_ONE}, two{IDD_PAGE_TWO}, three{IDD_PAGE_THREE};
  std::unique_ptr<CPropertySheet> sheet;

  void SetUp() override {
    ASSERT_TRUE(wndtest::CreateTopLevel(owner, true, "主窗口"));
    sheet.reset(new CPropertySheet("测试属性表", owner));
    sheet->AddPage(&one);
    sheet->AddPage(&two);
    sheet->AddPage(&three);
  }
  INT_PTR Run(DialogScript& script) {
    INT_PTR result = 0;
    script.Run([&] { result = sheet->DoModal(); });
    return result;
  }
};

TEST_F(Sheet, OkWithoutVisitingOtherPagesAppliesOnlyTheFirst) {
  bool ownerEnabledMeanwhile = true;
  DialogScript script;
  script.On("测试属性表", [&](DialogDriver& d) {
    ownerEnabledMeanwhile = ::IsWindowEnabled(owner) != FALSE;
    EXPECT_TRUE(d.IsSheet());
    EXPECT_EQ(d.ActivePage(), 0);
    EXPECT_EQ(d.Text(IDC_PAGE_VALUE), "3");
    EXPECT_EQ(d.Text(IDC_PAGE_LABEL), "段数：");
    EXPECT_EQ(d.PageTitle(0), "第一页");
    EXPECT_EQ(d.PageTitle(2), "第三页");
    EXPECT_EQ(d.PageTitle(3), "") << "there is no fourth page";
    d.Click(IDOK);
  });
  EXPECT_EQ(Run(script), IDOK);
  EXPECT_FALSE(ownerEnabledMeanwhile);
  EXPECT_TRUE(::IsWindowEnabled(owner));
  EXPECT_EQ(one.applied, 1);
  EXPECT_EQ(two.applied, 0);
  EXPECT_EQ(three.applied, 0);
  EXPECT_EQ(sheet->m_hWnd, nullptr);
}

TEST_F(Sheet, EveryPageShownAppliesOnOk) {
  DialogScript script;
  script.On("测试属性表", [](DialogDriver& d) { d.SelectPage(1); }).On("测试属性表", [](DialogDriver& d) {
    EXPECT_EQ(d.ActivePage(), 1);
    EXPECT_EQ(d.Text(IDC_PAGE_LABEL), "触发方式:");
    d.Click(IDOK);
  });
  EXPECT_EQ(Run(script), IDOK);
  EXPECT_EQ(one.applied, 1);
  EXPECT_EQ(two.applied, 1);
  EXPECT_EQ(three.applied, 0);
  EXPECT_EQ(one.left, 1);  // left for page two; page two is left for the apply
  EXPECT_EQ(two.left, 1);
}

TEST_F(Sheet, APageWithARefusedValueCannotBeLeftUntilItIsCorrected) {
  DialogScript script;
  script
      .On("测试属性表",
          [](DialogDriver& d) {
            d.Type(IDC_PAGE_VALUE, "11");
            d.SelectPage(2);
          })
      .OnMessageBox("提示", "请输入一个 1 到 10 之间的整数。", IDOK)
      .On("测试属性表",
          [](DialogDriver& d) {
            EXPECT_EQ(d.ActivePage(), 0);
            EXPECT_EQ(d.FocusId(), IDC_PAGE_VALUE);
            d.Type(IDC_PAGE_VALUE, "10");
            d.SelectPage(2);
          })
      .On("测试属性表", [](DialogDriver& d) {
        EXPECT_EQ(d.ActivePage(), 2);
        d.Click(IDOK);
      });
  EXPECT_EQ(Run(script), IDOK);
  EXPECT_EQ(one.value, 10);
  EXPECT_EQ(three.applied, 1);
}

TEST_F(Sheet, ARefusedValueKeepsTheSheetOpenOnOkAndCancelAppliesNothing) {
  DialogScript script;
  script
      .On("测试属性表",
          [](DialogDriver& d) {
            d.Type(IDC_PAGE_VALUE, "0");
            d.Click(IDOK);
          })
      .OnMessageBox("提示", "请输入一个 1 到 10 之间的整数。", IDOK)
      .On("测试属性表", [](DialogDriver& d) { d.Click(IDCANCEL); });
  EXPECT_EQ(Run(script), IDCANCEL);
  EXPECT_EQ(one.applied, 0);
  EXPECT_EQ(one.reset, 1);
  EXPECT_EQ(two.reset, 0);  // never created
}

TEST_F(Sheet, SetModifiedEnablesApplyAndUnchangedDisablesItAgain) {
  DialogScript script;
  script
      .On("测试属性表",
          [](DialogDriver& d) {
            EXPECT_FALSE(d.IsEnabled(kApplyButton));
            d.Type(IDC_PAGE_VALUE, "5");
            EXPECT_TRUE(d.IsEnabled(kApplyButton));
            d.Type(IDC_PAGE_VALUE, "3");  // the loaded text again
            EXPECT_FALSE(d.IsEnabled(kApplyButton));
            d.Type(IDC_PAGE_VALUE, "6");
            d.Click(kApplyButton);
          })
      .On("测试属性表", [](DialogDriver& d) { d.Click(IDCANCEL); });
  // Apply, then Cancel: the sheet did not end with OK.
  EXPECT_EQ(Run(script), IDCANCEL);
  EXPECT_EQ(one.applied, 1);
  EXPECT_EQ(one.value, 6);
}

TEST_F(Sheet, APageReturnedToShowsItsFieldsAgain) {
  DialogScript script;
  script
      .On("测试属性表",
          [&](DialogDriver& d) {
            one.value = 4;  // changed behind the page's back while it is shown
            d.SelectPage(1);
          })
      .On("测试属性表",
          [&](DialogDriver& d) {
            one.value = 9;
            d.SelectPage(0);
          })
      .On("测试属性表", [](DialogDriver& d) {
        EXPECT_EQ(d.Text(IDC_PAGE_VALUE), "9");
        d.Click(IDCANCEL);
      });
  Run(script);
  EXPECT_EQ(one.activated, 2);
}

TEST_F(Sheet, PagesMadeByRunTimeClassBelongToTheSheet) {
  {
    CPropertySheet made("类别");
    CPropertyPage* page = made.AddPage(RUNTIME_CLASS(CMadePage));
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(page->IsKindOf(RUNTIME_CLASS(CMadePage)));
    EXPECT_EQ(made.AddPage(RUNTIME_CLASS(CWnd)), nullptr);
    EXPECT_EQ(made.GetPageCount(), 1);
    DialogScript script;
    script.On("类别", [](DialogDriver& d) {
      EXPECT_EQ(d.Text(IDC_PAGE_LABEL), "旋转角度");
      d.Click(IDOK);
    });
    INT_PTR result = 0;
    script.Run([&] { result = made.DoModal(); });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(CMadePage::made, 1);
  }
  EXPECT_EQ(CMadePage::made, 0);
}

TEST(SheetEmpty, ASheetWithoutPagesAnswersMinusOne) {
  CPropertySheet sheet("空");
  EXPECT_EQ(sheet.DoModal(), -1);
}

}  // namespace
