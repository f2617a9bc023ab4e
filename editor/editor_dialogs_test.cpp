// The editor's dialogs driven as an engineer would: the new project, the new
// picture and folder, the about box and the project file dialog.
#include <algorithm>

#include "picframe.h"
#include "picview.h"
#include "resource.h"
#include "testing/dialogscript.h"
#include "test/editor_harness.h"

namespace editortest {
namespace {

using qeltest::DialogDriver;
using qeltest::DialogScript;

const int kFileNameBoxes[] = {0x47C, 0x480};  // the name field of the explorer and the old style

class DialogsTest : public EditorTest {
 protected:
  void SetUp() override { Start(); }
  HTREEITEM Pictures() { return TreeItem({"画面"}); }
};

TEST_F(DialogsTest, TheNewProjectDialogStartsInTheProjectsFolderAndMakesTheProject) {
  std::string location;
  DialogScript script;
  script.On("新建工程", [&](DialogDriver& d) {
    location = d.Text(IDC_LOCATION);
    d.Type(IDC_NAME, "  p1 ");
    d.Click(IDOK);
  });
  script.Run([&] { Command(ID_FILE_NEW); });
  EXPECT_EQ(location, folder_.Path() + "project");
  ASSERT_NE(app_->GetProject(), nullptr);
  EXPECT_EQ(folder_.ReadFile("project\\p1\\p1.qel"), NewProjectBytes());
  EXPECT_TRUE(BoxTexts().empty());
}

TEST_F(DialogsTest, AnEmptyProjectNameIsRefusedAndTheDialogStays) {
  std::string focus;
  DialogScript script;
  script
      .On("新建工程",
          [](DialogDriver& d) {
            d.Type(IDC_NAME, "   ");
            d.Click(IDOK);
          })
      .On("新建工程", [&](DialogDriver& d) {
        EXPECT_EQ(d.FocusId(), IDC_NAME);
        d.Type(IDC_NAME, "p2");
        d.Type(IDC_LOCATION, (folder_.Path() + "elsewhere").c_str());
        d.Click(IDOK);
      });
  ::CreateDirectoryA((folder_.Path() + "elsewhere").c_str(), nullptr);
  script.Run([&] { Command(ID_FILE_NEW); });
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"请填写工程名!"});
  EXPECT_TRUE(folder_.Exists("elsewhere\\p2\\p2.qel"));
}

TEST_F(DialogsTest, ACancelledNewProjectMakesNothing) {
  DialogScript script;
  script.On("新建工程", [](DialogDriver& d) {
    d.Type(IDC_NAME, "p1");
    d.Click(IDCANCEL);
  });
  script.Run([&] { Command(ID_FILE_NEW); });
  EXPECT_EQ(app_->GetProject(), nullptr);
  EXPECT_FALSE(folder_.Exists("project\\p1"));
}

TEST_F(DialogsTest, TheNewPictureAndNewFolderDialogsSayWhatTheyMakeAndWhere) {
  ASSERT_NE(NewProject("p1"), nullptr);
  std::vector<std::string> labels;
  std::string shownFolder = "?";
  DialogScript folder;
  folder.On("新建目录", [&](DialogDriver& d) {
    labels = d.StaticTexts();
    shownFolder = d.Text(IDC_LOCATION);
    d.Type(IDC_NAME, "s");
    d.Click(IDOK);
  });
  folder.Run([&] { Tree().RunFolderCommand(Pictures(), ID_NEW_FOLDER); });
  EXPECT_NE(std::find(labels.begin(), labels.end(), "目录名:"), labels.end());
  EXPECT_EQ(shownFolder, "");
  ASSERT_TRUE(folder_.Exists("project\\p1\\pic\\s"));
  DialogScript picture;
  picture
      .On("新建画面",
          [&](DialogDriver& d) {
            labels = d.StaticTexts();
            shownFolder = d.Text(IDC_LOCATION);
            d.Type(IDC_NAME, "");
            d.Click(IDOK);
          })
      .On("新建画面", [](DialogDriver& d) {
        d.Type(IDC_NAME, "b");
        d.Click(IDOK);
      });
  picture.Run([&] { Tree().RunFolderCommand(TreeItem({"画面", "s"}), ID_NEW_PICTURE); });
  EXPECT_NE(std::find(labels.begin(), labels.end(), "画面名:"), labels.end());
  EXPECT_EQ(shownFolder, "s");
  ASSERT_EQ(boxes_.shown.size(), 1u);
  EXPECT_EQ(boxes_.shown[0].text, "请填写名称!");
  EXPECT_EQ(boxes_.shown[0].title, "错误");
  EXPECT_TRUE(folder_.Exists("project\\p1\\pic\\s\\b.pic"));
  EXPECT_EQ(dynamic_cast<CPicFrm*>(Frame()->MDIGetActive())->GetPicView()->GetPictureName(), "s\\b.pic");
}

// The focus starts in the name field: what the engineer types at once,
// into whatever holds the focus, becomes the name.
TEST_F(DialogsTest, ANameTypedAtOnceInTheNewItemDialogIsTheName) {
  ASSERT_NE(NewProject("p1"), nullptr);
  for (UINT command : {ID_NEW_FOLDER, ID_NEW_PICTURE}) {
    int focus = 0;
    DialogScript script;
    script.OnAny([&](DialogDriver& d) {
      focus = d.FocusId();
      for (char c : std::string("ab")) ::SendMessageA(::GetFocus(), WM_CHAR, static_cast<WPARAM>(c), 1);
      d.Click(IDOK);
    });
    script.Run([&] { Tree().RunFolderCommand(Pictures(), command); });
    EXPECT_EQ(focus, IDC_NAME) << command;
  }
  EXPECT_TRUE(folder_.Exists("project\\p1\\pic\\ab"));
  EXPECT_TRUE(folder_.Exists("project\\p1\\pic\\ab.pic"));
  EXPECT_TRUE(BoxTexts().empty()) << BoxTexts()[0];
}

// A name that the name check refuses is reported over the open dialog, which
// stays with the focus in the field and its text selected for the next try.
TEST_F(DialogsTest, ARefusedNameIsReportedWhileTheNewItemDialogStaysOpen) {
  ASSERT_NE(NewProject("p1"), nullptr);
  const char* const kRefused[] = {"a:b", "CON", "   "};
  for (size_t i = 0; i < std::size(kRefused); ++i) {
    const char* refused = kRefused[i];
    const std::string next = "b" + std::to_string(i);  // the name then accepted
    HWND dialog = nullptr;
    int focus = 0;
    DWORD selection = 0;
    std::string text;
    DialogScript script;
    script
        .On("新建画面",
            [&](DialogDriver& d) {
              dialog = d.Window();
              d.Type(IDC_NAME, refused);
              d.Click(IDOK);
            })
        .On("新建画面", [&](DialogDriver& d) {
          focus = d.FocusId();
          text = d.Text(IDC_NAME);
          selection = static_cast<DWORD>(::SendMessageA(d.Item(IDC_NAME), EM_GETSEL, 0, 0));
          d.Type(IDC_NAME, next.c_str());
          d.Click(IDOK);
        });
    boxes_.shown.clear();
    script.Run([&] { Tree().RunFolderCommand(Pictures(), ID_NEW_PICTURE); });
    ASSERT_EQ(boxes_.shown.size(), 1u) << refused;
    EXPECT_EQ(boxes_.shown[0].owner, dialog) << refused;
    EXPECT_EQ(boxes_.shown[0].title, "错误") << refused;
    EXPECT_EQ(focus, IDC_NAME) << refused;
    EXPECT_EQ(LOWORD(selection), 0) << refused;
    EXPECT_EQ(HIWORD(selection), text.size()) << refused;
    EXPECT_TRUE(folder_.Exists("project\\p1\\pic\\" + next + ".pic")) << refused;
  }
}

TEST_F(DialogsTest, TheAboutBoxComesFromTheMenuAndFromTheTree) {
  DialogScript script;
  script.On("关于QelMake", [](DialogDriver& d) { d.Click(IDOK); });
  script.Run([&] { Command(ID_APP_ABOUT); });
  ASSERT_NE(NewProject("p1"), nullptr);
  DialogScript fromTree;
  std::vector<std::string> texts;
  fromTree.On("关于QelMake", [&](DialogDriver& d) {
    texts = d.StaticTexts();
    d.Click(IDOK);
  });
  fromTree.Run([&] { Tree().ActivateItem(TreeItem({"关于QelMake"})); });
  EXPECT_NE(std::find(texts.begin(), texts.end(), "QelMake 画面组态编辑器"), texts.end());
}

TEST_F(DialogsTest, TheOpenDialogOpensTheProjectChosen) {
  ASSERT_NE(NewProject("p1"), nullptr);
  ASSERT_NE(NewProject("p2"), nullptr);
  std::string p1 = ProjectsFolder() + "p1\\p1.qel";
  std::string caption;
  DialogScript script;
  script.OnAny([&](DialogDriver& d) {
    caption = d.Caption();
    for (int id : kFileNameBoxes)
      if (d.IsVisible(id)) {
        d.Type(id, p1.c_str());
        break;
      }
    d.Click(IDOK);
  });
  script.Run([&] { Command(ID_FILE_OPEN); });
  EXPECT_EQ(caption, "打开QelHmi工程文件");
  ASSERT_NE(app_->GetProject(), nullptr);
  EXPECT_EQ(app_->GetProject()->GetPathName(), p1.c_str());
}

}  // namespace
}  // namespace editortest
