// The in-process harness of the editor's tests: QelMake's application made
// and started in the test program, with a program folder, a registry key and
// a classes root of the test's own (removed afterwards), its message boxes
// answered by a recorder, and QelCtrl.dll and qel3api.dll of the program
// folder loaded once for the whole test program.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "boxrecorder.h"
#include "editor_files.h"
#include "editorapp.h"
#include "mainframe.h"
#include "projecttree.h"
#include "qelidedoc.h"
#include "scratchfolder.h"

namespace editortest {

// What the stand-in "QELPICEDIT" window of this test program was sent and
// answers.
struct FakePicture {
  // One message of the picture window protocol (0x400 to 0x4FF) as it came.
  struct Sent {
    UINT msg;
    WPARAM wp;
    LPARAM lp;
  };
  HWND hwnd = nullptr;
  std::string folder;
  std::string name;
  std::string compiler;  // the path QCM_COMPILE named
  bool modified = false;
  LRESULT openResult = 0;          // QCM_OPENPIC
  LRESULT saveResult = 0;          // QCM_SAVEPIC
  LRESULT compileResult = 0;       // QCM_COMPILE
  std::map<int, LRESULT> answers;  // QCM_QUERY by code (QCQ_MODIFIED answers modified)
  int saves = 0;
  std::vector<std::string> events;  // "host", "local", "folder", "open", "new", "save", "compile"
  std::vector<Sent> sent;
  // The protocol's messages (QCM_QUERY left out) since the last call.
  std::vector<Sent> TakeSent();
};
std::vector<FakePicture>& FakePictures();
// What every stand-in made from now on starts with (its answers).
FakePicture& FakePictureDefaults();
// The stand-in answers QCM_ZOOM as the editing window does: with
// QCN_VIEWCHANGED to its parent, the picture's top-left corner at (0, 0).
// The stand-in for the picture windows whose view was made while it lives:
// registered as this program's own class, found before QelCtrl's.
class FakePictureClass {
 public:
  FakePictureClass();
  ~FakePictureClass();
};

// While it lives, the mouse of the shared test display does not reach the
// windows of this thread: the tests run side by side on one desktop, and
// another program moving the pointer would otherwise hover over the frame's
// toolbar (whose prompt takes the status bar) or anything else below it. The
// tests' own mouse messages are posted or sent and pass.
class SharedPointerShield {
 public:
  SharedPointerShield();
  ~SharedPointerShield();
  // For a test whose own input goes through the queue (it runs alone).
  void Lift();
  SharedPointerShield(const SharedPointerShield&) = delete;
  SharedPointerShield& operator=(const SharedPointerShield&) = delete;

 private:
  HHOOK hook_;
};

class EditorTest : public ::testing::Test {
 protected:
  EditorTest();
  ~EditorTest() override;
  void SetUp() override;
  // Ends the program first, so that no window of a stand-in class outlives it.
  void TearDown() override;
  // Picture windows made from now on are stand-ins (FakePictures()).
  void UseFakePictures();

  // Starts the program (its InitInstance); the main frame stands after it.
  void Start();
  // Lets posted messages and the idle-time update run.
  void Settle();
  void Command(UINT id);
  // A new project name in the test's projects folder.
  CQelideDoc* NewProject(const char* name);
  // A new project with one picture opened in its window (made anew when
  // asNew): the project and the picture's view, both null (with the
  // failure reported) when either could not be had.
  struct OpenedPicture {
    CQelideDoc* doc = nullptr;
    CPicView* view = nullptr;
  };
  OpenedPicture NewProjectWithPicture(const char* project, const char* picture, BOOL asNew);
  std::string ProjectsFolder() const { return folder_.Path() + "project\\"; }
  // The texts of the tree's items below item (the roots for nullptr), in order.
  std::vector<std::string> TreeTexts(HTREEITEM item = nullptr);
  HTREEITEM TreeItem(const std::vector<const char*>& path);
  std::vector<std::string> BoxTexts() const { return boxes_.Texts(); }
  // The boxes shown so far are exactly these texts, each with that caption
  // and icon.
  void ExpectBoxes(const std::vector<std::string>& texts, const char* title, UINT icon) const;
  std::string OwnKey() const { return ownKey_; }

  CMainFrame* Frame() const { return app_->GetMainFrame(); }
  CProjectTree& Tree() const { return Frame()->GetWorkspaceBar().GetTree(); }

  SharedPointerShield pointerShield_;
  progtest::ScratchFolder folder_{"editor_test"};
  progtest::BoxRecorder boxes_;
  std::string ownKey_;
  HKEY classes_ = nullptr;
  CEditorApp* app_ = nullptr;
  std::unique_ptr<FakePictureClass> fakes_;
  bool exited_ = false;
  // Ends the program as its loop would: the main frame goes, then ExitInstance.
  void Exit();
};

}  // namespace editortest
