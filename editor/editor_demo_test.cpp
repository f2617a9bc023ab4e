// The demo project in the editor with the real editing window: it opens,
// shows its pictures unmodified, and saving writes every file back byte for
// byte.
#include "demoproject.h"
#include "picframe.h"
#include "qel/picmsg.h"
#include "picview.h"
#include "test/editor_harness.h"

namespace editortest {
namespace {

class DemoInEditorTest : public EditorTest {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(demo::WriteDemoProject(folder_.Path(), &error)) << error;
    Start();
  }
  std::string Project() const { return folder_.Path() + "project\\demo\\demo.qel"; }
};

TEST_F(DemoInEditorTest, TheDemoProjectAndItsPicturesOpenAndSaveUnchanged) {
  const char* kFiles[] = {"project\\demo\\demo.qel", "project\\demo\\pic\\overview.pic",
                          "project\\demo\\pic\\detail.pic"};
  std::vector<std::string> before;
  for (const char* file : kFiles) before.push_back(folder_.ReadFile(file));
  auto* doc = dynamic_cast<CQelideDoc*>(app_->OpenDocumentFile(Project().c_str()));
  ASSERT_NE(doc, nullptr);
  EXPECT_EQ(doc->GetProject().m_localTags.GetCount(), 4);
  for (const char* picture : {demo::kDetailPicture, demo::kStartPicture}) {
    ASSERT_EQ(doc->OpenPicture(picture, FALSE), 1) << picture;
    CPicView* view = doc->FindPictureView(picture);
    ASSERT_NE(view, nullptr);
    EXPECT_FALSE(view->IsPictureModified()) << picture;
  }
  Settle();
  EXPECT_TRUE(BoxTexts().empty());
  EXPECT_FALSE(doc->IsModified());
  for (CPicView* view : doc->GetPictureViews()) EXPECT_TRUE(view->SavePicture());
  ASSERT_TRUE(doc->SaveNow());
  for (size_t i = 0; i < before.size(); ++i)
    EXPECT_TRUE(folder_.ReadFile(kFiles[i]) == before[i]) << kFiles[i];
  // Closing asks nothing: nothing was changed.
  Command(ID_FILE_CLOSE);
  EXPECT_EQ(app_->GetProject(), nullptr);
  EXPECT_TRUE(BoxTexts().empty());
}

}  // namespace
}  // namespace editortest
