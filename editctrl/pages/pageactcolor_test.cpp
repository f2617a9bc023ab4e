// The colour levels page: the bounds text, the level and segment up-downs
// and what it writes into a colour link.
#include <gtest/gtest.h>

#include "actkinds.h"
#include "pageactcolor.h"
#include "pageres.h"
#include "pagetest_util.h"

namespace pagetest {
namespace {

using qeltest::DialogDriver;
using qeltest::DialogScript;

TEST(ColorThresholds, EveryPieceClosedByATabIsABound) {
  const struct {
    const char* text;
    std::vector<std::string> bounds;
  } cases[] = {
      {"", {}},
      {"0\t1\t", {"0", "1"}},
      {"10\t20", {"10"}},  // text after the last tab is dropped
      {"\t5\t", {"", "5"}},
      {"1\t2\t3\t4\t5\t6\t7\t8\t9\t10\t11\t12\t", {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}},
  };
  for (const auto& c : cases) {
    CString bounds[CPageActColor::kMaxBounds];
    const int count = SplitThresholdText(c.text, bounds, CPageActColor::kMaxBounds);
    ASSERT_EQ(count, static_cast<int>(c.bounds.size())) << c.text;
    for (int i = 0; i < count; ++i) EXPECT_EQ(std::string(bounds[i].GetString()), c.bounds[i]) << c.text;
  }
}

TEST(ColorThresholds, JoiningWritesOnlyTheFirstLevelsEachWithItsTab) {
  CString bounds[CPageActColor::kMaxBounds] = {"10", "20", "30", "40", "50", "60", "70", "80", "90", "100"};
  EXPECT_EQ(std::string(JoinThresholds(bounds, 3).GetString()), "10\t20\t30\t");
  EXPECT_EQ(std::string(JoinThresholds(bounds, 0).GetString()), "");
  EXPECT_EQ(JoinThresholds(bounds, 12).GetLength(), JoinThresholds(bounds, 10).GetLength());
}

class ColorPageTest : public EditWindowTest {
 protected:
  CActColor link;
  CPageActColor page{nullptr, &link};

  // The page filled from the link, as the colour dialog fills it.
  void Fill() {
    page.m_nLevels = link.m_nLevels;
    for (int i = 0; i < CActColor::kLevels; ++i) page.m_colors[i] = link.m_colors[i];
    page.m_strThresholds = link.m_strThresholds;
    page.m_nSegment = 1;
  }
};

TEST_F(ColorPageTest, TheLevelUpDownStopsAtTwoAndFive) {
  Fill();
  std::vector<std::string> shown;
  DialogScript script;
  script.On(kSheetTitle, [&](DialogDriver& d) {
    HWND levels = d.Item(IDC_COLOR_LEVELS_SPIN);
    shown.push_back(d.Text(IDC_COLOR_LEVELS));
    ClickUpDown(levels, false);
    shown.push_back(d.Text(IDC_COLOR_LEVELS));
    for (int i = 0; i < 4; ++i) {
      ClickUpDown(levels, true);
      shown.push_back(d.Text(IDC_COLOR_LEVELS));
    }
    ClickUpDown(levels, false);
    shown.push_back(d.Text(IDC_COLOR_LEVELS));
    d.Click(IDOK);
  });
  EXPECT_EQ(RunSheet(script, parent_, {&page}), IDOK);
  EXPECT_EQ(shown, (std::vector<std::string>{"2", "2", "3", "4", "5", "5", "4"}));
  EXPECT_EQ(link.m_nLevels, 4);
  EXPECT_EQ(page.m_strip.GetSegmentCount(), 4);  // the strip follows the count
}

TEST_F(ColorPageTest, TheSegmentStaysWithinTheLevelsAndShowsItsBounds) {
  link.SetThresholdText("0\t1\t2\t");
  link.m_nLevels = 3;
  Fill();
  DialogScript script;
  script.On(kSheetTitle, [](DialogDriver& d) {
    EXPECT_EQ(d.Text(IDC_COLOR_SEGMENT), "1");
    EXPECT_EQ(d.Text(IDC_COLOR_LOWER), "");
    EXPECT_EQ(d.Text(IDC_COLOR_UPPER), "0");
    EXPECT_FALSE(IsApplyEnabled(d));  // filling the controls is no change
    HWND segment = d.Item(IDC_COLOR_SEGMENT_SPIN);
    ClickUpDown(segment, false);
    EXPECT_EQ(d.Text(IDC_COLOR_SEGMENT), "1");
    ClickUpDown(segment, true);
    ClickUpDown(segment, true);
    ClickUpDown(segment, true);
    EXPECT_EQ(d.Text(IDC_COLOR_SEGMENT), "3");
    EXPECT_EQ(d.Text(IDC_COLOR_LOWER), "1");
    EXPECT_EQ(d.Text(IDC_COLOR_UPPER), "2");
    EXPECT_TRUE(IsApplyEnabled(d));
    // Fewer levels than the segment: the segment follows.
    ClickUpDown(d.Item(IDC_COLOR_LEVELS_SPIN), false);
    EXPECT_EQ(d.Text(IDC_COLOR_LEVELS), "2");
    EXPECT_EQ(d.Text(IDC_COLOR_SEGMENT), "2");
    EXPECT_EQ(d.Text(IDC_COLOR_LOWER), "0");
    EXPECT_EQ(d.Text(IDC_COLOR_UPPER), "1");
    d.Click(IDCANCEL);
  });
  EXPECT_EQ(RunSheet(script, parent_, {&page}), IDCANCEL);
  EXPECT_EQ(link.m_nLevels, 3);
}

TEST_F(ColorPageTest, ThreeLevelsWriteExactlyThreeBoundsWhateverTheOlderOnes) {
  link.SetThresholdText("1\t2\t3\t4\t5\t6\t7\t8\t9\t10\t");
  link.m_nLevels = 5;
  Fill();
  DialogScript script;
  script.On(kSheetTitle, [](DialogDriver& d) {
    ClickUpDown(d.Item(IDC_COLOR_LEVELS_SPIN), false);
    ClickUpDown(d.Item(IDC_COLOR_LEVELS_SPIN), false);
    const char* bounds[] = {"10", "20", "30"};
    for (const char* bound : bounds) {
      d.Type(IDC_COLOR_UPPER, bound);
      ClickUpDown(d.Item(IDC_COLOR_SEGMENT_SPIN), true);
    }
    EXPECT_EQ(d.Text(IDC_COLOR_LOWER), "20");  // the segment stopped at 3
    d.Click(IDOK);
  });
  EXPECT_EQ(RunSheet(script, parent_, {&page}), IDOK);
  EXPECT_EQ(std::string(link.m_strThresholds.GetString()), "10\t20\t30\t");
  EXPECT_EQ(link.m_nLevels, 3);
  EXPECT_DOUBLE_EQ(link.m_dThresholds[2], 30.0);
  EXPECT_DOUBLE_EQ(link.m_dThresholds[3], 0.0);
}

TEST_F(ColorPageTest, OnlyTheFirstLevelsColoursAreWrittenAndTheWindowIsTold) {
  link.m_nLevels = 2;
  for (int i = 0; i < CActColor::kLevels; ++i) link.m_colors[i] = 0x010101 * (i + 1);
  CPageActColor told(wnd_, &link);
  told.m_nLevels = 3;
  told.m_strThresholds = "1\t2\t3\t";
  const COLORREF chosen[] = {0x0000AA, 0x00BB00, 0xCC0000, 0x123456};
  for (int i = 0; i < 4; ++i) told.m_colors[i] = chosen[i];
  DialogScript script;
  script.On(kSheetTitle, [](DialogDriver& d) { d.Click(IDOK); });
  EXPECT_EQ(RunSheet(script, parent_, {&told}), IDOK);
  EXPECT_EQ(link.m_colors[0], 0x0000AAu);
  EXPECT_EQ(link.m_colors[2], 0xCC0000u);
  EXPECT_EQ(link.m_colors[3], 0x040404u);  // beyond the levels: kept
  EXPECT_EQ(LinkNotices(), 1);
  EXPECT_TRUE(PictureModified());
}

TEST_F(ColorPageTest, TheStripShowsTheLevelsColoursAndBounds) {
  link.SetThresholdText("5\t15\t25\t");
  link.m_nLevels = 3;
  link.m_colors[1] = 0x123456;
  Fill();
  DialogScript script;
  script.On(kSheetTitle, [](DialogDriver& d) {
    d.Type(IDC_COLOR_UPPER, "7");
    d.Click(IDCANCEL);
  });
  RunSheet(script, parent_, {&page});
  EXPECT_EQ(page.m_strip.GetSegmentCount(), 3);
  EXPECT_EQ(page.m_strip.GetColor(0), 0x00FF00u);
  EXPECT_EQ(page.m_strip.GetColor(1), 0x123456u);
  EXPECT_EQ(page.m_strip.GetColor(5), 0xFF0000u);  // beyond the levels: the strip's own
  EXPECT_EQ(std::string(page.m_strip.GetBoundText(0).GetString()), "7");  // typed into segment 1
  EXPECT_EQ(std::string(page.m_strip.GetBoundText(2).GetString()), "25");
}

TEST_F(ColorPageTest, AColourChosenInTheStripEnablesApplyAndIsWritten) {
  Fill();
  DialogScript script;
  script.On(kSheetTitle, [](DialogDriver& d) {
    // Segment 1, from bright green to turquoise.
    ASSERT_TRUE(ChooseNextColour(d.Item(IDC_COLOR_STRIP)));
    EXPECT_TRUE(IsApplyEnabled(d));
    d.Click(IDOK);
  });
  EXPECT_EQ(RunSheet(script, parent_, {&page}), IDOK);
  EXPECT_EQ(link.m_colors[0], 0xD0E040u);
  EXPECT_EQ(link.m_colors[1], 0x0000FFu);
}

TEST_F(ColorPageTest, APageOfAnotherKindWritesNothing) {
  CActTagVal value;
  CPageActColor other(wnd_, &value);
  DialogScript script;
  script.On(kSheetTitle, [](DialogDriver& d) { d.Click(IDOK); });
  EXPECT_EQ(RunSheet(script, parent_, {&other}), IDOK);
  EXPECT_EQ(LinkNotices(), 0);
  EXPECT_FALSE(PictureModified());
}

}  // namespace
}  // namespace pagetest
