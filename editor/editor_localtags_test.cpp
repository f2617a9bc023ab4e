// The local-tag table: its grid over the project's own tags, and adding,
// modifying and deleting tags through its commands and dialog 165 as an
// engineer would.
#include "commands/cmdui.h"
#include "localtagframe.h"
#include "qel/picmsg.h"
#include "resource.h"
#include "testing/dialogscript.h"
#include "test/editor_harness.h"

namespace editortest {
namespace {

using qeltest::DialogDriver;
using qeltest::DialogScript;

class LocalTagTest : public EditorTest {
 protected:
  void SetUp() override {
    Start();
    doc_ = NewProject("p1");
    ASSERT_NE(doc_, nullptr);
    Settle();
    view_ = dynamic_cast<CLocalTagView*>(Frame()->MDIGetActive()->GetActiveView());
    ASSERT_NE(view_, nullptr);
  }
  CLocalTagArray& Tags() { return doc_->GetProject().m_localTags; }
  CLocalTagGrid& Grid() { return view_->GetGrid(); }
  void AddTag(const char* name, BYTE type = 3) { Tags().Append(MakeLocalTag(name, "", "", "", type)); }
  std::vector<std::string> Names() {
    std::vector<std::string> names;
    for (int i = 0; i < Tags().GetCount(); ++i) names.push_back(Tags().GetTag(i)->name);
    return names;
  }
  // The dialog filled and confirmed: name (when adding), type index, description, unit, initial value.
  static void Fill(DialogDriver& d, const char* name, int type, const char* description, const char* unit,
                   const char* initial) {
    if (name) d.Type(IDC_NAME, name);
    d.ChooseComboItem(IDC_TAG_TYPE, type);
    d.Type(IDC_TAG_DESCRIPTION, description);
    d.Type(IDC_TAG_UNIT, unit);
    d.Type(IDC_TAG_INITIAL, initial);
  }
  bool Enabled(UINT id) { return QelIsCommandEnabled(Frame(), id) != FALSE; }

  CQelideDoc* doc_ = nullptr;
  CLocalTagView* view_ = nullptr;
};

TEST_F(LocalTagTest, TheGridShowsTheProjectsOwnTagsWithTheTypeNames) {
  ASSERT_EQ(Grid().GetRowCount(), 2);
  const char* kHeaders[] = {"序号", "标签名", "描述", "单位", "类型", "初值"};
  for (int c = 0; c < 6; ++c) EXPECT_EQ(Grid().GetHeaderText(c), kHeaders[c]);
  EXPECT_EQ(Grid().GetCellText(0, 1), "@suser");
  EXPECT_EQ(Grid().GetCellText(0, 4), "string");
  EXPECT_EQ(Grid().GetCellText(1, 1), "@dwpower");
  EXPECT_EQ(Grid().GetCellText(1, 4), "int32");
  EXPECT_EQ(Grid().GetRowHeight(), 18);
  // The marks are the project's records' own.
  Grid().SelectRow(1);
  EXPECT_EQ(Tags().GetTag(1)->rowMark, 1);
  EXPECT_EQ(Tags().GetTag(0)->rowMark, 0);
  // System tags show the yellow bitmap 134, the others the green 135.
  AddTag("t1");
  Grid().UpdateRows();
  HBITMAP system = Grid().GetRowBitmap(0), other = Grid().GetRowBitmap(2);
  ASSERT_NE(system, nullptr);
  ASSERT_NE(other, nullptr);
  EXPECT_NE(system, other);
  // The grid fills the view.
  RECT view, grid;
  ::GetClientRect(view_->m_hWnd, &view);
  ::GetWindowRect(Grid().m_hWnd, &grid);
  EXPECT_EQ(grid.right - grid.left, view.right);
  EXPECT_EQ(grid.bottom - grid.top, view.bottom);
}

TEST_F(LocalTagTest, AddingATagAppendsItWithTheChosenTypeAndModifiesTheProject) {
  std::string preset, caption;
  std::vector<std::string> types;
  DialogScript script;
  script.On("添加本地标签", [&](DialogDriver& d) {
    caption = d.Caption();
    preset = d.Text(IDC_TAG_TYPE);
    EXPECT_TRUE(d.IsEnabled(IDC_NAME));
    Fill(d, "level", 4, "液位", "m", "1.5");
    d.Click(IDOK);
  });
  script.Run([&] { Command(ID_LOCALTAG_ADD); });
  EXPECT_EQ(preset, "float32");
  ASSERT_EQ(Tags().GetCount(), 3);
  const LocalTagRecord* tag = Tags().GetTag(2);
  EXPECT_STREQ(tag->name, "level");
  EXPECT_STREQ(tag->description, "液位");
  EXPECT_STREQ(tag->unit, "m");
  EXPECT_STREQ(tag->initialValue, "1.5");
  EXPECT_EQ(tag->type, 5);  // index + 1: float64
  EXPECT_EQ(tag->system, 0);
  EXPECT_EQ(Grid().GetRowCount(), 3);
  EXPECT_EQ(Grid().GetCellText(2, 4), "float64");
  EXPECT_TRUE(doc_->IsModified());
  EXPECT_TRUE(BoxTexts().empty());
}

TEST_F(LocalTagTest, AnEmptyOrTakenNameIsRefusedAndNamesCompareExactly) {
  AddTag("x");
  DialogScript script;
  script.On("添加本地标签", [](DialogDriver& d) { d.Click(IDOK); })
      .On("添加本地标签",
          [](DialogDriver& d) {
            d.Type(IDC_NAME, "x");
            d.Click(IDOK);
          })
      .On("添加本地标签", [](DialogDriver& d) {
        EXPECT_EQ(d.FocusId(), IDC_NAME);
        d.Type(IDC_NAME, "X");
        d.Click(IDOK);
      });
  script.Run([&] { Command(ID_LOCALTAG_ADD); });
  ExpectBoxes({"请填写标签名!", "标签 <x> 已经存在!"}, "错误", MB_ICONSTOP);
  EXPECT_EQ(Names(), (std::vector<std::string>{"@suser", "@dwpower", "x", "X"}));
}

TEST_F(LocalTagTest, ACancelledDialogAddsNothing) {
  DialogScript script;
  script.On("添加本地标签", [](DialogDriver& d) {
    d.Type(IDC_NAME, "t");
    d.Click(IDCANCEL);
  });
  script.Run([&] { Command(ID_LOCALTAG_ADD); });
  EXPECT_EQ(Tags().GetCount(), 2);
  EXPECT_FALSE(doc_->IsModified());
}

TEST_F(LocalTagTest, ModifyingNeedsAMarkedTagThatIsNoSystemTag) {
  EXPECT_FALSE(Enabled(ID_LOCALTAG_MODIFY));
  EXPECT_FALSE(Enabled(ID_LOCALTAG_DELETE));
  view_->OnModify();
  Grid().SelectRow(0);
  EXPECT_TRUE(Enabled(ID_LOCALTAG_MODIFY));
  view_->OnModify();
  ExpectBoxes({"请选择一个标签!", "不能修改系统标签!"}, "提示", MB_ICONINFORMATION);
}

TEST_F(LocalTagTest, ModifyingChangesEverythingButTheNameAndADoubleClickDoesTheSame) {
  Tags().Append(MakeLocalTag("t1", "old", "kg", "0", 2));
  Grid().UpdateRows();
  doc_->SetModifiedFlag(FALSE);
  Grid().SelectRow(2);
  std::string name;
  bool nameEnabled = true;
  DialogScript script;
  script.On("修改本地标签", [&](DialogDriver& d) {
    name = d.Text(IDC_NAME);
    nameEnabled = d.IsEnabled(IDC_NAME);
    EXPECT_EQ(d.Text(IDC_TAG_TYPE), "int32");
    EXPECT_EQ(d.Text(IDC_TAG_DESCRIPTION), "old");
    Fill(d, nullptr, 0, "new", "t", "1");
    d.Click(IDOK);
  });
  // A double click on a row of the grid asks its view to modify the row.
  script.Run([&] {
    view_->SendMessage(QLN_ROWDBLCLK, CLocalTagView::kGridId, 2);
    Settle();
  });
  EXPECT_EQ(name, "t1");
  EXPECT_FALSE(nameEnabled);
  const LocalTagRecord* tag = Tags().GetTag(2);
  EXPECT_STREQ(tag->name, "t1");
  EXPECT_STREQ(tag->description, "new");
  EXPECT_STREQ(tag->unit, "t");
  EXPECT_STREQ(tag->initialValue, "1");
  EXPECT_EQ(tag->type, 1);
  EXPECT_TRUE(doc_->IsModified());
}

TEST_F(LocalTagTest, ModifyingWithoutAChangeLeavesTheProjectAsItWas) {
  AddTag("t1");
  Grid().UpdateRows();
  doc_->SetModifiedFlag(FALSE);
  Grid().SelectRow(2);
  DialogScript script;
  script.On("修改本地标签", [](DialogDriver& d) { d.Click(IDOK); });
  script.Run([&] { Command(ID_LOCALTAG_MODIFY); });
  EXPECT_FALSE(doc_->IsModified());
}

TEST_F(LocalTagTest, DeletingRemovesTheMarkedTagsButTheSystemTags) {
  for (const char* name : {"a", "b", "c"}) AddTag(name);
  Grid().UpdateRows();
  Grid().SelectRange(0, 3);  // @suser, @dwpower, a, b
  boxes_.answers = {IDNO};
  Command(ID_LOCALTAG_DELETE);
  EXPECT_EQ(Tags().GetCount(), 5);
  boxes_.answers = {IDYES};
  Command(ID_LOCALTAG_DELETE);
  ASSERT_EQ(boxes_.shown.size(), 2u);
  EXPECT_EQ(boxes_.shown[1].text,
            "黄色图标的是系统标签，删除不了的!\n\n绿色图标标签删除不可恢复！是否要删除?");
  EXPECT_EQ(boxes_.shown[1].title, "提示");
  EXPECT_EQ(boxes_.shown[1].type, static_cast<UINT>(MB_YESNOCANCEL | MB_ICONQUESTION));
  EXPECT_EQ(Names(), (std::vector<std::string>{"@suser", "@dwpower", "c"}));
  EXPECT_EQ(Grid().GetRowCount(), 3);
  EXPECT_TRUE(doc_->IsModified());
}

TEST_F(LocalTagTest, AUserTagSortedToTheFirstRowIsDeletedLikeAnyOtherAndCutDeletesToo) {
  AddTag("#first");  // sorts before "@"
  Grid().UpdateRows();
  Grid().OnHeaderClick(1);
  ASSERT_EQ(Names()[0], "#first");
  Grid().SelectRow(0);
  boxes_.answers = {IDYES};
  Command(ID_EDIT_CUT);
  EXPECT_EQ(Names(), (std::vector<std::string>{"@dwpower", "@suser"}));
  boxes_.shown.clear();
  Command(ID_EDIT_CUT);  // nothing marked now: disabled
  view_->OnDelete();
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"请选择一个标签!"});
}

TEST_F(LocalTagTest, The129thTagGrowsTheTableAndSurvivesSavingAndOpening) {
  for (int i = 0; i < 126; ++i) AddTag(("t" + std::to_string(i)).c_str());
  Grid().UpdateRows();
  ASSERT_EQ(Tags().GetCount(), 128);
  ASSERT_EQ(Tags().GetCapacity(), 128);
  DialogScript script;
  script.On("添加本地标签", [](DialogDriver& d) {
    Fill(d, "last", 5, "第129个", "", "abc");
    d.Click(IDOK);
  });
  script.Run([&] { Command(ID_LOCALTAG_ADD); });
  ASSERT_EQ(Tags().GetCount(), 129);
  EXPECT_EQ(Tags().GetCapacity(), 256);
  EXPECT_EQ(Grid().GetRowCount(), 129);
  EXPECT_EQ(Grid().GetCellText(128, 1), "last");
  EXPECT_EQ(Grid().GetCellText(127, 1), "t125");
  Command(ID_FILE_SAVE);
  EXPECT_FALSE(doc_->IsModified());
  std::string path = ProjectsFolder() + "p1\\p1.qel";
  Command(ID_FILE_CLOSE);
  ASSERT_EQ(app_->GetProject(), nullptr);
  ASSERT_NE(app_->OpenDocumentFile(path.c_str()), nullptr);
  doc_ = app_->GetProject();
  ASSERT_EQ(Tags().GetCount(), 129);
  EXPECT_STREQ(Tags().GetTag(128)->name, "last");
  EXPECT_STREQ(Tags().GetTag(128)->description, "第129个");
  EXPECT_EQ(Tags().GetTag(128)->type, 6);
  Settle();
  auto* view = dynamic_cast<CLocalTagView*>(Frame()->MDIGetActive()->GetActiveView());
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->GetGrid().GetRowCount(), 129);
}

TEST_F(LocalTagTest, ActivatingTheTableShowsTheProjectTabAndHidesTheDrawingBar) {
  Frame()->GetWorkspaceBar().SelectTab(CWorkspaceBar::kTabProperties);
  UseFakePictures();
  ASSERT_EQ(doc_->OpenPicture("a.pic", TRUE), 1);
  Settle();
  EXPECT_TRUE(Frame()->GetDrawBar().IsWindowVisible());
  doc_->OpenLocalTagTable();
  Settle();
  EXPECT_FALSE(Frame()->GetDrawBar().IsWindowVisible());
  EXPECT_EQ(Frame()->GetWorkspaceBar().GetSelectedTab(), CWorkspaceBar::kTabProject);
  EXPECT_EQ(Frame()->MDIGetActive()->GetActiveView(), view_);
}

}  // namespace
}  // namespace editortest
