// A picture from outside opened in the editor with the real editing window:
// the plug-in object that names a library outside the program folder is told
// once in the output bar, and neither its library nor the ActiveX object's
// class, a document object that is no control, runs.
#include <string>
#include <vector>

#include "drawplugin.h"
#include "editctrl_testfiles.h"
#include "foreign_pictures.h"
#include "picview.h"
#include "test/editor_harness.h"
#include "testing/loadmarker.h"
#include "testocx_register.h"

namespace editortest {
namespace {

class ForeignPictureInEditorTest : public EditorTest {
 protected:
  static void SetUpTestSuite() { ASSERT_TRUE(RegisterTestOcx()); }
  void SetUp() override {
    Start();
    doc_ = NewProject("p1");
    ASSERT_NE(doc_, nullptr);
  }
  std::string Pic(const char* name) const { return ProjectsFolder() + "p1\\pic\\" + name; }
  CQelideDoc* doc_ = nullptr;
};

size_t Count(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size())) ++count;
  return count;
}

TEST_F(ForeignPictureInEditorTest, ThePluginsLibraryIsToldOnceAndNothingForeignRuns) {
  loadmarker::Armed marker;
  const std::vector<BYTE> original = foreign::PictureBytes(foreign::Nesting::kTop, "foreign.pic");
  edittest::WriteBytes(Pic("foreign.pic"), original);
  ASSERT_EQ(doc_->OpenPicture("foreign.pic", FALSE), 1);
  Settle();
  const std::string out = Frame()->GetOutputBar().GetText().GetString();
  const std::string report = "(" + foreign::LibraryPath() + "):\n\t\t" + kPluginRefusedText;
  EXPECT_EQ(Count(out, report), 1u) << out;
  EXPECT_NE(out.find(std::string("\n\tQEL插件(") + foreign::kPluginName + "@LEFT=20,TOP=20) - "),
            std::string::npos)
      << out;
  EXPECT_EQ(marker.Written(), "") << "foreign code ran";
  EXPECT_TRUE(BoxTexts().empty());
  CPicView* view = doc_->FindPictureView("foreign.pic");
  ASSERT_NE(view, nullptr);
  EXPECT_FALSE(view->IsPictureModified());
  EXPECT_TRUE(view->SavePicture());
  EXPECT_EQ(edittest::ReadBytes(Pic("foreign.pic")), original);
}

}  // namespace
}  // namespace editortest
