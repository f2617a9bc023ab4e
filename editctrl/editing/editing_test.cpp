// Editing the selection through the host's messages: undo and redo,
// arranging, groups and sub-pictures, rotation, properties and links.
#include <gtest/gtest.h>

#include <cstring>

#include "actkinds.h"
#include "drawbutton.h"
#include "drawcell.h"
#include "drawgroup.h"
#include "drawline.h"
#include "editctrl_inproc.h"
#include "editing/layerstate.h"
#include "linkclasses.h"

namespace edittest {
namespace {

class EditingTest : public InProcessEditTest {
 protected:
  // Rectangles of the given frames (left, top, width, height), selected in order.
  std::vector<CDrawObj*> SelectedRects(std::initializer_list<CRectD> frames) {
    std::vector<CDrawObj*> made;
    for (const CRectD& f : frames) {
      auto* rect = new CDrawRect;
      wnd_->GetCurrentLayer()->m_objects.AddTail(rect);
      rect->SetCorners(CRectD(f.left, f.top, f.left + f.right, f.top + f.bottom));
      rect->SetViewTransform(wnd_->GetOrigin(), wnd_->GetZoom());
      made.push_back(rect);
    }
    for (size_t i = 0; i < made.size(); ++i) wnd_->Select(made[i], i > 0);
    TakeNoticeNumbers();
    return made;
  }
  // A rectangle mirrored twice, the second mirror undone: one undo and one redo step.
  void TwoChangesOneUndone() {
    SelectedRects({{80, 80, 40, 30}});
    Send(QCM_ROTATE, 0, 1);
    Send(QCM_ROTATE, 0, 1);
    Send(QCM_UNDO);
    ASSERT_EQ(Query(QCQ_CANREDO), 1);
    ASSERT_EQ(Query(QCQ_CANUNDO), 1);
  }
  int UndoSteps() {
    int steps = 0;
    while (Query(QCQ_CANUNDO) && steps < 1000) {
      Send(QCM_UNDO);
      ++steps;
    }
    return steps;
  }
};

// ---- undo and redo ----------------------------------------------------------

TEST_F(EditingTest, SeventyChangesLeaveSixtyFiveUndoSteps) {
  SelectedRects({{80, 80, 40, 30}});
  for (int i = 0; i < 70; ++i) Send(QCM_ROTATE, 0, 1);
  EXPECT_EQ(UndoSteps(), 65);
}

TEST(LayerStateStack, StatesStayWithinTheByteBudgetTheNewestAlwaysKept) {
  const auto state = [](size_t bytes) {
    auto file = std::make_unique<CMemFile>();
    file->SetLength(static_cast<DWORD>(bytes));
    return file;
  };
  const struct {
    std::vector<size_t> pushed;
    std::vector<size_t> held;  // oldest first
  } cases[] = {
      {{40, 40}, {40, 40}},
      {{40, 40, 40}, {40, 40}},  // the oldest goes to make room
      {{40, 10, 50}, {40, 10, 50}},
      {{40, 10, 51}, {10, 51}},
      {{40, 40, 150}, {150}},  // alone beyond the budget, but kept
      {{150, 20}, {20}},
  };
  for (const auto& c : cases) {
    CLayerStateStack stack(CLayerStateStack::kUnlimited, 100);
    for (size_t bytes : c.pushed) stack.Push(state(bytes));
    size_t total = 0;
    for (size_t bytes : c.held) total += bytes;
    EXPECT_EQ(stack.bytes(), total);
    std::vector<size_t> held;
    while (!stack.empty()) held.insert(held.begin(), stack.TakeNewest()->GetLength());
    EXPECT_EQ(held, c.held);
    EXPECT_EQ(stack.bytes(), 0u);
  }
  // The count limit still holds within the budget.
  CLayerStateStack counted(2, 100);
  for (int i = 0; i < 5; ++i) counted.Push(state(1));
  EXPECT_EQ(counted.size(), 3u);
}

TEST_F(EditingTest, UndoAndRedoRestoreTheLayerAndSendTheNotices) {
  std::vector<CDrawObj*> rects = SelectedRects({{80, 80, 40, 30}, {200, 96, 40, 30}});
  Send(QCM_ARRANGE, 0, QCA_ALIGNLEFT);
  ASSERT_EQ(FrameOf(Objects()[1]).left, 80);
  Send(QCM_UNDO);
  EXPECT_EQ(Objects().size(), 2u);
  EXPECT_EQ(FrameOf(Objects()[1]).left, 200);
  EXPECT_EQ(Query(QCQ_SELCOUNT), 0);
  EXPECT_EQ(Query(QCQ_CANREDO), 1);
  std::vector<UINT> notices = TakeNoticeNumbers();
  ASSERT_GE(notices.size(), 2u);
  EXPECT_EQ(notices.back(), static_cast<UINT>(QCN_EVENTLINKS));
  Send(QCM_REDO);
  EXPECT_EQ(FrameOf(Objects()[1]).left, 80);
  EXPECT_EQ(Query(QCQ_CANREDO), 0);
  EXPECT_EQ(Query(QCQ_CANUNDO), 1);
}

TEST_F(EditingTest, NewChangeDropsTheRedoList) {
  TwoChangesOneUndone();
  wnd_->Select(Objects()[0], false);
  Send(QCM_ROTATE, 0, 2);
  EXPECT_EQ(Query(QCQ_CANREDO), 0);
}

TEST_F(EditingTest, OpeningOrCreatingAPictureClearsUndoAndRedo) {
  TwoChangesOneUndone();
  ASSERT_EQ(SendText(QCM_NEWPIC, "other.pic"), 0);
  EXPECT_EQ(Query(QCQ_CANUNDO), 0);
  EXPECT_EQ(Query(QCQ_CANREDO), 0);
  Send(QCM_UNDO);
  EXPECT_TRUE(Objects().empty());
}

// ---- arranging ----------------------------------------------------------------

TEST_F(EditingTest, AlignmentMovesTheOthersToTheFirstSelectedEdge) {
  const struct {
    int code;
    double expected[3][2];  // left, top of each rectangle afterwards
  } cases[] = {
      {QCA_ALIGNLEFT, {{80, 80}, {80, 120}, {80, 40}}},
      {QCA_ALIGNTOP, {{80, 80}, {200, 80}, {320, 80}}},
      {QCA_ALIGNRIGHT, {{80, 80}, {80, 120}, {40, 40}}},
      {QCA_ALIGNBOTTOM, {{80, 80}, {200, 80}, {320, 70}}},
  };
  for (const auto& c : cases) {
    std::vector<CDrawObj*> rects = SelectedRects({{80, 80, 40, 30}, {200, 120, 40, 30}, {320, 40, 80, 40}});
    Send(QCM_ARRANGE, 0, c.code);
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(FrameOf(rects[i]).left, c.expected[i][0]) << "code " << c.code << " object " << i;
      EXPECT_EQ(FrameOf(rects[i]).top, c.expected[i][1]) << "code " << c.code << " object " << i;
    }
    Send(QCM_UNDO);
    EXPECT_EQ(Query(QCQ_CANUNDO), 0);
    for (CDrawObj* obj : Objects()) wnd_->RemoveObject(obj), obj->Delete();
  }
}

TEST_F(EditingTest, EqualSpacingKeepsTheEndsAndEvensTheGaps) {
  // Widths 40, 20, 60 over 0..300 in selection order 3, 1, 2.
  std::vector<CDrawObj*> rects = SelectedRects({{240, 8, 60, 10}, {0, 100, 40, 10}, {50, 200, 20, 10}});
  Send(QCM_ARRANGE, 0, QCA_SPACEHORZ);
  // gap = (300 - 0 - 120) / 2 = 90: 0..40, 130..150, 240..300
  EXPECT_EQ(FrameOf(rects[1]).left, 0);
  EXPECT_EQ(FrameOf(rects[2]).left, 130);
  EXPECT_EQ(FrameOf(rects[0]).left, 240);
  EXPECT_EQ(FrameOf(rects[2]).top, 200);
  EXPECT_EQ(Query(QCQ_CANUNDO), 1);
}

TEST_F(EditingTest, SpacingNeedsThreeAndAlignmentTwo) {
  std::vector<CDrawObj*> rects = SelectedRects({{0, 0, 40, 10}, {100, 100, 40, 10}});
  Send(QCM_ARRANGE, 0, QCA_SPACEVERT);
  EXPECT_EQ(Query(QCQ_CANUNDO), 0);
  wnd_->Select(rects[0], false);
  Send(QCM_ARRANGE, 0, QCA_ALIGNLEFT);
  EXPECT_EQ(Query(QCQ_CANUNDO), 0);
}

TEST_F(EditingTest, CodesPastTheTableSaveAStateAndMoveNothing) {
  std::vector<CDrawObj*> rects = SelectedRects({{0, 0, 40, 10}, {100, 100, 40, 10}});
  Send(QCM_ARRANGE, 0, 8);
  EXPECT_EQ(Query(QCQ_CANUNDO), 1);
  EXPECT_EQ(FrameOf(rects[1]).left, 100);
}

TEST_F(EditingTest, StepBackAndForwardPassOnlyOverlappingObjects) {
  std::vector<CDrawObj*> r = SelectedRects({{0, 0, 40, 40}, {200, 200, 40, 40}, {20, 20, 40, 40}});
  // Layer: r0, r1, r2. r2 overlaps r0 only.
  wnd_->Select(r[2], false);
  Send(QCM_ARRANGE, 0, QCA_BACKWARD);
  EXPECT_EQ(Objects(), (std::vector<CDrawObj*>{r[2], r[0], r[1]}));
  Send(QCM_ARRANGE, 0, QCA_BACKWARD);  // already first
  EXPECT_EQ(Objects(), (std::vector<CDrawObj*>{r[2], r[0], r[1]}));
  Send(QCM_ARRANGE, 0, QCA_FORWARD);
  EXPECT_EQ(Objects(), (std::vector<CDrawObj*>{r[0], r[2], r[1]}));
  const int steps = UndoSteps();
  EXPECT_EQ(steps, 2);
  wnd_->Select(Objects()[1], false);  // r1 after the undos: overlaps nothing
  Send(QCM_ARRANGE, 0, QCA_BACKWARD);
  EXPECT_EQ(Query(QCQ_CANUNDO), 0);
}

// ---- groups and sub-pictures ----------------------------------------------------

TEST_F(EditingTest, GroupTakesThePlaceOfTheFirstSelectedAndUngroupPutsTheChildrenBack) {
  CDrawObj* before = AddRect(300, 300);
  std::vector<CDrawObj*> r = SelectedRects({{80, 80, 40, 30}, {0, 0, 40, 30}});
  CDrawObj* after = AddRect(400, 300);
  Send(QCM_GROUP, 0, 0);
  std::vector<CDrawObj*> objects = Objects();
  ASSERT_EQ(objects.size(), 3u);
  EXPECT_EQ(objects[0], before);
  EXPECT_EQ(objects[1]->GetObjType(), DOT_GROUP);
  EXPECT_EQ(objects[2], after);
  EXPECT_EQ(Query(QCQ_GROUPSEL), 1);
  auto* group = static_cast<CDrawGroup*>(objects[1]);
  EXPECT_EQ(group->GetChildren().GetCount(), 2);
  Send(QCM_GROUP, 0, 1);
  EXPECT_EQ(Objects(), (std::vector<CDrawObj*>{before, r[0], r[1], after}));
  EXPECT_EQ(wnd_->GetSelection(), (std::vector<CDrawObj*>{r[0], r[1]}));
  EXPECT_EQ(UndoSteps(), 2);
}

TEST_F(EditingTest, GroupingStopsAtTheDeepestNestingAPictureCanHold) {
  SelectedRects({{0, 0, 10, 10}, {20, 0, 10, 10}});
  Send(QCM_GROUP, 0, 0);
  for (int level = 2; level <= CDrawGroup::kMaxNesting; ++level) {
    CDrawObj* group = wnd_->GetSelection().front();
    CDrawObj* rect = AddRect(40, 0);
    wnd_->Select(group, false);
    wnd_->Select(rect, true);
    Send(QCM_GROUP, 0, 0);
  }
  CDrawObj* deepest = wnd_->GetSelection().front();
  ASSERT_EQ(CDrawGroup::NestingOf(deepest), CDrawGroup::kMaxNesting);
  CDrawObj* rect = AddRect(60, 0);
  wnd_->Select(deepest, false);
  wnd_->Select(rect, true);
  ASSERT_TRUE(InProcessBeeps().empty());
  Send(QCM_GROUP, 0, 0);
  EXPECT_EQ(Objects(), (std::vector<CDrawObj*>{deepest, rect}));
  EXPECT_EQ(wnd_->GetSelection(), (std::vector<CDrawObj*>{deepest, rect}));
  EXPECT_EQ(InProcessBeeps(), std::vector<UINT>{MB_ICONWARNING});  // the refusal is heard
  // No undo state was saved for the refusal: one undo takes back the last
  // grouping that was made, so the 63-level group and its rectangle return.
  Send(QCM_UNDO);
  ASSERT_EQ(Objects().size(), 2u);
  EXPECT_EQ(CDrawGroup::NestingOf(Objects()[0]), CDrawGroup::kMaxNesting - 1);
}

TEST_F(EditingTest, GroupingOneObjectDoesNothing) {
  SelectedRects({{80, 80, 40, 30}});
  Send(QCM_GROUP, 0, 0);
  EXPECT_EQ(Objects()[0]->GetObjType(), DOT_RECT);
  EXPECT_EQ(Query(QCQ_CANUNDO), 0);
}

TEST_F(EditingTest, EverySubPictureGetsANewIdentifier) {
  SelectedRects({{80, 80, 40, 30}});
  Send(QCM_SUBPICTURE, 0, 0);
  ASSERT_EQ(Query(QCQ_SUBPICTURESEL), 1);
  auto* first = static_cast<CDrawCell*>(wnd_->GetSelection().front());
  SelectedRects({{200, 80, 40, 30}, {300, 80, 40, 30}});
  Send(QCM_SUBPICTURE, 0, 0);
  ASSERT_EQ(Query(QCQ_SUBPICTURESEL), 1);
  auto* second = static_cast<CDrawCell*>(wnd_->GetSelection().front());
  const GUID none = {};
  EXPECT_NE(std::memcmp(&first->m_id, &none, sizeof none), 0);
  EXPECT_NE(std::memcmp(&first->m_id, &second->m_id, sizeof none), 0);
  Send(QCM_SUBPICTURE, 0, 1);
  EXPECT_EQ(Query(QCQ_SELCOUNT), 2);
  EXPECT_EQ(Objects().size(), 3u);
}

TEST_F(EditingTest, ControlsInsideAGroupRefuseRotationAndSubPicturesWithNoStateSaved) {
  AnswerBoxesWith(IDOK);
  auto* group = new CDrawGroup;
  auto* rect = new CDrawRect;
  rect->SetCorners(CRectD(80, 80, 120, 110));
  auto* button = new CDrawPushBt;
  button->m_rect = CRectD(200, 200, 260, 224);
  group->AddChild(rect);
  group->AddChild(button);
  group->ResetReferenceRect();
  Add(group, 0, 0);
  wnd_->Select(group, false);
  Send(QCM_ROTATE, 0, 0);
  Send(QCM_SUBPICTURE, 0, 0);
  ASSERT_EQ(SeenBoxes().size(), 2u);
  EXPECT_EQ(SeenBoxes()[0].caption, "提示");
  EXPECT_EQ(SeenBoxes()[0].text, "选择的图形中含有控件，控件不能旋转!");
  EXPECT_EQ(SeenBoxes()[1].caption, "提示");
  EXPECT_EQ(SeenBoxes()[1].text, "选择的图形中含有控件，不能打成子图!");
  EXPECT_EQ(Query(QCQ_CANUNDO), 0);
  EXPECT_EQ(Objects(), (std::vector<CDrawObj*>{group}));
  // Mirroring a control is allowed.
  Send(QCM_ROTATE, 0, 1);
  EXPECT_EQ(Query(QCQ_CANUNDO), 1);
}

TEST_F(EditingTest, RotationTurnsAboutTheCentreOfTheSelection) {
  std::vector<CDrawObj*> r = SelectedRects({{0, 0, 40, 20}, {60, 0, 40, 20}});  // bounds 0..100 x 0..20
  Send(QCM_ROTATE, 0, 0);
  CRectD a = FrameOf(r[0]);
  EXPECT_NEAR(a.Width(), 20, 1e-9);
  EXPECT_NEAR(a.Height(), 40, 1e-9);
  CRectD both = FrameOf(r[0]);
  CRectD b = FrameOf(r[1]);
  EXPECT_NEAR((std::min(both.top, b.top) + std::max(both.bottom, b.bottom)) / 2, 10, 1e-9);
  EXPECT_NEAR((std::min(both.left, b.left) + std::max(both.right, b.right)) / 2, 50, 1e-9);
}

// ---- properties -------------------------------------------------------------------

TEST_F(EditingTest, PropertiesWithNothingSelectedSetThePicture) {
  Send(QCM_SETPROPERTY, PROP_WIDTH, 1200);
  Send(QCM_SETPROPERTY, PROP_PICPERIOD, 250);
  const std::string structure = "泵站";
  Send(QCM_SETPROPERTY, PROP_STRUCTNAME, reinterpret_cast<LPARAM>(structure.c_str()));
  CPicObj* picture = wnd_->GetPicture();
  EXPECT_EQ(picture->m_nWidth, 1200);
  EXPECT_EQ(picture->m_nPeriod, 250);
  EXPECT_EQ(std::string(picture->m_strStructName.GetString()), "泵站");
  EXPECT_EQ(Bar(SB_HORZ).nMax, 1200);
  EXPECT_EQ(Query(QCQ_MODIFIED), 1);
  EXPECT_EQ(Query(QCQ_CANUNDO), 0);
}

TEST_F(EditingTest, PropertyOfOneObjectOrOfSeveralSavesOneState) {
  std::vector<CDrawObj*> r = SelectedRects({{0, 0, 40, 20}});
  Send(QCM_SETPROPERTY, PROP_LINEWIDTH, 3);
  EXPECT_EQ(r[0]->m_nLineWidth, 3);
  EXPECT_EQ(Query(QCQ_CANUNDO), 1);
  EXPECT_EQ(Query(QCQ_MODIFIED), 1);
  std::vector<CDrawObj*> two = SelectedRects({{100, 0, 40, 20}, {200, 0, 40, 20}});
  Send(QCM_SETPROPERTY, PROP_LINEWIDTH, 5);
  EXPECT_EQ(two[0]->m_nLineWidth, 5);
  EXPECT_EQ(two[1]->m_nLineWidth, 5);
  EXPECT_EQ(UndoSteps(), 2);
}

TEST_F(EditingTest, LineColourToOrFromNoneResendsTheProperties) {
  SelectedRects({{0, 0, 40, 20}});
  Send(QCM_SETPROPERTY, PROP_LINECOLOR, 0x0000FF);
  EXPECT_TRUE(TakeNoticeNumbers().empty());
  Send(QCM_SETPROPERTY, PROP_LINECOLOR, -1);
  EXPECT_EQ(TakeNoticeNumbers(), (std::vector<UINT>{QCN_PROPERTIES}));
  Send(QCM_SETPROPERTY, PROP_LINECOLOR, 0x00FF00);
  EXPECT_EQ(TakeNoticeNumbers(), (std::vector<UINT>{QCN_PROPERTIES}));
  Send(QCM_SETPROPERTY, PROP_FILLMODE, 2);
  EXPECT_EQ(TakeNoticeNumbers(), (std::vector<UINT>{QCN_PROPERTIES}));
}

TEST_F(EditingTest, PropertyListShowsWhatAllSelectedObjectsHave) {
  SelectedRects({{0, 0, 40, 20}});
  wnd_->NotifySelection();
  const Notice* one = LastNotice(QCN_PROPERTIES);
  ASSERT_NE(one, nullptr);
  auto* line = new CDrawLine;
  line->AddPoint(CPointD(0, 100));
  line->AddPoint(CPointD(50, 100));
  Add(line, 0, 0);
  wnd_->Select(line, true);
  const Notice* several = LastNotice(QCN_PROPERTIES);
  ASSERT_NE(several, nullptr);
  EXPECT_LT(several->props.size(), one->props.size());
  for (const PropDesc& p : several->props) {
    bool inFirst = false;
    for (const PropDesc& q : one->props) inFirst = inFirst || q.id == p.id;
    EXPECT_TRUE(inFirst) << p.id;
  }
}

TEST_F(EditingTest, ObjectDialogWithNothingSelectedSaysLayersAreNotOpenYet) {
  AnswerBoxesWith(IDOK);
  Send(QCM_OBJECTDIALOG);
  ASSERT_EQ(SeenBoxes().size(), 1u);
  EXPECT_EQ(SeenBoxes()[0].caption, "提示");
  EXPECT_EQ(SeenBoxes()[0].text, "<画面层管理> 暂未开放!");
}

// ---- links ---------------------------------------------------------------------------

TEST_F(EditingTest, NewLinkTakesItsKindsDefaults) {
  std::vector<CDrawObj*> r = SelectedRects({{0, 0, 40, 20}});
  AnswerSheetsWith(IDCANCEL);  // the link's dialog follows
  Send(QCM_SETEVENTLINK, AM_DIRECT, AK_COLOR);
  ASSERT_EQ(SeenBoxes().size(), 1u);
  EXPECT_EQ(SeenBoxes()[0].caption, "颜色-直接连接");
  auto* color = dynamic_cast<CActColor*>(r[0]->GetAction(AK_COLOR));
  ASSERT_NE(color, nullptr);
  EXPECT_EQ(color->m_nMode, AM_DIRECT);
  EXPECT_EQ(color->m_nLevels, 2);
  EXPECT_EQ(color->m_colors[0], 0x00FF00u);
  EXPECT_EQ(color->m_colors[1], 0x0000FFu);
  EXPECT_EQ(std::string(color->m_strThresholds.GetString()), "0\t1\t");
  EXPECT_EQ(TakeNoticeNumbers(), (std::vector<UINT>{QCN_EVENTLINKS}));
  AnswerBoxesWith(IDCANCEL);  // the script dialog of the new link opens
  Send(QCM_SETEVENTLINK, AM_SCRIPT, AK_MOUSE_CLICK);
  auto* click = dynamic_cast<CActEvent*>(r[0]->GetAction(AK_MOUSE_CLICK));
  ASSERT_NE(click, nullptr);
  EXPECT_EQ(click->m_nEvent, AK_MOUSE_CLICK);
  EXPECT_EQ(click->m_nTrigger, AK_MOUSE_CLICK);
  EXPECT_EQ(Query(QCQ_MODIFIED), 1);
  ASSERT_EQ(SeenBoxes().size(), 2u);
  EXPECT_EQ(SeenBoxes()[1].caption, std::string(GetActionKindName(AK_MOUSE_CLICK)) + " - CScript脚本");
}

TEST_F(EditingTest, SwitchingALinksModeAsksFirst) {
  std::vector<CDrawObj*> r = SelectedRects({{0, 0, 40, 20}});
  AnswerSheetsWith(IDCANCEL);  // each direct link's dialog is cancelled
  Send(QCM_SETEVENTLINK, AM_DIRECT, AK_FILLCOLOR);
  auto* link = AsLink(r[0]->GetAction(AK_FILLCOLOR));
  ASSERT_NE(link, nullptr);
  link->m_strExpression = "TV(a)";
  AnswerBoxesWith(IDNO);
  Send(QCM_SETEVENTLINK, AM_SCRIPT, AK_FILLCOLOR);
  EXPECT_EQ(link->m_nMode, AM_DIRECT);
  AnswerBoxesWith({IDYES, IDCANCEL});  // the question, then the script dialog
  Send(QCM_SETEVENTLINK, AM_SCRIPT, AK_FILLCOLOR);
  EXPECT_EQ(link->m_nMode, AM_SCRIPT);
  EXPECT_TRUE(link->m_strExpression.IsEmpty());
  AnswerBoxesWith(IDYES);
  Send(QCM_SETEVENTLINK, AM_DIRECT, AK_FILLCOLOR);  // the direct link's dialog follows the switch
  ASSERT_EQ(SeenBoxes().size(), 6u);
  EXPECT_EQ(SeenBoxes()[0].caption, "填充颜色-直接连接");
  EXPECT_EQ(SeenBoxes()[1].caption, "提示");
  EXPECT_EQ(SeenBoxes()[1].text, "当前已有一个<直接连接>动作,要删除后才能继续!\r是否要删除该动作?");
  EXPECT_EQ(SeenBoxes()[3].caption, std::string(GetActionKindName(AK_FILLCOLOR)) + " - CScript脚本");
  EXPECT_EQ(SeenBoxes()[4].text, "当前已有一个<CScript脚本>动作,要删除后才能继续!\r是否要删除该动作?");
  EXPECT_EQ(SeenBoxes()[5].caption, "填充颜色-直接连接");
  EXPECT_EQ(link->m_nMode, AM_DIRECT);
  Send(QCM_SETEVENTLINK, AM_NONE, AK_FILLCOLOR);
  EXPECT_EQ(r[0]->GetAction(AK_FILLCOLOR), nullptr);
}

TEST_F(EditingTest, LinkKindsAndModesTheObjectDoesNotOfferAreIgnored) {
  std::vector<CDrawObj*> r = SelectedRects({{0, 0, 40, 20}});
  Send(QCM_SETEVENTLINK, AM_DIRECT, AK_CLICKED);  // a button's event
  Send(QCM_SETEVENTLINK, AM_DIRECT, 77);
  Send(QCM_SETEVENTLINK, 3, AK_COLOR);
  EXPECT_EQ(r[0]->GetActions().GetSize(), 0);
  EXPECT_EQ(Query(QCQ_MODIFIED), 0);
}

}  // namespace
}  // namespace edittest
