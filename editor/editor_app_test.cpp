// The editor program in-process: its start, new and opened projects, one
// project at a time, the close question for pictures and the project, and
// what it keeps in the registry.
#include <shlobj.h>

#include <cstring>

#include "app/regkey.h"
#include "docview/doctemplate.h"
#include "itemnames.h"
#include "localtagframe.h"
#include "picframe.h"
#include "picview.h"
#include "projecttexts.h"
#include "resource.h"
#include "test/editor_harness.h"

namespace editortest {
namespace {

std::string RegValue(const std::string& path, const char* name = nullptr) {
  CRegKey key;
  CString value;
  if (!key.Open(HKEY_CURRENT_USER, path.c_str()) || !key.QueryString(name, &value)) return "(none)";
  return value.GetString();
}

std::string WindowText(HWND hwnd) {
  char text[512] = "";
  ::GetWindowTextA(hwnd, text, sizeof text);
  return text;
}

using StartTest = EditorTest;

TEST_F(StartTest, WithoutAProjectTheFrameIsMaximisedAndEmpty) {
  Start();
  EXPECT_TRUE(::IsZoomed(Frame()->m_hWnd));
  EXPECT_EQ(Frame()->MDIGetActive(), nullptr);
  EXPECT_EQ(::GetWindow(Frame()->m_hWndMDIClient, GW_CHILD), nullptr);
  EXPECT_EQ(WindowText(Frame()->m_hWnd), "QelMake");
  EXPECT_EQ(::GetMenu(Frame()->m_hWnd), Frame()->m_hMenuDefault);
  EXPECT_EQ(app_->GetProject(), nullptr);
  EXPECT_EQ(Tree().GetRootItem(), nullptr);
  EXPECT_TRUE(Frame()->GetWorkspaceBar().IsWindowVisible());
  EXPECT_FALSE(Frame()->GetOutputBar().IsWindowVisible());
  EXPECT_FALSE(Frame()->GetDrawBar().IsWindowVisible());
  EXPECT_TRUE(Frame()->GetStandardBar().IsWindowVisible());
  EXPECT_EQ(Frame()->GetStatusBar().GetPaneText(0), "就绪");
  EXPECT_EQ(Frame()->GetStatusBar().GetPaneCount(), 4);
  EXPECT_TRUE(BoxTexts().empty());
}

TEST_F(StartTest, ANewProjectMakesItsFoldersAndTheNewProjectFileAndShowsItsLocalTagTable) {
  Start();
  CQelideDoc* doc = NewProject("p1");
  ASSERT_NE(doc, nullptr);
  std::string folder = ProjectsFolder() + "p1";
  EXPECT_NE(::GetFileAttributesA((folder + "\\pic").c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
  std::string bytes = folder_.ReadFile("project\\p1\\p1.qel");
  EXPECT_EQ(bytes.size(), 530u);
  EXPECT_EQ(bytes, NewProjectBytes());
  EXPECT_EQ(doc->GetTitle(), folder.c_str());
  EXPECT_EQ(doc->GetPathName(), (folder + "\\p1.qel").c_str());
  EXPECT_FALSE(doc->IsModified());
  EXPECT_EQ(doc->GetProject().m_localTags.GetCount(), 2);
  EXPECT_FALSE(doc->GetProject().GetClient()->IsBound());  // bound only when opened from its file
  Settle();
  CMDIChildWnd* child = Frame()->MDIGetActive();
  ASSERT_NE(dynamic_cast<CLocalTagFrm*>(child), nullptr);
  EXPECT_TRUE(::IsZoomed(child->m_hWnd));
  EXPECT_EQ(WindowText(child->m_hWnd), folder + " - 本地标签表");
  EXPECT_EQ(::GetMenu(Frame()->m_hWnd), app_->GetLocalTagTemplate()->m_hMenuShared);
  EXPECT_EQ(Frame()->GetTitle(), "QelMake");
  EXPECT_NE(WindowText(Frame()->m_hWnd).find("QelMake - " + folder), std::string::npos);
  ASSERT_EQ(app_->GetRecentFileList()->GetCount(), 1);
  EXPECT_EQ((*app_->GetRecentFileList())[0], (folder + "\\p1.qel").c_str());
}

TEST_F(StartTest, ANewProjectWhoseFolderExistsIsRefusedAndMakesNothing) {
  Start();
  ::CreateDirectoryA((ProjectsFolder() + "p1").c_str(), nullptr);
  EXPECT_EQ(NewProject("p1"), nullptr);
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"创建工程目录<" + ProjectsFolder() + ">失败!"});
  EXPECT_EQ(app_->GetProject(), nullptr);
  EXPECT_FALSE(folder_.Exists("project\\p1\\pic"));
  EXPECT_FALSE(folder_.Exists("project\\p1\\p1.qel"));
}

TEST_F(StartTest, ProjectNamesThatAreNoFileNamesAreRefused) {
  Start();
  for (const char* name : {"", "   ", "a\\b", "..", "con", "x:y", "p?"}) {
    boxes_.shown.clear();
    EXPECT_EQ(NewProject(name), nullptr) << name;
    EXPECT_EQ(boxes_.shown.size(), 1u) << name;
  }
  EXPECT_EQ(BoxTexts()[0].find("名称<p?>不能用作文件名!"), 0u);
  EXPECT_EQ(app_->GetProject(), nullptr);
}

TEST_F(StartTest, APathThroughADeviceNameIsRefusedAndTheActiveProjectStays) {
  // The platform opens such a path as the device: a serial port or the
  // console, which may never answer, and nothing there is the project.
  Start();
  CQelideDoc* active = NewProject("p1");
  ASSERT_NE(active, nullptr);
  const std::string projects = ProjectsFolder();
  const struct {
    std::string path;
    const char* device;
  } cases[] = {
      {projects + "p\\NUL", "NUL"},           {projects + "p\\con.qel", "con.qel"},
      {projects + "PRN\\p.qel", "PRN"},       {projects + "p\\COM1", "COM1"},
      {projects + "lpt9.x\\p.qel", "lpt9.x"}, {projects + "p/AUX /p.qel", "AUX "},
      {projects + "p\\AUX", "AUX"},
  };
  for (const auto& c : cases) {
    boxes_.shown.clear();
    EXPECT_EQ(app_->OpenDocumentFile(c.path.c_str()), nullptr) << c.path;
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"工程路径<" + c.path + ">中的<" + c.device +
                                                   ">是设备名，不能用作工程目录或工程文件名!"});
    EXPECT_EQ(app_->GetProject(), active) << c.path;
  }
  // Nor is a new project made in such a folder.
  boxes_.shown.clear();
  EXPECT_EQ(app_->CreateProject("p2", (projects + "aux").c_str()), nullptr);
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"工程路径<" + projects +
                                                 "aux\\p2>中的<aux>是设备名，不能用作工程目录或工程文件名!"});
  EXPECT_EQ(app_->GetProject(), active);
}

TEST(ItemNames, ADeviceNameAnywhereInAPathIsFound) {
  const struct {
    const char* path;
    const char* device;
  } kCases[] = {
      {"C:\\q\\p1\\p1.qel", ""},        {"C:\\q\\AUX\\p.qel", "AUX"},
      {"C:/q/nul.txt", "nul.txt"},      {"\\\\.\\CON", "CON"},
      {"C:\\conx\\com0\\lpt", ""},      {"CON", "CON"},
      {"C:\\q\\com9 .a\\b", "com9 .a"}, {"", ""},
      {"C:\\\xD5\x5C\\PRN", "PRN"},  // the 0x5C of a GBK character separates nothing
  };
  for (const auto& c : kCases) EXPECT_EQ(DeviceNameInPath(c.path), c.device) << c.path;
  EXPECT_EQ(DeviceNameInPath("C:\\\xD5\x5CPRN"), "");
}

TEST_F(StartTest, OpeningAProjectReadsItsFileBindsTheDatabaseAndKeepsOneProject) {
  Start();
  ASSERT_NE(NewProject("p1"), nullptr);
  ASSERT_NE(NewProject("p2"), nullptr);  // p1 closes
  ASSERT_EQ(app_->GetLocalTagTemplate()->GetDocuments().size(), 1u);
  std::string p1 = ProjectsFolder() + "p1\\p1.qel";
  CDocument* doc = app_->OpenDocumentFile(p1.c_str());
  ASSERT_NE(doc, nullptr);
  EXPECT_EQ(app_->GetLocalTagTemplate()->GetDocuments().size(), 1u);
  auto* project = static_cast<CQelideDoc*>(doc);
  EXPECT_EQ(project->GetProjectFolder(), (ProjectsFolder() + "p1").c_str());
  EXPECT_TRUE(project->GetProject().GetClient()->IsBound());
  EXPECT_EQ(app_->m_strPendingPath, p1.c_str());
  EXPECT_EQ(app_->OpenDocumentFile(p1.c_str()), doc);  // the same file: the same document
  EXPECT_EQ(TreeTexts(), std::vector<std::string>{"p1.qel"});
}

TEST_F(StartTest, ADamagedProjectIsReportedNeitherOpenedNorWrittenLater) {
  Start();
  ASSERT_NE(NewProject("p1"), nullptr);
  std::string bytes = folder_.ReadFile("project\\p1\\p1.qel");
  std::string damaged = bytes.substr(0, bytes.size() - 7);
  folder_.WriteFile("project\\p1\\p1.qel", damaged);
  ASSERT_NE(NewProject("p2"), nullptr);
  boxes_.shown.clear();
  std::string path = ProjectsFolder() + "p1\\p1.qel";
  EXPECT_EQ(app_->OpenDocumentFile(path.c_str()), nullptr);
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"读入工程文件<" + path + ">错误!"});
  EXPECT_EQ(app_->GetProject(), nullptr);  // p2 was closed to open it
  Command(ID_FILE_SAVE);
  Command(ID_APP_EXIT);
  EXPECT_EQ(app_->m_pMainWnd, nullptr);
  EXPECT_EQ(folder_.ReadFile("project\\p1\\p1.qel"), damaged);
}

TEST_F(StartTest, EachKindOfDamageIsRefused) {
  Start();
  ASSERT_NE(NewProject("good"), nullptr);
  std::string bytes = folder_.ReadFile("project\\good\\good.qel");
  const std::pair<const char*, std::string> kDamaged[] = {
      {"short", bytes.substr(0, bytes.size() - 7)},
      {"empty", std::string()},
      {"magic", "\x56" + bytes.substr(1)},
      {"version", bytes.substr(0, 6) + "\x04" + bytes.substr(7)},
  };
  for (const auto& damaged : kDamaged) {
    std::string relative = std::string("project\\") + damaged.first + "\\" + damaged.first + ".qel";
    folder_.WriteFile(relative, damaged.second);
    EXPECT_EQ(app_->OpenDocumentFile((folder_.Path() + relative).c_str()), nullptr) << damaged.first;
    EXPECT_EQ(folder_.ReadFile(relative), damaged.second);
  }
  EXPECT_EQ(app_->GetProject(), nullptr);
  EXPECT_EQ(boxes_.shown.size(), 4u);
}

TEST_F(StartTest, AtTheEndTheRecentProjectsAndTheFileTypeAreInTheRegistry) {
  Start();
  ASSERT_NE(NewProject("p1"), nullptr);
  ASSERT_NE(NewProject("p2"), nullptr);
  Exit();
  std::string recent = OwnKey() + "\\QelMake\\Recent File List";
  EXPECT_EQ(RegValue(recent, "File1"), ProjectsFolder() + "p2\\p2.qel");
  EXPECT_EQ(RegValue(recent, "File2"), ProjectsFolder() + "p1\\p1.qel");
  EXPECT_EQ(RegValue(recent, "File3"), "(none)");
  char program[MAX_PATH];
  ::GetModuleFileNameA(nullptr, program, MAX_PATH);
  std::string classes = OwnKey() + "\\Classes";
  EXPECT_EQ(RegValue(classes + "\\.qel"), "Qelide.Document");
  EXPECT_EQ(RegValue(classes + "\\Qelide.Document"), "Qelprj Document");
  EXPECT_EQ(RegValue(classes + "\\Qelide.Document\\shell\\open\\command"),
            "\"" + std::string(program) + "\" \"%1\"");
}

TEST_F(StartTest, TheProjectMenuEnablesWhatHasAHandlerPrintingStaysGrey) {
  Start();
  ASSERT_NE(NewProject("p1"), nullptr);
  // The pop-up of the file commands (a maximised child puts its own menu first).
  HMENU bar = ::GetMenu(Frame()->m_hWnd), file = nullptr;
  for (int i = 0; i < ::GetMenuItemCount(bar) && !file; ++i)
    if (::GetMenuState(::GetSubMenu(bar, i), ID_FILE_CLOSE, MF_BYCOMMAND) != static_cast<UINT>(-1))
      file = ::GetSubMenu(bar, i);
  ASSERT_NE(file, nullptr);
  Frame()->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file), 1);
  const struct {
    UINT id;
    bool grey;
  } kItems[] = {
      {ID_FILE_NEW, false},          {ID_FILE_OPEN, false},        {ID_FILE_CLOSE, false},
      {ID_FILE_SAVE, true},          {ID_FILE_PRINT_SETUP, false}, {ID_FILE_PRINT, true},
      {ID_FILE_PRINT_PREVIEW, true}, {ID_APP_EXIT, false},         {ID_FILE_MRU_FILE1, false},
  };
  for (const auto& item : kItems)
    EXPECT_EQ((::GetMenuState(file, item.id, MF_BYCOMMAND) & MF_GRAYED) != 0, item.grey) << item.id;
}

// A file dropped on the frame, as the shell hands it over.
HDROP MakeDrop(const std::string& path) {
  HGLOBAL memory = ::GlobalAlloc(GHND, sizeof(DROPFILES) + path.size() + 2);
  auto* drop = static_cast<DROPFILES*>(::GlobalLock(memory));
  drop->pFiles = sizeof(DROPFILES);
  std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), path.c_str(), path.size() + 1);
  ::GlobalUnlock(memory);
  return static_cast<HDROP>(memory);
}

TEST_F(StartTest, ADroppedFileAndARecentFileCloseTheActiveProjectThroughItsQuestion) {
  Start();
  ASSERT_NE(NewProject("p1"), nullptr);
  ASSERT_NE(NewProject("p2"), nullptr);
  std::string p1 = ProjectsFolder() + "p1\\p1.qel", p2 = ProjectsFolder() + "p2\\p2.qel";
  app_->GetProject()->SetModifiedFlag(TRUE);
  boxes_.answers = {IDNO};
  Frame()->SendMessage(WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(p1)));  // the frame frees the drop
  ASSERT_EQ(boxes_.shown.size(), 1u);
  EXPECT_NE(BoxTexts()[0].find("p2.qel"), std::string::npos);
  ASSERT_NE(app_->GetProject(), nullptr);
  EXPECT_EQ(app_->GetProject()->GetPathName(), p1.c_str());
  ASSERT_EQ(app_->GetRecentFileList()->GetCount(), 2);
  EXPECT_EQ((*app_->GetRecentFileList())[1], p2.c_str());
  Command(ID_FILE_MRU_FILE1 + 1);
  CQelideDoc* second = app_->GetProject();
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(second->GetPathName(), p2.c_str());
  EXPECT_EQ(app_->GetLocalTagTemplate()->GetDocuments().size(), 1u);
  second->SetModifiedFlag(TRUE);
  Command(ID_FILE_MRU_FILE1);  // now p2 itself: the open project stays, nothing is asked
  EXPECT_EQ(app_->GetProject(), second);
  EXPECT_EQ(boxes_.shown.size(), 1u);
}

// ---- closing a project ---------------------------------------------------------

class CloseTest : public EditorTest {
 protected:
  void SetUp() override {
    UseFakePictures();
    Start();
    doc_ = NewProject("p1");
    ASSERT_NE(doc_, nullptr);
    for (const char* name : {"a.pic", "b.pic"}) ASSERT_EQ(doc_->OpenPicture(name, FALSE), 1);
    ASSERT_EQ(FakePictures().size(), 2u);
  }
  CQelideDoc* doc_ = nullptr;
};

TEST_F(CloseTest, APictureWindowGetsTheTablesTheFolderAndItsPicture) {
  const FakePicture& a = FakePictures()[0];
  EXPECT_EQ(a.events, (std::vector<std::string>{"host", "local", "folder", "open"}));
  EXPECT_EQ(a.folder, ProjectsFolder() + "p1\\pic\\");
  EXPECT_EQ(a.name, "a.pic");
  CMDIChildWnd* active = Frame()->MDIGetActive();
  ASSERT_NE(dynamic_cast<CPicFrm*>(active), nullptr);
  EXPECT_EQ(WindowText(active->m_hWnd), ProjectsFolder() + "p1\\pic\\b.pic");
  EXPECT_TRUE(Frame()->GetDrawBar().IsWindowVisible());
  EXPECT_EQ(doc_->OpenPicture("a.pic", FALSE), 1);  // the open window comes forward
  EXPECT_EQ(FakePictures().size(), 2u);
  EXPECT_EQ(dynamic_cast<CPicFrm*>(Frame()->MDIGetActive())->GetPicView()->GetPictureName(), "a.pic");
  doc_->OpenLocalTagTable();
  EXPECT_FALSE(Frame()->GetDrawBar().IsWindowVisible());
}

TEST_F(CloseTest, EveryModifiedPictureIsAskedAboutBeforeTheProject) {
  FakePictures()[0].modified = true;
  FakePictures()[1].modified = true;
  doc_->SetModifiedFlag(TRUE);
  boxes_.answers = {IDYES, IDNO, IDNO};
  ASSERT_NE(NewProject("p2"), nullptr);
  std::vector<std::string> asked = BoxTexts();
  ASSERT_EQ(asked.size(), 3u);
  EXPECT_EQ(asked[0], "<a.pic>已经修改，是否要存!");
  EXPECT_EQ(asked[1], "<b.pic>已经修改，是否要存!");
  EXPECT_NE(asked[2].find("p1.qel"), std::string::npos);
  EXPECT_EQ(FakePictures()[0].saves, 1);
  EXPECT_EQ(FakePictures()[1].saves, 0);
}

TEST_F(CloseTest, CancellingTheProjectQuestionKeepsTheProjectAndItsWindows) {
  doc_->SetModifiedFlag(TRUE);
  boxes_.answers = {IDCANCEL};
  EXPECT_EQ(NewProject("p2"), nullptr);
  EXPECT_EQ(app_->GetProject(), doc_);
  EXPECT_FALSE(folder_.Exists("project\\p2"));  // asked before anything was made
  boxes_.answers = {IDCANCEL};
  Frame()->SendMessage(WM_CLOSE);
  EXPECT_NE(app_->m_pMainWnd, nullptr);
  EXPECT_EQ(doc_->GetPictureViews().size(), 2u);
}

TEST_F(CloseTest, APictureThatFailsToSaveStopsTheCloseAndSaysSo) {
  FakePictures()[1].modified = true;
  FakePictures()[1].saveResult = 1;
  boxes_.answers = {IDYES};
  Command(ID_APP_EXIT);
  EXPECT_NE(app_->m_pMainWnd, nullptr);
  EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"<b.pic>已经修改，是否要存!", "保存画面<b.pic>失败!"}));
  EXPECT_EQ(app_->GetProject(), doc_);
}

TEST_F(CloseTest, SavingTheProjectSavesModifiedPicturesWithoutAskingThenTheFile) {
  FakePictures()[0].modified = true;
  Settle();
  EXPECT_EQ(Frame()->GetStandardBar().GetButtonState(ID_FILE_SAVE) & TBSTATE_ENABLED, TBSTATE_ENABLED);
  Command(ID_FILE_SAVE);
  EXPECT_TRUE(BoxTexts().empty());
  EXPECT_EQ(FakePictures()[0].saves, 1);
  EXPECT_EQ(FakePictures()[1].saves, 0);
  EXPECT_FALSE(doc_->IsModified());
  Settle();
  EXPECT_EQ(Frame()->GetStandardBar().GetButtonState(ID_FILE_SAVE) & TBSTATE_ENABLED, 0);
}

TEST_F(CloseTest, AProjectFileThatCannotBeWrittenIsReportedAndStaysModified) {
  doc_->SetModifiedFlag(TRUE);
  std::string path = ProjectsFolder() + "p1\\p1.qel";
  std::string before = folder_.ReadFile("project\\p1\\p1.qel");
  HANDLE held = ::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  Command(ID_FILE_SAVE);
  ::CloseHandle(held);
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"保存工程文件<" + path + ">失败!"});
  EXPECT_TRUE(doc_->IsModified());
  EXPECT_EQ(folder_.ReadFile("project\\p1\\p1.qel"), before);
}

TEST_F(CloseTest, ClosingAPictureWindowAsksAboutItsPictureOnly) {
  FakePictures()[1].modified = true;
  boxes_.answers = {IDNO};
  Frame()->MDIGetActive()->SendMessage(WM_CLOSE);
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"<b.pic>已经修改，是否要存!"});
  EXPECT_EQ(doc_->GetPictureViews().size(), 1u);
  EXPECT_EQ(app_->GetProject(), doc_);
}

TEST_F(CloseTest, TheCloseCommandClosesEveryWindowOfTheProject) {
  Command(ID_FILE_CLOSE);
  EXPECT_EQ(app_->GetProject(), nullptr);
  EXPECT_EQ(Frame()->MDIGetActive(), nullptr);
  EXPECT_EQ(Tree().GetRootItem(), nullptr);
  EXPECT_EQ(::GetMenu(Frame()->m_hWnd), Frame()->m_hMenuDefault);
}

}  // namespace
}  // namespace editortest
