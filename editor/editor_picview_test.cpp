// The picture windows with a stand-in editing window: what the view sends
// it and in which order, where its children lie, the commands with their
// enable and check rules, zooming, the drop-down buttons, the notices that
// the view passes on, and the questions on closing.
#include "commands/cmdui.h"
#include "picframe.h"
#include "qel/picmsg.h"
#include "picview.h"
#include "resource.h"
#include "test/editor_harness.h"

namespace editortest {
namespace {

using Sent = FakePicture::Sent;

std::vector<UINT> Numbers(const std::vector<Sent>& sent) {
  std::vector<UINT> numbers;
  for (const Sent& s : sent) numbers.push_back(s.msg);
  return numbers;
}

RECT ChildRect(HWND parent, UINT id) {
  RECT r = {};
  HWND child = ::GetDlgItem(parent, id);
  ::GetWindowRect(child, &r);
  ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::string RectText(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "-" + std::to_string(r.right) + "," +
         std::to_string(r.bottom);
}

class PictureWindowTest : public EditorTest {
 protected:
  void SetUp() override {
    UseFakePictures();
    Start();
    const OpenedPicture opened = NewProjectWithPicture("p1", "a.pic", FALSE);
    doc_ = opened.doc;
    view_ = opened.view;
    ASSERT_NE(view_, nullptr);
    Settle();
    Fake().TakeSent();
  }
  FakePicture& Fake() { return FakePictures().back(); }
  // Sets the stand-in's answers to QCM_QUERY and lets the bars follow.
  void Answer(const std::map<int, LRESULT>& answers) {
    Fake().answers = answers;
    Settle();
  }
  bool Enabled(UINT id) { return QelIsCommandEnabled(Frame(), id) != FALSE; }
  // The button's state in whichever toolbar has it.
  int ButtonState(UINT id) {
    for (CWrapToolBar* bar : {&Frame()->GetStandardBar(), &Frame()->GetDrawBar(), &Frame()->GetAlignBar()})
      if (bar->CommandToIndex(id) >= 0) return bar->GetButtonState(id);
    return -1;
  }
  bool ButtonEnabled(UINT id) { return (ButtonState(id) & TBSTATE_ENABLED) != 0; }
  bool ButtonChecked(UINT id) { return (ButtonState(id) & TBSTATE_CHECKED) != 0; }
  std::vector<LPARAM> ZoomsSent() {
    std::vector<LPARAM> zooms;
    for (const Sent& s : Fake().TakeSent())
      if (s.msg == QCM_ZOOM) zooms.push_back(s.lp);
    return zooms;
  }
  void SendViewChanged(WPARAM from, double x, double y, LONG zoom) {
    ViewInfo info = {x, y, zoom, 0};
    view_->SendMessage(QCN_VIEWCHANGED, from, reinterpret_cast<LPARAM>(&info));
  }

  CQelideDoc* doc_ = nullptr;
  CPicView* view_ = nullptr;
};

TEST_F(PictureWindowTest, TheEditingWindowGetsTheTablesTheFolderThenItsPictureInThisOrder) {
  ASSERT_EQ(doc_->OpenPicture("b.pic", FALSE), 1);
  ASSERT_EQ(doc_->OpenPicture("c.pic", TRUE), 1);
  const struct {
    const FakePicture& fake;
    UINT last;
    const char* name;
  } kCases[] = {{FakePictures()[1], QCM_OPENPIC, "b.pic"}, {FakePictures()[2], QCM_NEWPIC, "c.pic"}};
  for (const auto& c : kCases) {
    std::vector<UINT> numbers = Numbers(c.fake.sent);
    numbers.resize(std::min<size_t>(numbers.size(), 4));
    EXPECT_EQ(numbers,
              (std::vector<UINT>{QCM_SETHOSTCALLBACKS, QCM_SETLOCALCALLBACKS, QCM_PICFOLDER, c.last}))
        << c.name;
    EXPECT_EQ(c.fake.folder, ProjectsFolder() + "p1\\pic\\");
    EXPECT_EQ(c.fake.name, c.name);
  }
  // Each view holds its own reference to QelCtrl.dll.
  EXPECT_TRUE(view_->GetEditHost().IsLibraryLoaded());
}

TEST_F(PictureWindowTest, TheEditingWindowLiesBetweenTheRulersWhateverTheViewsSize) {
  for (SIZE size : {SIZE{640, 480}, SIZE{300, 200}}) {
    ::SetWindowPos(view_->m_hWnd, nullptr, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOMOVE);
    RECT client;
    ::GetClientRect(view_->m_hWnd, &client);
    const int w = client.right, h = client.bottom;
    EXPECT_TRUE(SameRect(ChildRect(view_->m_hWnd, 1000), RECT{22, 22, w, h}))
        << RectText(ChildRect(view_->m_hWnd, 1000));
    EXPECT_TRUE(SameRect(ChildRect(view_->m_hWnd, 1001), RECT{22, 0, w, 22}))
        << RectText(ChildRect(view_->m_hWnd, 1001));
    EXPECT_TRUE(SameRect(ChildRect(view_->m_hWnd, 1002), RECT{0, 22, 22, h}))
        << RectText(ChildRect(view_->m_hWnd, 1002));
  }
  EXPECT_EQ(::GetDlgItem(view_->m_hWnd, 1000), Fake().hwnd);
  EXPECT_NE(::GetWindowLongA(Fake().hwnd, GWL_STYLE) & WS_CLIPCHILDREN, 0);
  EXPECT_EQ(view_->GetTopRuler().GetOrientation(), CRulerWnd::kHorizontal);
  EXPECT_EQ(view_->GetLeftRuler().GetOrientation(), CRulerWnd::kVertical);
  // The focus given to the view goes on to the editing window.
  view_->SetFocus();
  EXPECT_EQ(::GetFocus(), Fake().hwnd);
}

TEST_F(PictureWindowTest, TheCornerBetweenTheRulersIsFramedLikeThem) {
  HDC screen = ::GetDC(nullptr);
  HDC memory = ::CreateCompatibleDC(screen);
  HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 22, 22);
  HGDIOBJ old = ::SelectObject(memory, bitmap);
  {
    CDC dc(memory);
    view_->SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
  }
  const COLORREF face = ::GetSysColor(COLOR_BTNFACE) & 0xFFFFFF;
  EXPECT_EQ(::GetPixel(memory, 5, 5), face);
  EXPECT_EQ(::GetPixel(memory, 21, 5), RGB(0, 0, 0));
  EXPECT_EQ(::GetPixel(memory, 20, 5), RGB(128, 128, 128));
  EXPECT_EQ(::GetPixel(memory, 5, 21), RGB(0, 0, 0));
  EXPECT_EQ(::GetPixel(memory, 5, 20), RGB(128, 128, 128));
  ::SelectObject(memory, old);
  ::DeleteObject(bitmap);
  ::DeleteDC(memory);
  ::ReleaseDC(nullptr, screen);
}

TEST_F(PictureWindowTest, ZoomingOutFrom100StepsDownTo25ThenTheCommandIsDisabled) {
  EXPECT_EQ(view_->GetZoom(), 100);
  EXPECT_FALSE(ButtonEnabled(ID_ZOOM_100));
  for (int i = 0; i < 5; ++i) {
    Command(ID_ZOOM_OUT);
    Settle();
  }
  EXPECT_EQ(ZoomsSent(), (std::vector<LPARAM>{80, 60, 40, 25}));
  EXPECT_EQ(view_->GetZoom(), 25);
  EXPECT_FALSE(ButtonEnabled(ID_ZOOM_OUT));
  EXPECT_TRUE(ButtonEnabled(ID_ZOOM_IN));
  EXPECT_TRUE(ButtonEnabled(ID_ZOOM_100));
  // The editing window's answer set the rulers' scale.
  EXPECT_DOUBLE_EQ(view_->GetTopRuler().GetScale(), 0.25);
  EXPECT_DOUBLE_EQ(view_->GetLeftRuler().GetScale(), 0.25);
  // Zooming in from there goes up by 20.
  Command(ID_ZOOM_IN);
  EXPECT_EQ(ZoomsSent(), std::vector<LPARAM>{45});
}

TEST_F(PictureWindowTest, ZoomingInFrom390Gives400AndThenNothing) {
  SendViewChanged(CPicView::kEditWindowId, 0, 0, 390);
  Settle();
  EXPECT_TRUE(ButtonEnabled(ID_ZOOM_IN));
  Command(ID_ZOOM_IN);
  Settle();
  EXPECT_EQ(ZoomsSent(), std::vector<LPARAM>{400});
  EXPECT_FALSE(ButtonEnabled(ID_ZOOM_IN));
  // The drop-down button repeats zooming in, which is at its limit.
  EXPECT_EQ(Frame()->GetZoomChoice(), static_cast<UINT>(ID_ZOOM_IN));
  EXPECT_TRUE(ButtonEnabled(ID_ZOOM_DROPDOWN));
  Command(ID_ZOOM_DROPDOWN);
  EXPECT_TRUE(ZoomsSent().empty());
}

TEST_F(PictureWindowTest, TheZoomDropDownRepeatsTheLastZoomCommandChosen) {
  CWrapToolBar& draw = Frame()->GetDrawBar();
  Command(ID_ZOOM_OUT);
  EXPECT_EQ(draw.GetButtonImage(draw.CommandToIndex(ID_ZOOM_DROPDOWN)), IMAGE_ZOOM_OUT);
  Command(ID_ZOOM_DROPDOWN);
  Command(ID_ZOOM_100);
  EXPECT_EQ(draw.GetButtonImage(draw.CommandToIndex(ID_ZOOM_DROPDOWN)), IMAGE_ZOOM_100);
  Command(ID_ZOOM_DROPDOWN);  // at 100 already
  EXPECT_EQ(ZoomsSent(), (std::vector<LPARAM>{80, 60, 100}));
}

TEST_F(PictureWindowTest, TheAlignmentDropDownRepeatsTheLastAlignmentChosen) {
  Answer({{QCQ_SELCOUNT, 2}});
  Command(ID_ALIGN_DROPDOWN);
  Command(ID_ALIGN_BOTTOM);
  Command(ID_ALIGN_DROPDOWN);
  std::vector<LPARAM> arranged;
  for (const Sent& s : Fake().TakeSent())
    if (s.msg == QCM_ARRANGE) arranged.push_back(s.lp);
  EXPECT_EQ(arranged, (std::vector<LPARAM>{QCA_ALIGNLEFT, QCA_ALIGNBOTTOM, QCA_ALIGNBOTTOM}));
  CWrapToolBar& draw = Frame()->GetDrawBar();
  EXPECT_EQ(draw.GetButtonImage(draw.CommandToIndex(ID_ALIGN_DROPDOWN)), IMAGE_ALIGN_BOTTOM);
}

TEST_F(PictureWindowTest, TheViewsOriginAndZoomReachTheRulersOnlyFromTheEditingWindow) {
  SendViewChanged(1005, 40, 30, 200);
  EXPECT_DOUBLE_EQ(view_->GetTopRuler().GetOrigin(), 0);
  EXPECT_DOUBLE_EQ(view_->GetTopRuler().GetScale(), 1.0);
  EXPECT_EQ(view_->GetZoom(), 100);
  SendViewChanged(CPicView::kEditWindowId, 40, 30, 200);
  EXPECT_DOUBLE_EQ(view_->GetTopRuler().GetOrigin(), 40);
  EXPECT_DOUBLE_EQ(view_->GetLeftRuler().GetOrigin(), 30);
  EXPECT_DOUBLE_EQ(view_->GetTopRuler().GetScale(), 2.0);
  EXPECT_DOUBLE_EQ(view_->GetLeftRuler().GetScale(), 2.0);
  EXPECT_EQ(view_->GetZoom(), 200);
}

// The enable rules over the number of selected objects.
TEST_F(PictureWindowTest, SelectionCommandsNeedTheirNumberOfSelectedObjects) {
  const struct {
    UINT id;
    bool enabled[4];  // with 0, 1, 2 and 3 objects selected
  } kRules[] = {
      {ID_EDIT_CUT, {false, true, true, true}},        {ID_EDIT_COPY, {false, true, true, true}},
      {ID_ALIGN_DROPDOWN, {false, false, true, true}}, {ID_ALIGN_LEFT, {false, false, true, true}},
      {ID_SPACE_HORZ, {false, false, false, true}},    {ID_SPACE_VERT, {false, false, false, true}},
      {ID_ORDER_FORWARD, {false, true, false, false}}, {ID_ORDER_BACKWARD, {false, true, false, false}},
      {ID_ROTATE, {false, true, true, true}},          {ID_MIRROR_HORZ, {false, true, true, true}},
      {ID_MAKE_SUBPICTURE, {false, true, true, true}}, {ID_TOOL_SELECT, {true, true, true, true}},
      {ID_IMPORT_WMF, {true, true, true, true}},       {ID_COMPILE_PICTURE, {true, true, true, true}},
  };
  for (int count = 0; count < 4; ++count) {
    Answer({{QCQ_SELCOUNT, count}});
    for (const auto& rule : kRules)
      EXPECT_EQ(ButtonEnabled(rule.id), rule.enabled[count]) << rule.id << " " << count;
  }
  // A sub-picture alone cannot become a sub-picture again.
  Answer({{QCQ_SELCOUNT, 1}, {QCQ_SUBPICTURESEL, 1}});
  EXPECT_FALSE(ButtonEnabled(ID_MAKE_SUBPICTURE));
  EXPECT_TRUE(ButtonEnabled(ID_BREAK_SUBPICTURE));
}

TEST_F(PictureWindowTest, OtherCommandsFollowTheirQueryAndToolsAndSnappingShowTheirCheckMarks) {
  const struct {
    UINT id;
    int query;
  } kQueried[] = {{ID_EDIT_PASTE, QCQ_CANPASTE}, {ID_EDIT_UNDO, QCQ_CANUNDO},
                  {ID_EDIT_REDO, QCQ_CANREDO},   {ID_GROUP, QCQ_MULTISEL},
                  {ID_UNGROUP, QCQ_GROUPSEL},    {ID_BREAK_SUBPICTURE, QCQ_SUBPICTURESEL}};
  for (const auto& q : kQueried) {
    Answer({});
    EXPECT_FALSE(ButtonEnabled(q.id)) << q.id;
    Answer({{q.query, 1}});
    EXPECT_TRUE(ButtonEnabled(q.id)) << q.id;
  }
  EXPECT_FALSE(ButtonEnabled(ID_SAVE_PICTURE));
  Fake().modified = true;
  Settle();
  EXPECT_TRUE(ButtonEnabled(ID_SAVE_PICTURE));
  Answer({{QCQ_TOOL, 5}, {QCQ_SNAP, 1}});
  EXPECT_TRUE(ButtonChecked(ID_TOOL_RECT));
  EXPECT_FALSE(ButtonChecked(ID_TOOL_SELECT));
  EXPECT_TRUE(ButtonChecked(ID_SNAP_GRID));
  Answer({{QCQ_TOOL, 151}});
  EXPECT_TRUE(ButtonChecked(ID_TOOL_PLUGIN));
  EXPECT_FALSE(ButtonChecked(ID_TOOL_RECT));
  EXPECT_FALSE(ButtonChecked(ID_SNAP_GRID));
}

TEST_F(PictureWindowTest, EachCommandSendsItsMessage) {
  const struct {
    UINT id;
    std::map<int, LRESULT> answers;
    UINT msg;
    LPARAM lp;
  } kCases[] = {
      {ID_TOOL_SELECT, {}, QCM_SELECTTOOL, 0},
      {ID_TOOL_RECT, {}, QCM_SELECTTOOL, 5},
      {ID_TOOL_MULTITEXT, {}, QCM_SELECTTOOL, 13},
      {ID_TOOL_EDIT, {}, QCM_SELECTTOOL, 104},
      {ID_TOOL_ACTIVEX, {}, QCM_SELECTTOOL, 150},
      {ID_EDIT_COPY, {{QCQ_SELCOUNT, 1}}, QCM_COPY, 0},
      {ID_EDIT_CUT, {{QCQ_SELCOUNT, 1}}, QCM_CUT, 0},
      {ID_EDIT_PASTE, {{QCQ_CANPASTE, 1}}, QCM_PASTE, 0},
      {ID_EDIT_UNDO, {{QCQ_CANUNDO, 1}}, QCM_UNDO, 0},
      {ID_EDIT_REDO, {{QCQ_CANREDO, 1}}, QCM_REDO, 0},
      {ID_GROUP, {{QCQ_MULTISEL, 1}}, QCM_GROUP, 0},
      {ID_UNGROUP, {{QCQ_GROUPSEL, 1}}, QCM_GROUP, 1},
      {ID_MAKE_SUBPICTURE, {{QCQ_SELCOUNT, 1}}, QCM_SUBPICTURE, 0},
      {ID_BREAK_SUBPICTURE, {{QCQ_SUBPICTURESEL, 1}}, QCM_SUBPICTURE, 1},
      {ID_ALIGN_TOP, {{QCQ_SELCOUNT, 2}}, QCM_ARRANGE, QCA_ALIGNTOP},
      {ID_ALIGN_RIGHT, {{QCQ_SELCOUNT, 2}}, QCM_ARRANGE, QCA_ALIGNRIGHT},
      {ID_SPACE_HORZ, {{QCQ_SELCOUNT, 3}}, QCM_ARRANGE, QCA_SPACEHORZ},
      {ID_SPACE_VERT, {{QCQ_SELCOUNT, 3}}, QCM_ARRANGE, QCA_SPACEVERT},
      {ID_ORDER_BACKWARD, {{QCQ_SELCOUNT, 1}}, QCM_ARRANGE, QCA_BACKWARD},
      {ID_ORDER_FORWARD, {{QCQ_SELCOUNT, 1}}, QCM_ARRANGE, QCA_FORWARD},
      {ID_ROTATE, {{QCQ_SELCOUNT, 1}}, QCM_ROTATE, 0},
      {ID_MIRROR_HORZ, {{QCQ_SELCOUNT, 1}}, QCM_ROTATE, 1},
      {ID_MIRROR_VERT, {{QCQ_SELCOUNT, 1}}, QCM_ROTATE, 2},
      {ID_IMPORT_WMF, {}, QCM_IMPORTWMF, 0},
      {ID_SNAP_GRID, {{QCQ_SNAP, 1}}, QCM_SNAPGRID, 0},
      {ID_SNAP_GRID, {}, QCM_SNAPGRID, 1},
  };
  for (const auto& c : kCases) {
    Answer(c.answers);
    Fake().TakeSent();
    Command(c.id);
    std::vector<Sent> sent = Fake().TakeSent();
    ASSERT_EQ(sent.size(), 1u) << c.id;
    EXPECT_EQ(sent[0].msg, c.msg) << c.id;
    EXPECT_EQ(sent[0].lp, c.lp) << c.id;
  }
  // Saving sends only while the picture is modified.
  Answer({});
  Command(ID_SAVE_PICTURE);
  EXPECT_EQ(Fake().saves, 0);
  Fake().modified = true;
  Command(ID_SAVE_PICTURE);
  EXPECT_EQ(Fake().saves, 1);
  EXPECT_TRUE(BoxTexts().empty());
}

TEST_F(PictureWindowTest, ThePlugInAndPreviewCommandsSayTheyAreNotOpenYet) {
  Command(ID_TOOL_PLUGIN);
  Command(ID_PREVIEW);
  ExpectBoxes(
      {"<Qel插件> 暂未开放!\n\nQel插件用于扩展功能，比如趋势、报表、图表等。", "<预览运行画面> 暂未开放!"},
      "提示", MB_ICONINFORMATION);
  EXPECT_TRUE(Fake().TakeSent().empty());
}

TEST_F(PictureWindowTest, CompilingThePictureWritesItsErrorsToTheOutputBar) {
  const struct {
    LRESULT errors;
    const char* output;
  } kCases[] = {{0, "a.pic - 0 error(s)\n"}, {2, "a.pic\n\na.pic - 2 error(s)\n"}};
  for (const auto& c : kCases) {
    Fake().compileResult = c.errors;
    Command(ID_COMPILE_PICTURE);
    EXPECT_TRUE(Frame()->GetOutputBar().IsWindowVisible());
    EXPECT_EQ(Frame()->GetOutputBar().GetText(), c.output);
  }
  EXPECT_EQ(Fake().compiler, folder_.Path() + "sc\\Tarnic.exe");
}

TEST_F(PictureWindowTest, TheEditingWindowsNoticesReachTheWorkspaceBarAndTheOutputBar) {
  CWorkspaceBar& bar = Frame()->GetWorkspaceBar();
  bar.SelectTab(CWorkspaceBar::kTabProject);
  ::SendMessageA(view_->m_hWnd, QCN_CHANGED, CPicView::kEditWindowId, 0);
  EXPECT_EQ(bar.GetSelectedTab(), CWorkspaceBar::kTabProperties);
  Frame()->ShowOutput();
  const char text[] = "a.pic(3): error 2001\n";
  ::SendMessageA(view_->m_hWnd, QCN_OUTPUTTEXT, 1, reinterpret_cast<LPARAM>(text));
  EXPECT_EQ(Frame()->GetOutputBar().GetText(), text);
}

TEST_F(PictureWindowTest, ActivatingThePictureShowsTheDrawingBarAndAsksForItsSelectionAgain) {
  doc_->OpenLocalTagTable();
  Settle();
  EXPECT_FALSE(Frame()->GetDrawBar().IsWindowVisible());
  EXPECT_EQ(Frame()->GetWorkspaceBar().GetSelectedTab(), CWorkspaceBar::kTabProject);
  Fake().TakeSent();
  EXPECT_EQ(doc_->OpenPicture("a.pic", FALSE), 1);  // the open window comes forward
  Settle();
  EXPECT_TRUE(Frame()->GetDrawBar().IsWindowVisible());
  EXPECT_EQ(Numbers(Fake().TakeSent()), std::vector<UINT>{QCM_RENOTIFY});
}

// ---- closing -------------------------------------------------------------------

TEST_F(PictureWindowTest, AnUnmodifiedPictureClosesWithoutAQuestion) {
  view_->GetParentFrame()->SendMessage(WM_CLOSE);
  EXPECT_TRUE(BoxTexts().empty());
  EXPECT_EQ(doc_->FindPictureView("a.pic"), nullptr);
  EXPECT_EQ(Fake().saves, 0);
}

TEST_F(PictureWindowTest, AModifiedPictureAsksOnceAndNoClosesItUnsaved) {
  Fake().modified = true;
  boxes_.answers = {IDNO};
  view_->GetParentFrame()->SendMessage(WM_CLOSE);
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"<a.pic>已经修改，是否要存!"});
  EXPECT_EQ(doc_->FindPictureView("a.pic"), nullptr);
  EXPECT_EQ(Fake().saves, 0);
  EXPECT_EQ(app_->GetProject(), doc_);
}

TEST_F(PictureWindowTest, APictureThatCannotBeSavedSaysSoAndKeepsItsWindowAndEdits) {
  Fake().modified = true;
  Fake().saveResult = 1;
  boxes_.answers = {IDYES};
  view_->GetParentFrame()->SendMessage(WM_CLOSE);
  EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"<a.pic>已经修改，是否要存!", "保存画面<a.pic>失败!"}));
  EXPECT_EQ(doc_->FindPictureView("a.pic"), view_);
  EXPECT_TRUE(view_->IsPictureModified());
  // Its lists are asked for again.
  EXPECT_EQ(Numbers(Fake().TakeSent()).back(), static_cast<UINT>(QCM_RENOTIFY));
  boxes_.shown.clear();
  Command(ID_SAVE_PICTURE);
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"保存画面<a.pic>失败!"});
  EXPECT_NE(doc_->FindPictureView("a.pic"), nullptr);
}

TEST_F(PictureWindowTest, APictureThatCannotBeOpenedIsReportedAndItsEmptyWindowCloses) {
  FakePictureDefaults().openResult = 1;
  EXPECT_EQ(doc_->OpenPicture("b.pic", FALSE), 0);
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"打开画面<b.pic>失败!"});
  EXPECT_EQ(doc_->FindPictureView("b.pic"), nullptr);
  EXPECT_FALSE(::IsWindow(FakePictures().back().hwnd));
  EXPECT_EQ(app_->GetProject(), doc_);
}

}  // namespace
}  // namespace editortest
