// QelMake itself, started as a child process in a program folder of the
// test's own: its start without a project, a damaged project named on the
// command line, the recent files and the file type it leaves in the
// registry, the project's compilation without QelCtrl.dll, and what a
// session leaves in the program folder.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <set>

#include "app/regkey.h"
#include "editctrl_pictures.h"
#include "programprocess.h"
#include "scratchfolder.h"
#include "test/editor_files.h"
#include "testing/dialogdriver.h"

using namespace progtest;

namespace editortest {
namespace {

const DWORD kStartMs = 30000;  // a first Wine start can be slow
const DWORD kStepMs = 15000;
const char kFrameClass[] = "QelMDIFrame128";
const char kAppTitle[] = "QelMake";
const char kRegistryKey[] = "Software\\Irvanta QelMake";
const int kCompileProject = 32819;
const int kOutputEdit = 1006;

std::string RegValue(HKEY root, const std::string& path, const char* name = nullptr) {
  CRegKey key;
  CString value;
  if (!key.Open(root, path.c_str()) || !key.QueryString(name, &value)) return "(none)";
  return value.GetString();
}

// Every file below a folder (its path from there) with its bytes and the
// time it was last written, the folders named in `skipped` left out.
using FolderFiles = std::map<std::string, std::pair<std::string, ULONGLONG>>;

void AddFilesOf(const std::string& folder, const std::string& relative, const std::set<std::string>& skipped,
                FolderFiles& files) {
  WIN32_FIND_DATAA found;
  HANDLE find = ::FindFirstFileA((folder + relative + "*").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    const std::string name = relative + found.cFileName;
    if (std::string(found.cFileName) == "." || std::string(found.cFileName) == ".." || skipped.count(name))
      continue;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      AddFilesOf(folder, name + "\\", skipped, files);
      continue;
    }
    const ULONGLONG written = (static_cast<ULONGLONG>(found.ftLastWriteTime.dwHighDateTime) << 32) |
                              found.ftLastWriteTime.dwLowDateTime;
    std::string bytes;
    if (FILE* file = std::fopen((folder + name).c_str(), "rb")) {
      char piece[4096];
      for (size_t got; (got = std::fread(piece, 1, sizeof piece, file)) > 0;) bytes.append(piece, got);
      std::fclose(file);
    }
    files[name] = {bytes, written};
  } while (::FindNextFileA(find, &found));
  ::FindClose(find);
}

FolderFiles FilesOf(const std::string& folder, const std::set<std::string>& skipped) {
  FolderFiles files;
  AddFilesOf(folder, "", skipped, files);
  return files;
}

class EditorProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ::CreateDirectoryA((folder_.Path() + "sc").c_str(), nullptr);
    for (const char* file : {"QelMake.exe", "qel3api.dll", "sc\\Tarnic.exe", "sc\\stdlib.txt"})
      ASSERT_TRUE(CopyProgramFile(file, folder_.Path())) << file;
    ForgetRegistry();
  }
  void TearDown() override {
    if (editor_.Running() && frame_) {
      ::PostMessageA(frame_, WM_CLOSE, 0, 0);
      editor_.WaitForExit(kStepMs);
    }
    ForgetRegistry();
  }
  // What the program writes to the registry goes with each case.
  static void ForgetRegistry() {
    CRegKey::DeleteTree(HKEY_CURRENT_USER, kRegistryKey);
    CRegKey::DeleteTree(HKEY_CLASSES_ROOT, "Qelide.Document");
    CRegKey::DeleteTree(HKEY_CLASSES_ROOT, ".qel");
  }
  // A project with the new project's file; its path.
  std::string WriteProject(const char* name, const std::string& bytes) {
    std::string relative = std::string("project\\") + name + "\\" + name + ".qel";
    folder_.WriteFile(relative, bytes);
    ::CreateDirectoryA((folder_.Path() + "project\\" + name + "\\pic").c_str(), nullptr);
    return folder_.Path() + relative;
  }
  void StartWith(const std::string& args) {
    ASSERT_TRUE(editor_.Start(folder_.Path(), args));
    frame_ = editor_.WaitForWindow(kFrameClass, nullptr, kStartMs);
    ASSERT_NE(frame_, nullptr);
  }
  HWND MdiClient() const { return ::GetDlgItem(frame_, 0xE900); }
  void CloseAndWait() {
    ::PostMessageA(frame_, WM_CLOSE, 0, 0);
    DWORD code = 1;
    EXPECT_TRUE(editor_.WaitForExit(kStepMs, &code));
    EXPECT_EQ(code, 0u);
  }

  ScratchFolder folder_{"editor_e2e"};
  ProgramProcess editor_{"QelMake.exe"};
  HWND frame_ = nullptr;
};

TEST_F(EditorProgramTest, WithoutArgumentsTheFrameIsMaximisedWithoutAChild) {
  StartWith("");
  char title[128] = "";
  ::GetWindowTextA(frame_, title, sizeof title);
  EXPECT_STREQ(title, kAppTitle);
  EXPECT_TRUE(WaitFor([&] { return ::IsZoomed(frame_) != FALSE; }, kStepMs));
  ASSERT_NE(MdiClient(), nullptr);
  EXPECT_EQ(::GetWindow(MdiClient(), GW_CHILD), nullptr);
  CloseAndWait();
}

TEST_F(EditorProgramTest, ADamagedProjectOnTheCommandLineIsReportedAndLeftAsItWas) {
  std::string bytes = NewProjectBytes();
  std::string damaged = bytes.substr(0, bytes.size() / 2);
  std::string path = WriteProject("bad", damaged);
  ASSERT_TRUE(editor_.Start(folder_.Path(), "\"" + path + "\""));
  HWND box = editor_.WaitForBox(kAppTitle, kStartMs);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(BoxText(box), "读入工程文件<" + path + ">错误!");
  PressButton(box, IDOK);
  ASSERT_TRUE(WaitUntilGone(box, kStepMs));
  frame_ = editor_.WaitForWindow(kFrameClass, nullptr, kStepMs);
  ASSERT_NE(frame_, nullptr);
  EXPECT_EQ(::GetWindow(MdiClient(), GW_CHILD), nullptr);
  CloseAndWait();
  EXPECT_EQ(folder_.ReadFile("project\\bad\\bad.qel"), damaged);
}

TEST_F(EditorProgramTest, AfterTheEndTheRecentProjectAndTheFileTypeAreInTheRegistry) {
  std::string path = WriteProject("p1", NewProjectBytes());
  StartWith("\"" + path + "\"");
  EXPECT_TRUE(WaitFor([&] { return ::GetWindow(MdiClient(), GW_CHILD) != nullptr; }, kStepMs));
  CloseAndWait();
  EXPECT_EQ(RegValue(HKEY_CURRENT_USER, std::string(kRegistryKey) + "\\QelMake\\Recent File List", "File1"),
            path);
  EXPECT_EQ(RegValue(HKEY_CLASSES_ROOT, ".qel"), "Qelide.Document");
  EXPECT_EQ(RegValue(HKEY_CLASSES_ROOT, "Qelide.Document"), "Qelprj Document");
  EXPECT_EQ(RegValue(HKEY_CLASSES_ROOT, "Qelide.Document\\shell\\open\\command"),
            "\"" + folder_.Path() + "QelMake.exe\" \"%1\"");
  EXPECT_EQ(folder_.ReadFile("project\\p1\\p1.qel"), NewProjectBytes());
}

TEST_F(EditorProgramTest, WithoutQelCtrlEveryPictureReportsTheCompilerError) {
  std::string path = WriteProject("p1", NewProjectBytes());
  for (const char* picture : {"a.pic", "s\\b.pic", "c.PIC"})
    folder_.WriteFile(std::string("project\\p1\\pic\\") + picture, "x");
  StartWith("\"" + path + "\"");
  ASSERT_TRUE(WaitFor([&] { return ::GetWindow(MdiClient(), GW_CHILD) != nullptr; }, kStepMs));
  ::PostMessageA(frame_, WM_COMMAND, kCompileProject, 0);
  HWND output = nullptr;
  std::string text;
  ASSERT_TRUE(WaitFor(
      [&] {
        output = qeltest::DescendantWithId(frame_, kOutputEdit);
        char buf[4096] = "";
        if (output) ::SendMessageA(output, WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf));
        text = buf;
        return text.find("error(s)") != std::string::npos;
      },
      kStepMs))
      << text;
  std::string plain;
  for (char c : text)
    if (c != '\r') plain += c;
  if (plain.find('\n') == std::string::npos)  // lines ended by a lone CR
    for (char& c : plain) c = c == '\r' ? '\n' : c;
  std::string pictures = folder_.Path() + "project\\p1\\pic\\";
  EXPECT_NE(plain.find(pictures + "a.pic    编译器错误!\n"), std::string::npos) << plain;
  EXPECT_NE(plain.find(pictures + "s\\b.pic    编译器错误!\n"), std::string::npos) << plain;
  EXPECT_EQ(plain.find("c.PIC"), std::string::npos) << plain;
  EXPECT_NE(plain.find("编译完成 - 2 error(s)"), std::string::npos) << plain;  // each picture not compiled
  EXPECT_EQ(plain.find("编译整个工程..."), 0u) << plain;
  CloseAndWait();
}

TEST_F(EditorProgramTest, ASessionWritesOnlyTheProjectAndTheCompilersWorkFilesInTheProgramFolder) {
  ::CreateDirectoryA((folder_.Path() + "system").c_str(), nullptr);
  for (const char* file : {"QelCtrl.dll", "system\\sctip.txt"})
    ASSERT_TRUE(CopyProgramFile(file, folder_.Path())) << file;
  const std::string project = WriteProject("p1", NewProjectBytes());
  edittest::RegisterModel();
  edittest::WriteScriptedPicture(folder_.Path() + "project\\p1\\pic\\a.pic", {edittest::kGoodScript});
  // The compiler works in its own folder with these files (and leaves them).
  const std::set<std::string> projectAndWorkFiles = {"project", "sc\\csstmp.sc", "sc\\csstmp.so",
                                                     "sc\\cscerr.txt", "sc\\cscout.txt"};
  const FolderFiles before = FilesOf(folder_.Path(), projectAndWorkFiles);
  ASSERT_EQ(before.count("system\\sctip.txt"), 1u);

  // A project path through a device name is refused (before the frame shows).
  ASSERT_TRUE(editor_.Start(folder_.Path(), "\"" + folder_.Path() + "project\\p\\AUX\""));
  HWND box = editor_.WaitForBox(kAppTitle, kStartMs);
  ASSERT_NE(box, nullptr);
  EXPECT_NE(BoxText(box).find("是设备名"), std::string::npos) << BoxText(box);
  PressButton(box, IDOK);
  ASSERT_TRUE(WaitUntilGone(box, kStepMs));
  frame_ = editor_.WaitForWindow(kFrameClass, nullptr, kStepMs);
  ASSERT_NE(frame_, nullptr);
  CloseAndWait();

  // A project opened, all of its pictures compiled (and stored), closed.
  StartWith("\"" + project + "\"");
  ASSERT_TRUE(WaitFor([&] { return ::GetWindow(MdiClient(), GW_CHILD) != nullptr; }, kStepMs));
  ::PostMessageA(frame_, WM_COMMAND, kCompileProject, 0);
  std::string output;
  ASSERT_TRUE(WaitFor(
      [&] {
        char buf[4096] = "";
        if (HWND edit = qeltest::DescendantWithId(frame_, kOutputEdit))
          ::SendMessageA(edit, WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf));
        output = buf;
        return output.find("error(s)") != std::string::npos;
      },
      kStepMs))
      << output;
  EXPECT_NE(output.find("编译完成 - 0 error(s)"), std::string::npos) << output;
  CloseAndWait();

  const FolderFiles after = FilesOf(folder_.Path(), projectAndWorkFiles);
  for (const auto& file : after) {
    const auto was = before.find(file.first);
    EXPECT_TRUE(was != before.end()) << file.first << " was made";
    if (was == before.end()) continue;
    EXPECT_TRUE(file.second.first == was->second.first) << file.first << " was written";
    EXPECT_EQ(file.second.second, was->second.second) << file.first << " was written";
  }
  EXPECT_EQ(after.size(), before.size());
  EXPECT_TRUE(folder_.Exists("sc\\csstmp.sc"));  // the compiler did run here
}

}  // namespace
}  // namespace editortest
