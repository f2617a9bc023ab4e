// Compiling the whole project: which files count as pictures, the output
// lines, the total of errors, pictures open in a window, and a missing
// compile export.
#include "editctrl_pictures.h"
#include "projectcompile.h"
#include "resource.h"
#include "test/editor_harness.h"

namespace editortest {
namespace {

const char kGoodScript[] = "int main()\r\n{\r\n\treturn 0;\r\n}\r\n";
const char kBadScript[] = "int main()\r\n{\r\n\treturn 0\r\n}\r\n";  // one error

// The compilation with hooks of the test's own.
class CompileWalkTest : public ::testing::Test {
 protected:
  std::string Run() {
    hooks_.output = [this](const char* text) { out_ += text; };
    total_ = CompileProjectPictures((folder_.Path() + "p").c_str(), "C:\\qel\\sc\\Tarnic.exe", hooks_);
    return out_;
  }
  std::string Pic(const char* relative) const { return folder_.Path() + "p\\pic\\" + relative; }
  // Each picture's error count: its name's length.
  static int __stdcall CountByName(HWND, const char* path, const char* compiler) {
    g_compilers.push_back(compiler);
    return path ? static_cast<int>(std::string(path).size() % 7) : -1;
  }
  static int __stdcall Unreadable(HWND, const char*, const char*) { return -1; }
  // Three errors, or unreadable for a name with "bad" in it.
  static int __stdcall ThreeOrUnreadable(HWND, const char* path, const char*) {
    return std::string(path).find("bad") != std::string::npos ? -1 : 3;
  }
  static std::vector<std::string> g_compilers;

  progtest::ScratchFolder folder_{"compile_walk"};
  ProjectCompileHooks hooks_;
  std::string out_;
  int total_ = 0;
};
std::vector<std::string> CompileWalkTest::g_compilers;

TEST_F(CompileWalkTest, TwoPathLinesForTwoPicturesAndTheSumOfTheirErrors) {
  for (const char* file : {"p\\pic\\a.pic", "p\\pic\\s\\b.pic", "p\\pic\\c.PIC", "p\\pic\\d.pic.bak"})
    folder_.WriteFile(file, "x");
  g_compilers.clear();
  hooks_.compileFile = CountByName;
  std::string out = Run();
  int expected = static_cast<int>(Pic("a.pic").size() % 7 + Pic("s\\b.pic").size() % 7);
  EXPECT_EQ(total_, expected);
  EXPECT_EQ(out.find("编译整个工程...\n"), 0u);
  EXPECT_NE(out.find(Pic("a.pic") + "\n"), std::string::npos);
  EXPECT_NE(out.find(Pic("s\\b.pic") + "\n"), std::string::npos);
  EXPECT_EQ(out.find("c.PIC"), std::string::npos);
  EXPECT_EQ(out.find("d.pic.bak"), std::string::npos);
  std::string last = "\n编译完成 - " + std::to_string(expected) + " error(s)\n";
  EXPECT_EQ(out.rfind(last), out.size() - last.size());
  EXPECT_EQ(g_compilers, (std::vector<std::string>{"C:\\qel\\sc\\Tarnic.exe", "C:\\qel\\sc\\Tarnic.exe"}));
}

// A picture that could not be compiled keeps its line and counts as one
// error: the last line never reports success for it.
TEST_F(CompileWalkTest, APictureThatCouldNotBeCompiledCountsAsAnError) {
  const struct {
    const char* why;
    int(__stdcall* compileFile)(HWND, const char*, const char*);
    const char* line;
  } kCases[] = {{"no export", nullptr, "    编译器错误!\n"},
                {"unreadable", Unreadable, "    打开文件错误!\n"}};
  for (const auto& c : kCases) {
    out_.clear();
    folder_.WriteFile("p\\pic\\a.pic", "x");
    folder_.WriteFile("p\\pic\\s\\b.pic", "x");
    hooks_.compileFile = c.compileFile;
    std::string out = Run();
    EXPECT_EQ(total_, 2) << c.why;
    EXPECT_NE(out.find(Pic("a.pic") + c.line), std::string::npos) << c.why << out;
    EXPECT_NE(out.find(Pic("s\\b.pic") + c.line), std::string::npos) << c.why << out;
    std::string last = "\n编译完成 - 2 error(s)\n";
    EXPECT_EQ(out.rfind(last), out.size() - last.size()) << c.why << out;
  }
}

TEST_F(CompileWalkTest, AnUnreadablePictureAmongGoodOnesAddsOneToTheirErrors) {
  folder_.WriteFile("p\\pic\\a.pic", "x");
  folder_.WriteFile("p\\pic\\bad.pic", "x");
  hooks_.compileFile = ThreeOrUnreadable;
  std::string out = Run();
  EXPECT_EQ(total_, 4);
  EXPECT_NE(out.find(Pic("bad.pic") + "    打开文件错误!\n"), std::string::npos) << out;
  EXPECT_NE(out.find("\n编译完成 - 4 error(s)\n"), std::string::npos) << out;
}

TEST_F(CompileWalkTest, APictureOpenInAWindowIsCompiledThereByItsName) {
  folder_.WriteFile("p\\pic\\s\\b.pic", "x");
  std::vector<std::string> asked;
  hooks_.compileInWindow = [&](const CString& name, int* errors) {
    asked.push_back(name.GetString());
    *errors = 5;
    return TRUE;
  };
  hooks_.compileFile = Unreadable;
  Run();
  EXPECT_EQ(asked, std::vector<std::string>{"s\\b.pic"});
  EXPECT_EQ(total_, 5);
}

TEST_F(CompileWalkTest, WithoutAPictureFolderOnlyTheFirstAndLastLines) {
  EXPECT_EQ(Run(), "编译整个工程...\n\n编译完成 - 0 error(s)\n");
}

// The project's compile command with QelCtrl's export and the compiler.
class CompileProjectTest : public EditorTest {
 protected:
  void SetUp() override {
    Start();
    doc_ = NewProject("p1");
    ASSERT_NE(doc_, nullptr);
    edittest::RegisterModel();
  }
  std::string Pic(const char* relative) const { return ProjectsFolder() + "p1\\pic\\" + relative; }
  CQelideDoc* doc_ = nullptr;
};

TEST_F(CompileProjectTest, ThePicturesScriptsAreCompiledAndTheirErrorsAdded) {
  ASSERT_NE(Frame()->GetCompileExport(), nullptr);
  edittest::WriteScriptedPicture(Pic("a.pic"), {kBadScript, kGoodScript});
  ::CreateDirectoryA(Pic("s").c_str(), nullptr);
  edittest::WriteScriptedPicture(Pic("s\\b.pic"), {kBadScript, kBadScript});
  edittest::WriteScriptedPicture(Pic("c.PIC"), {kBadScript});
  Settle();
  EXPECT_NE(Frame()->GetStandardBar().GetButtonState(ID_COMPILE_PROJECT) & TBSTATE_ENABLED, 0);
  Command(ID_COMPILE_PROJECT);
  EXPECT_TRUE(Frame()->GetOutputBar().IsWindowVisible());
  std::string out = Frame()->GetOutputBar().GetText().GetString();
  EXPECT_EQ(out.find("编译整个工程...\n"), 0u) << out;
  EXPECT_NE(out.find(Pic("a.pic") + "\n"), std::string::npos) << out;
  EXPECT_NE(out.find(Pic("s\\b.pic") + "\n"), std::string::npos) << out;
  EXPECT_EQ(out.find("c.PIC"), std::string::npos) << out;
  EXPECT_NE(out.find("\n编译完成 - 3 error(s)\n"), std::string::npos) << out;
  EXPECT_EQ(edittest::StoredCode(Pic("a.pic")).size(), 2u);
  EXPECT_TRUE(edittest::IsCodeByteFile(edittest::StoredCode(Pic("a.pic"))[1]));
}

TEST_F(CompileProjectTest, APictureFileThatCannotBeReadIsAnErrorOfTheCommand) {
  ASSERT_NE(Frame()->GetCompileExport(), nullptr);
  folder_.WriteFile("project\\p1\\pic\\broken.pic", "not a picture");
  Command(ID_COMPILE_PROJECT);
  std::string out = Frame()->GetOutputBar().GetText().GetString();
  EXPECT_NE(out.find(Pic("broken.pic") + "    打开文件错误!\n"), std::string::npos) << out;
  std::string last = "\n编译完成 - 1 error(s)\n";
  EXPECT_EQ(out.rfind(last), out.size() - last.size()) << out;
}

TEST_F(CompileProjectTest, APictureOpenInAWindowIsCompiledThroughItsWindow) {
  UseFakePictures();
  edittest::WriteScriptedPicture(Pic("a.pic"), {kGoodScript});
  ASSERT_EQ(doc_->OpenPicture("a.pic", FALSE), 1);
  FakePictures()[0].compileResult = 4;
  EXPECT_EQ(Frame()->CompileProject(), 4);
  EXPECT_EQ(FakePictures()[0].events.back(), "compile");
  EXPECT_NE(Frame()->GetOutputBar().GetText().Find("编译完成 - 4 error(s)"), -1);
}

TEST_F(CompileProjectTest, WithoutAProjectTheCommandIsDisabledAndDoesNothing) {
  Command(ID_FILE_CLOSE);
  Settle();
  EXPECT_EQ(Frame()->GetStandardBar().GetButtonState(ID_COMPILE_PROJECT) & TBSTATE_ENABLED, 0);
  EXPECT_EQ(Frame()->CompileProject(), 0);
  EXPECT_FALSE(Frame()->GetOutputBar().IsWindowVisible());
}

}  // namespace
}  // namespace editortest
