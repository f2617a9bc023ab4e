// What each link kind does to its draw object for a given expression value.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "actkinds.h"
#include "drawline.h"
#include "drawmtext.h"
#include "drawrect.h"
#include "links_test_util.h"

namespace {

// A control object: the kinds that leave controls alone must do so.
class CTestControl : public CDrawRect {
 public:
  DrawObjType GetObjType() override { return DOT_PUSHBT; }
};

class LinkKindTest : public ::testing::Test {
 protected:
  void SetUp() override {
    linktest::RegisterAll();
    rect_.SetCorners(CRectD(10, 10, 50, 30));
    tagval_.SetCorners(CRectD(10, 10, 50, 30));
    mtext_.SetCorners(CRectD(10, 10, 50, 30));
    line_.AddPoint(CPointD(0, 0));
    line_.AddPoint(CPointD(10, 0));
    arrow_.AddPoint(CPointD(0, 0));
    arrow_.AddPoint(CPointD(10, 0));
  }

  // Gives the link the expression and a context with the owner, then runs it
  // once without a window argument (so the area goes to the dirty rectangle).
  int Run(CAction& link, CDrawObj& owner, const char* expression) {
    Prepare(link, owner, expression);
    return link.Execute(nullptr);
  }
  void Prepare(CAction& link, CDrawObj& owner, const char* expression) {
    link.m_nMode = AM_DIRECT;
    link.m_strExpression = expression;
    DrawViewContext context;
    context.pObject = &owner;
    context.hView = window_.hwnd();
    context.pUpdateRect = &dirty_;
    link.SetContext(context);
    dirty_ = RECT{};
  }
  bool Repainted() const { return !::IsRectEmpty(&dirty_); }

  linktest::TestPictureWindow window_;
  RECT dirty_ = {};
  CDrawRect rect_;
  CDrawTagVal tagval_;
  CDrawMtext mtext_;
  CDrawLine line_;
  CDrawArrow arrow_;
  CTestControl control_;
};

// ---- common part --------------------------------------------------------------

TEST_F(LinkKindTest, ScriptLinkWithoutCodeReportsThatItRan) {
  CActColor color;
  color.m_nMode = AM_SCRIPT;
  DrawViewContext context;
  context.pObject = &rect_;
  color.SetContext(context);
  const COLORREF before = rect_.m_clrLine;
  EXPECT_EQ(color.Execute(nullptr), 1);
  EXPECT_EQ(rect_.m_clrLine, before);
  CAction base;
  EXPECT_EQ(base.Execute(nullptr), 1);
}

TEST_F(LinkKindTest, DirectLinkThatCannotEvaluateChangesNothing) {
  struct Case {
    const char* expression;
    int mode;
  } cases[] = {
      {"-5", 0},                   // no mode
      {"-5", 3},                   // no mode either
      {"", AM_DIRECT},             // empty text: never compiled
      {"1+", AM_DIRECT},           // fails its check
      {"TV(missing)", AM_DIRECT},  // the window has no such tag
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.expression);
    CActColor color;
    rect_.m_clrLine = 0x111111;
    Prepare(color, rect_, c.expression);
    color.m_nMode = c.mode;
    EXPECT_EQ(color.Execute(nullptr), 0);
    EXPECT_EQ(rect_.m_clrLine, 0x111111u);
  }
}

// Everything a link may change on its owner, stored fields and the rest.
struct OwnerState {
  std::vector<BYTE> stored;
  double fraction;
  BOOL visible;
  std::string text;
  bool operator==(const OwnerState& o) const {
    return stored == o.stored && fraction == o.fraction && visible == o.visible && text == o.text;
  }
};

OwnerState StateOf(CDrawObj& owner) {
  return {linktest::StoredBytes(&owner), owner.m_dPerFill, owner.IsVisible(), owner.GetText().GetString()};
}

TEST_F(LinkKindTest, AFailingLinkOfAnyKindLeavesItsOwnerAsItWas) {
  window_.tags["zero"] = CScriptValue();  // an integer 0
  const char* failing[] = {"TV(missing)", "1/TV(zero)", "(1", "-\"a\""};
  for (CDrawObj* owner : {static_cast<CDrawObj*>(&tagval_), static_cast<CDrawObj*>(&line_)}) {
    std::vector<CAction*> links = linktest::LinksOfEveryKind();
    for (CAction* link : links) {
      for (const char* expression : failing) {
        SCOPED_TRACE(testing::Message()
                     << owner->GetObjType() << " " << link->GetKind() << " " << expression);
        owner->m_dPerFill = 0.25;
        const OwnerState before = StateOf(*owner);
        Prepare(*link, *owner, expression);
        EXPECT_EQ(link->Execute(nullptr), 0);
        EXPECT_TRUE(StateOf(*owner) == before);
        EXPECT_FALSE(Repainted());
      }
      delete link;
    }
  }
  EXPECT_TRUE(window_.linkedPictures.empty());  // the event link's command was not carried out
}

TEST_F(LinkKindTest, DirectLinkWithoutOwnerOrWindowForTagsDoesNothing) {
  CActColor color;
  color.m_nMode = AM_DIRECT;
  color.m_strExpression = "1";
  color.SetContext(DrawViewContext());
  EXPECT_TRUE(color.IsCompiled());
  EXPECT_EQ(color.Execute(nullptr), 0);
  // A tag reference needs the picture window.
  color.m_strExpression = "TV(level)";
  DrawViewContext context;
  context.pObject = &rect_;
  color.SetContext(context);
  rect_.m_clrLine = 7;
  EXPECT_EQ(color.Execute(nullptr), 0);
  EXPECT_EQ(rect_.m_clrLine, 7u);
}

TEST_F(LinkKindTest, CheckFailureLeavesTheLinkUncompiledAndAnEmptyTextKeepsTheFlag) {
  CActTagVal link;
  Run(link, tagval_, "1");
  EXPECT_TRUE(link.IsCompiled());
  Run(link, tagval_, "");  // empty: the flag stays
  EXPECT_TRUE(link.IsCompiled());
  Run(link, tagval_, "(1");
  EXPECT_FALSE(link.IsCompiled());
}

TEST_F(LinkKindTest, BaseAndMoveLinksApplyNoValue) {
  CAction base;
  CActMove move;
  EXPECT_EQ(Run(base, rect_, "1"), 0);
  EXPECT_EQ(Run(move, rect_, "1"), 0);
  move.m_nMode = AM_SCRIPT;
  EXPECT_EQ(move.Execute(nullptr), 1);
}

// ---- displayed value ----------------------------------------------------------

TEST_F(LinkKindTest, DisplayedValueFormatsTheValue) {
  CScriptValue level;
  level.SetInt(21);
  window_.tags["level"] = level;
  CScriptValue flow;
  flow.SetDouble(2.25);
  window_.tags["flow"] = flow;
  struct Case {
    const char* expression;
    int decimals;
    const char* text;
    int decimalsAfter;
  } cases[] = {
      {"12", 2, "12", 2},
      {"2.5", 2, "2.50", 2},
      {"1/3.0", 9, "0.333333", 6},
      {"2.7", -1, "3", 0},
      {"\"泵站\"", 2, "泵站", 2},
      {"TV(level)", 2, "21", 2},
      {"TV(flow)*2", 3, "4.500", 3},
      {"1000000.0", 0, "1000000", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.expression);
    CActTagVal link;
    link.m_nDecimals = c.decimals;
    EXPECT_EQ(Run(link, tagval_, c.expression), 1);
    EXPECT_EQ(std::string(tagval_.GetText().GetString()), c.text);
    EXPECT_EQ(link.m_nDecimals, c.decimalsAfter);
    EXPECT_TRUE(Repainted());
  }
}

// ---- colours ------------------------------------------------------------------

TEST_F(LinkKindTest, ColourLevelsWithTheDefaults) {
  struct Case {
    const char* expression;
    COLORREF colour;  // 0x111111: unchanged
  } cases[] = {
      {"-5", 0x00FF00}, {"0", 0x00FF00}, {"0.0", 0x00FF00},      {"0.5", 0x0000FF},
      {"1", 0x0000FF},  {"2", 0x111111}, {"1.000001", 0x111111},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.expression);
    CActColor link;
    rect_.m_clrLine = 0x111111;
    EXPECT_EQ(Run(link, rect_, c.expression), 1);
    EXPECT_EQ(rect_.m_clrLine, c.colour);
    EXPECT_TRUE(Repainted());  // also when no level matched
  }
}

TEST_F(LinkKindTest, IntegersCompareWithIntegerThresholdsAndDoublesWithDoubles) {
  CActColor link;
  link.m_nLevels = 1;
  link.SetThresholdText("-0.5\t");  // integer threshold 0, double -0.5
  rect_.m_clrLine = 0x111111;
  Run(link, rect_, "0");
  EXPECT_EQ(rect_.m_clrLine, 0x00FF00u);
  rect_.m_clrLine = 0x111111;
  Run(link, rect_, "0.0");
  EXPECT_EQ(rect_.m_clrLine, 0x111111u);
}

TEST_F(LinkKindTest, LevelsBeyondTheLevelCountNeverMatch) {
  CActColor link;
  link.m_nLevels = 3;
  link.SetThresholdText("0\t1\t2\t");
  rect_.m_clrLine = 0x111111;
  Run(link, rect_, "1.5");
  EXPECT_EQ(rect_.m_clrLine, 0x00FFFFu);
  link.m_nLevels = 2;
  rect_.m_clrLine = 0x111111;
  Run(link, rect_, "1.5");
  EXPECT_EQ(rect_.m_clrLine, 0x111111u);
  link.m_nLevels = 50;  // at most ten levels
  rect_.m_clrLine = 0x111111;
  EXPECT_EQ(Run(link, rect_, "5"), 1);
  EXPECT_EQ(rect_.m_clrLine, 0x111111u);
}

TEST_F(LinkKindTest, ColourGoesToTextOrLineAndFillColourToTheFill) {
  struct Case {
    CDrawObj* owner;
    bool text;
  } owners[] = {{&tagval_, true}, {&mtext_, true}, {&rect_, false}, {&line_, false}};
  for (const auto& o : owners) {
    SCOPED_TRACE(o.owner->GetObjType());
    o.owner->m_clrLine = o.owner->m_clrText = o.owner->m_clrFill1 = 0x111111;
    CActColor color;
    Run(color, *o.owner, "0");
    EXPECT_EQ(o.owner->m_clrText, o.text ? 0x00FF00u : 0x111111u);
    EXPECT_EQ(o.owner->m_clrLine, o.text ? 0x111111u : 0x00FF00u);
    EXPECT_EQ(o.owner->m_clrFill1, 0x111111u);
    CActFillColor fill;
    Run(fill, *o.owner, "1");
    EXPECT_EQ(o.owner->m_clrFill1, 0x0000FFu);
  }
}

TEST_F(LinkKindTest, ColourOfAStringChangesNothing) {
  CActColor link;
  rect_.m_clrLine = 0x111111;
  EXPECT_EQ(Run(link, rect_, "\"0\""), 0);
  EXPECT_EQ(rect_.m_clrLine, 0x111111u);
  EXPECT_FALSE(Repainted());
}

// ---- visibility ---------------------------------------------------------------

TEST_F(LinkKindTest, FlashBlinksWhileTrueAndRestoresTheFirstVisibility) {
  struct Step {
    const char* expression;
    BOOL visible;
  } steps[] = {
      {"1", FALSE},   {"1", TRUE},      {"1", FALSE},        {"0", TRUE},          {"0.5", FALSE},
      {"\"\"", TRUE}, {"\"0\"", FALSE}, {"0.0000001", TRUE}, {"-0.000001", FALSE},
  };
  CActFlash link;
  rect_.SetVisible(TRUE);
  for (const auto& s : steps) {
    SCOPED_TRACE(s.expression);
    EXPECT_EQ(Run(link, rect_, s.expression), 1);
    EXPECT_EQ(rect_.IsVisible(), s.visible);
    EXPECT_TRUE(Repainted());
  }
}

TEST_F(LinkKindTest, FlashOfAHiddenObjectComesBackHidden) {
  CActFlash link;
  rect_.SetVisible(FALSE);
  Run(link, rect_, "1");
  EXPECT_TRUE(rect_.IsVisible());
  Run(link, rect_, "0");
  EXPECT_FALSE(rect_.IsVisible());
}

TEST_F(LinkKindTest, ShowHideFollowsTheIntegerValue) {
  struct Step {
    const char* expression;
    int result;
    BOOL visible;
  } steps[] = {
      {"0.7", 1, FALSE},                                      // truncated to 0: hidden
      {"0", 0, FALSE},                                        // already hidden: nothing to do
      {"-3", 1, TRUE},   {"5", 0, TRUE}, {"\"0\"", 0, TRUE},  // strings do nothing
  };
  CActShowHide link;
  rect_.SetVisible(TRUE);
  for (const auto& s : steps) {
    SCOPED_TRACE(s.expression);
    EXPECT_EQ(Run(link, rect_, s.expression), s.result);
    EXPECT_EQ(rect_.IsVisible(), s.visible);
    EXPECT_EQ(Repainted(), s.result == 1);
  }
}

TEST_F(LinkKindTest, ShowHideAndRotationLeaveControlsAlone) {
  CActShowHide show;
  control_.SetVisible(TRUE);
  EXPECT_EQ(Run(show, control_, "0"), 0);
  EXPECT_TRUE(control_.IsVisible());
  CActRoll roll;
  EXPECT_EQ(Run(roll, control_, "1"), 0);
}

// ---- rotation -----------------------------------------------------------------

void ExpectPoint(const CPointD& p, double x, double y) {
  EXPECT_NEAR(p.x, x, 1e-6);
  EXPECT_NEAR(p.y, y, 1e-6);
}

TEST_F(LinkKindTest, RotationTurnsByTheStepWhileTheValueIsNonZero) {
  CActRoll link;
  link.m_nStep = 90;
  EXPECT_EQ(Run(link, line_, "0"), 0);
  ExpectPoint(line_.m_points[1], 10, 0);
  EXPECT_EQ(Run(link, line_, "1"), 1);
  EXPECT_NEAR(line_.m_points[0].x, 5, 1e-6);
  EXPECT_NEAR(line_.m_points[1].x, 5, 1e-6);
  EXPECT_NEAR(std::fabs(line_.m_points[1].y - line_.m_points[0].y), 10, 1e-6);
  EXPECT_TRUE(Repainted());
  EXPECT_EQ(Run(link, line_, "2.9"), 1);  // half a turn in all: the ends swapped
  ExpectPoint(line_.m_points[0], 10, 0);
  ExpectPoint(line_.m_points[1], 0, 0);
  EXPECT_EQ(Run(link, line_, "\"1\""), 0);
}

TEST_F(LinkKindTest, SwingRotatesOnceForwardAndOnceBack) {
  CActRoll link;
  link.m_nSwing = 1;
  link.m_nStep = 90;
  struct Step {
    const char* expression;
    bool turned;
  } steps[] = {{"1", true}, {"1", true}, {"0", false}, {"0", false}, {"7", true}};
  for (const auto& s : steps) {
    SCOPED_TRACE(s.expression);
    EXPECT_EQ(Run(link, line_, s.expression), 1);  // a swing link acts on 0 too
    if (s.turned) {
      EXPECT_NEAR(line_.m_points[1].x, 5, 1e-6);
    } else {
      ExpectPoint(line_.m_points[0], 0, 0);
      ExpectPoint(line_.m_points[1], 10, 0);
    }
  }
}

// ---- percentage fill ----------------------------------------------------------

TEST_F(LinkKindTest, PercentageFillSetsTheFractionDirectionAndColour) {
  struct Case {
    const char* expression;
    double minimum, maximum;
    double fraction;
  } cases[] = {
      {"50", 0, 100, 0.5},
      {"25.0", 0, 100, 0.25},
      {"5", 5, 5, 0.99999},   // an empty range
      {"-10", 10, -10, 1.0},  // a falling range
      // The draw object keeps the fraction to 0..1, so the fill never
      // leaves its shape.
      {"150", 0, 100, 1.0},
      {"-50", 0, 100, 0.0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.expression);
    CActPerFill link;
    link.m_dMinimum = c.minimum;
    link.m_dMaximum = c.maximum;
    link.m_nDirection = 2;
    link.m_clrFill = 0x123456;
    EXPECT_EQ(Run(link, rect_, c.expression), 1);
    EXPECT_DOUBLE_EQ(rect_.m_dPerFill, c.fraction);
    EXPECT_EQ(rect_.m_nPerFillDir, 2);
    EXPECT_EQ(rect_.m_clrPerFill, 0x123456u);
    EXPECT_TRUE(Repainted());
  }
  CActPerFill link;
  rect_.m_dPerFill = 0.3;
  EXPECT_EQ(Run(link, rect_, "\"50\""), 0);
  EXPECT_DOUBLE_EQ(rect_.m_dPerFill, 0.3);
}

// ---- pointer ------------------------------------------------------------------

TEST_F(LinkKindTest, PointerTurnsLinesAndArrowsToTheAngleOfTheValue) {
  struct Case {
    const char* expression;
    double degrees;
  } cases[] = {{"0", 180}, {"50", 225}, {"200", 360}, {"100.0", 270}, {"-100", 90}};
  for (CDrawLine* owner : {&line_, static_cast<CDrawLine*>(&arrow_)}) {
    for (const auto& c : cases) {
      SCOPED_TRACE(c.expression);
      CActPointer link;
      EXPECT_EQ(Run(link, *owner, c.expression), 1);
      const double r = c.degrees * kDegreeToRadian;
      ExpectPoint(owner->m_points[0], 0, 0);
      EXPECT_NEAR(owner->m_points[1].x, 10 * std::cos(r), 1e-5);
      EXPECT_NEAR(owner->m_points[1].y, 10 * std::sin(r), 1e-5);
      EXPECT_TRUE(Repainted());
    }
  }
}

TEST_F(LinkKindTest, PointerDoesNothingForOtherObjectsEmptyRangesAndStrings) {
  CActPointer link;
  EXPECT_EQ(Run(link, rect_, "50"), 0);
  link.m_dMaximum = 0.000001;
  EXPECT_EQ(Run(link, line_, "50"), 0);
  ExpectPoint(line_.m_points[1], 10, 0);
  link.m_dMaximum = 100;
  EXPECT_EQ(Run(link, line_, "\"50\""), 0);
  EXPECT_FALSE(Repainted());
}

// ---- repaint ------------------------------------------------------------------

TEST_F(LinkKindTest, WithAWindowArgumentTheLinkInvalidatesTheWindowInstead) {
  HWND shown = ::CreateWindowA("STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr,
                               ::GetModuleHandleA(nullptr), nullptr);
  ASSERT_TRUE(shown);
  ::UpdateWindow(shown);
  ::ValidateRect(shown, nullptr);
  CActColor link;
  Run(link, rect_, "0");  // sets the context
  dirty_ = RECT{};
  EXPECT_EQ(link.Execute(shown), 1);
  EXPECT_FALSE(Repainted());
  RECT update = {};
  EXPECT_TRUE(::GetUpdateRect(shown, &update, FALSE));
  const RECT expected = rect_.GetInvalidRect();
  EXPECT_TRUE(::EqualRect(&update, &expected));
  ::DestroyWindow(shown);
}

TEST_F(LinkKindTest, TurningLinksRepaintTheAreaBeforeAndAfter) {
  CActPointer link;
  link.m_dMinimum = 0;
  link.m_dMaximum = 100;
  link.m_nStartAngle = 0;
  link.m_nEndAngle = 100;
  const RECT before = line_.GetInvalidRect();
  Run(link, line_, "90");  // the line now points down
  const RECT after = line_.GetInvalidRect();
  RECT both;
  ::UnionRect(&both, &before, &after);
  EXPECT_TRUE(::EqualRect(&dirty_, &both));
}

// ---- events -------------------------------------------------------------------

TEST_F(LinkKindTest, EventLinkWithTheLinkCommandAsksForThePicture) {
  struct Case {
    const char* command;
    int result;
    const char* picture;  // null: nothing sent
  } cases[] = {
      {"link\nmain", 1, "main"},  {"link\n子画面\\泵站.pic", 1, "子画面\\泵站.pic"},
      {"link\n", 1, ""},          {"link", 0, nullptr},
      {"", 0, nullptr},           {"Link\nmain", 0, nullptr},
      {"open\nmain", 0, nullptr}, {"link \nmain", 0, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.command);
    window_.linkedPictures.clear();
    CActEvent link;
    link.m_nEvent = AK_MOUSE_CLICK;
    link.m_strCommand = c.command;
    EXPECT_EQ(Run(link, rect_, ""), c.result);
    ASSERT_EQ(window_.linkedPictures.size(), c.picture ? 1u : 0u);
    if (c.picture) {
      EXPECT_EQ(window_.linkedPictures[0], c.picture);
      EXPECT_EQ(window_.linkWParams[0], 0u);
    }
  }
}

TEST_F(LinkKindTest, EventLinkWithoutAPictureWindowOrInScriptModeSendsNothing) {
  CActEvent link;
  link.m_strCommand = "link\nmain";
  DrawViewContext context;
  context.pObject = &rect_;
  link.m_nMode = AM_DIRECT;
  link.SetContext(context);
  EXPECT_EQ(link.Execute(nullptr), 0);
  context.hView = window_.hwnd();
  link.SetContext(context);
  link.m_nMode = AM_SCRIPT;
  EXPECT_EQ(link.Execute(nullptr), 1);
  EXPECT_TRUE(window_.linkedPictures.empty());
  link.m_nEvent = AK_RBUTTON_DOWN;
  EXPECT_EQ(link.GetKind(), AK_RBUTTON_DOWN);
}

TEST_F(LinkKindTest, EventLinkModesAndExpressions) {
  struct Case {
    int mode;
    const char* expression;
    int result;
    bool sent;
  } cases[] = {
      {AM_DIRECT, "", 1, true},  // a picture link: no expression to compile
      {AM_DIRECT, "1", 1, true},
      {AM_DIRECT, "TV(missing)", 0, false},  // carries one that fails to evaluate
      {AM_DIRECT, "1+", 0, false},           // carries one that fails its check
      {AM_SCRIPT, "", 1, false},             // runs its (empty) script instead
      {AM_NONE, "", 0, false},
      {3, "", 0, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.mode << " " << c.expression);
    window_.linkedPictures.clear();
    CActEvent link;
    link.m_nEvent = AK_LBUTTON_DOWN;
    link.m_strCommand = "link\nmain";
    Prepare(link, rect_, c.expression);
    link.m_nMode = c.mode;
    EXPECT_EQ(link.Execute(nullptr), c.result);
    EXPECT_EQ(window_.linkedPictures.size(), c.sent ? 1u : 0u);
  }
  // Without an owner (never prepared) a picture link does nothing.
  CActEvent unprepared;
  unprepared.m_nMode = AM_DIRECT;
  unprepared.m_strCommand = "link\nmain";
  EXPECT_EQ(unprepared.Execute(nullptr), 0);
}

TEST_F(LinkKindTest, DisplayedTextOf255BytesNeverEndsInHalfACharacter) {
  CActTagVal link;
  const std::string a254(254, 'a');
  EXPECT_EQ(Run(link, tagval_, ("\"" + a254 + "\"+\"泵站\"").c_str()), 1);
  EXPECT_EQ(std::string(tagval_.GetText().GetString()), a254);
  EXPECT_EQ(Run(link, tagval_, ("\"" + a254.substr(1) + "泵站\"").c_str()), 1);
  EXPECT_EQ(std::string(tagval_.GetText().GetString()), a254.substr(1) + "泵");
}

TEST_F(LinkKindTest, RotationAnglesOfTheStep) {
  // A line from (0,0) to (10,0) turns about its centre (5,0); after n
  // firings its end is at n times the step. Degrees become radians with pi
  // taken as 3.1415926, so half a turn leaves the end a little off the axis.
  struct Case {
    int step;
    int firings;
    double degrees;
  } cases[] = {{30, 1, 30}, {30, 3, 90}, {-45, 2, -90}, {0, 2, 0}, {360, 1, 360}, {180, 1, 180}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.step << " x" << c.firings);
    CDrawLine line;
    line.AddPoint(CPointD(0, 0));
    line.AddPoint(CPointD(10, 0));
    CActRoll link;
    link.m_nStep = c.step;
    Prepare(link, line, "1");
    for (int i = 0; i < c.firings; ++i) EXPECT_EQ(link.Execute(nullptr), 1);
    const double r = c.degrees * 0.017453292222222222;
    const double x = 5 + 5 * std::cos(r), y = 5 * std::sin(r);
    EXPECT_NEAR(line.m_points[1].x, x, 1e-9);
    EXPECT_NEAR(std::fabs(line.m_points[1].y), std::fabs(y), 1e-9);
    EXPECT_NEAR(line.m_points[0].x, 10 - x, 1e-9);
  }
}

}  // namespace
