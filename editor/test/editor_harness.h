// The in-process harness of the editor's tests: QelMake's application made
// and started in the test program, with a program folder, a registry key and
// a classes root of the test's own (removed afterwards), its message boxes
// answered by a recorder, and QelCtrl.dll and qel3api.dll of the program
// folder loaded once for the whole test program.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

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
  HWND hwnd = nullptr;
  std::string folder;
  std::string name;
  bool modified = false;
  LRESULT saveResult = 0;     // QCM_SAVEPIC
  LRESULT compileResult = 0;  // QCM_COMPILE
  int saves = 0;
  std::vector<std::string> events;  // "host", "local", "folder", "open", "new", "save", "compile"
};
std::vector<FakePicture>& FakePictures();
// The stand-in for the picture windows whose view was made while it lives:
// registered as this program's own class, found before QelCtrl's.
class FakePictureClass {
 public:
  FakePictureClass();
  ~FakePictureClass();
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
  std::string ProjectsFolder() const { return folder_.Path() + "project\\"; }
  // The texts of the tree's items below item (the roots for nullptr), in order.
  std::vector<std::string> TreeTexts(HTREEITEM item = nullptr);
  HTREEITEM TreeItem(const std::vector<const char*>& path);
  std::vector<std::string> BoxTexts() const { return boxes_.Texts(); }
  std::string OwnKey() const { return ownKey_; }

  CMainFrame* Frame() const { return app_->GetMainFrame(); }
  CProjectTree& Tree() const { return Frame()->GetWorkspaceBar().GetTree(); }

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
