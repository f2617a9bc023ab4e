// The project tree: its items in order, what a double click and the new
// picture and folder commands do, and the names they refuse.
#include <algorithm>

#include "itemnames.h"
#include "picframe.h"
#include "picview.h"
#include "test/editor_harness.h"

namespace editortest {
namespace {

class TreeTest : public EditorTest {
 protected:
  void SetUp() override { Start(); }
  // A project whose picture folder already holds files when it is opened.
  CQelideDoc* OpenWithPictures(const std::vector<std::string>& files) {
    EXPECT_NE(NewProject("p1"), nullptr);
    Command(ID_FILE_CLOSE);
    for (const std::string& file : files) folder_.WriteFile("project\\p1\\pic\\" + file, "x");
    return static_cast<CQelideDoc*>(app_->OpenDocumentFile((ProjectsFolder() + "p1\\p1.qel").c_str()));
  }
  HTREEITEM Pictures() { return TreeItem({"画面"}); }
};

TEST_F(TreeTest, TheRootCarriesTheProjectFilesNameAndItsFourChildrenInOrder) {
  ASSERT_NE(NewProject("p1"), nullptr);
  EXPECT_EQ(TreeTexts(), std::vector<std::string>{"p1.qel"});
  HTREEITEM root = Tree().GetRootItem();
  EXPECT_EQ(TreeTexts(root), (std::vector<std::string>{"实时库设置", "本地标签表", "画面", "关于QelMake"}));
  EXPECT_EQ(
      ::SendMessageA(Tree().m_hWnd, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(root), TVIS_BOLD) & TVIS_BOLD,
      static_cast<LRESULT>(TVIS_BOLD));
  EXPECT_TRUE(Tree().IsExpanded(root));
  const struct {
    const char* text;
    DWORD kind;
    const char* tip;
  } kItems[] = {
      {"实时库设置", kItemConnection, "实时库设置 鼠标双击进入实时库连接设置"},
      {"本地标签表", kItemLocalTags, "本地标签表 鼠标双击打开本地标签表编辑本地标签"},
      {"画面", kItemPictureFolder, "画面 鼠标右键单击可在这个目录添加子目录或画面!"},
      {"关于QelMake", kItemAbout, "关于QelMake 鼠标双击显示关于QelMake!"},
  };
  for (const auto& item : kItems) {
    HTREEITEM found = TreeItem({item.text});
    ASSERT_NE(found, nullptr) << item.text;
    EXPECT_EQ(Tree().GetRecord(found)->kind, item.kind);
    EXPECT_EQ(Tree().TipText(found), item.tip);
  }
  EXPECT_EQ(Tree().TipText(root), "p1.qel 工程根目录");
}

TEST_F(TreeTest, ThePictureFolderShowsFoldersFirstAndOnlyFilesEndingInLowerCasePic) {
  ASSERT_NE(OpenWithPictures({"z.pic", "a.pic", "c.PIC", "notes.txt", "s\\b.pic", "s\\t\\d.pic"}), nullptr);
  std::vector<std::string> top = TreeTexts(Pictures());
  ASSERT_EQ(top.size(), 3u);
  EXPECT_EQ(top[0], "s");
  std::sort(top.begin() + 1, top.end());  // pictures in the file system's order
  EXPECT_EQ(top, (std::vector<std::string>{"s", "a.pic", "z.pic"}));
  EXPECT_EQ(TreeTexts(TreeItem({"画面", "s"})), (std::vector<std::string>{"t", "b.pic"}));
  EXPECT_EQ(TreeTexts(TreeItem({"画面", "s", "t"})), std::vector<std::string>{"d.pic"});
  EXPECT_TRUE(Tree().IsExpanded(Pictures()));
  EXPECT_EQ(Tree().RelativePath(TreeItem({"画面", "s", "t", "d.pic"})), "s\\t\\d.pic");
  EXPECT_EQ(Tree().RelativePath(Pictures()), "");
  EXPECT_EQ(Tree().GetRecord(TreeItem({"画面", "s"}))->kind, kItemFolder);
}

TEST_F(TreeTest, ANewPictureIsWrittenAtOnceShownInItsWindowAndListed) {
  ASSERT_NE(NewProject("p1"), nullptr);
  ASSERT_TRUE(Tree().NewPicture(Pictures(), "  a "));
  EXPECT_TRUE(folder_.Exists("project\\p1\\pic\\a.pic"));
  EXPECT_EQ(TreeTexts(Pictures()), std::vector<std::string>{"a.pic"});
  EXPECT_EQ(Tree().GetSelectedItem(), TreeItem({"画面", "a.pic"}));
  auto* frame = dynamic_cast<CPicFrm*>(Frame()->MDIGetActive());
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->GetPicView()->GetPictureName(), "a.pic");
  EXPECT_TRUE(::IsZoomed(frame->m_hWnd));
  // The same name again is refused and makes nothing.
  EXPECT_FALSE(Tree().NewPicture(Pictures(), "a"));
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"画面文件已存在!"});
  EXPECT_EQ(TreeTexts(Pictures()), std::vector<std::string>{"a.pic"});
  EXPECT_EQ(app_->GetProject()->GetPictureViews().size(), 1u);
}

TEST_F(TreeTest, ANewFolderComesBeforeThePicturesAndTakesPicturesOfItsOwn) {
  ASSERT_NE(NewProject("p1"), nullptr);
  ASSERT_TRUE(Tree().NewPicture(Pictures(), "a"));
  ASSERT_TRUE(Tree().NewFolder(Pictures(), "s"));
  EXPECT_EQ(TreeTexts(Pictures()), (std::vector<std::string>{"s", "a.pic"}));
  HTREEITEM sub = TreeItem({"画面", "s"});
  ASSERT_TRUE(Tree().NewPicture(sub, "a"));  // another a: in s
  EXPECT_TRUE(folder_.Exists("project\\p1\\pic\\s\\a.pic"));
  EXPECT_EQ(dynamic_cast<CPicFrm*>(Frame()->MDIGetActive())->GetPicView()->GetPictureName(), "s\\a.pic");
  EXPECT_FALSE(Tree().NewFolder(Pictures(), "s"));  // exists
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"创建目录失败!"});
}

TEST_F(TreeTest, RefusedNamesMakeNothing) {
  ASSERT_NE(NewProject("p1"), nullptr);
  for (const char* name :
       {"", "  ", "..\\x", "a/b", "a\\b", "c:d", "w*", "q?", "\"x\"", "<>", "a|b", "NUL", "com3.x"}) {
    boxes_.shown.clear();
    EXPECT_FALSE(Tree().NewPicture(Pictures(), name)) << name;
    EXPECT_FALSE(Tree().NewFolder(Pictures(), name)) << name;
    EXPECT_EQ(boxes_.shown.size(), 2u) << name;
  }
  EXPECT_TRUE(TreeTexts(Pictures()).empty());
  EXPECT_EQ(folder_.ReadFile("project\\p1\\p1.qel"), NewProjectBytes());
  WIN32_FIND_DATAA found;
  HANDLE find = ::FindFirstFileA((ProjectsFolder() + "*").c_str(), &found);
  int entries = 0;
  do entries += found.cFileName[0] != '.';
  while (::FindNextFileA(find, &found));
  ::FindClose(find);
  EXPECT_EQ(entries, 1);  // p1 alone: nothing was made beside it
}

TEST_F(TreeTest, ADoubleClickOnAPictureOpensItAndOnOtherItemsDoesWhatTheirKindSays) {
  UseFakePictures();
  ASSERT_NE(OpenWithPictures({"s\\b.pic"}), nullptr);
  Tree().ActivateItem(TreeItem({"画面", "s", "b.pic"}));
  ASSERT_EQ(FakePictures().size(), 1u);
  EXPECT_EQ(FakePictures()[0].name, "s\\b.pic");
  Tree().ActivateItem(TreeItem({"本地标签表"}));
  EXPECT_NE(dynamic_cast<CMDIChildWnd*>(Frame()->MDIGetActive()), nullptr);
  EXPECT_EQ(dynamic_cast<CPicFrm*>(Frame()->MDIGetActive()), nullptr);
  Tree().ActivateItem(Tree().GetRootItem());
  Tree().ActivateItem(Pictures());
  EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"暂未提供此功能!", "暂未提供此功能!"}));
}

TEST(ItemNames, FileNamesOfThePlatformAreRefused) {
  const struct {
    const char* name;
    bool usable;
  } kCases[] = {
      {"画面1", true}, {"a b", true},    {"x.y", true},      {"conx", true},  {"com0", true},
      {"lpt", true},   {"", false},      {"..", false},      {"a..b", false}, {"a.", false},
      {"a ", false},   {"a\\b", false},  {"a/b", false},     {"a:b", false},  {"a*", false},
      {"a?", false},   {"\"a\"", false}, {"<a>", false},     {"a|b", false},  {"\t", false},
      {"CON", false},  {"con", false},   {"Prn.txt", false}, {"aux", false},  {"nul.pic", false},
      {"COM1", false}, {"lpt9", false},  {"com1 ", false},
  };
  for (const auto& c : kCases) EXPECT_EQ(IsUsableItemName(c.name), c.usable) << c.name;
  // A GBK character whose second byte is 0x5C or 0x7C is no separator.
  EXPECT_TRUE(IsUsableItemName("\xD5\x5C"));
  EXPECT_TRUE(IsUsableItemName("\x81\x7C"));
}

}  // namespace
}  // namespace editortest
