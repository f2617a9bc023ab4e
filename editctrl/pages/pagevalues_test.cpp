// The pages of one kind's own values: decimals, pointer range, percentage
// fill, rotation and the multi-line text; what each writes and what it refuses.
#include <gtest/gtest.h>

#include <memory>

#include "actkinds.h"
#include "drawmtext.h"
#include "pageactcolor.h"
#include "pageexp.h"
#include "pageoutfmt.h"
#include "pageperfill.h"
#include "pagepointer.h"
#include "pageres.h"
#include "pageroll.h"
#include "pageselpic.h"
#include "pagetest_util.h"
#include "pagetext.h"
#include "pagetrigger.h"
#include "picobj.h"

namespace pagetest {
namespace {

using qeltest::DialogDriver;
using qeltest::DialogScript;

class ValuePageTest : public EditWindowTest {
 protected:
  // Types one value, presses OK and expects the range message.
  void ExpectRefused(CPropertyPage& page, int id, const char* typed, const char* message) {
    DialogScript script;
    script
        .On(kSheetTitle,
            [=](DialogDriver& d) {
              d.Type(id, typed);
              d.Click(IDOK);
            })
        .OnMessageBox("提示", message, IDOK)
        .On(kSheetTitle, [=](DialogDriver& d) {
          EXPECT_EQ(d.FocusId(), id);
          d.Click(IDCANCEL);
        });
    EXPECT_EQ(RunSheet(script, parent_, {&page}), IDCANCEL);
  }
};

TEST_F(ValuePageTest, DecimalsGoFromZeroToSix) {
  CActTagVal link;
  CPageOutFmt refused(wnd_, &link);
  ExpectRefused(refused, IDC_OUTFMT_DECIMALS, "7", "请输入一个 0 到 6 之间的整数。");
  EXPECT_EQ(link.m_nDecimals, 2);
  CPageOutFmt page(wnd_, &link);
  DialogScript script;
  script.On(kSheetTitle, [](DialogDriver& d) {
    EXPECT_EQ(d.Text(IDC_OUTFMT_DECIMALS), "0");
    d.Type(IDC_OUTFMT_DECIMALS, "6");
    d.Click(IDOK);
  });
  EXPECT_EQ(RunSheet(script, parent_, {&page}), IDOK);
  EXPECT_EQ(link.m_nDecimals, 6);
  EXPECT_EQ(LinkNotices(), 1);
}

TEST_F(ValuePageTest, PointerRangeAndAnglesFromZeroTo360) {
  CActPointer link;
  CPagePointer refused(wnd_, &link);
  ExpectRefused(refused, IDC_POINTER_MAX_ANGLE, "361", "请输入一个 0 到 360 之间的整数。");
  CPagePointer page(wnd_, &link);
  DialogScript script;
  script.On(kSheetTitle, [](DialogDriver& d) {
    d.Type(IDC_POINTER_MIN, "-10.5");
    d.Type(IDC_POINTER_MIN_ANGLE, "0");
    d.Type(IDC_POINTER_MAX, "250");
    d.Type(IDC_POINTER_MAX_ANGLE, "360");
    d.Click(IDOK);
  });
  EXPECT_EQ(RunSheet(script, parent_, {&page}), IDOK);
  EXPECT_DOUBLE_EQ(link.m_dMinimum, -10.5);
  EXPECT_DOUBLE_EQ(link.m_dMaximum, 250.0);
  EXPECT_EQ(link.m_nStartAngle, 0);
  EXPECT_EQ(link.m_nEndAngle, 360);
}

TEST_F(ValuePageTest, PercentageFillDirectionsInTabOrderRangeAndColour) {
  const struct {
    int radio;
    int direction;
  } cases[] = {{IDC_PERFILL_UP, 0}, {IDC_PERFILL_DOWN, 1}, {IDC_PERFILL_RIGHT, 2}, {IDC_PERFILL_LEFT, 3}};
  for (const auto& c : cases) {
    CActPerFill link;
    CPagePerFill page(wnd_, &link);
    page.m_nDirection = 3 - c.direction;
    page.SetFillColor(0x123456);
    DialogScript script;
    script
        .On(kSheetTitle,
            [&](DialogDriver& d) {
              d.Click(c.radio);
              d.Type(IDC_PERFILL_MIN, "1.5");
              d.Type(IDC_PERFILL_MAX, "99");
            })
        .On(kSheetTitle, [](DialogDriver& d) { d.Click(IDOK); });
    EXPECT_EQ(RunSheet(script, parent_, {&page}), IDOK);
    EXPECT_EQ(link.m_nDirection, c.direction) << c.radio;
    EXPECT_DOUBLE_EQ(link.m_dMinimum, 1.5);
    EXPECT_DOUBLE_EQ(link.m_dMaximum, 99.0);
    EXPECT_EQ(link.m_clrFill, 0x123456u);
  }
}

TEST_F(ValuePageTest, AColourChosenInTheSwatchEnablesApplyAndIsTheFillColour) {
  CActPerFill link;
  CPagePerFill page(wnd_, &link);
  page.SetFillColor(0x00FFFF);
  DialogScript script;
  script.On(kSheetTitle, [](DialogDriver& d) {
    EXPECT_FALSE(IsApplyEnabled(d));
    ASSERT_TRUE(ChooseNextColour(d.Item(IDC_PERFILL_COLOR)));  // from yellow to bright green
    EXPECT_TRUE(IsApplyEnabled(d));
    d.Click(IDOK);
  });
  EXPECT_EQ(RunSheet(script, parent_, {&page}), IDOK);
  EXPECT_EQ(link.m_clrFill, 0x00FF00u);
}

TEST_F(ValuePageTest, RotationModeAndStep) {
  CActRoll link;
  CPageRoll refused(wnd_, &link);
  ExpectRefused(refused, IDC_ROLL_STEP, "361", "请输入一个 0 到 360 之间的整数。");
  CPageRoll page(wnd_, &link);
  DialogScript script;
  script
      .On(kSheetTitle,
          [](DialogDriver& d) {
            EXPECT_TRUE(d.IsChecked(IDC_ROLL_CONTINUOUS));
            EXPECT_EQ(d.Text(IDC_ROLL_STEP), "15");
            d.Click(IDC_ROLL_SINGLE);
            d.Type(IDC_ROLL_STEP, "45");
          })
      .On(kSheetTitle, [](DialogDriver& d) { d.Click(IDOK); });
  EXPECT_EQ(RunSheet(script, parent_, {&page}), IDOK);
  EXPECT_EQ(link.m_nSwing, 1);
  EXPECT_EQ(link.m_nStep, 45);
}

TEST_F(ValuePageTest, TheTextPageWritesTheTextWithoutALinkNotice) {
  auto* text = new CDrawMtext;
  text->SetCorners(CRectD(10, 10, 110, 60));
  wnd_->AddObject(text, false);
  wnd_->GetPicture()->m_bModified = FALSE;
  CPageText page(wnd_, text);
  page.m_strText = text->GetText();
  DialogScript script;
  script.On(kSheetTitle, [](DialogDriver& d) {
    EXPECT_EQ(d.Text(IDC_TEXT_EDIT), "多行文本");
    d.Type(IDC_TEXT_EDIT, "第一行\r\n第二行");
    d.Click(IDOK);
  });
  EXPECT_EQ(RunSheet(script, parent_, {&page}), IDOK);
  EXPECT_EQ(std::string(text->GetText().GetString()), "第一行\r\n第二行");
  EXPECT_EQ(page.GetWriteCount(), 1);
  EXPECT_EQ(LinkNotices(), 0);
  EXPECT_FALSE(PictureModified());
}

TEST_F(ValuePageTest, TheTextPageRepaintsTheObjectItWrote) {
  auto* text = new CDrawMtext;
  text->SetCorners(CRectD(10, 10, 110, 60));
  wnd_->AddObject(text, false);
  ::ShowWindow(parent_, SW_SHOWNA);  // a hidden window keeps no update region
  ::UpdateWindow(child_);
  ::ValidateRect(child_, nullptr);
  CPageText page(wnd_, text);
  page.m_strText = "new";
  EXPECT_TRUE(page.OnApply());  // the write-back alone, as the sheet runs it
  RECT dirty = {0, 0, 0, 0};
  ASSERT_TRUE(::GetUpdateRect(child_, &dirty, FALSE));
  RECT client, area = text->GetInvalidRect(), expected;
  ::GetClientRect(child_, &client);
  ::IntersectRect(&expected, &area, &client);
  EXPECT_TRUE(::EqualRect(&dirty, &expected));
}

TEST(LinkPages, EachPageIsMadeByItsRunTimeClassOnItsTemplate) {
  const struct {
    CRuntimeClass* pageClass;
    UINT templateId;
  } cases[] = {
      {RUNTIME_CLASS(CPageExp), 5000},      {RUNTIME_CLASS(CPageTrigger), 5001},
      {RUNTIME_CLASS(CPageActColor), 5002}, {RUNTIME_CLASS(CPageOutFmt), 5007},
      {RUNTIME_CLASS(CPagePointer), 5008},  {RUNTIME_CLASS(CPagePerFill), 5009},
      {RUNTIME_CLASS(CPageText), 5011},     {RUNTIME_CLASS(CPageRoll), 5012},
      {RUNTIME_CLASS(CPageSelPic), 5013},
  };
  for (const auto& c : cases) {
    std::unique_ptr<CObject> made(c.pageClass->CreateObject());
    auto* page = dynamic_cast<CLinkPage*>(made.get());
    ASSERT_NE(page, nullptr) << c.templateId;
    EXPECT_EQ(page->GetTemplateId(), c.templateId);
    EXPECT_EQ(page->GetEditWindow(), nullptr);
  }
}

TEST_F(ValuePageTest, PagesWithoutATargetWriteNothing) {
  CPageOutFmt format;
  CPageRoll roll;
  CPageText text;
  DialogScript script;
  script.On(kSheetTitle, [](DialogDriver& d) { d.SelectPage(1); })
      .On(kSheetTitle, [](DialogDriver& d) { d.SelectPage(2); })
      .On(kSheetTitle, [](DialogDriver& d) {
        EXPECT_EQ(d.ActivePage(), 2);
        d.Click(IDOK);
      });
  EXPECT_EQ(RunSheet(script, parent_, {&format, &roll, &text}), IDOK);
  EXPECT_EQ(text.GetWriteCount(), 0);
  EXPECT_EQ(LinkNotices(), 0);
}

}  // namespace
}  // namespace pagetest
