// The trigger page: the period's range, the period shown only for the own
// period, and the script editor served instead of a link.
#include <gtest/gtest.h>

#include <cstdlib>

#include "actkinds.h"
#include "pageres.h"
#include "pagetest_util.h"
#include "pagetrigger.h"

namespace pagetest {
namespace {

using qeltest::DialogDriver;
using qeltest::DialogScript;

class TriggerPageTest : public EditWindowTest {
 protected:
  CActShowHide link;
  CPageTrigger page{nullptr, &link};

  void SetUp() override {
    EditWindowTest::SetUp();
    page.m_nTrigger = 1;
    page.m_nPeriod = 1000;
  }
};

TEST_F(TriggerPageTest, PeriodsOutsideOneHundredToFiftyThousandAreRefused) {
  const struct {
    const char* typed;
    bool accepted;
  } cases[] = {{"99", false}, {"50001", false}, {"100", true}, {"50000", true}};
  for (const auto& c : cases) {
    link.m_nPeriod = 777;
    CPageTrigger trigger(nullptr, &link);
    trigger.m_nTrigger = 1;
    DialogScript script;
    script.On(kSheetTitle, [&](DialogDriver& d) {
      d.Type(IDC_TRIGGER_PERIOD, c.typed);
      d.Click(IDOK);
    });
    if (!c.accepted) {
      script.OnMessageBox("提示", "请输入一个 100 到 50000 之间的整数。", IDOK)
          .On(kSheetTitle, [](DialogDriver& d) {
            EXPECT_EQ(d.FocusId(), IDC_TRIGGER_PERIOD);
            d.Click(IDCANCEL);
          });
    }
    const INT_PTR result = RunSheet(script, parent_, {&trigger});
    EXPECT_EQ(result, c.accepted ? IDOK : IDCANCEL) << c.typed;
    EXPECT_EQ(link.m_nPeriod, c.accepted ? atoi(c.typed) : 777) << c.typed;
    EXPECT_EQ(link.m_nTrigger, c.accepted ? 1 : 0) << c.typed;
  }
}

TEST_F(TriggerPageTest, TheHiddenPeriodOfThePictureCycleNeverBlocks) {
  link.m_nPeriod = 5;  // a period no engineer could have typed
  page.m_nTrigger = 0;
  page.m_nPeriod = 5;
  DialogScript script;
  script.On(kSheetTitle, [](DialogDriver& d) {
    EXPECT_TRUE(d.IsChecked(IDC_TRIGGER_PICTURE));
    EXPECT_FALSE(d.IsVisible(IDC_TRIGGER_PERIOD));
    EXPECT_FALSE(d.IsVisible(IDC_TRIGGER_MS));
    d.Click(IDOK);
  });
  EXPECT_EQ(RunSheet(script, parent_, {&page}), IDOK);
  EXPECT_EQ(link.m_nTrigger, 0);
  EXPECT_EQ(link.m_nPeriod, 5);
}

TEST_F(TriggerPageTest, TheRadiosShowAndHideThePeriodAndEnableApply) {
  page.m_nTrigger = 0;
  DialogScript script;
  script
      .On(kSheetTitle,
          [](DialogDriver& d) {
            EXPECT_FALSE(IsApplyEnabled(d));
            d.Click(IDC_TRIGGER_OWN);
          })
      .On(kSheetTitle,
          [](DialogDriver& d) {
            EXPECT_TRUE(d.IsVisible(IDC_TRIGGER_PERIOD));
            EXPECT_TRUE(d.IsVisible(IDC_TRIGGER_MS));
            EXPECT_EQ(d.Text(IDC_TRIGGER_PERIOD), "1000");
            EXPECT_TRUE(IsApplyEnabled(d));
            d.Click(IDC_TRIGGER_PICTURE);
          })
      .On(kSheetTitle, [](DialogDriver& d) {
        EXPECT_FALSE(d.IsVisible(IDC_TRIGGER_PERIOD));
        d.Click(IDCANCEL);
      });
  EXPECT_EQ(RunSheet(script, parent_, {&page}), IDCANCEL);
  EXPECT_EQ(link.m_nTrigger, AT_PICTURE_CYCLE);  // the link's own, untouched
}

TEST_F(TriggerPageTest, WritingTellsTheEditingWindow) {
  CPageTrigger trigger(wnd_, &link);
  trigger.m_nTrigger = 1;
  DialogScript script;
  script.On(kSheetTitle, [](DialogDriver& d) {
    d.Type(IDC_TRIGGER_PERIOD, "400");
    d.Click(IDOK);
  });
  EXPECT_EQ(RunSheet(script, parent_, {&trigger}), IDOK);
  EXPECT_EQ(link.m_nPeriod, 400);
  EXPECT_EQ(LinkNotices(), 1);
  EXPECT_TRUE(PictureModified());
}

// The script editor keeps the trigger until its script is saved.
struct HeldTrigger : CTriggerHolder {
  int trigger = -1, period = -1, takes = 0;
  void TakeTrigger(int t, int p) override {
    trigger = t;
    period = p;
    ++takes;
  }
};

TEST_F(TriggerPageTest, ServingTheScriptEditorHandsItTheValuesAndLeavesTheLinkAlone) {
  HeldTrigger held;
  CPageTrigger trigger(wnd_, nullptr);
  trigger.m_nTrigger = 1;
  trigger.m_nPeriod = 300;
  trigger.ServeScriptDialog(&held);
  EXPECT_EQ(trigger.m_bForScript, 1);
  DialogScript script;
  script.On(kSheetTitle, [](DialogDriver& d) {
    d.Type(IDC_TRIGGER_PERIOD, "2500");
    d.Click(IDOK);
  });
  EXPECT_EQ(RunSheet(script, parent_, {&trigger}), IDOK);
  EXPECT_EQ(held.takes, 1);
  EXPECT_EQ(held.trigger, 1);
  EXPECT_EQ(held.period, 2500);
  EXPECT_EQ(LinkNotices(), 0);
}

}  // namespace
}  // namespace pagetest
