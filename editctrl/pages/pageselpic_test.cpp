// The hyperlink page: the picture tree of the picture folder and the command
// it writes into an event link.
#include <gtest/gtest.h>

#include <algorithm>

#include "actkinds.h"
#include "pageres.h"
#include "pageselpic.h"
#include "pagetest_util.h"

namespace pagetest {
namespace {

using qeltest::DialogDriver;
using qeltest::DialogScript;

TEST(PictureFileNames, OnlyALowerCaseDotPicEndMakesAPicture) {
  const struct {
    const char* name;
    bool picture;
  } cases[] = {{"tank.pic", true},   {".pic", true}, {"TANK.PIC", false},     {"tank.Pic", false},
               {"tank.pict", false}, {"pic", false}, {"tank.pic.bak", false}, {"", false}};
  for (const auto& c : cases) EXPECT_EQ(IsPictureFileName(c.name), c.picture) << c.name;
}

class PicturePageTest : public EditWindowTest {
 protected:
  CActEvent link;
  std::string folder;

  void SetUp() override {
    EditWindowTest::SetUp();
    link.m_nEvent = link.m_nTrigger = AK_MOUSE_CLICK;
    link.m_strCommand = "link\nmain.pic";
    folder = FreshFolder("tree");
    WriteFile(folder + "main.pic");
    WriteFile(folder + "notes.txt");
    WriteFile(folder + "UPPER.PIC");
    ::CreateDirectoryA((folder + "sub").c_str(), nullptr);
    WriteFile(folder + "sub\\tank.pic");
    ::CreateDirectoryA((folder + "sub\\zz").c_str(), nullptr);
    WriteFile(folder + "sub\\zz\\deep.pic");
    ::CreateDirectoryA((folder + "empty").c_str(), nullptr);
  }
  // The page as the hyperlink dialog fills it.
  void Fill(CPageSelPic& page) {
    page.m_strFolder = folder.c_str();
    page.m_strCurrent = "main.pic";
  }
};

TEST_F(PicturePageTest, TheTreeShowsFoldersAndPicturesFoldersFirstInsideEachFolder) {
  CPageSelPic page(nullptr, &link);
  Fill(page);
  std::vector<std::string> lines;
  DialogScript script;
  script.On(kSheetTitle, [&](DialogDriver& d) {
    lines = TreeLines(d.Item(IDC_SELPIC_TREE));
    EXPECT_EQ(d.Text(IDC_SELPIC_TARGET), "main.pic");
    d.Click(IDCANCEL);
  });
  RunSheet(script, parent_, {&page});
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines[0], "画面");
  // Below the root the entries come in the order of the file search.
  std::vector<std::string> top;
  for (size_t i = 1; i < lines.size(); ++i)
    if (lines[i].size() > 2 && lines[i].compare(0, 2, "  ") == 0 && lines[i][2] != ' ')
      top.push_back(lines[i]);
  std::sort(top.begin(), top.end());
  EXPECT_EQ(top, (std::vector<std::string>{"  empty", "  main.pic", "  sub"}));
  const auto sub = std::find(lines.begin(), lines.end(), "  sub");
  ASSERT_NE(sub, lines.end());
  ASSERT_LE(sub + 4, lines.end());
  EXPECT_EQ(std::vector<std::string>(sub + 1, sub + 4),
            (std::vector<std::string>{"    zz", "      deep.pic", "    tank.pic"}));
}

TEST_F(PicturePageTest, ChoosingAnotherPictureWritesTheLinkCommand) {
  CPageSelPic page(wnd_, &link);
  Fill(page);
  DialogScript script;
  script.On(kSheetTitle, [](DialogDriver& d) {
    EXPECT_FALSE(IsApplyEnabled(d));
    ASSERT_TRUE(SelectTreeItem(d.Item(IDC_SELPIC_TREE), {"画面", "sub", "tank.pic"}));
    EXPECT_TRUE(IsApplyEnabled(d));
    EXPECT_EQ(d.Text(IDC_SELPIC_TARGET), "main.pic");  // the current target until applied
    d.Click(IDOK);
  });
  EXPECT_EQ(RunSheet(script, parent_, {&page}), IDOK);
  EXPECT_EQ(std::string(link.m_strCommand.GetString()), "link\nsub\\tank.pic");
  EXPECT_EQ(std::string(page.m_strCurrent.GetString()), "sub\\tank.pic");
  EXPECT_EQ(LinkNotices(), 1);
  EXPECT_TRUE(PictureModified());
}

TEST_F(PicturePageTest, TheSamePictureAFolderOrNoChoiceLeaveTheCommandAsItWas) {
  link.m_strCommand = "link\nmain.pic";
  const std::vector<std::vector<std::string>> choices = {
      {},                    // nothing chosen
      {"画面", "main.pic"},  // the current target again
      {"画面", "sub"},       // a folder
      {"画面"},              // the root
  };
  for (const auto& choice : choices) {
    CPageSelPic page(wnd_, &link);
    Fill(page);
    DialogScript script;
    script.On(kSheetTitle, [&](DialogDriver& d) {
      if (!choice.empty()) {
        ASSERT_TRUE(SelectTreeItem(d.Item(IDC_SELPIC_TREE), choice));
      }
      EXPECT_FALSE(IsApplyEnabled(d)) << choice.size();
      d.Click(IDOK);
    });
    EXPECT_EQ(RunSheet(script, parent_, {&page}), IDOK);
    EXPECT_EQ(std::string(link.m_strCommand.GetString()), "link\nmain.pic");
  }
  EXPECT_EQ(LinkNotices(), 0);
  EXPECT_FALSE(PictureModified());
}

// Applied, the chosen picture is the current target: choosing the original
// one again and pressing OK writes that, the choice made last.
TEST_F(PicturePageTest, AfterApplyTheChoiceMadeLastIsWritten) {
  CPageSelPic page(wnd_, &link);
  Fill(page);
  std::string shownAfterApply;
  bool applyAgain = false;
  DialogScript script;
  script
      .On(kSheetTitle,
          [](DialogDriver& d) {
            ASSERT_TRUE(SelectTreeItem(d.Item(IDC_SELPIC_TREE), {"画面", "sub", "tank.pic"}));
            d.Click(kApplyButton);
          })
      .On(kSheetTitle, [&](DialogDriver& d) {
        shownAfterApply = d.Text(IDC_SELPIC_TARGET);
        ASSERT_TRUE(SelectTreeItem(d.Item(IDC_SELPIC_TREE), {"画面", "main.pic"}));
        applyAgain = IsApplyEnabled(d);
        d.Click(IDOK);
      });
  EXPECT_EQ(RunSheet(script, parent_, {&page}), IDOK);
  EXPECT_EQ(shownAfterApply, "sub\\tank.pic");
  EXPECT_TRUE(applyAgain);
  EXPECT_EQ(std::string(link.m_strCommand.GetString()), "link\nmain.pic");
  EXPECT_EQ(LinkNotices(), 2);
}

TEST_F(PicturePageTest, ChoosingTheCurrentPictureAfterAnotherOneDisablesApplyAgain) {
  CPageSelPic page(wnd_, &link);
  Fill(page);
  DialogScript script;
  script.On(kSheetTitle, [](DialogDriver& d) {
    HWND tree = d.Item(IDC_SELPIC_TREE);
    ASSERT_TRUE(SelectTreeItem(tree, {"画面", "sub", "zz", "deep.pic"}));
    EXPECT_TRUE(IsApplyEnabled(d));
    ASSERT_TRUE(SelectTreeItem(tree, {"画面", "main.pic"}));
    EXPECT_FALSE(IsApplyEnabled(d));
    d.Click(IDCANCEL);
  });
  RunSheet(script, parent_, {&page});
}

TEST_F(PicturePageTest, FoldersDeeperThanSixteenLevelsAreLeftOut) {
  const std::string top = FreshFolder("deep");
  std::string deep = top;
  for (int level = 0; level < 20; ++level) {
    deep += "d\\";
    ::CreateDirectoryA(deep.c_str(), nullptr);
    WriteFile(deep + "p.pic");
  }
  CPageSelPic page(nullptr, &link);
  page.m_strFolder = top.c_str();
  std::vector<std::string> lines;
  DialogScript script;
  script.On(kSheetTitle, [&](DialogDriver& d) {
    lines = TreeLines(d.Item(IDC_SELPIC_TREE));
    d.Click(IDCANCEL);
  });
  RunSheet(script, parent_, {&page});
  size_t deepestFolder = 0, deepestPicture = 0;
  for (const std::string& line : lines) {
    const size_t indent = line.find_first_not_of(' ');
    size_t& deepest = line.compare(indent, std::string::npos, "d") == 0 ? deepestFolder : deepestPicture;
    deepest = std::max(deepest, indent);
  }
  // The root's entries are indented by 2, each folder level by 2 more.
  EXPECT_EQ(deepestFolder, 2u * CPageSelPic::kMaxFolderDepth);
  EXPECT_EQ(deepestPicture, 2u * CPageSelPic::kMaxFolderDepth + 2);
}

TEST_F(PicturePageTest, AMissingFolderShowsTheRootAlone) {
  CPageSelPic page(nullptr, &link);
  page.m_strFolder = (folder + "nowhere\\").c_str();
  std::vector<std::string> lines;
  DialogScript script;
  script.On(kSheetTitle, [&](DialogDriver& d) {
    lines = TreeLines(d.Item(IDC_SELPIC_TREE));
    d.Click(IDCANCEL);
  });
  RunSheet(script, parent_, {&page});
  EXPECT_EQ(lines, std::vector<std::string>{"画面"});
}

}  // namespace
}  // namespace pagetest
