// The drawing tools driven by mouse messages: each tool makes its object with
// its defaults; the selection tool moves, resizes, bands and toggles.
#include <gtest/gtest.h>

#include <functional>

#include "drawbitmap.h"
#include "drawbutton.h"
#include "drawellipse.h"
#include "drawgroup.h"
#include "drawline.h"
#include "drawmtext.h"
#include "drawpipe.h"
#include "drawtext.h"
#include "editctrl_inproc.h"
#include "plugin/drawplugin.h"
#include "linkclasses.h"
#include "tools/imagefile.h"
#include "tools/shapetool.h"

namespace edittest {
namespace {

// Left, top, right and bottom, for comparing frames.
std::vector<double> Sides(const CRectD& r) { return {r.left, r.top, r.right, r.bottom}; }

class ToolTest : public InProcessEditTest {
 protected:
  void SetUp() override {
    InProcessEditTest::SetUp();
    Send(QCM_SELECTTOOL, 0, 0);
  }
  void TearDown() override {
    Send(QCM_SELECTTOOL, 0, 0);  // the tool is one for the process
    InProcessEditTest::TearDown();
  }
  void Tool(int id) { Send(QCM_SELECTTOOL, 0, id); }
  // A click of a point-by-point tool, after the mouse moved there.
  void PointClick(int x, int y, UINT flags = 0) {
    MouseMove(x, y, flags);
    Click(x, y, flags);
  }
  // Down at one point, a dozen moves with the button held, up at the other.
  void DragThrough(int x0, int y0, int x1, int y1) const {
    constexpr int kMoves = 12;
    MouseDown(x0, y0);
    for (int i = 1; i <= kMoves; ++i)
      MouseMove(x0 + (x1 - x0) * i / kMoves, y0 + (y1 - y0) * i / kMoves, MK_LBUTTON);
    MouseUp(x1, y1);
  }
  CDrawPoly* OnlyPoly() {
    std::vector<CDrawObj*> objects = Objects();
    EXPECT_EQ(objects.size(), 1u);
    return objects.empty() ? nullptr : dynamic_cast<CDrawPoly*>(objects.front());
  }
};

TEST_F(ToolTest, LineIsFinishedByItsSecondClick) {
  Tool(DOT_LINE);
  PointClick(40, 40);
  EXPECT_EQ(Query(QCQ_TOOL), DOT_LINE);
  PointClick(120, 80);
  CDrawPoly* line = OnlyPoly();
  ASSERT_NE(line, nullptr);
  EXPECT_EQ(line->GetObjType(), DOT_LINE);
  ASSERT_EQ(line->GetPointCount(), 2);
  EXPECT_EQ(line->m_points[0], CPointD(40, 40));
  EXPECT_EQ(line->m_points[1], CPointD(120, 80));
  EXPECT_EQ(Query(QCQ_TOOL), 0);
  EXPECT_EQ(::GetCapture(), nullptr);
  EXPECT_EQ(Query(QCQ_SELCOUNT), 1);
  EXPECT_EQ(Query(QCQ_CANUNDO), 1);
}

TEST_F(ToolTest, PolyLineKeepsToolAndCaptureAfterTheFirstButtonUp) {
  Tool(DOT_POLY);
  PointClick(40, 40);
  EXPECT_EQ(Query(QCQ_TOOL), DOT_POLY);
  EXPECT_EQ(::GetCapture(), child_);
  PointClick(80, 40);
  MouseMove(80, 120);
  DoubleClick(80, 120);
  CDrawPoly* poly = OnlyPoly();
  ASSERT_NE(poly, nullptr);
  EXPECT_EQ(poly->m_points, (std::vector<CPointD>{{40, 40}, {80, 40}, {80, 120}}));
  EXPECT_EQ(Query(QCQ_TOOL), 0);
  EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(ToolTest, PipeIsFinishedByItsTenthClickWithItsDefaults) {
  Tool(DOT_PIPE);
  for (int i = 0; i < 9; ++i) PointClick(16 + 16 * i, 40 + 8 * (i % 2));
  EXPECT_EQ(Query(QCQ_TOOL), DOT_PIPE);
  PointClick(200, 200);
  auto* pipe = dynamic_cast<CDrawPipe*>(OnlyPoly());
  ASSERT_NE(pipe, nullptr);
  EXPECT_EQ(pipe->GetPointCount(), 10);
  EXPECT_EQ(pipe->m_points.back(), CPointD(200, 200));
  EXPECT_EQ(pipe->m_nPipeWidth, 15);
  EXPECT_EQ(pipe->m_clrLine, 0x666666u);
  EXPECT_EQ(Query(QCQ_TOOL), 0);
}

TEST_F(ToolTest, CurveEndsWithAnOddPointCountAndClosedCurveWithAnEvenOne) {
  const struct {
    int tool;
    int clicks;
    int expected;
  } cases[] = {{DOT_BEZIER, 4, 3}, {DOT_BEZIER, 5, 5}, {DOT_BEZIERFILL, 5, 4}, {DOT_BEZIERFILL, 4, 4}};
  for (const auto& c : cases) {
    Tool(c.tool);
    for (int i = 0; i < c.clicks - 1; ++i) PointClick(40 + 40 * i, 40 + 32 * (i % 2));
    MouseMove(400, 300);
    DoubleClick(400, 300);
    std::vector<CDrawObj*> objects = Objects();
    ASSERT_FALSE(objects.empty());
    auto* curve = dynamic_cast<CDrawPoly*>(objects.back());
    ASSERT_NE(curve, nullptr);
    EXPECT_EQ(curve->GetObjType(), c.tool);
    EXPECT_EQ(curve->GetPointCount(), c.expected) << c.tool << " with " << c.clicks << " clicks";
  }
}

TEST_F(ToolTest, ShapeWithTooFewPointsIsRemoved) {
  Tool(DOT_POLYGON);
  PointClick(40, 40);
  MouseMove(80, 80);
  DoubleClick(80, 80);  // two points: fewer than a polygon keeps
  EXPECT_TRUE(Objects().empty());
  EXPECT_EQ(Query(QCQ_SELCOUNT), 0);
  EXPECT_EQ(Query(QCQ_TOOL), 0);
}

TEST(StraightenSegmentTest, NearlyDiagonalBecomesDiagonalElseAlongTheLargerComponent) {
  const struct {
    CPointD end;
    CPointD expected;
  } cases[] = {
      {{10, 3}, {10, 0}},    {{3, 10}, {0, 10}},    {{10, 8}, {10, 10}}, {{-10, 9}, {-10, 10}},
      {{10, -7}, {10, -10}}, {{-4, -10}, {0, -10}}, {{6, 6}, {6, 6}},    {{10, 5}, {10, 0}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(StraightenSegment(CPointD(0, 0), c.end), c.expected) << c.end.x << "," << c.end.y;
}

TEST_F(ToolTest, ShiftClickStraightensTheSegmentJustFixed) {
  Send(QCM_SNAPGRID, 0, 0);
  Tool(DOT_LINE);
  PointClick(100, 100);
  PointClick(110, 103, MK_SHIFT);
  CDrawPoly* line = OnlyPoly();
  ASSERT_NE(line, nullptr);
  EXPECT_EQ(line->m_points, (std::vector<CPointD>{{100, 100}, {110, 100}}));
}

TEST_F(ToolTest, PushButtonTakesItsFixedSizeFromTheSnappedClick) {
  Tool(DOT_PUSHBT);
  Click(13, 12);
  std::vector<CDrawObj*> objects = Objects();
  ASSERT_EQ(objects.size(), 1u);
  auto* button = dynamic_cast<CDrawPushBt*>(objects.front());
  ASSERT_NE(button, nullptr);
  CRectD frame = FrameOf(button);
  EXPECT_EQ(frame.left, 16);
  EXPECT_EQ(frame.top, 8);
  EXPECT_EQ(frame.Width(), 60);
  EXPECT_EQ(frame.Height(), 24);
  EXPECT_EQ(Query(QCQ_TOOL), 0);
  // Its window lies over the frame.
  HWND window = button->GetCtrlWnd();
  ASSERT_NE(window, nullptr);
  RECT placed;
  ::GetWindowRect(window, &placed);
  ::MapWindowPoints(nullptr, child_, reinterpret_cast<POINT*>(&placed), 2);
  EXPECT_EQ(placed.left, 16);
  EXPECT_EQ(placed.top, 8);
  EXPECT_EQ(placed.right - placed.left, 60);
}

TEST_F(ToolTest, PluginToolPlacesASampexControlWithItsDisabledWindow) {
  // The window linked into this program loads "Sampex.dll" from this
  // program's folder, where the build leaves a copy.
  Tool(DOT_PLUGIN);
  Click(13, 12);
  std::vector<CDrawObj*> objects = Objects();
  ASSERT_EQ(objects.size(), 1u);
  auto* plugin = dynamic_cast<CDrawPlugin*>(objects.front());
  ASSERT_NE(plugin, nullptr);
  EXPECT_STREQ(plugin->GetLibraryName().GetString(), "Sampex.dll");
  CRectD frame = FrameOf(plugin);
  EXPECT_EQ(frame.left, 16);
  EXPECT_EQ(frame.top, 8);
  EXPECT_EQ(frame.Width(), 320);
  EXPECT_EQ(frame.Height(), 240);
  EXPECT_EQ(Query(QCQ_TOOL), 0);
  HWND window = ::FindWindowExA(child_, nullptr, "Sampxe_1.0", nullptr);
  ASSERT_NE(window, nullptr);
  EXPECT_FALSE(::IsWindowEnabled(window));
  EXPECT_EQ(::GetDlgCtrlID(window), 1);
}

TEST_F(ToolTest, FixedSizeToolsMakeTheirObjectsWithTheirDefaults) {
  const struct {
    int tool;
    double width, height;
    const char* text;
  } cases[] = {
      {DOT_CHECKBT, 60, 24, "check"}, {DOT_RADIOBT, 60, 24, "radio"}, {DOT_CTRLEDIT, 60, 20, nullptr}};
  int x = 40;
  for (const auto& c : cases) {
    Tool(c.tool);
    Click(x, 200);
    CDrawObj* made = Objects().back();
    EXPECT_EQ(made->GetObjType(), c.tool);
    EXPECT_EQ(FrameOf(made).Width(), c.width);
    EXPECT_EQ(FrameOf(made).Height(), c.height);
    if (c.text) {
      EXPECT_EQ(std::string(made->GetText().GetString()), c.text);
    }
    x += 80;
  }
}

TEST_F(ToolTest, RectangleIsDraggedOpenFromTheClick) {
  Tool(DOT_RECT);
  Drag(40, 40, 120, 96);
  std::vector<CDrawObj*> objects = Objects();
  ASSERT_EQ(objects.size(), 1u);
  EXPECT_EQ(objects[0]->GetObjType(), DOT_RECT);
  EXPECT_EQ(objects[0]->m_nFillStyle, 1);
  CRectD frame = FrameOf(objects[0]);
  EXPECT_EQ(frame.left, 40);
  EXPECT_EQ(frame.top, 40);
  EXPECT_EQ(frame.right, 120);
  EXPECT_EQ(frame.bottom, 96);
  EXPECT_EQ(Query(QCQ_TOOL), 0);
  EXPECT_EQ(Query(QCQ_SELCOUNT), 1);
}

TEST_F(ToolTest, RectangleClickWithoutDragLeavesNothingAndSelects) {
  CDrawObj* existing = AddRect(200, 200);
  Tool(DOT_RECT);
  Click(40, 40);
  EXPECT_EQ(Objects(), (std::vector<CDrawObj*>{existing}));
  EXPECT_EQ(Query(QCQ_TOOL), 0);
  EXPECT_EQ(Query(QCQ_SELCOUNT), 0);
  EXPECT_EQ(::GetCapture(), nullptr);
  // The click acts as a selection click: on an object it selects it.
  Tool(DOT_ELLIPSE);
  Click(220, 215);
  EXPECT_EQ(Objects(), (std::vector<CDrawObj*>{existing}));
  EXPECT_EQ(wnd_->GetSelection(), (std::vector<CDrawObj*>{existing}));
}

TEST_F(ToolTest, BlackBackgroundGivesWhiteLines) {
  Send(QCM_SETPROPERTY, PROP_PICBKCOLOR, 0);
  Tool(DOT_LINE);
  PointClick(40, 40);
  PointClick(80, 80);
  CDrawPoly* line = OnlyPoly();
  ASSERT_NE(line, nullptr);
  EXPECT_EQ(line->m_clrLine, 0xFFFFFFu);
  EXPECT_EQ(line->m_clrText, 0xFFFFFFu);
}

TEST_F(ToolTest, TagValueToolMakesAValueDisplayWithItsLinkAndLetsTheMouseGo) {
  Tool(DOT_TAGVAL);
  AnswerSheetsWith(IDCANCEL);
  Click(40, 40);
  ASSERT_EQ(SeenBoxes().size(), 1u);  // the displayed value's dialog, opened on the new link
  EXPECT_EQ(SeenBoxes()[0].caption, "标签值-直接连接");
  std::vector<CDrawObj*> objects = Objects();
  ASSERT_EQ(objects.size(), 1u);
  auto* value = dynamic_cast<CDrawTagVal*>(objects.front());
  ASSERT_NE(value, nullptr);
  EXPECT_EQ(std::string(value->GetText().GetString()), "##.##");
  EXPECT_EQ(value->m_nAlign, 2);
  EXPECT_EQ(value->m_nFillStyle, 0);
  EXPECT_EQ(FrameOf(value).Width(), 64);
  EXPECT_EQ(FrameOf(value).Height(), 20);
  EXPECT_EQ(value->FindAction(AK_TAGVALUE), AM_DIRECT);
  EXPECT_EQ(::GetCapture(), nullptr);
  EXPECT_EQ(Query(QCQ_TOOL), 0);
}

TEST_F(ToolTest, TextToolPlacesItsTextAndADragEndsInTheSelectionTool) {
  Tool(DOT_TEXT);
  Drag(40, 40, 120, 80);
  std::vector<CDrawObj*> objects = Objects();
  ASSERT_EQ(objects.size(), 1u);
  auto* text = dynamic_cast<CDrawText*>(objects.front());
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->GetA(), CPointD(40, 40));
  EXPECT_GT(text->GetB().x, 40);
  EXPECT_EQ(text->GetB().y, 40);
  EXPECT_EQ(Query(QCQ_TOOL), 0);
}

TEST_F(ToolTest, ChoosingAnotherToolFinishesTheShapeUnderConstruction) {
  Tool(DOT_POLY);
  PointClick(40, 40);
  PointClick(80, 40);
  PointClick(80, 80);
  Tool(DOT_RECT);
  CDrawPoly* poly = OnlyPoly();
  ASSERT_NE(poly, nullptr);
  EXPECT_EQ(poly->GetPointCount(), 3);
  EXPECT_EQ(Query(QCQ_TOOL), DOT_RECT);
}

// ---- a shape under construction when a command changes the layer --------------

class ShapeInterruptedTest : public ToolTest {
 protected:
  // A poly-line of three points, finished.
  void DrawPolyLine() {
    Tool(DOT_POLY);
    PointClick(32, 32);
    PointClick(96, 32);
    MouseMove(96, 96);
    DoubleClick(96, 96);
  }
  // A second one begun: two points clicked and the moving end.
  void BeginPolyLine() {
    Tool(DOT_POLY);
    PointClick(320, 320);
    PointClick(400, 320);
  }
};

TEST_F(ShapeInterruptedTest, UndoFinishesTheShapeAndLeavesTheOtherPolyLineAlone) {
  DrawPolyLine();
  const std::vector<BYTE> drawn = SavedPicture();
  BeginPolyLine();
  Send(QCM_UNDO);
  MouseMove(560, 480);
  EXPECT_EQ(SavedPicture(), drawn);
  EXPECT_EQ(Query(QCQ_TOOL), 0);
  EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(ShapeInterruptedTest, TheMouseChangesNothingAfterACommandTookTheLayersObjects) {
  const struct {
    const char* name;
    std::function<void()> change;
  } cases[] = {
      {"undo", [this] { Send(QCM_UNDO); }},
      {"cut, then undo",
       [this] {
         Send(QCM_CUT);
         Send(QCM_UNDO);
       }},
      {"the picture opened again", [this] { EXPECT_EQ(SendText(QCM_OPENPIC, kPictureName), 0); }},
      {"a new picture", [this] { EXPECT_EQ(SendText(QCM_NEWPIC, kPictureName), 0); }},
  };
  for (const auto& c : cases) {
    ASSERT_EQ(SendText(QCM_NEWPIC, kPictureName), 0);
    DrawPolyLine();
    BeginPolyLine();
    SavedPicture();  // the file that the picture is opened from again
    c.change();
    const std::vector<BYTE> changed = SavedPicture();
    MouseMove(560, 480);
    Click(480, 360);
    EXPECT_EQ(SavedPicture(), changed) << c.name;
    EXPECT_EQ(Query(QCQ_TOOL), 0) << c.name;
    EXPECT_EQ(::GetCapture(), nullptr) << c.name;
  }
}

TEST_F(ShapeInterruptedTest, ShapeFinishedByAnUndoComesBackByRedoWithItsClickedPoints) {
  Tool(DOT_POLY);
  PointClick(40, 40);
  PointClick(120, 40);
  PointClick(120, 120);
  MouseMove(200, 200);
  Send(QCM_UNDO);
  EXPECT_TRUE(Objects().empty());
  Send(QCM_REDO);
  CDrawPoly* poly = OnlyPoly();
  ASSERT_NE(poly, nullptr);
  EXPECT_EQ(poly->m_points, (std::vector<CPointD>{{40, 40}, {120, 40}, {120, 120}}));
  EXPECT_EQ(Query(QCQ_TOOL), 0);
}

// ---- the image tool ---------------------------------------------------------

// A bitmap file of 2 x 2 pixels, 24 bits each.
std::vector<BYTE> TinyBitmap() {
  std::vector<BYTE> bmp = {'B', 'M', 70, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,          // file header
                           40,  0,   0,  0, 2, 0, 0, 0, 2, 0, 0,  0, 1, 0, 24, 0};  // info header
  bmp.resize(54, 0);
  for (int row = 0; row < 2; ++row) bmp.insert(bmp.end(), {0, 0, 255, 0, 255, 0, 0, 0});  // padded to 8
  return bmp;
}

TEST_F(ToolTest, ImageToolPlacesTheChosenImageAtItsSize) {
  const std::string path = FreshFolder("images") + "tiny.bmp";
  WriteBytes(path, TinyBitmap());
  FileChosen chosen(path);
  Tool(DOT_BITMAP);
  ASSERT_EQ(Query(QCQ_TOOL), DOT_BITMAP);
  Click(40, 40);
  std::vector<CDrawObj*> objects = Objects();
  ASSERT_EQ(objects.size(), 1u);
  ASSERT_EQ(objects[0]->GetObjType(), DOT_BITMAP);
  EXPECT_EQ(Sides(FrameOf(objects[0])), Sides(CRectD(40, 40, 42, 42)));
  EXPECT_EQ(Query(QCQ_TOOL), 0);
  EXPECT_EQ(Query(QCQ_CANUNDO), 1);
}

TEST_F(ToolTest, ImageFileThatCannotBeDrawnIsSaidAndChangesNothing) {
  const std::string folder = FreshFolder("images");
  const std::vector<BYTE> notAnImage = {'B', 'M', 0x20, 'n', 'o', ' ', 'p', 'i', 'x', 'e', 'l', 's'};
  const std::string unreadable[] = {folder + "words.bmp", folder + "empty.png"};
  WriteBytes(unreadable[0], notAnImage);
  WriteBytes(unreadable[1], {});
  // Two ways to the tool: the file chosen with it, and the tool current
  // with a file that no longer gives an image when the mouse goes down.
  const struct {
    const char* name;
    std::function<void(const std::string&)> takeTool;
  } ways[] = {
      {"chosen",
       [this](const std::string& path) {
         FileChosen chosen(path);
         Tool(DOT_BITMAP);
       }},
      {"current",
       [](const std::string& path) {
         ChosenImage().Read(path);
         CurrentToolId() = DOT_BITMAP;
       }},
  };
  CDrawObj* frame = AddRect(80, 80);
  auto* point = new CDrawLine;  // of no size: a button-up that took it for a new frame would delete it
  point->AddPoint(CPointD(300, 200));
  point->AddPoint(CPointD(300, 200));
  Add(point, 0, 0);
  AnswerBoxesWith(IDOK);
  for (const auto& way : ways) {
    for (const std::string& path : unreadable) {
      wnd_->Select(point, false);
      const std::vector<BYTE> before = SavedPicture();
      const size_t boxes = SeenBoxes().size();
      way.takeTool(path);
      Click(200, 200);
      ASSERT_EQ(SeenBoxes().size(), boxes + 1) << way.name << " " << path;
      EXPECT_EQ(SeenBoxes().back().caption, "错误");
      EXPECT_EQ(SeenBoxes().back().text, "无法读取该图片文件!");
      EXPECT_EQ(SeenBoxes().back().icon, ::LoadIcon(nullptr, IDI_HAND));
      EXPECT_EQ(Objects(), (std::vector<CDrawObj*>{frame, point})) << way.name << " " << path;
      EXPECT_EQ(Query(QCQ_CANUNDO), 0);
      EXPECT_EQ(Query(QCQ_MODIFIED), 0);
      EXPECT_EQ(SavedPicture(), before);
      EXPECT_EQ(Query(QCQ_TOOL), 0);
      EXPECT_EQ(::GetCapture(), nullptr);
    }
  }
}

// ---- the selection tool -----------------------------------------------------

TEST_F(ToolTest, DraggingASelectedObjectMovesItOnTheGridAndMarksThePicture) {
  CDrawObj* a = AddRect(80, 80);
  CDrawObj* b = AddRect(200, 80);
  wnd_->Select(a, false);
  wnd_->Select(b, true);
  TakeNoticeNumbers();
  Drag(100, 81, 117, 94);  // snapped: from (96, 80) to (120, 96)
  EXPECT_EQ(FrameOf(a).left, 104);
  EXPECT_EQ(FrameOf(a).top, 96);
  EXPECT_EQ(FrameOf(b).left, 224);
  EXPECT_EQ(Query(QCQ_MODIFIED), 1);
  EXPECT_EQ(Query(QCQ_CANUNDO), 1);  // the drag saved its state
  std::vector<UINT> notices = TakeNoticeNumbers();
  ASSERT_GE(notices.size(), 2u);
  EXPECT_EQ(notices[notices.size() - 2], static_cast<UINT>(QCN_PROPERTIES));
  EXPECT_EQ(notices.back(), static_cast<UINT>(QCN_EVENTLINKS));
}

TEST_F(ToolTest, DraggingAHandleResizesTheOneSelectedObject) {
  CDrawObj* a = AddRect(80, 80);  // 80,80 - 120,110
  wnd_->Select(a, false);
  Drag(120, 110, 160, 150);  // the bottom-right corner
  EXPECT_EQ(FrameOf(a).left, 80);
  EXPECT_EQ(FrameOf(a).right, 160);
  EXPECT_EQ(FrameOf(a).bottom, 152);  // 150 snapped
  EXPECT_EQ(Query(QCQ_MODIFIED), 1);
}

TEST_F(ToolTest, EveryGestureThatChangesAnObjectIsOneUndoStep) {
  const struct {
    const char* name;
    std::function<void()> gesture;
    CRectD frame;  // the rectangle's afterwards
  } cases[] = {
      {"a drag", [this] { DragThrough(60, 60, 200, 160); }, {184, 144, 264, 200}},  // from (56, 56) snapped
      {"a resize",
       [this] { DragThrough(120, 96, 240, 200); },
       {40, 40, 240, 200}},  // the bottom-right corner
      {"a property change", [this] { Send(QCM_SETPROPERTY, PROP_LINEWIDTH, 4); }, {40, 40, 120, 96}},
  };
  for (const auto& c : cases) {
    ASSERT_EQ(SendText(QCM_NEWPIC, kPictureName), 0);
    Tool(DOT_RECT);
    Drag(40, 40, 120, 96);
    Click(60, 60);  // selecting changes nothing and saves nothing
    const std::vector<BYTE> drawn = SavedPicture();
    c.gesture();
    ASSERT_EQ(Objects().size(), 1u) << c.name;
    EXPECT_EQ(Sides(FrameOf(Objects()[0])), Sides(c.frame)) << c.name;
    EXPECT_NE(SavedPicture(), drawn) << c.name;
    Send(QCM_UNDO);  // back to where the gesture started, with the rectangle
    EXPECT_EQ(SavedPicture(), drawn) << c.name;
    Send(QCM_UNDO);  // the drawing was the step before
    EXPECT_TRUE(Objects().empty()) << c.name;
    EXPECT_EQ(Query(QCQ_CANUNDO), 0) << c.name;
  }
}

TEST_F(ToolTest, RubberBandSelectsWhatLiesStrictlyInside) {
  CDrawObj* a = AddRect(80, 80);
  CDrawObj* b = AddRect(160, 80);
  AddRect(300, 300);
  TakeNoticeNumbers();
  Drag(60, 60, 240, 140);
  EXPECT_EQ(wnd_->GetSelection(), (std::vector<CDrawObj*>{a, b}));
  EXPECT_EQ(::GetCapture(), nullptr);
  std::vector<UINT> notices = TakeNoticeNumbers();
  ASSERT_FALSE(notices.empty());
  EXPECT_EQ(notices.back(), static_cast<UINT>(QCN_EVENTLINKS));
}

TEST_F(ToolTest, CtrlClickTogglesAnObjectAndSendsTheNotices) {
  CDrawObj* a = AddRect(80, 80);
  CDrawObj* b = AddRect(200, 80);
  Click(100, 95);
  TakeNoticeNumbers();
  Click(220, 95, MK_CONTROL);
  EXPECT_EQ(wnd_->GetSelection(), (std::vector<CDrawObj*>{a, b}));
  EXPECT_EQ(TakeNoticeNumbers(), (std::vector<UINT>{QCN_PROPERTIES, QCN_EVENTLINKS}));
  Click(100, 95, MK_CONTROL);
  EXPECT_EQ(wnd_->GetSelection(), (std::vector<CDrawObj*>{b}));
  EXPECT_EQ(TakeNoticeNumbers(), (std::vector<UINT>{QCN_PROPERTIES, QCN_EVENTLINKS}));
}

TEST_F(ToolTest, ClickOnEmptySpaceEmptiesTheSelection) {
  CDrawObj* a = AddRect(80, 80);
  wnd_->Select(a, false);
  Click(400, 300);
  EXPECT_TRUE(wnd_->GetSelection().empty());
  EXPECT_FALSE(a->m_bSelected);
}

TEST_F(ToolTest, GroupResizedBelowEightPixelsGoesBackToItsFrame) {
  AddRect(80, 80);
  AddRect(160, 80);
  Drag(60, 60, 240, 140);
  Send(QCM_GROUP, 0, 0);
  ASSERT_EQ(Query(QCQ_GROUPSEL), 1);
  CDrawObj* group = wnd_->GetSelection().front();
  const CRectD before = FrameOf(group);  // 80,80 - 200,110
  Drag(200, 110, 84, 84);                // the bottom-right corner pulled to 4 x 4
  CRectD after = FrameOf(group);
  EXPECT_EQ(after.left, before.left);
  EXPECT_EQ(after.right, before.right);
  EXPECT_EQ(after.bottom, before.bottom);
  Drag(200, 110, 320, 170);  // a real resize rescales the children
  EXPECT_GT(FrameOf(group).right, before.right);
}

// The ids of the last property list that the parent was sent.
std::vector<int> ShownIds(const Notice* notice) {
  std::vector<int> ids;
  if (notice)
    for (const PropDesc& p : notice->props) ids.push_back(p.id);
  return ids;
}

std::vector<int> OwnIds(CDrawObj* obj) {
  PropDesc items[32];
  PropDescList list = {0, items};
  obj->GetPropList(&list);
  std::vector<int> ids;
  for (int i = 0; i < list.count; ++i) ids.push_back(items[i].id);
  return ids;
}

// A selected group, however it became selected, shows its own properties
// and links, and they are set on the group, not on its first member.
TEST_F(ToolTest, ASelectedGroupShowsAndTakesItsOwnProperties) {
  CDrawObj* ellipse = Add(new CDrawEllipse, 80, 80);
  AddRect(160, 80);
  Drag(60, 60, 240, 140);
  for (int kind : {0, 1}) {  // a group, a sub-picture
    Send(kind == 0 ? QCM_GROUP : QCM_SUBPICTURE, 0, 0);
    CDrawObj* made = wnd_->GetSelection().front();
    const std::vector<int> own = OwnIds(made);
    ASSERT_NE(own, OwnIds(ellipse));
    const std::vector<std::function<void()>> selections = {
        [] {},  // just made
        [&] {
          Click(400, 300);
          Click(100, 95);
        },  // a click on a member
        [&] {
          Click(400, 300);
          Drag(60, 60, 240, 140);
        },  // the rubber band
    };
    for (size_t i = 0; i < selections.size(); ++i) {
      selections[i]();
      ASSERT_EQ(wnd_->GetSelection(), std::vector<CDrawObj*>{made}) << kind << "/" << i;
      Send(QCM_RENOTIFY);
      EXPECT_EQ(ShownIds(LastNotice(QCN_PROPERTIES)), own) << kind << "/" << i;
      ActionKindDesc kinds[32];
      ActionKindList list = {0, kinds};
      made->GetActionKinds(&list);
      const Notice* links = LastNotice(QCN_EVENTLINKS);
      ASSERT_NE(links, nullptr);
      EXPECT_EQ(links->kinds.size(), static_cast<size_t>(list.count)) << kind << "/" << i;
    }
    // TOPX moves the whole group: both members keep their distance.
    Send(QCM_SETPROPERTY, PROP_TOPX, 200);
    EXPECT_EQ(FrameOf(made).left, 200) << kind;
    EXPECT_EQ(FrameOf(ellipse).left, 200) << kind;
    Send(QCM_SETPROPERTY, PROP_TOPX, 80);
    Send(kind == 0 ? QCM_GROUP : QCM_SUBPICTURE, 0, 1);
  }
}

// A 1-pixel line's band reaches two picture pixels to either side, whatever
// the line's direction, the zoom and the scrolling: a click that far off the
// line on either side hits it, one pixel further misses.
TEST_F(ToolTest, AThinLineIsHitFromTwoPicturePixelsOffOnEitherSide) {
  const struct {
    const char* name;
    CPointD from, to;
    bool acrossX;  // offsets go along x (a vertical line), else along y
  } kLines[] = {{"horizontal", {40, 150}, {400, 150}, false},
                {"vertical", {150, 40}, {150, 300}, true},
                {"shallow", {40, 100}, {300, 230}, false}};  // slope 1/2: an offset of d is 0.89 d off
  const struct {
    int zoom;
    int scrolls;  // line steps of both bars, 100 device pixels each
  } kViews[] = {{100, 0}, {200, 0}, {100, 1}, {200, 1}};
  for (const auto& line : kLines) {
    auto* obj = new CDrawLine;
    obj->m_points = {line.from, line.to};
    obj->m_nLineWidth = 1;
    obj->GetRect();
    Add(obj, 0, 0);
    for (const auto& view : kViews) {
      Send(QCM_ZOOM, 0, view.zoom);
      for (int i = 0; i < view.scrolls; ++i) {
        Send(WM_VSCROLL, SB_LINEDOWN);
        Send(WM_HSCROLL, SB_LINERIGHT);
      }
      const double zoom = view.zoom / 100.0;
      const POINT origin = wnd_->GetOrigin();
      const CPointD middle((line.from.x + line.to.x) / 2, (line.from.y + line.to.y) / 2);
      const int x = static_cast<int>(middle.x * zoom) - origin.x,
                y = static_cast<int>(middle.y * zoom) - origin.y;
      const int reach = 2 * view.zoom / 100;  // two picture pixels in device pixels
      for (int d = -reach - 2; d <= reach + 2; ++d) {
        Click(10, 390);  // empty space in every view: nothing selected
        Click(line.acrossX ? x + d : x, line.acrossX ? y : y + d);
        EXPECT_EQ(Query(QCQ_SELCOUNT), std::abs(d) <= reach ? 1 : 0)
            << line.name << " at " << view.zoom << "%, scrolled " << view.scrolls << ", " << d << " px off";
      }
      Send(WM_VSCROLL, SB_TOP);
      Send(WM_HSCROLL, SB_LEFT);
    }
    wnd_->GetCurrentLayer()->m_objects.RemoveAll();
    delete obj;
  }
}

TEST_F(ToolTest, DoubleClickOnAnObjectTellsTheParent) {
  AddRect(80, 80);
  Click(100, 95);
  TakeNoticeNumbers();
  DoubleClick(100, 95);
  std::vector<UINT> notices = TakeNoticeNumbers();
  EXPECT_NE(std::find(notices.begin(), notices.end(), static_cast<UINT>(QCN_CHANGED)), notices.end());
}

TEST_F(ToolTest, ToolWithoutAToolObjectIgnoresTheMouse) {
  Tool(77);
  Click(40, 40);
  EXPECT_TRUE(Objects().empty());
  EXPECT_EQ(Query(QCQ_TOOL), 77);
}

}  // namespace
}  // namespace edittest
